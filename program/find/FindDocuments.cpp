#include "FindDocuments.h"

#include "FindText.h"


#include <algorithm>
#include <optional>
#include <variant>

namespace {

// Builds the documents; keeps the code -> document table that the index and table entries
// are resolved through.
class TDocumentCollector {
public:
    explicit TDocumentCollector(std::vector<TFindDocument>& ADocuments) : FDocuments(ADocuments) {}

    void AddTabular(const TChapterList& AChapters, const TShortDescMap* AShort) {
        FShort = AShort;
        for (const auto& chapter : AChapters)
            for (const auto& section : chapter->FSubList)
                for (const auto& category : section->FCodeList)
                    AddCode(*category, *category);
    }

    void AddIndex(const TAlphaLetterList& AIndex) {
        BuildTermTable(AIndex);
        for (const auto& letter : AIndex)
            for (const auto& term : letter->FMainTermList)
                AddIndexTerm(*term, {});
    }

    void AddTable(const TAlphaLetterList& ATable, const QStringList& AColumns) {
        for (const auto& letter : ATable)
            for (const auto& term : letter->FMainTermList)
                AddTableTerm(*term, {}, AColumns);
    }

private:
    std::vector<TFindDocument>& FDocuments;
    const TShortDescMap* FShort = nullptr;
    QHash<QString, std::size_t> FByCode;
    // Main terms of the index being added, by the first word of their title.
    QMultiHash<QString, const TTerm*> FMainTerms;

    void AddText(std::size_t ADocument, const QString& AText, int AWeight,
                 QStringList ANames = {}) {
        if (!AText.trimmed().isEmpty())
            FDocuments[ADocument].Texts.push_back({AText, AWeight, std::move(ANames)});
    }

    // The names of an index path: its titles without modifiers, and their first comma pieces
    // ("Infection, infected, infective" is named "Infection" too).
    static QStringList PathNames(const QStringList& AAbove, const TTerm& ATerm) {
        QStringList levels = AAbove;
        levels << CleanTitle(ATerm.FTitle);
        QStringList firstPieces;
        for (const QString& level : levels)
            firstPieces << level.section(QLatin1Char(','), 0, 0);
        // The term's own modifiers may be part of what it is called: "urinary (tract)".
        QStringList withModifiers = firstPieces;
        withModifiers.back() = ATerm.FTitle.section(QLatin1Char(','), -1);
        return {levels.join(QLatin1Char(' ')), firstPieces.join(QLatin1Char(' ')),
                withModifiers.join(QLatin1Char(' '))};
    }

    std::size_t NewDocument(const QString& ACode, const QString& ADesc, const TCodeInfo& ACategory,
                            const QString& AGroup, bool AReportable) {
        TFindDocument document;
        document.Code = ACode;
        document.Description = ADesc;
        document.CategoryCode = ACategory.FCode;
        document.CategoryTitle = ACategory.FDesc;
        document.GroupKey = AGroup;
        document.Reportable = AReportable;
        FDocuments.push_back(std::move(document));
        const std::size_t index = FDocuments.size() - 1;
        FByCode.insert(ACode, index);
        AddText(index, ADesc, FindWeightDescription, {ADesc});
        if (FShort) {
            if (const std::optional<QString> found = FShort->Find(ACode))
                AddText(index, *found, FindWeightShortDesc);
        }
        return index;
    }

    void AddNotes(std::size_t ADocument, const TCodeInfo& ACode) {
        for (const auto& item : ACode.FItemList) {
            const auto* note = dynamic_cast<const TNoteBase*>(item.get());
            if (!note)
                continue;
            if (dynamic_cast<const TInclusionTerm*>(note) || dynamic_cast<const TIncludes*>(note))
                for (const QString& text : note->FNoteList)
                    AddText(ADocument, text, FindWeightInclusion, {text});
        }
    }


    void AddCode(const TCodeInfo& ACode, const TCodeInfo& ACategory) {
        const bool needsSeventh = ACode.FSubCodeList.empty() && ACode.Get7CharDef();
        const std::size_t self =
            NewDocument(ACode.FCode, ACode.FDesc, ACategory, ACode.FCode, ACode.IsFinalCode());
        AddNotes(self, ACode);
        // The category's title is the context of every code below it ("Other specified ..."
        // says little on its own).
        if (&ACode != &ACategory)
            AddText(self, ACategory.FDesc, FindWeightContext);
        if (needsSeventh) {
            QStringList codes, descriptions;
            ACode.GetAllValideCodes(codes, descriptions);
            // The full description names the leaf already; its notes and context stay with the
            // leaf's document, which is one result with these.
            for (qsizetype i = 0; i < codes.size(); ++i)
                NewDocument(codes[i], descriptions[i], ACategory, ACode.FCode, true);
        }
        for (const auto& sub : ACode.FSubCodeList)
            AddCode(*sub, ACategory);
    }

    // The document of a code as the index writes it (C79.8-, S72.00-, E11.65): the code itself,
    // else the nearest code above it that the tabular list has.
    std::optional<std::size_t> Resolve(QString ACode) const {
        ACode = ACode.trimmed().toUpper();
        while (ACode.endsWith(QLatin1Char('-')) || ACode.endsWith(QLatin1Char('.')))
            ACode.chop(1);
        while (ACode.size() >= 3) {
            const auto found = FByCode.constFind(ACode);
            if (found != FByCode.constEnd())
                return *found;
            ACode.chop(1);
            if (ACode.endsWith(QLatin1Char('.')))
                ACode.chop(1);
        }
        return std::nullopt;
    }

    // The title without its parenthesised modifiers: "Infarct, infarction (of)" is found by
    // "see Infarct, ...".
    static QString CleanTitle(const QString& ATitle) {
        QString title;
        title.reserve(ATitle.size());
        int depth = 0;
        for (const QChar c : ATitle) {
            if (c == QLatin1Char('('))
                ++depth;
            else if (c == QLatin1Char(')') && depth > 0)
                --depth;
            else if (depth == 0)
                title += c;
        }
        return title.simplified();
    }


    // The path of index titles down to a term: the terms above without their non-essential
    // modifiers (those describe the term they stand on, not its sub-terms), the term with them.
    static QString PathText(const QStringList& AAbove, const TTerm& ATerm) {
        return (AAbove + QStringList{ATerm.FTitle.simplified()}).join(QStringLiteral(", "));
    }

    // A path counts less the deeper it goes: a main term or its first sub-term names the
    // condition itself, a term four levels down names one of its many combinations.
    static int PathWeight(int ABase, const TTerm& ATerm) {
        return std::max(1, ABase + 1 - std::min(ATerm.FLevel, 3));
    }

    // The path of an index term goes to the codes it gives (its code and manifestation code)
    // and to those of the terms its "see" and "see also" name.
    void AddIndexTerm(const TTerm& ATerm, QStringList AAbove) {
        const QString path = PathText(AAbove, ATerm);
        const QStringList names = PathNames(AAbove, ATerm);
        if (!ATerm.FCode.isEmpty())
            if (const auto target = Resolve(ATerm.FCode))
                AddText(*target, path, PathWeight(FindWeightIndexPath, ATerm), names);
        if (!ATerm.FManifest.isEmpty())
            if (const auto target = Resolve(ATerm.FManifest))
                AddText(*target, path, FindWeightContext);
        for (const TCompactText* see : {&ATerm.FSee, &ATerm.FSeeAlso}) {
            if (see->isEmpty())
                continue;
            const TTerm* referred = FindReferredTerm(*see);
            if (!referred)
                continue;
            const int weight = PathWeight(see == &ATerm.FSee ? FindWeightSee : FindWeightSeeAlso, ATerm);
            for (const std::size_t target : TargetsOf(*referred))
                AddText(target, path, weight, names);
        }
        AAbove << CleanTitle(ATerm.FTitle);
        for (const auto& sub : ATerm.FSubTermList)
            AddIndexTerm(*sub, AAbove);
    }

    // The words a title is referred to by: folded, without its modifiers and without NEC and
    // NOS, whole ("infarct infarction") and its first comma piece ("infarct").
    struct TTitleWords {
        QStringList Whole;
        QStringList FirstPiece;
    };
    mutable QHash<const TTerm*, TTitleWords> FTitleWords;

    static QStringList ReferenceWords(const QString& AText) {
        QStringList words = FindWords(CleanTitle(AText));
        words.removeIf([](const QString& AWord) {
            return AWord == QLatin1String("nec") || AWord == QLatin1String("nos");
        });
        return words;
    }

    const TTitleWords& TitleWordsOf(const TTerm& ATerm) const {
        auto found = FTitleWords.constFind(&ATerm);
        if (found == FTitleWords.constEnd())
            found = FTitleWords.insert(&ATerm, {ReferenceWords(ATerm.FTitle),
                                                ReferenceWords(ATerm.FTitle.section(QLatin1Char(','), 0, 0))});
        return *found;
    }

    // How many of AWords from AAt a term's title takes: its whole title or its first piece as
    // leading words (the longer), 0 when neither.
    qsizetype TitleTakes(const TTerm& ATerm, const QStringList& AWords, qsizetype AAt) const {
        const TTitleWords& title = TitleWordsOf(ATerm);
        qsizetype best = 0;
        for (const QStringList* candidate : {&title.Whole, &title.FirstPiece})
            if (!candidate->isEmpty() && candidate->size() <= AWords.size() - AAt &&
                AWords.mid(AAt, candidate->size()) == *candidate)
                best = std::max(best, candidate->size());
        return best;
    }

    void BuildTermTable(const TAlphaLetterList& AIndex) {
        FMainTerms.clear();
        for (const auto& letter : AIndex)
            for (const auto& term : letter->FMainTermList) {
                const QStringList words = TitleWordsOf(*term).FirstPiece;
                if (!words.isEmpty())
                    FMainTerms.insert(words.front(), term.get());
            }
    }

    // The term a "see" text names ("Infarct, myocardium", "Otitis media", "Dependence, drug,
    // nicotine"): a main term whose title begins the text's words, then, level by level, the
    // sub-term whose title takes the most of the words that are left. Null when the words do not
    // lead all the way to one term, or when the text only says to look up the condition.
    const TTerm* FindReferredTerm(const QString& ASee) const {
        const QStringList words = ReferenceWords(ASee);
        if (words.isEmpty() || words.front() == QLatin1String("condition") ||
            words.contains(QStringLiteral("specific")) || words.contains(QStringLiteral("site")))
            return nullptr;
        for (const TTerm* main : FMainTerms.values(words.front())) {
            qsizetype at = TitleTakes(*main, words, 0);
            if (at == 0)
                continue;
            const TTerm* term = main;
            while (term && at < words.size()) {
                const TTerm* next = nullptr;
                qsizetype taken = 0;
                for (const auto& sub : term->FSubTermList) {
                    const qsizetype n = TitleTakes(*sub, words, at);
                    if (n > taken) {
                        taken = n;
                        next = sub.get();
                    }
                }
                term = next;
                at += taken;
            }
            if (term)
                return term;
        }
        return nullptr;
    }

    // The codes a referred term stands for: its own, else those of its few sub-terms one level
    // down ("see Bite" names no code and leads to a hundred kinds of bite: none of them is what
    // the reference means, so it gives nothing).
    std::vector<std::size_t> TargetsOf(const TTerm& ATerm) const {
        constexpr std::size_t kMostTargets = 3;
        std::vector<std::size_t> targets;
        if (!ATerm.FCode.isEmpty()) {
            if (const auto target = Resolve(ATerm.FCode))
                targets.push_back(*target);
            return targets;
        }
        for (const auto& sub : ATerm.FSubTermList)
            if (!sub->FCode.isEmpty())
                if (const auto target = Resolve(sub->FCode))
                    targets.push_back(*target);
        if (targets.size() > kMostTargets)
            targets.clear();
        return targets;
    }

    void AddTableTerm(const TTerm& ATerm, QStringList AAbove, const QStringList& AColumns) {
        const QString path = PathText(AAbove, ATerm);
        AAbove << CleanTitle(ATerm.FTitle);
        for (std::size_t column = 0; column < ATerm.FCodesInCell.size(); ++column) {
            const QString& cell = ATerm.FCodesInCell[column];
            if (cell.isEmpty() || cell.startsWith(QLatin1Char('-')))
                continue;
            if (const auto target = Resolve(cell))
                AddText(*target, path + QLatin1Char(' ') + AColumns.value(static_cast<qsizetype>(column)),
                        PathWeight(FindWeightTableCell, ATerm));
        }
        for (const auto& sub : ATerm.FSubTermList)
            AddTableTerm(*sub, AAbove, AColumns);
    }
};

} // namespace

TFindSources GlobalFindSources() {
    TFindSources sources;
    sources.Chapters = ChapterList;
    sources.DiseaseIndex = DiseaseIndexList;
    sources.ExternalIndex = ExternalIndexList;
    sources.DrugTable = DrugTableList;
    sources.NeoplasmTable = NeoplasmTableList;
    sources.ShortDescriptions = ShortDescMap;
    return sources;
}

const QStringList& DrugColumnTexts() {
    static const QStringList columns{
        QStringLiteral("poisoning accidental unintentional"),
        QStringLiteral("poisoning intentional self-harm"),
        QStringLiteral("poisoning assault"),
        QStringLiteral("poisoning undetermined"),
        QStringLiteral("adverse effect"),
        QStringLiteral("underdosing"),
    };
    return columns;
}

const QStringList& NeoplasmColumnTexts() {
    static const QStringList columns{
        QStringLiteral("malignant primary"),   QStringLiteral("malignant secondary"),
        QStringLiteral("carcinoma in situ"),   QStringLiteral("benign"),
        QStringLiteral("uncertain behavior"), QStringLiteral("unspecified behavior"),
    };
    return columns;
}

std::vector<TFindDocument> CollectFindDocuments(const TFindSources& ASources) {
    std::vector<TFindDocument> documents;
    TDocumentCollector collector(documents);
    if (ASources.Chapters)
        collector.AddTabular(*ASources.Chapters, ASources.ShortDescriptions);
    for (const TAlphaLetterList* index : {ASources.DiseaseIndex, ASources.ExternalIndex})
        if (index)
            collector.AddIndex(*index);
    if (ASources.DrugTable)
        collector.AddTable(*ASources.DrugTable, DrugColumnTexts());
    if (ASources.NeoplasmTable)
        collector.AddTable(*ASources.NeoplasmTable, NeoplasmColumnTexts());
    return documents;
}
