// Searching the find index: code queries, then word queries with synonyms, prefix matching of
// the word being typed, spelling correction of unknown words, and the ranking rules.
#include "FindIndexImpl.h"

#include "FindSynonyms.h"
#include "FindText.h"

#include <QSet>

#include <algorithm>
#include <unordered_set>

namespace {

constexpr Xapian::termcount kPrefixExpansions = 40;

// One part of a word query: a word, or a run of words that a synonym entry names.
struct TQueryPart {
    QStringList Words;            // as read from the query
    const TFindSynonym* Synonym = nullptr;
    bool Partial = false;         // the last word, still being typed
    QString Correction;           // the spelling correction used instead, if any
    bool Unknown = false;         // neither the index nor the speller knows it

    // The words searched for: the correction when there is one.
    QStringList Searched() const { return Correction.isEmpty() ? Words : QStringList{Correction}; }
};

bool EndsInsideWord(const QString& AQuery) {
    return !AQuery.isEmpty() && AQuery.back().isLetterOrNumber();
}

std::vector<TQueryPart> SplitQuery(const QStringList& AWords, bool ALastIsPartial) {
    std::vector<TQueryPart> parts;
    for (qsizetype i = 0; i < AWords.size();) {
        const TFindSynonym* best = nullptr;
        for (const TFindSynonym& synonym : FindSynonyms()) {
            const qsizetype n = synonym.Words.size();
            if (i + n <= AWords.size() && AWords.mid(i, n) == synonym.Words &&
                (!best || n > best->Words.size()))
                best = &synonym;
        }
        TQueryPart part;
        part.Synonym = best;
        part.Words = best ? AWords.mid(i, best->Words.size()) : AWords.mid(i, 1);
        i += part.Words.size();
        part.Partial = ALastIsPartial && i == AWords.size() && !best;
        parts.push_back(std::move(part));
    }
    return parts;
}

Xapian::Query AllOf(const std::vector<Xapian::Query>& AQueries) {
    if (AQueries.empty())
        return Xapian::Query();
    return Xapian::Query(Xapian::Query::OP_AND, AQueries.begin(), AQueries.end());
}

bool HasPrefix(const Xapian::Database& ADatabase, const std::string& APrefix) {
    auto it = ADatabase.allterms_begin(APrefix);
    return it != ADatabase.allterms_end(APrefix);
}

// A code, whole or begun: the code first, then the codes below it in code order (one per
// group). False when AKey is no code's beginning.
bool ListCodes(const Xapian::Database& ADatabase, const QString& AKey, Xapian::doccount ALimit,
               QList<TFindHit>& AHits) {
    if (AKey.isEmpty())
        return false;
    const std::string term = FindLayout::CodePrefix + AKey.toStdString();
    Xapian::docid exact = 0;
    if (ADatabase.term_exists(term)) {
        exact = *ADatabase.postlist_begin(term);
        TFindHit hit = FindLayout::HitOf(ADatabase.get_document(exact).get_data());
        hit.ExactCode = true;
        AHits.append(hit);
    }
    if (AKey.size() >= 3 && HasPrefix(ADatabase, term)) {
        Xapian::Enquire below(ADatabase);
        below.set_query(Xapian::Query(Xapian::Query::OP_WILDCARD, term));
        below.set_sort_by_value(FindLayout::CodeSlot, false);
        below.set_collapse_key(FindLayout::GroupSlot);
        const Xapian::MSet codes = below.get_mset(0, ALimit + 1);
        for (auto it = codes.begin(); it != codes.end() && AHits.size() < static_cast<qsizetype>(ALimit); ++it) {
            if (*it == exact)
                continue;
            TFindHit hit = FindLayout::HitOf(it.get_document().get_data());
            hit.Collapsed = static_cast<int>(it.get_collapse_count());
            AHits.append(hit);
        }
    }
    return !AHits.isEmpty();
}

// When the query names nothing more specific than a category's "unspecified" (or "not
// specified") code does (its description has every word of the query), that code comes first
// rather than a sibling that happened to rank higher: "copd" is J44.9 before J44.1 "... with
// (acute) exacerbation". Only the first AConsidered hits (those with every word) are looked at.
void PutGeneralCodeFirst(QList<TFindHit>& AHits, qsizetype AConsidered,
                         const std::vector<std::string>& AQueryStems, const TFindStemmer& AStems) {
    if (AHits.size() < 2 || AQueryStems.empty())
        return;
    const auto isGeneral = [&](const TFindHit& AHit) {
        std::unordered_set<std::string> described;
        for (const QString& word : FindKeyWords(AHit.Description))
            described.insert(AStems.StemOf(word));
        const auto has = [&](const char* AWord) {
            return described.count(AStems.StemOf(QLatin1String(AWord))) > 0;
        };
        return (has("unspecified") || (has("not") && has("specified"))) &&
               std::all_of(AQueryStems.begin(), AQueryStems.end(),
                           [&](const std::string& AStem) { return described.count(AStem) > 0; });
    };
    if (isGeneral(AHits.front()))
        return;
    for (qsizetype i = 1; i < AConsidered; ++i)
        if (AHits[i].CategoryCode == AHits.front().CategoryCode && isGeneral(AHits[i])) {
            AHits.move(i, 0);
            return;
        }
}

} // namespace

TFindResult TFindIndex::Find(const QString& AQuery, int ALimit, bool ACorrect) const {
    TFindResult result;
    result.Query = AQuery;
    const auto limit = static_cast<Xapian::doccount>(std::clamp(ALimit, 1, 1000));
    const Xapian::Database& database = FImpl->Database;
    try {
        if (ListCodes(database, CodeKeyOf(AQuery.trimmed()), limit, result.Hits))
            return result;

        QStringList words = FindKeyWords(AQuery);
        words.removeDuplicates(); // a word said twice asks for nothing more
        std::vector<TQueryPart> parts = SplitQuery(words, EndsInsideWord(AQuery));
        std::vector<Xapian::Query> required;
        for (TQueryPart& part : parts) {
            if (part.Synonym) {
                std::vector<Xapian::Query> typed, expansion;
                for (const QString& word : part.Words)
                    typed.emplace_back(FImpl->Stems.StemOf(word));
                for (const QString& word : part.Synonym->Expansion)
                    expansion.emplace_back(FImpl->Stems.StemOf(word));
                required.emplace_back(Xapian::Query::OP_OR, AllOf(typed), AllOf(expansion));
                continue;
            }
            const QString& word = part.Words.front();
            const std::string stem = FImpl->Stems.StemOf(word);
            std::vector<Xapian::Query> alternatives{Xapian::Query(stem)};
            bool known = database.term_exists(stem);
            if (part.Partial && word.size() >= 2) {
                for (const std::string& prefix : {word.toStdString(), stem})
                    if (HasPrefix(database, prefix)) {
                        alternatives.emplace_back(Xapian::Query::OP_WILDCARD, prefix,
                                                  kPrefixExpansions,
                                                  Xapian::Query::WILDCARD_LIMIT_MOST_FREQUENT);
                        known = true;
                    }
            }
            if (!known && ACorrect && !word[0].isDigit()) {
                std::string suggestion;
                try {
                    suggestion = database.get_spelling_suggestion(word.toStdString(), 2);
                } catch (const Xapian::UnimplementedError&) {
                }
                if (!suggestion.empty()) {
                    part.Correction = QString::fromStdString(suggestion);
                    alternatives = {Xapian::Query(FImpl->Stems.StemOf(part.Correction))};
                    known = true;
                }
            }
            if (!known) {
                part.Unknown = true;
                continue;
            }
            required.emplace_back(Xapian::Query::OP_OR, alternatives.begin(), alternatives.end());
        }
        if (required.empty())
            return result;

        // A query that says exactly what one of a code's names says (in any order) ranks that
        // code first: "hypertension" is the index's main term for I10, "dog bite" its "Bite, dog".
        std::vector<std::string> typedStems, expandedStems;
        for (const TQueryPart& part : parts) {
            if (part.Unknown)
                continue;
            for (const QString& word : part.Searched())
                typedStems.push_back(FImpl->Stems.StemOf(word));
            for (const QString& word : part.Synonym ? part.Synonym->Expansion : part.Searched())
                expandedStems.push_back(FImpl->Stems.StemOf(word));
        }
        std::vector<Xapian::Query> names;
        for (const std::string& term : {FindLayout::NameTerm(typedStems), FindLayout::NameTerm(expandedStems)})
            if (!term.empty() && database.term_exists(term))
                names.emplace_back(term);
        const auto withNames = [&](const Xapian::Query& AWords) {
            return names.empty() ? AWords
                                 : Xapian::Query(Xapian::Query::OP_AND_MAYBE, AWords,
                                                 Xapian::Query(Xapian::Query::OP_OR, names.begin(), names.end()));
        };

        if (std::any_of(parts.begin(), parts.end(), [](const TQueryPart& APart) { return !APart.Correction.isEmpty(); })) {
            QStringList corrected;
            for (const TQueryPart& part : parts)
                corrected << part.Searched();
            result.Corrected = corrected.join(QLatin1Char(' '));
        }

        Xapian::Enquire enquire(database);
        enquire.set_weighting_scheme(Xapian::BM25Weight(1.2, 0, 1, 0, 0.5));
        enquire.set_collapse_key(FindLayout::GroupSlot);
        QSet<std::string> groups;
        const auto take = [&](const Xapian::Query& AWordQuery) {
            enquire.set_query(AWordQuery);
            const Xapian::MSet matches = enquire.get_mset(0, limit);
            for (auto it = matches.begin(); it != matches.end(); ++it) {
                if (result.Hits.size() >= static_cast<qsizetype>(limit))
                    return;
                const Xapian::Document document = it.get_document();
                const std::string group = document.get_value(FindLayout::GroupSlot);
                if (groups.contains(group))
                    continue;
                groups.insert(group);
                TFindHit hit = FindLayout::HitOf(document.get_data());
                hit.Collapsed = static_cast<int>(it.get_collapse_count());
                result.Hits.append(hit);
            }
        };
        take(withNames(AllOf(required)));
        const qsizetype allWords = result.Hits.size();
        if (result.Hits.size() < static_cast<qsizetype>(limit) && required.size() > 1)
            take(withNames(Xapian::Query(Xapian::Query::OP_OR, required.begin(), required.end())));
        PutGeneralCodeFirst(result.Hits, std::min<qsizetype>(allWords, 10), expandedStems, FImpl->Stems);
    } catch (const Xapian::Error& error) {
        result.Hits.clear();
        result.Error = QString::fromStdString(error.get_description());
    }
    return result;
}
