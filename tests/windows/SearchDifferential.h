// Searches run twice, through the word indexes (SearchCategories) and through the scan of every
// category (SearchCategoriesByScan), on whatever lists the engine holds, with the results
// compared. The queries are made from those lists: words and phrases of descriptions and notes,
// keywords of the keyword list, their plural, hyphen and joined variants, comma lists, quoted
// pieces, partial words and texts that hold nothing but separators.
#pragma once

#include "EngineGlobals.h"
#include "KeywordSearchEngine.h"
#include "SearchIndexes.h"
#include "TestSupport.h"

#include <QString>
#include <QStringList>

#include <set>
#include <vector>

struct TDifferentialQuery {
    QString Text;
    TSearchMode Mode;
    int Conditions;
};

struct TDifferentialOutcome {
    int Queries = 0;
    int WithResults = 0;     // queries whose result was not empty
    QStringList Differences; // one line per query whose two results differ
};

namespace differential {

inline std::vector<TCodeInfo*> AllCategories() {
    std::vector<TCodeInfo*> categories;
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList)
                categories.push_back(category.get());
    return categories;
}

// A word without the punctuation around it ("(pain)," gives "pain").
inline QString Bare(const QString& AWord) {
    qsizetype begin = 0, end = AWord.size();
    while (begin < end && !AWord[begin].isLetterOrNumber())
        ++begin;
    while (end > begin && !AWord[end - 1].isLetterOrNumber())
        --end;
    return AWord.mid(begin, end - begin);
}

inline QStringList WordsOf(const QString& AText) { return AText.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

// The first note line below ACode or any of its descendants, of a kind the full text searches.
inline QString FirstNoteLine(const TCodeInfo& ACode) {
    for (const auto& item : ACode.FItemList)
        if (const auto* note = dynamic_cast<const TNoteBase*>(item.get()))
            if (!dynamic_cast<const TNotes*>(note) && !note->FNoteList.isEmpty())
                return note->FNoteList.first();
    for (const auto& child : ACode.FSubCodeList)
        if (QString line = FirstNoteLine(*child); !line.isEmpty())
            return line;
    return {};
}

// Texts made from one word or phrase: itself, its partial form, its variants.
inline void AddWordTexts(std::vector<QString>& ATexts, const QString& AWord) {
    if (AWord.isEmpty())
        return;
    ATexts.push_back(AWord);
    ATexts.push_back(AWord.left(std::max<qsizetype>(1, AWord.size() / 2))); // a partial word
    // Plurals, and for a phrase its hyphenated and joined forms.
    const QStringList variants = BuildKeywordVariants({AWord.toUpper()});
    for (qsizetype i = 1; i < variants.size() && i <= 3; ++i)
        ATexts.push_back(variants[i]);
}

} // namespace differential

// The queries for the lists loaded now: texts from every AStep-th category and keyword entry,
// each searched by keywords and in full text with one condition set (they take turns), and the
// first AEveryConditionTexts texts from categories with every condition set 1..127.
inline std::vector<TDifferentialQuery> DifferentialQueries(std::size_t AStep, int AEveryConditionTexts) {
    using namespace differential;
    std::vector<QString> texts;
    std::vector<QString> richTexts; // searched with every condition set
    const std::vector<TCodeInfo*> categories = AllCategories();
    for (std::size_t i = 0; i < categories.size(); i += AStep) {
        const TCodeInfo& category = *categories[i];
        const QStringList words = WordsOf(category.FDesc);
        if (words.isEmpty())
            continue;
        const QString first = Bare(words.first()), last = Bare(words.last());
        if (static_cast<int>(richTexts.size()) < AEveryConditionTexts && !first.isEmpty())
            richTexts.push_back(first);
        AddWordTexts(texts, first);
        texts.push_back(words.first()); // punctuation and all
        texts.push_back(first + QStringLiteral(", ") + last);
        if (words.size() >= 2) {
            const QString phrase = Bare(words[0]) + QLatin1Char(' ') + Bare(words[1]);
            AddWordTexts(texts, phrase);
            texts.push_back(QLatin1Char('"') + words[0] + QStringLiteral(", ") + words[1] + QLatin1Char('"'));
        }
        // A word of a child with one of the category's own: matched through the child or not.
        if (!category.FSubCodeList.empty()) {
            const QStringList childWords = WordsOf(category.FSubCodeList.back()->FDesc);
            if (!childWords.isEmpty())
                texts.push_back(Bare(childWords.last()) + QStringLiteral(", ") + first);
        }
        const QStringList noteWords = WordsOf(FirstNoteLine(category));
        if (!noteWords.isEmpty()) {
            AddWordTexts(texts, Bare(noteWords.first()));
            texts.push_back(Bare(noteWords.first()) + QStringLiteral(",") + Bare(noteWords.last()));
        }
    }
    for (std::size_t i = 0; CodeKeywordsList && i < CodeKeywordsList->size(); i += AStep) {
        const QStringList& keywords = (*CodeKeywordsList)[i]->FKeywords;
        if (keywords.isEmpty())
            continue;
        AddWordTexts(texts, keywords.first());
        texts.push_back(keywords.first().toLower());
        texts.push_back(QString(keywords.last()).replace(QLatin1Char(' '), QLatin1Char('-')));
        texts.push_back(keywords.first() + QStringLiteral(", ") + keywords.last());
        texts.push_back(keywords.first() + QStringLiteral(", ") + keywords.last() + QStringLiteral(", nosuchword"));
    }
    for (const char* special : {"", ",", " , , ", "-", "\"\"", "\"a,b\"", "x-ray", "x ray", "xray", "pain.",
                                "(pain)", "a-b-c", "r10.-", "of", "and, the", "left, right", "due to", "due-to",
                                "stra\xc3\x9f" "e", "STRASSE", "s\xc3\xa9zary", "S\xc3\x89ZARY"})
        texts.push_back(QString::fromUtf8(special));

    std::vector<TDifferentialQuery> queries;
    std::set<std::pair<QString, int>> seen;
    const int turns[] = {SearchDescription, AllFullTextConditions, SearchInclusion | SearchIncludes,
                         SearchExcludes1 | SearchExcludes2, SearchCodeFirst | SearchCodeAlso,
                         SearchDescription | SearchExcludes1, SearchIncludes};
    const auto add = [&](const QString& AText, bool AFullText, int AConditions) {
        if (!seen.insert({AText, AFullText ? AConditions : -1}).second)
            return;
        const QStringList keywords = SearchKeywordsOf(AText.trimmed());
        queries.push_back({AText, SearchModeFor(AFullText, keywords), AFullText ? AConditions : 0});
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        add(texts[i], false, 0);
        add(texts[i], true, turns[i % std::size(turns)]);
    }
    for (const QString& text : richTexts)
        for (int conditions = 1; conditions <= AllFullTextConditions; ++conditions)
            add(text, true, conditions);
    return queries;
}

// The codes of ACategories, in their order.
inline QStringList CategoryCodes(const QList<TCodeInfo*>& ACategories) {
    QStringList codes;
    for (const TCodeInfo* category : ACategories)
        codes << category->FCode;
    return codes;
}

inline QString CodesOf(const QList<TCodeInfo*>& ACategories) {
    return CategoryCodes(ACategories).join(QLatin1Char(' '));
}

// Runs every query both ways on ChapterList.
inline TDifferentialOutcome RunDifferential(const std::vector<TDifferentialQuery>& AQueries) {
    TDifferentialOutcome outcome;
    for (const TDifferentialQuery& query : AQueries) {
        const QStringList keywords = SearchKeywordsOf(query.Text.trimmed());
        const QList<TCodeInfo*> indexed = SearchCategories(*ChapterList, query.Mode, keywords, query.Conditions);
        const QList<TCodeInfo*> scanned = SearchCategoriesByScan(*ChapterList, query.Mode, keywords, query.Conditions);
        ++outcome.Queries;
        if (!scanned.isEmpty())
            ++outcome.WithResults;
        if (indexed != scanned)
            outcome.Differences << QStringLiteral("\"%1\" mode %2 conditions %3: indexed [%4], scanned [%5]")
                                       .arg(query.Text)
                                       .arg(static_cast<int>(query.Mode))
                                       .arg(query.Conditions)
                                       .arg(CodesOf(indexed), CodesOf(scanned));
    }
    return outcome;
}

// The keyword box texts whose suggestions are compared: the first one, two and three characters
// of keywords of every AStep-th entry, as typed, lower-cased, with "-" for blanks, alone and after
// an earlier keyword of the same entry or of another.
inline QStringList SuggestionTexts(std::size_t AStep) {
    QStringList texts;
    for (std::size_t i = 0; CodeKeywordsList && i < CodeKeywordsList->size(); i += AStep) {
        const QStringList& keywords = (*CodeKeywordsList)[i]->FKeywords;
        for (const QString& keyword : {keywords.value(0), keywords.value(keywords.size() - 1)}) {
            if (keyword.isEmpty())
                continue;
            for (qsizetype length = 1; length <= 3 && length <= keyword.size(); ++length) {
                const QString partial = keyword.left(length);
                texts << partial << partial.toLower() << QString(partial).replace(QLatin1Char(' '), QLatin1Char('-'));
                texts << keywords.first() + QStringLiteral(", ") + partial;
                texts << QStringLiteral("gas, ") + partial;
            }
            texts << keyword + QLatin1Char(' '); // the whole keyword and a blank: a longer one
        }
    }
    texts.removeDuplicates();
    return texts;
}

// What the keyword box shows for each text (the suggestions in keyword mode and in full text, the
// count row and the combined count), with the indexes and without them; one line per difference.
inline QStringList KeywordBoxDifferences(const QStringList& ATexts) {
    QStringList differences;
    for (const QString& text : ATexts) {
        const QString row = KeywordCountRow(text);
        const int combined = CombinedKeywordCount(text);
        UseSearchIndexes(false);
        const QString scannedRow = KeywordCountRow(text);
        const int scannedCombined = CombinedKeywordCount(text);
        UseSearchIndexes(true);
        if (row != scannedRow || combined != scannedCombined)
            differences << QStringLiteral("\"%1\": counts \"%2\" %3 indexed, \"%4\" %5 scanned")
                               .arg(text, row)
                               .arg(combined)
                               .arg(scannedRow)
                               .arg(scannedCombined);
    }
    for (const bool fullText : {false, true})
        for (const QString& text : ATexts) {
            TKeywordSuggestions indexed, scanned;
            indexed.Refresh(text, fullText);
            UseSearchIndexes(false);
            scanned.Refresh(text, fullText);
            UseSearchIndexes(true);
            if (indexed.Found() != scanned.Found())
                differences << QStringLiteral("\"%1\" full text %2: indexed [%3], scanned [%4]")
                                   .arg(text)
                                   .arg(fullText)
                                   .arg(indexed.Found().join(QLatin1Char('|')), scanned.Found().join(QLatin1Char('|')));
        }
    return differences;
}
