#include "KeywordSearchEngine.h"

#include "CodeQueries.h"
#include "EngineGlobals.h"
#include "KeywordMatch.h"
#include "SearchIndexes.h"
#include "TextDataSets.h"
#include "TextHelpers.h"
#include "WordBoundaries.h"

#include <map>
#include <optional>
#include <vector>

namespace {

// The raw comma pieces (untrimmed), with the quoting rule.
QStringList RawPieces(const QString& AText) {
    QStringList pieces;
    QString piece;
    qsizetype i = 0;
    const qsizetype n = AText.size();
    bool atPieceStart = true;
    while (i < n) {
        const QChar c = AText[i];
        if (atPieceStart && c == QLatin1Char('"')) {
            ++i;
            while (i < n) {
                if (AText[i] == QLatin1Char('"')) {
                    if (i + 1 < n && AText[i + 1] == QLatin1Char('"')) {
                        piece += QLatin1Char('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                piece += AText[i++];
            }
            atPieceStart = false;
            continue;
        }
        if (c == QLatin1Char(',')) {
            pieces << piece;
            piece.clear();
            atPieceStart = true;
        } else {
            piece += c;
            atPieceStart = false;
        }
        ++i;
    }
    pieces << piece;
    return pieces;
}

bool NoteSelected(const TNoteBase& ANote, int AConditions) {
    return ((AConditions & SearchInclusion) && dynamic_cast<const TInclusionTerm*>(&ANote)) ||
           ((AConditions & SearchIncludes) && dynamic_cast<const TIncludes*>(&ANote)) ||
           ((AConditions & SearchCodeFirst) && dynamic_cast<const TCodeFirst*>(&ANote)) ||
           ((AConditions & SearchCodeAlso) && dynamic_cast<const TCodeAlso*>(&ANote)) ||
           ((AConditions & SearchExcludes1) && dynamic_cast<const TExcludes1*>(&ANote)) ||
           ((AConditions & SearchExcludes2) && dynamic_cast<const TExcludes2*>(&ANote));
}

// ContainsWord (AWord, AText upper-cased) without building the upper case when both are ASCII,
// where a case-blind search finds exactly what a search in the upper case finds. A full-text
// search tests every text of every code, most of them plain ASCII.
bool ContainsWordIgnoringCase(const QString& AWord, bool AWordAscii, const QString& AText) {
    if (!AWordAscii || !IsAscii(AText))
        return ContainsWord(AWord, AText.toUpper());
    return ContainsWord(AWord, AText, Qt::CaseInsensitive);
}

// ContainsWordOrJoined for a text that is not upper-cased yet.
struct TFullTextWord {
    explicit TFullTextWord(const QString& AWord) : Word(AWord), Ascii(IsAscii(AWord)) {
        if (const qsizetype dash = AWord.indexOf(QLatin1Char('-')); dash >= 0)
            Joined = QString(AWord).remove(dash, 1);
    }
    bool In(const QString& AText) const {
        return ContainsWordIgnoringCase(Word, Ascii, AText) ||
               (!Joined.isNull() && ContainsWordIgnoringCase(Joined, Ascii, AText));
    }
    QString Word;
    QString Joined; // null when the word has no "-"
    bool Ascii;
};

bool OwnTextsContain(const TCodeInfo& ACode, const TFullTextWord& AKeyword, int AConditions) {
    if ((AConditions & SearchDescription) && AKeyword.In(ACode.FDesc))
        return true;
    for (const auto& item : ACode.FItemList)
        if (const auto* note = dynamic_cast<const TNoteBase*>(item.get()); note && NoteSelected(*note, AConditions))
            for (const QString& line : note->FNoteList)
                if (AKeyword.In(line))
                    return true;
    return false;
}

bool MatchFullTextWords(const TCodeInfo& ACode, const QList<TFullTextWord>& AKeywords, int AConditions) {
    for (const TFullTextWord& keyword : AKeywords) {
        if (keyword.Word.isEmpty() || OwnTextsContain(ACode, keyword, AConditions))
            continue;
        bool byChild = false;
        for (const auto& child : ACode.FSubCodeList)
            if (MatchFullTextWords(*child, AKeywords, AConditions)) {
                byChild = true;
                break;
            }
        if (!byChild)
            return false;
    }
    return true;
}

QList<TFullTextWord> FullTextWords(const QStringList& AKeywords) {
    QList<TFullTextWord> words;
    for (const QString& keyword : AKeywords)
        words << TFullTextWord(keyword);
    return words;
}

// Whether no loader writes the data set any more: it is whole, failed or never started. A load
// that was asked to stop may still be writing.
bool Settled(const TLoadState& AState) {
    const int state = ReadState(AState);
    return state != LoadRunning && state != LoadStopRequested;
}

bool IsVowel(QChar AChar) { return QStringLiteral("AEIOU").contains(AChar); }

void AppendPlurals(QStringList& AOut, const QString& AFirst, const QString& ASecond, int ACount) {
    AOut << AFirst.toUpper();
    if (ACount == 2)
        AOut << ASecond.toUpper();
}

} // namespace

QStringList SearchKeywordsOf(const QString& ATrimmedText) {
    return ATrimmedText.isEmpty() ? QStringList() : SplitKeywords(ATrimmedText.toUpper());
}

TSearchMode SearchModeFor(bool AFullText, const QStringList& AKeywords) {
    if (AFullText)
        return TSearchMode::FullText;
    return AKeywords.isEmpty() ? TSearchMode::All : TSearchMode::Keywords;
}

QStringList SplitKeywords(const QString& AText) {
    QStringList pieces = RawPieces(AText);
    for (QString& piece : pieces)
        piece = piece.trimmed();
    return pieces;
}

bool ContainsWordOrJoined(const QString& AWord, const QString& AText) {
    if (ContainsWord(AWord, AText))
        return true;
    const qsizetype dash = AWord.indexOf(QLatin1Char('-'));
    return dash >= 0 && ContainsWord(QString(AWord).remove(dash, 1), AText);
}

bool MatchFullText(const TCodeInfo& ACode, const QStringList& AKeywords, int AConditions) {
    return MatchFullTextWords(ACode, FullTextWords(AKeywords), AConditions);
}

namespace {

// Whether the mode accepts ACategory: the one matching rule of both ways of searching.
class TCategoryMatcher {
public:
    TCategoryMatcher(TSearchMode AMode, const QStringList& AKeywords, int AConditions)
        : FMode(AMode), FKeywords(AKeywords), FWords(FullTextWords(AKeywords)), FConditions(AConditions) {}
    bool Accepts(TCodeInfo& ACategory) const {
        switch (FMode) {
        case TSearchMode::All:
            return true;
        case TSearchMode::Keywords:
            return MatchKeywords(ACategory, FKeywords);
        case TSearchMode::FullText:
            return MatchFullTextWords(ACategory, FWords, FConditions);
        }
        return false;
    }

private:
    TSearchMode FMode;
    const QStringList& FKeywords;
    QList<TFullTextWord> FWords;
    int FConditions;
};

// The categories that may match, in tabular order, from a word index; nullopt without one.
std::optional<std::vector<TCodeInfo*>> IndexedCandidates(const TOwningList<TChapter>& AChapters, TSearchMode AMode,
                                                         const QStringList& AKeywords, int AConditions) {
    if (AMode == TSearchMode::Keywords) {
        if (const auto index = KeywordIndexFor(AChapters))
            return index->Categories(AKeywords);
    } else if (AMode == TSearchMode::FullText) {
        if (const auto index = FullTextIndexFor(AChapters)) {
            const std::optional<std::vector<std::uint32_t>> positions = index->Candidates(AKeywords, AConditions);
            if (!positions)
                return std::nullopt;
            std::vector<TCodeInfo*> categories;
            categories.reserve(positions->size());
            for (const std::uint32_t position : *positions)
                categories.push_back(index->Categories()[position]);
            return categories;
        }
    }
    return std::nullopt;
}

} // namespace

QList<TCodeInfo*> SearchCategories(const TOwningList<TChapter>& AChapters, TSearchMode AMode,
                                   const QStringList& AKeywords, int AConditions) {
    if (AMode == TSearchMode::Keywords && !Settled(KeywordLoadState))
        return {};
    const std::optional<std::vector<TCodeInfo*>> candidates =
        IndexedCandidates(AChapters, AMode, AKeywords, AConditions);
    if (!candidates)
        return SearchCategoriesByScan(AChapters, AMode, AKeywords, AConditions);
    const TCategoryMatcher matcher(AMode, AKeywords, AConditions);
    QList<TCodeInfo*> found;
    for (TCodeInfo* category : *candidates)
        if (matcher.Accepts(*category))
            found << category;
    return found;
}

QList<TCodeInfo*> SearchCategoriesByScan(const TOwningList<TChapter>& AChapters, TSearchMode AMode,
                                         const QStringList& AKeywords, int AConditions) {
    QList<TCodeInfo*> found;
    if (AMode == TSearchMode::Keywords && !Settled(KeywordLoadState))
        return found;
    const TCategoryMatcher matcher(AMode, AKeywords, AConditions);
    for (const auto& chapter : AChapters)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList)
                if (matcher.Accepts(*category))
                    found << category.get();
    return found;
}

int FindSpecialPlural(const QString& AWord, QString& AFirst, QString& ASecond) {
    if (!SpecialKeywordList)
        return 0;
    for (const auto& entry : *SpecialKeywordList)
        if (entry->FKeyWord == AWord) {
            AFirst = entry->FSpecial1;
            if (entry->FSpecial2.isEmpty())
                return 1;
            ASecond = entry->FSpecial2;
            return 2;
        }
    return 0;
}

QStringList BuildKeywordVariants(const QStringList& AKeywords) {
    QStringList variants;
    for (const QString& raw : AKeywords) {
        const QString p = raw.trimmed();
        if (p.isEmpty())
            continue;
        variants << p;
        QString first, second;
        if (const int count = FindSpecialPlural(p.toLower(), first, second)) {
            AppendPlurals(variants, first, second, count);
            continue;
        }
        QString d = p;
        if (p.contains(QLatin1Char('-'))) {
            variants << QString(p).replace(QLatin1Char('-'), QLatin1Char(' '));
            d = QString(p).remove(QLatin1Char('-'));
            variants << d;
        } else if (p.contains(QLatin1Char(' '))) {
            variants << QString(p).replace(QLatin1Char(' '), QLatin1Char('-'));
            d = QString(p).remove(QLatin1Char(' '));
            variants << d;
        }
        if (d != p) {
            if (const int count = FindSpecialPlural(d.toLower(), first, second)) {
                AppendPlurals(variants, first, second, count);
                continue;
            }
        }
        const auto endsWith = [&d](const char* AEnd) { return d.endsWith(QLatin1String(AEnd)); };
        if (endsWith("US"))
            variants << d.chopped(2) + QStringLiteral("I");
        else if (endsWith("IS"))
            variants << d.chopped(2) + QStringLiteral("ES");
        else if (endsWith("UM"))
            variants << d.chopped(2) + QStringLiteral("A");
        else if (endsWith("IX"))
            variants << d.chopped(2) + QStringLiteral("ICES");
        else if (endsWith("CH") || endsWith("SH") || endsWith("S") || endsWith("X") || endsWith("O"))
            variants << d + QStringLiteral("ES");
        else if (endsWith("Y") && d.size() >= 2 && !IsVowel(d[d.size() - 2]))
            variants << d.chopped(1) + QStringLiteral("IES");
        else if (endsWith("A"))
            variants << d + QStringLiteral("E");
        if (!endsWith("S"))
            variants << d + QStringLiteral("S");
    }
    return variants;
}

int KeywordRefCount(const QString& AKeyword) {
    if (!KeywordRefList || !Settled(KeywordLoadState))
        return 0;
    if (const auto index = CurrentKeywordIndex())
        return index->RefCount(AKeyword);
    for (const auto& ref : *KeywordRefList)
        if (ref->FUpperKey == AKeyword)
            return ref->FRefCount;
    return 0;
}

namespace {
QStringList CountedPieces(const QString& ARawText) {
    QStringList pieces = ARawText.split(QLatin1Char(','));
    if (!pieces.isEmpty() && pieces.last().isEmpty())
        pieces.removeLast();
    for (QString& piece : pieces)
        piece = piece.toUpper();
    return pieces;
}
} // namespace

QString KeywordCountRow(const QString& ARawText) {
    QString row;
    for (const QString& piece : CountedPieces(ARawText))
        row += QString::number(KeywordRefCount(piece.trimmed())).leftJustified(piece.size() + 1, QLatin1Char(' '));
    return row;
}

int CombinedKeywordCount(const QString& ARawText) {
    QStringList keywords = CountedPieces(ARawText);
    for (QString& keyword : keywords)
        keyword = keyword.trimmed();
    if (!ChapterList || !Settled(TabularLoadState) || !Settled(KeywordLoadState))
        return -1;
    return static_cast<int>(SearchCategories(*ChapterList, TSearchMode::Keywords, keywords, NoFullTextConditions).size());
}

void SplitAtLastComma(const QString& AText, QString& ABefore, QString& APartial) {
    const qsizetype comma = AText.lastIndexOf(QLatin1Char(','));
    ABefore = comma >= 1 ? AText.left(comma) : QString();
    APartial = (comma < 0 ? AText : AText.mid(comma + 1)).trimmed();
}

QString TextAfterChoosing(const QString& AText, const QString& ASuggestion) {
    QString before, partial;
    SplitAtLastComma(AText, before, partial);
    return before.isEmpty() ? ASuggestion + QLatin1Char(',')
                            : before + QLatin1Char(',') + ASuggestion + QLatin1Char(',');
}

bool TKeywordSuggestions::Refresh(const QString& AText, bool AFullText) {
    QString before, partial;
    SplitAtLastComma(AText, before, partial);
    FTmpInputedKWs = SplitKeywords(before.toUpper());
    FTmpInputedKWs.removeAll(QString());
    if (partial == FLastPromptKeyword)
        return false;
    FLastPromptKeyword = partial;
    FGotPromptList.clear();
    FLastPromptPage = 1;
    if (!FLastPromptKeyword.isEmpty())
        Collect(AFullText);
    return true;
}

void TKeywordSuggestions::FilterCodeKeywords() {
    const auto joined = [](const QStringList& AList) {
        QStringList sorted = AList;
        sorted.sort(Qt::CaseInsensitive);
        sorted.removeDuplicates();
        return sorted.join(QLatin1Char(',')).toUpper();
    };
    // Entries kept from an earlier keyword list are gone with it, even when the new list has as
    // many entries or the earlier keywords stay.
    const unsigned generation = CodeKeywordsGeneration();
    const bool listReplaced = generation != FFilteredGeneration;
    if (!FTmpInputedKWs.isEmpty()) {
        if (listReplaced || joined(FTmpInputedKWs) != joined(FInputedKWs)) {
            FInputedKWs = FTmpInputedKWs;
            FFiltedCodeKWs.clear();
            if (const auto index = CurrentKeywordIndex()) {
                for (TCodeKeywords* entry : index->Entries(FInputedKWs))
                    if (MatchKeywords(entry, FInputedKWs))
                        FFiltedCodeKWs << entry;
            } else {
                for (const auto& entry : *CodeKeywordsList)
                    if (MatchKeywords(entry.get(), FInputedKWs))
                        FFiltedCodeKWs << entry.get();
            }
            ++FFilterRuns;
        }
    } else {
        FInputedKWs.clear();
        if (listReplaced || FFiltedCodeKWs.size() != static_cast<qsizetype>(CodeKeywordsList->size())) {
            FFiltedCodeKWs.clear();
            for (const auto& entry : *CodeKeywordsList)
                FFiltedCodeKWs << entry.get();
            ++FFilterRuns;
        }
    }
    FFilteredGeneration = generation;
    FTmpInputedKWs.clear();
}

void TKeywordSuggestions::Collect(bool AFullText) {
    // Sorted without regard to case, the first form met kept.
    std::map<QString, QString> found;
    const int n = static_cast<int>(FLastPromptKeyword.size());
    const auto consider = [&](const QString& AKeyword) {
        if (AKeyword.size() >= n && CompareLeadingLoose(AKeyword, FLastPromptKeyword, n, true) == 0)
            found.emplace(AKeyword.toUpper(), AKeyword);
    };
    const auto index = CurrentKeywordIndex();
    if (AFullText) {
        if (index) {
            FGotPromptList = index->KeywordsBeginning(FLastPromptKeyword, TSuggestionSource::DistinctKeywords);
            return;
        }
        if (KeywordRefList)
            for (const auto& ref : *KeywordRefList)
                consider(ref->FKeyWord);
    } else if (CodeKeywordsList) {
        FilterCodeKeywords();
        // Without earlier keywords every entry is left: the index has their keywords sorted.
        if (index && FInputedKWs.isEmpty()) {
            FGotPromptList = index->KeywordsBeginning(FLastPromptKeyword, TSuggestionSource::EntryKeywords);
            return;
        }
        for (const TCodeKeywords* entry : FFiltedCodeKWs)
            for (const QString& keyword : entry->FKeywords)
                consider(keyword);
    }
    for (const auto& [key, keyword] : found)
        FGotPromptList << keyword;
}

int TKeywordSuggestions::Pages() const {
    return std::max<int>(1, static_cast<int>((FGotPromptList.size() + CellsPerPage - 1) / CellsPerPage));
}

bool TKeywordSuggestions::ShowPage(int APage) {
    if (FGotPromptList.isEmpty())
        return false;
    FLastPromptPage = std::clamp(APage, 1, Pages());
    return true;
}

QStringList TKeywordSuggestions::PageCells() const {
    return FGotPromptList.mid((FLastPromptPage - 1) * CellsPerPage, CellsPerPage);
}

QString TKeywordSuggestions::Caption() const {
    return QStringLiteral("%1/%2  Please use a comma to separate keywords. For example: %3")
        .arg(FLastPromptPage)
        .arg(Pages())
        .arg(KeywordsExample);
}

QString NothingFoundMessage(const QString& ATrimmedText, bool AFullText) {
    QString message = AFullText
                          ? QStringLiteral("No category holds all of \"%1\" in the texts chosen.")
                          : QStringLiteral("No category has all the keywords of \"%1\".");
    message = message.arg(ATrimmedText);
    // "heart failure" is one keyword; the user most likely meant two.
    if (ATrimmedText.contains(QLatin1Char(' ')) && !ATrimmedText.contains(QLatin1Char(',')))
        message += QStringLiteral("\n\nSeparate keywords with commas, for example: %1")
                       .arg(KeywordsExample);
    return message;
}
