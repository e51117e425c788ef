#include "KeywordIndex.h"

#include <QHash>

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
        for (const QString& keyword : entry->FKeywords) {
            FEntriesOfKeyword.Add(FKeywords.Add(MatchFormOf(keyword, buffer)), number, 0);
            ++order;
            const std::uint32_t known = offered.Size();
            if (offered.Add(keyword) == known)
                FEntrySuggestions.push_back(SuggestionOf(keyword, order));
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
        FDistinctSuggestions.push_back(SuggestionOf(ref.FKeyWord, i));
    }
    FDistinctKeys.Squeeze();
    SortSuggestions(FEntrySuggestions);
    SortSuggestions(FDistinctSuggestions);
}

TKeywordIndex::TSuggestion TKeywordIndex::SuggestionOf(const QString& AKeyword, std::uint32_t AOrder) {
    TSuggestion suggestion{0, SuggestionForm(AKeyword), AOrder, AKeyword};
    // Four UTF-16 units, the first highest, missing ones 0: numbers order as the texts do, or tie.
    for (qsizetype i = 0; i < 4; ++i)
        suggestion.Lead = (suggestion.Lead << 16) | (i < suggestion.Form.size() ? suggestion.Form[i].unicode() : 0u);
    return suggestion;
}

void TKeywordIndex::SortSuggestions(std::vector<TSuggestion>& ASuggestions) {
    std::sort(ASuggestions.begin(), ASuggestions.end(), [](const TSuggestion& A, const TSuggestion& B) {
        if (A.Lead != B.Lead)
            return A.Lead < B.Lead;
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
