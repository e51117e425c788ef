#include "KeywordIndex.h"

#include <QHash>

#include <algorithm>
#include <utility>

QString KeywordMatchForm(const QString& AUpperText) {
    return QString(AUpperText).replace(QLatin1Char('-'), QLatin1Char(' '));
}

namespace {

// KeywordMatchForm of AKeyword's upper case, into ABuffer: ASCII keywords (nearly all) letter by
// letter without an allocation.
QStringView MatchFormOf(const QString& AKeyword, QString& ABuffer) {
    ABuffer.resize(AKeyword.size());
    char16_t* out = reinterpret_cast<char16_t*>(ABuffer.data());
    for (const QChar c : AKeyword) {
        char16_t u = c.unicode();
        if (u >= 0x80) {
            ABuffer = KeywordMatchForm(AKeyword.toUpper());
            return ABuffer;
        }
        if (u >= u'a' && u <= u'z')
            u = static_cast<char16_t>(u - 32);
        *out++ = u == u'-' ? u' ' : u;
    }
    return ABuffer;
}

} // namespace

TKeywordIndex::TKeywordIndex(const TOwningList<TChapter>& AChapters, const TCodeKeywordsList& AEntries,
                             const TKeywordRefList& ADistinct) {
    QHash<QString, std::uint32_t> entryOfCode; // the first entry of a code, as FindCodeKeywords
    TWordTable offered;                         // the keywords met so far, exactly as written
    QString buffer;
    std::uint32_t order = 0;
    for (const auto& entry : AEntries) {
        const auto number = static_cast<std::uint32_t>(FEntries.size());
        FEntries.push_back(entry.get());
        if (!entryOfCode.contains(entry->FCode))
            entryOfCode.insert(entry->FCode, number);
        // Read without detaching: the suggestions keep the keywords' addresses.
        for (const QString& keyword : std::as_const(entry->FKeywords)) {
            FEntriesOfKeyword.Add(FKeywords.Add(MatchFormOf(keyword, buffer)), number, 0);
            ++order;
            const std::uint32_t known = offered.Size();
            if (offered.Add(keyword) == known)
                FEntrySuggestions.Add(keyword, order);
        }
    }
    FEntriesOfKeyword.Finish(FKeywords.Size());
    FKeywords.Squeeze();

    for (const auto& chapter : AChapters)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList) {
                const auto position = static_cast<std::uint32_t>(FCategories.size());
                FCategories.push_back(category.get());
                if (const auto found = entryOfCode.constFind(category->FCode); found != entryOfCode.cend()) {
                    FCategoriesOfEntry.Add(*found, position, 0);
                    FCategoriesWithEntry.push_back(position);
                }
            }
    FCategoriesOfEntry.Finish(static_cast<std::uint32_t>(FEntries.size()));

    for (std::uint32_t i = 0; i < ADistinct.size(); ++i) {
        const TKeywordsRef& ref = *ADistinct[i];
        if (FDistinctKeys.Add(ref.FUpperKey) == FDistinctCounts.size())
            FDistinctCounts.push_back(ref.FRefCount);
        FDistinctSuggestions.Add(ref.FKeyWord, i);
    }
    FDistinctKeys.Squeeze();
    FEntrySuggestions.Finish();
    FDistinctSuggestions.Finish();
}

std::vector<std::uint32_t> TKeywordIndex::EntryNumbers(const QStringList& AUpperKeywords, bool& AAll) const {
    std::vector<std::span<const std::uint32_t>> lists;
    for (const QString& keyword : AUpperKeywords) {
        if (keyword.isEmpty())
            continue;
        const std::uint32_t id = FKeywords.Find(KeywordMatchForm(keyword));
        if (id == TWordTable::NotFound) {
            AAll = false;
            return {};
        }
        lists.push_back(FEntriesOfKeyword.Of(id));
    }
    AAll = lists.empty();
    std::vector<std::uint32_t> numbers;
    for (const std::uint32_t item : IntersectPostings(std::move(lists)))
        numbers.push_back(TPostingLists::NumberOf(item));
    return numbers;
}

std::vector<TCodeInfo*> TKeywordIndex::Categories(const QStringList& AUpperKeywords) const {
    bool all = false;
    const std::vector<std::uint32_t> entries = EntryNumbers(AUpperKeywords, all);
    std::vector<std::uint32_t> positions;
    if (all) {
        positions = FCategoriesWithEntry;
    } else {
        for (const std::uint32_t entry : entries)
            for (const std::uint32_t item : FCategoriesOfEntry.Of(entry))
                positions.push_back(TPostingLists::NumberOf(item));
        std::sort(positions.begin(), positions.end());
    }
    std::vector<TCodeInfo*> categories;
    categories.reserve(positions.size());
    for (const std::uint32_t position : positions)
        categories.push_back(FCategories[position]);
    return categories;
}

QList<TCodeKeywords*> TKeywordIndex::Entries(const QStringList& AUpperKeywords) const {
    bool all = false;
    const std::vector<std::uint32_t> numbers = EntryNumbers(AUpperKeywords, all);
    if (all)
        return QList<TCodeKeywords*>(FEntries.begin(), FEntries.end());
    QList<TCodeKeywords*> entries;
    entries.reserve(static_cast<qsizetype>(numbers.size()));
    for (const std::uint32_t number : numbers)
        entries << FEntries[number];
    return entries;
}

int TKeywordIndex::RefCount(const QString& AUpperKey) const {
    const std::uint32_t id = FDistinctKeys.Find(AUpperKey);
    return id == TWordTable::NotFound ? 0 : FDistinctCounts[id];
}

QStringList TKeywordIndex::KeywordsBeginning(const QString& APartial, TSuggestionSource ASource) const {
    return (ASource == TSuggestionSource::EntryKeywords ? FEntrySuggestions : FDistinctSuggestions).Beginning(APartial);
}
