#include "IndexCommand.h"

#include "CliSupport.h"
#include "EngineGlobals.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <vector>

const char* const kIndexUsage =
    "  index [--limit N] [--depth N] [--json] disease|external|drug|neoplasm PREFIX\n"
    "                main terms whose title begins with PREFIX (case ignored; the words of\n"
    "                PREFIX may be given as separate arguments) with their codes, or for the\n"
    "                tables their six cells, and their see / see also references. The neoplasm\n"
    "                table is one main term, so its rows (the terms below it) are searched.\n"
    "                --limit: at most N terms (default 50, 0 for all); --depth: also N levels\n"
    "                of sub-terms (default 0). --json prints one object: index, title,\n"
    "                prefix, total, terms [{title, code, see, seeAlso, manifestation,\n"
    "                seeCategory, seeSubcategory, cells [{column, code}] (tables),\n"
    "                subTermCount, subTerms [...] (with --depth)}]; empty texts are left out\n";

namespace {

struct TIndexKind {
    const char* Name;
    const char* Title;
    TAlphaLetterList* const* List;
    const TLoadState* State;
    TLoaderJob Job;
    bool IsTable;
};

const TIndexKind kKinds[] = {
    {"disease", "Index to diseases and injuries", &DiseaseIndexList, &DiseaseIndexLoadState,
     TLoaderJob::DiseaseIndex, false},
    {"external", "Index of external causes of injury", &ExternalIndexList, &ExternalIndexLoadState,
     TLoaderJob::ExternalIndex, false},
    {"drug", "Table of drugs and chemicals", &DrugTableList, &DrugTableLoadState, TLoaderJob::Drugs, true},
    {"neoplasm", "Table of neoplasms", &NeoplasmTableList, &NeoplasmTableLoadState, TLoaderJob::Neoplasms,
     true},
};

const char* const kDrugColumns[6] = {"Poisoning Accidental (unintentional)", "Poisoning Intentional self-harm",
                                     "Poisoning Assault", "Poisoning Undetermined", "Adverse effect",
                                     "Underdosing"};
const char* const kNeoplasmColumns[6] = {"Malignant Primary", "Malignant Secondary", "Ca in situ",
                                         "Benign", "Uncertain Behavior", "Unspecified Behavior"};

// The title cut to the prefix's length equals the prefix, letters a-z compared as capitals.
bool TitleStartsWith(const TTerm& ATerm, const QString& AUpperPrefix) {
    return ATerm.FTitle.size() >= AUpperPrefix.size() &&
           AsciiUpper(ATerm.FTitle.left(AUpperPrefix.size())) == AUpperPrefix;
}

void Collect(const TOwningList<TTerm>& ATerms, const QString& APrefix, std::vector<const TTerm*>& AOut) {
    for (const auto& term : ATerms)
        if (APrefix.isEmpty() || TitleStartsWith(*term, APrefix))
            AOut.push_back(term.get());
}

// The letter rule: only the letter named by the prefix's first character holds candidates
// ("#" for drug names that begin with a digit 1-9).
std::vector<const TTerm*> FindMainTerms(const TAlphaLetterList& ALetters, const QString& APrefix,
                                        bool ADigitsUnderHash) {
    std::vector<const TTerm*> found;
    for (const auto& letter : ALetters) {
        if (APrefix.isEmpty()) {
            Collect(letter->FMainTermList, APrefix, found);
            continue;
        }
        const QChar first = APrefix[0];
        const bool digit = first.unicode() >= u'1' && first.unicode() <= u'9';
        if (letter->FLetter == QString(first) || (ADigitsUnderHash && digit && letter->FLetter == QLatin1String("#"))) {
            Collect(letter->FMainTermList, APrefix, found);
            break;
        }
    }
    return found;
}

std::vector<const TTerm*> FindTableRows(const TAlphaLetterList& ALetters, const QString& APrefix) {
    std::vector<const TTerm*> found;
    for (const auto& letter : ALetters)
        for (const auto& term : letter->FMainTermList)
            Collect(term->FSubTermList, APrefix, found);
    return found;
}

QString Indent(int ADepth) { return QString(ADepth * 2, QLatin1Char(' ')); }

void PrintTerm(QTextStream& AOut, const TTerm& ATerm, const TIndexKind& AKind, int ADepth, int AMaxDepth) {
    const QString indent = Indent(ADepth);
    AOut << indent << ATerm.GetFullTitle(true);
    if (!ATerm.FCode.isEmpty())
        AOut << "  " << ATerm.FCode;
    if (!ATerm.FSubTermList.empty() && ADepth >= AMaxDepth)
        AOut << "  (+" << ATerm.FSubTermList.size() << (ATerm.FSubTermList.size() == 1 ? " sub-term)" : " sub-terms)");
    AOut << '\n';
    if (AKind.IsTable) {
        const char* const* columns = AKind.List == &DrugTableList ? kDrugColumns : kNeoplasmColumns;
        bool anyCell = false;
        for (const QString& cell : ATerm.FCodesInCell)
            anyCell = anyCell || !cell.isEmpty();
        if (anyCell)
            for (std::size_t i = 0; i < 6; ++i)
                AOut << indent << "    " << QStringLiteral("%1  ").arg(QLatin1String(columns[i]), -36)
                     << ATerm.FCodesInCell[i] << '\n';
    }
    if (ADepth < AMaxDepth)
        for (const auto& sub : ATerm.FSubTermList)
            PrintTerm(AOut, *sub, AKind, ADepth + 1, AMaxDepth);
}

QJsonObject JsonTerm(const TTerm& ATerm, const TIndexKind& AKind, int ADepth, int AMaxDepth) {
    QJsonObject object{{QStringLiteral("title"), ATerm.FTitle.ToString()},
                       {QStringLiteral("subTermCount"), static_cast<qint64>(ATerm.FSubTermList.size())}};
    const std::pair<const char*, const TCompactText*> texts[] = {
        {"code", &ATerm.FCode},         {"see", &ATerm.FSee},          {"seeAlso", &ATerm.FSeeAlso},
        {"manifestation", &ATerm.FManifest}, {"seeCategory", &ATerm.FSeeCat}, {"seeSubcategory", &ATerm.FSubCat}};
    for (const auto& [name, text] : texts)
        if (!text->isEmpty())
            object.insert(QLatin1String(name), text->ToString());
    if (AKind.IsTable) {
        const char* const* columns = AKind.List == &DrugTableList ? kDrugColumns : kNeoplasmColumns;
        QJsonArray cells;
        for (std::size_t i = 0; i < 6; ++i)
            cells.append(QJsonObject{{QStringLiteral("column"), QLatin1String(columns[i])},
                                     {QStringLiteral("code"), ATerm.FCodesInCell[i]}});
        object.insert(QStringLiteral("cells"), cells);
    }
    if (ADepth < AMaxDepth) {
        QJsonArray subTerms;
        for (const auto& sub : ATerm.FSubTermList)
            subTerms.append(JsonTerm(*sub, AKind, ADepth + 1, AMaxDepth));
        object.insert(QStringLiteral("subTerms"), subTerms);
    }
    return object;
}

} // namespace

int RunIndexCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    QStringList args = AArgs;
    int limit = 50, depth = 0;
    QString error;
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (!TakeCountOption(args, QStringLiteral("limit"), limit, error) ||
        !TakeCountOption(args, QStringLiteral("depth"), depth, error)) {
        AErr << kCliPrefix << error << "\nusage:\n" << kIndexUsage;
        return ExitUsage;
    }
    const TIndexKind* kind = nullptr;
    for (const TIndexKind& candidate : kKinds)
        if (args.value(0) == QLatin1String(candidate.Name))
            kind = &candidate;
    if (!kind || args.size() < 2) {
        AErr << kCliPrefix
             << (kind || args.isEmpty() ? QStringLiteral("index needs an index name and a prefix")
                                        : QStringLiteral("no index named \"%1\"").arg(args[0]))
             << "\nusage:\n" << kIndexUsage;
        return ExitUsage;
    }
    const QString prefix = AsciiUpper(args.mid(1).join(QLatin1Char(' ')).trimmed());
    StartEngineFor({kind->Job});
    if (!RequireLoaded(*kind->State, kind->Title, AErr))
        return ExitNotFound;
    const TAlphaLetterList& letters = **kind->List;
    const std::vector<const TTerm*> found = kind->List == &NeoplasmTableList
                                                ? FindTableRows(letters, prefix)
                                                : FindMainTerms(letters, prefix, kind->List == &DrugTableList);
    const std::size_t shown = limit == 0 ? found.size() : std::min<std::size_t>(found.size(), static_cast<std::size_t>(limit));
    if (json) {
        QJsonArray terms;
        for (std::size_t i = 0; i < shown; ++i)
            terms.append(JsonTerm(*found[i], *kind, 0, depth));
        AOut << QJsonDocument(QJsonObject{{QStringLiteral("index"), QLatin1String(kind->Name)},
                                          {QStringLiteral("title"), QLatin1String(kind->Title)},
                                          {QStringLiteral("prefix"), prefix},
                                          {QStringLiteral("total"), static_cast<qint64>(found.size())},
                                          {QStringLiteral("terms"), terms}})
                    .toJson(QJsonDocument::Indented);
    }
    if (found.empty()) {
        AErr << kCliPrefix << "no term of the " << QString::fromLatin1(kind->Title).toLower() << " begins with \""
             << args.mid(1).join(QLatin1Char(' ')).trimmed() << "\"\n";
        return ExitNotFound;
    }
    if (json)
        return ExitFound;
    AOut << kind->Title << ": " << found.size() << (found.size() == 1 ? " term" : " terms");
    if (!prefix.isEmpty())
        AOut << (found.size() == 1 ? " begins" : " begin") << " with \"" << prefix << '"';
    if (shown < found.size())
        AOut << ", the first " << shown << " shown (--limit 0 shows all)";
    AOut << '\n';
    for (std::size_t i = 0; i < shown; ++i)
        PrintTerm(AOut, *found[i], *kind, 0, depth);
    return ExitFound;
}
