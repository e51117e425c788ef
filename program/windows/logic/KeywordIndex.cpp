#include "KeywordIndex.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <map>

QString KeywordMatchForm(const QString& AUpperText) {
    return QString(AUpperText).replace(QLatin1Char('-'), QLatin1Char(' '));
}

QString SuggestionForm(const QString& AText) {
    QString form = AText;
    for (QChar& c : form) {
        const char16_t u = c.unicode();
        if (u >= u'a' && u <= u'z')
            c = QChar(u - 32);
        else if (u == u'-')
            c = QLatin1Char(' ');
    }
    return form;
}

TKeywordIndex::TKeywordIndex(const TOwningList<TChapter>& AChapters, const TCodeKeywordsList& AEntries,
                             const TKeywordRefList& ADistinct) {
    QHash<QString, std::uint32_t> entryOfCode; // the first entry of a code, as FindCodeKeywords
    QSet<QString> offered;
    std::uint32_t order = 0;
    for (const auto& entry : AEntries) {
        const auto number = static_cast<std::uint32_t>(FEntries.size());
        FEntries.push_back(entry.get());
        if (!entryOfCode.contains(entry->FCode))
            entryOfCode.insert(entry->FCode, number);
        for (const QString& keyword : entry->FKeywords) {
            FEntriesOfKeyword.Add(FKeywords.Add(KeywordMatchForm(keyword.toUpper())), number, 0);
            ++order;
            if (!offered.contains(keyword)) {
                offered.insert(keyword);
                FEntrySuggestions.push_back({SuggestionForm(keyword), order, keyword});
            }
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
        FDistinctSuggestions.push_back({SuggestionForm(ref.FKeyWord), i, ref.FKeyWord});
    }
    FDistinctKeys.Squeeze();
    SortSuggestions(FEntrySuggestions);
    SortSuggestions(FDistinctSuggestions);
}

void TKeywordIndex::SortSuggestions(std::vector<TSuggestion>& ASuggestions) {
    std::sort(ASuggestions.begin(), ASuggestions.end(), [](const TSuggestion& A, const TSuggestion& B) {
        const int order = A.Form.compare(B.Form);
        return order != 0 ? order < 0 : A.Order < B.Order;
    });
    ASuggestions.shrink_to_fit();
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
    const std::vector<TSuggestion>& all =
        ASource == TSuggestionSource::EntryKeywords ? FEntrySuggestions : FDistinctSuggestions;
    const QString partial = SuggestionForm(APartial);
    auto at = std::lower_bound(all.begin(), all.end(), partial,
                               [](const TSuggestion& A, const QString& B) { return A.Form.compare(B) < 0; });
    std::vector<const TSuggestion*> matches;
    for (; at != all.end() && at->Form.startsWith(partial); ++at)
        matches.push_back(&*at);
    // Of the keywords with one upper case, the one met first in the source stands for them.
    std::sort(matches.begin(), matches.end(),
              [](const TSuggestion* A, const TSuggestion* B) { return A->Order < B->Order; });
    std::map<QString, QString> found;
    for (const TSuggestion* match : matches)
        found.emplace(match->Keyword.toUpper(), match->Keyword);
    QStringList keywords;
    keywords.reserve(static_cast<qsizetype>(found.size()));
    for (const auto& [upper, keyword] : found)
        keywords << keyword;
    return keywords;
}
