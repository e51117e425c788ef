#include "ShortDescMap.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <stdexcept>

namespace {

// A record's header: the length in UTF-16 code units in the low 31 bits, the top bit set when
// the characters are stored as UTF-16 (any of them beyond Latin-1), else one byte each.
constexpr std::uint32_t kWideFlag = 0x80000000u;

struct TRecordView {
    const char* Data;
    qsizetype Length;
    bool Wide;

    char16_t At(qsizetype AIndex) const {
        if (!Wide)
            return static_cast<unsigned char>(Data[AIndex]);
        char16_t c;
        std::memcpy(&c, Data + AIndex * 2, sizeof c);
        return c;
    }
};

template <class A, class B> int CompareUnits(const A& AFirst, qsizetype ALengthA, const B& ASecond, qsizetype ALengthB) {
    const qsizetype common = std::min(ALengthA, ALengthB);
    for (qsizetype i = 0; i < common; ++i) {
        const char16_t a = AFirst(i);
        const char16_t b = ASecond(i);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return ALengthA == ALengthB ? 0 : (ALengthA < ALengthB ? -1 : 1);
}

TRecordView ViewAt(const std::vector<char>& AText, std::uint32_t AOffset) {
    std::uint32_t header;
    std::memcpy(&header, AText.data() + AOffset, sizeof header);
    return {AText.data() + AOffset + sizeof header, static_cast<qsizetype>(header & ~kWideFlag),
            (header & kWideFlag) != 0};
}

} // namespace

std::uint32_t TShortDescMap::AddRecord(QStringView AText) {
    const bool wide = std::any_of(AText.begin(), AText.end(), [](QChar c) { return c.unicode() > 0xFF; });
    const std::size_t bytes = static_cast<std::size_t>(AText.size()) * (wide ? 2 : 1);
    if (FText.size() + sizeof(std::uint32_t) + bytes > UINT32_MAX || AText.size() >= qsizetype(kWideFlag))
        throw std::length_error("short descriptions beyond 4 GiB");
    const auto offset = static_cast<std::uint32_t>(FText.size());
    const std::uint32_t header = static_cast<std::uint32_t>(AText.size()) | (wide ? kWideFlag : 0);
    FText.resize(FText.size() + sizeof header + bytes);
    char* out = FText.data() + offset;
    std::memcpy(out, &header, sizeof header);
    out += sizeof header;
    if (wide)
        std::memcpy(out, AText.utf16(), bytes);
    else
        for (const QChar c : AText)
            *out++ = static_cast<char>(c.unicode());
    return offset;
}

QString TShortDescMap::RecordText(std::uint32_t AOffset) const {
    const TRecordView view = ViewAt(FText, AOffset);
    if (view.Wide) {
        QString text(view.Length, Qt::Uninitialized);
        std::memcpy(text.data(), view.Data, static_cast<std::size_t>(view.Length) * 2);
        return text;
    }
    return QString::fromLatin1(view.Data, view.Length);
}

int TShortDescMap::CompareRecord(std::uint32_t AOffset, QStringView AText) const {
    const TRecordView view = ViewAt(FText, AOffset);
    return CompareUnits([&](qsizetype i) { return view.At(i); }, view.Length,
                        [&](qsizetype i) { return char16_t(AText[i].unicode()); }, AText.size());
}

int TShortDescMap::CompareRecords(std::uint32_t AOffsetA, std::uint32_t AOffsetB) const {
    const TRecordView a = ViewAt(FText, AOffsetA);
    const TRecordView b = ViewAt(FText, AOffsetB);
    return CompareUnits([&](qsizetype i) { return a.At(i); }, a.Length, [&](qsizetype i) { return b.At(i); },
                        b.Length);
}

const TShortDescMap::TEntry* TShortDescMap::FindEntry(QStringView ACode) const {
    const auto found = std::lower_bound(FEntries.begin(), FEntries.end(), ACode,
                                        [this](const TEntry& AEntry, QStringView ACodeText) {
                                            return CompareRecord(AEntry.Code, ACodeText) < 0;
                                        });
    if (found == FEntries.end() || CompareRecord(found->Code, ACode) != 0)
        return nullptr;
    return &*found;
}

QString TShortDescMap::value(const QString& ACode, const QString& ADefault) const {
    const TEntry* entry = FindEntry(ACode);
    return entry ? RecordText(entry->Text) : ADefault;
}

std::optional<QString> TShortDescMap::Find(const QString& ACode) const {
    const TEntry* entry = FindEntry(ACode);
    if (!entry)
        return std::nullopt;
    return RecordText(entry->Text);
}

void TShortDescMap::clear() {
    std::vector<char>().swap(FText);
    std::vector<TEntry>().swap(FEntries);
    std::vector<TEntry>().swap(FPending);
}

void TShortDescMap::Reserve(std::size_t ALines, std::size_t ABytes) {
    FText.reserve(FText.size() + ABytes);
    FPending.reserve(FPending.size() + ALines);
}

void TShortDescMap::Append(const QString& ACode, const QString& AText) {
    const std::uint32_t code = AddRecord(ACode);
    FPending.push_back({code, AddRecord(AText)});
}

QStringList TShortDescMap::Commit() {
    // Order the appended entries by code, the earlier line first among equal codes; the first
    // of each run is kept unless the map holds the code already.
    std::vector<std::uint32_t> order(FPending.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [this](std::uint32_t A, std::uint32_t B) {
        return CompareRecords(FPending[A].Code, FPending[B].Code) < 0;
    });
    std::vector<std::uint32_t> refused;
    std::vector<TEntry> kept;
    kept.reserve(FPending.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        const TEntry& entry = FPending[order[i]];
        const bool repeated = i > 0 && CompareRecords(FPending[order[i - 1]].Code, entry.Code) == 0;
        if (repeated || FindEntry(RecordText(entry.Code)))
            refused.push_back(order[i]);
        else
            kept.push_back(entry);
    }
    std::vector<TEntry> merged;
    merged.reserve(FEntries.size() + kept.size());
    std::merge(FEntries.begin(), FEntries.end(), kept.begin(), kept.end(), std::back_inserter(merged),
               [this](const TEntry& A, const TEntry& B) { return CompareRecords(A.Code, B.Code) < 0; });
    FEntries = std::move(merged);
    FEntries.shrink_to_fit();
    FText.shrink_to_fit();

    std::sort(refused.begin(), refused.end());
    QStringList refusedCodes;
    for (const std::uint32_t index : refused)
        refusedCodes << RecordText(FPending[index].Code);
    std::vector<TEntry>().swap(FPending);
    return refusedCodes;
}

bool operator==(const TShortDescMap& AMap, const QHash<QString, QString>& AHash) {
    if (AMap.size() != AHash.size())
        return false;
    for (const auto& entry : AMap.FEntries) {
        const auto found = AHash.constFind(AMap.RecordText(entry.Code));
        if (found == AHash.constEnd() || *found != AMap.RecordText(entry.Text))
            return false;
    }
    return true;
}
