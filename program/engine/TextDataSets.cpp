#include "TextDataSets.h"

#include "DataSets.h"
#include "DelimitedText.h"
#include "EngineGlobals.h"
#include "KeywordListBuilder.h"
#include "LoaderMessages.h"
#include "TextHelpers.h"

#include <QFile>
#include <QStringDecoder>

#include <atomic>
#include <stdexcept>

namespace {

// Inflates a data set's stream (released right after) into its bytes.
std::string ReadDataSetBytes(TDataSet AId) {
    const std::unique_ptr<TResourceStream> stream = TakeResourceStream(AId);
    return InflateResource(stream.get());
}

// Inflates a data set's stream (released right after) into its lines.
QStringList ReadDataSetLines(TDataSet AId) { return SplitTextLines(ReadDataSetBytes(AId)); }

// Visits the lines SplitTextLines gives, one at a time, without holding the decoded text and
// all its lines at once: a UTF-8 document is decoded line by line (CR and LF never occur inside
// a multi-byte sequence, so each line decodes as it would within the whole text).
template <class F> void ForEachTextLine(const std::string& ABytes, F AVisit) {
    const bool utf16 = ABytes.size() >= 2 && ((ABytes[0] == '\xFF' && ABytes[1] == '\xFE') ||
                                              (ABytes[0] == '\xFE' && ABytes[1] == '\xFF'));
    if (utf16) {
        for (const QString& line : SplitTextLines(ABytes))
            AVisit(line);
        return;
    }
    const std::size_t size = ABytes.size();
    std::size_t start = ABytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
    const char* bytes = ABytes.data();
    for (std::size_t i = start; i < size; ++i) {
        if (bytes[i] != '\r' && bytes[i] != '\n')
            continue;
        AVisit(QString::fromUtf8(bytes + start, static_cast<qsizetype>(i - start)));
        if (bytes[i] == '\r' && i + 1 < size && bytes[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        AVisit(QString::fromUtf8(bytes + start, static_cast<qsizetype>(size - start)));
}

// Splits at commas only; a field in double quotes loses its quotes, nothing else is trimmed.
QStringList SplitAtCommas(const QString& ALine) {
    QStringList fields = ALine.split(QLatin1Char(','));
    for (QString& field : fields)
        if (field.size() >= 2 && field.front() == QLatin1Char('"') && field.back() == QLatin1Char('"'))
            field = field.mid(1, field.size() - 2);
    return fields;
}

bool IsContinuation(const QString& ALine) {
    return ALine[0] == QLatin1Char(' ') || ALine[0] == QLatin1Char('\t');
}

class TKeywordLineParser {
public:
    TKeywordLineParser(TKeywordListBuilder& ALists, bool ACategoryOnly, bool AMultiWordOnly,
                       bool ACapitalize)
        : FLists(ALists), FCategoryOnly(ACategoryOnly), FMultiWordOnly(AMultiWordOnly),
          FCapitalize(ACapitalize) {}

    void Parse(const QString& ALine, int ALineNumber) {
        if (ALine.isEmpty())
            return;
        if (IsContinuation(ALine)) {
            if (!FCurrent) {
                ShowLoaderMessage(QStringLiteral("Invalid line %1 (no code definition): %2").arg(ALineNumber).arg(ALine));
                return;
            }
            for (const QString& field : ALine.split(QLatin1Char(',')))
                AddKeyword(field, false);
            return;
        }
        const qsizetype d = ALine.indexOf(QLatin1Char(' ')) + 1; // 1-based, 0 when none
        if (d <= 3)
            return;
        if (d > 4 && ALine[3] != QLatin1Char('.')) {
            ShowLoaderMessage(QStringLiteral("Invalid line %1 (error code definition): %2").arg(ALineNumber).arg(ALine));
            return;
        }
        const QString code = FCategoryOnly ? ALine.left(3) : ALine.left(d - 1);
        if (!FCurrent || FCurrent->FCode != code)
            FCurrent = FLists.CodeEntry(code);
        for (const QString& field : ALine.mid(d).split(QLatin1Char(',')))
            AddKeyword(field, true);
    }

private:
    void AddKeyword(const QString& AField, bool AOnCodeLine) {
        QString keyword = TrimControl(AField);
        if (keyword.isEmpty())
            return;
        const bool multiWord = keyword.contains(QLatin1Char(' ')) ||
                               (AOnCodeLine && keyword.contains(QLatin1Char('-')));
        if (FMultiWordOnly && !multiWord)
            return;
        if (FCapitalize)
            CapitalizeWords(keyword);
        FCurrent->AddKeyword(keyword);
        FLists.CountKeyword(keyword);
    }

    TKeywordListBuilder& FLists;
    bool FCategoryOnly, FMultiWordOnly, FCapitalize;
    TCodeKeywords* FCurrent = nullptr;
};

} // namespace

QStringList SplitTextLines(const std::string& ABytes) {
    QString text;
    if (ABytes.size() >= 2 && ((ABytes[0] == '\xFF' && ABytes[1] == '\xFE') ||
                               (ABytes[0] == '\xFE' && ABytes[1] == '\xFF'))) {
        QStringDecoder decoder(ABytes[0] == '\xFF' ? QStringConverter::Utf16LE
                                                   : QStringConverter::Utf16BE);
        text = decoder(QByteArrayView(ABytes.data() + 2, static_cast<qsizetype>(ABytes.size() - 2)));
    } else {
        const std::size_t skip = ABytes.rfind("\xEF\xBB\xBF", 0) == 0 ? 3 : 0;
        text = QString::fromUtf8(ABytes.data() + skip, static_cast<qsizetype>(ABytes.size() - skip));
    }
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\r') && text[i] != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

namespace {
std::atomic<unsigned> gCodeKeywordsGeneration{1};
}

void ClearCodeKeywords() {
    CreateGlobalContainers();
    gCodeKeywordsGeneration.fetch_add(1, std::memory_order_acq_rel);
    CodeKeywordsList->clear();
    KeywordRefList->clear();
}

unsigned CodeKeywordsGeneration() { return gCodeKeywordsGeneration.load(std::memory_order_acquire); }

TCodeKeywords* FindCodeKeywords(const QString& ACode) {
    if (!CodeKeywordsList)
        return nullptr;
    for (const auto& entry : *CodeKeywordsList)
        if (entry->FCode == ACode)
            return entry.get();
    return nullptr;
}

void AddKeywordRef(const QString& AKeyword) {
    const QString key = AKeyword.toUpper();
    TKeywordRefList& list = *KeywordRefList;
    qsizetype lo = 0, hi = static_cast<qsizetype>(list.size()) - 1, insertAt = 0;
    while (lo <= hi) {
        const qsizetype mid = (lo + hi) / 2;
        const int order = key.compare(list[static_cast<std::size_t>(mid)]->FUpperKey, Qt::CaseSensitive);
        if (order == 0) {
            ++list[static_cast<std::size_t>(mid)]->FRefCount;
            return;
        }
        if (order > 0) { // descending: a greater key goes before mid
            insertAt = mid;
            hi = mid - 1;
        } else {
            insertAt = hi + 1;
            lo = mid + 1;
        }
    }
    auto entry = std::make_unique<TKeywordsRef>();
    entry->FKeyWord = AKeyword;
    entry->FRefCount = 1;
    entry->FUpperKey = key;
    list.insert(list.begin() + std::min<qsizetype>(insertAt, static_cast<qsizetype>(list.size())),
                std::move(entry));
}

void LoadSpecialKeywords() {
    CreateGlobalContainers();
    for (const QString& line : ReadDataSetLines(TDataSet::SpecialKWs)) {
        const QStringList fields = SplitAtCommas(line);
        if (fields.size() < 2)
            continue;
        auto entry = std::make_unique<TKeywordSpecialFormat>();
        entry->FKeyWord = fields[0];
        entry->FSpecial1 = fields[1];
        entry->FSpecial2 = fields.value(2);
        SpecialKeywordList->push_back(std::move(entry));
    }
}

void ParseCodeKeywordLines(const QStringList& ALines, bool ACategoryOnly, bool AMultiWordOnly,
                           bool ACapitalize) {
    TKeywordListBuilder lists;
    TKeywordLineParser parser(lists, ACategoryOnly, AMultiWordOnly, ACapitalize);
    int lineNumber = 0;
    for (const QString& line : ALines) {
        if (!IsLoading(KeywordLoadState))
            break;
        parser.Parse(line, ++lineNumber);
    }
}

void LoadCodeKeywords(const QString& APath, bool ACategoryOnly, bool AMultiWordOnly, bool ACapitalize) {
    CreateGlobalContainers();
    WriteState(KeywordLoadState, LoadRunning);
    QStringList lines;
    if (std::unique_ptr<TResourceStream> stream = TakeResourceStream(TDataSet::CodeKeywords)) {
        lines = SplitTextLines(InflateResource(stream.get()));
    } else {
        // The embedded data set is read once; a reload reads the named keyword file instead.
        QFile file(APath);
        if (APath.isEmpty() || !file.open(QIODevice::ReadOnly))
            throw std::runtime_error("no keyword data to read");
        lines = SplitTextLines(file.readAll().toStdString());
    }
    ParseCodeKeywordLines(lines, ACategoryOnly, AMultiWordOnly, ACapitalize);
    int expected = LoadRunning;
    KeywordLoadState.compare_exchange_strong(expected, LoadDone, std::memory_order_acq_rel);
}

void LoadShortDescriptions() {
    CreateGlobalContainers();
    WriteState(ShortDescLoadState, LoadRunning);
    TShortDescMap& map = *ShortDescMap;
    {
        const std::string bytes = ReadDataSetBytes(TDataSet::ShortDesc);
        // One line per code of about 60 bytes; the texts take fewer bytes than the lines.
        map.Reserve(bytes.size() / 56, bytes.size());
        ForEachTextLine(bytes, [&map](const QString& line) {
            if (line.size() >= 10)
                map.Append(TrimControl(line.left(8)), line.mid(10));
        });
    } // the inflated bytes go before the map is sorted
    for (const QString& code : map.Commit())
        ShowLoaderMessage(QStringLiteral("Duplicate code %1 in the short descriptions: the first description is kept").arg(code));
    WriteState(ShortDescLoadState, LoadDone);
}

void LoadTextDataSets() {
    // A second start-up in one process loads into fresh containers, as the XML loaders do;
    // otherwise every keyword count doubles and every short description turns into a duplicate.
    CreateGlobalContainers();
    SpecialKeywordList->clear();
    ClearCodeKeywords();
    ShortDescMap->clear();
    try {
        LoadSpecialKeywords();
    } catch (...) {
        ShowLoaderMessage(QStringLiteral("Load Special Keywords File Fail1!"));
    }
    try {
        LoadCodeKeywords(QString(), true, false, true);
    } catch (...) {
        WriteState(KeywordLoadState, LoadFailed);
        ShowLoaderMessage(QStringLiteral("Load Code Keywords File Fail1!"));
    }
    try {
        LoadShortDescriptions();
    } catch (...) {
        WriteState(ShortDescLoadState, LoadFailed);
        ShowLoaderMessage(QStringLiteral("Load Short Descriptions File Fail1!"));
    }
}
