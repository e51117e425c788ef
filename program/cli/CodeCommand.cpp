#include "CodeCommand.h"

#include "CliSupport.h"
#include "CodeLookup.h"
#include "CodeQueries.h"
#include "EngineGlobals.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

#include <algorithm>
#include <vector>

const char* const kCodeUsage =
    "  code [--limit N] [--json] CODE\n"
    "                the code (any case, point optional; a seven-character code is shown as\n"
    "                the code it completes with its full description), whether it is\n"
    "                reportable and its short description, its chain from the chapter down\n"
    "                with every note, seventh characters and tables, and its reportable codes\n"
    "                (--limit: at most N, default 50, 0 for all). --json prints one object:\n"
    "                code, description, reportable, shortDescription (reportable codes),\n"
    "                completes {code, seventh, seventhDescription} (seven-character codes),\n"
    "                chain [{level: chapter|section|code, code, title, number (chapters),\n"
    "                notes [{heading, lines}], seventhCharacters [{character, description,\n"
    "                exceptions [{position, characters}]}]}], reportableCodeCount,\n"
    "                reportableCodes [{code, description}]\n";

namespace {

QString Indent(int ADepth) { return QString(ADepth * 2, QLatin1Char(' ')); }

// The heading this tool prints before a note list; the list's own word, or a name for the two
// kinds that have none in the data.
QString NoteHeading(const TNoteBase& ANote) {
    if (!ANote.FTypeWord.isEmpty())
        return ANote.FTypeWord;
    if (dynamic_cast<const TInclusionTerm*>(&ANote))
        return QStringLiteral("INCLUSION TERMS:");
    return QString(); // seventh-character notes read as plain sentences
}

void PrintNote(QTextStream& AOut, const TNoteBase& ANote, const QString& AIndent) {
    const QString heading = NoteHeading(ANote);
    const QString continuation = heading.isEmpty() ? QString() : QString(heading.size() + 1, QLatin1Char(' '));
    for (qsizetype i = 0; i < ANote.FNoteList.size(); ++i) {
        AOut << AIndent << (i == 0 ? (heading.isEmpty() ? heading : heading + QLatin1Char(' ')) : continuation)
             << ANote.FNoteList[i] << '\n';
    }
}

// "not when code character 6 is 7 or 8": the exception rules of one seventh character.
QString ExceptionText(const TCharDef& ADef) {
    QMap<int, QStringList> byPosition;
    for (const auto& rule : ADef.FDefExceptionList)
        byPosition[rule->FCodePos] << QString(rule->FCodeVal);
    QStringList parts;
    for (auto it = byPosition.cbegin(); it != byPosition.cend(); ++it) {
        QStringList values = it.value();
        const QString last = values.takeLast();
        parts << QStringLiteral("code character %1 is %2")
                     .arg(it.key())
                     .arg(values.isEmpty() ? last : values.join(QStringLiteral(", ")) + QStringLiteral(" or ") + last);
    }
    return parts.isEmpty() ? QString() : QStringLiteral(" (not when ") + parts.join(QStringLiteral(" or ")) + QLatin1Char(')');
}

void PrintSevenCharDef(QTextStream& AOut, const TSevenCharDef& ADef, const QString& AIndent) {
    const QString heading = QStringLiteral("SEVENTH CHARACTERS:");
    for (std::size_t i = 0; i < ADef.FDefList.size(); ++i) {
        const TCharDef& entry = *ADef.FDefList[i];
        AOut << AIndent << (i == 0 ? heading + QLatin1Char(' ') : QString(heading.size() + 1, QLatin1Char(' ')))
             << entry.FChar << "  " << entry.FDesc << ExceptionText(entry) << '\n';
    }
}

void PrintVisualImpairment(QTextStream& AOut, const TVisualImpairment& ATable, const QString& AIndent) {
    AOut << AIndent << "VISUAL IMPAIRMENT:\n";
    AOut << AIndent << QStringLiteral("  %1  %2  %3\n")
                           .arg(QStringLiteral("Category"), -8)
                           .arg(QStringLiteral("Maximum less than"), -17)
                           .arg(QStringLiteral("Minimum equal to or better than"));
    for (const auto& category : ATable.FVisCategoryList) {
        bool first = true;
        for (const auto& range : category->VisRanges) {
            if (!range || (range->FVisMax.isEmpty() && range->FVisMin.isEmpty()))
                continue; // the heading row of the table carries no values
            AOut << AIndent << QStringLiteral("  %1  %2  %3\n")
                                   .arg(first ? QString::number(category->FValue) : QString(), -8)
                                   .arg(range->FVisMax, -17)
                                   .arg(range->FVisMin);
            first = false;
        }
    }
}

void PrintItems(QTextStream& AOut, const TOwningList<TItemBase>& AItems, const QString& AIndent) {
    for (const auto& item : AItems) {
        if (const auto* note = dynamic_cast<const TNoteBase*>(item.get()))
            PrintNote(AOut, *note, AIndent);
        else if (const auto* def = dynamic_cast<const TSevenCharDef*>(item.get()))
            PrintSevenCharDef(AOut, *def, AIndent);
        else if (const auto* table = dynamic_cast<const TVisualImpairment*>(item.get()))
            PrintVisualImpairment(AOut, *table, AIndent);
    }
}

int ChapterNumber(const TChapter* AChapter) {
    for (std::size_t i = 0; i < ChapterList->size(); ++i)
        if ((*ChapterList)[i].get() == AChapter)
            return static_cast<int>(i) + 1;
    return 0;
}

// The chapter, the section and every code from the category down to ANode, each with its notes.
void PrintChain(QTextStream& AOut, const TCodeInfo& ANode) {
    const TSubChapter* section = ANode.FSubChapter;
    const TChapter* chapter = section ? section->FChapter : nullptr;
    if (chapter) {
        AOut << "Chapter " << ChapterNumber(chapter) << "  " << chapter->FInfo.FName << ' ' << chapter->FInfo.FScope << '\n';
        PrintItems(AOut, chapter->FInfo.FItemList, Indent(2));
    }
    if (section) {
        AOut << Indent(1) << "Section " << section->FInfo.FScope << "  " << section->FInfo.FName << '\n';
        PrintItems(AOut, section->FInfo.FItemList, Indent(3));
    }
    std::vector<const TCodeInfo*> chain;
    for (const TCodeInfo* node = &ANode; node; node = node->FParent)
        chain.push_back(node);
    std::reverse(chain.begin(), chain.end());
    for (const TCodeInfo* node : chain) {
        AOut << Indent(2 + node->FLevel) << node->FCode << "  " << node->FDesc << '\n';
        PrintItems(AOut, node->FItemList, Indent(4 + node->FLevel));
    }
}

// The short description of a reportable code; empty (with a warning) when the map is missing.
QString ShortDescription(const QString& ACode, bool& AMapFailed) {
    if (ReadState(ShortDescLoadState) != LoadDone) {
        AMapFailed = true;
        return QString();
    }
    return ShortDescMap->value(ACode);
}

// The exception rules of one seventh character: [{position, characters}], positions ascending.
QJsonArray JsonExceptions(const TCharDef& ADef) {
    QMap<int, QStringList> byPosition;
    for (const auto& rule : ADef.FDefExceptionList)
        byPosition[rule->FCodePos] << QString(rule->FCodeVal);
    QJsonArray rules;
    for (auto it = byPosition.cbegin(); it != byPosition.cend(); ++it)
        rules.append(QJsonObject{{QStringLiteral("position"), it.key()},
                                 {QStringLiteral("characters"), QJsonArray::fromStringList(it.value())}});
    return rules;
}

QJsonArray JsonNotes(const TOwningList<TItemBase>& AItems, QJsonArray& ASevenths) {
    QJsonArray notes;
    for (const auto& item : AItems) {
        if (const auto* note = dynamic_cast<const TNoteBase*>(item.get())) {
            notes.append(QJsonObject{{QStringLiteral("heading"), NoteHeading(*note)},
                                     {QStringLiteral("lines"), QJsonArray::fromStringList(note->FNoteList)}});
        } else if (const auto* def = dynamic_cast<const TSevenCharDef*>(item.get())) {
            for (const auto& entry : def->FDefList)
                ASevenths.append(QJsonObject{{QStringLiteral("character"), entry->FChar},
                                             {QStringLiteral("description"), entry->FDesc},
                                             {QStringLiteral("exceptions"), JsonExceptions(*entry)}});
        }
    }
    return notes;
}

QJsonObject JsonLevel(const char* ALevel, const QString& ACode, const QString& ATitle,
                      const TOwningList<TItemBase>& AItems) {
    QJsonArray sevenths;
    QJsonObject level{{QStringLiteral("level"), QLatin1String(ALevel)},
                      {QStringLiteral("code"), ACode},
                      {QStringLiteral("title"), ATitle},
                      {QStringLiteral("notes"), JsonNotes(AItems, sevenths)}};
    if (!sevenths.isEmpty())
        level.insert(QStringLiteral("seventhCharacters"), sevenths);
    return level;
}

// The chain of PrintChain as JSON: chapter, section, then the codes from the category down.
QJsonArray JsonChain(const TCodeInfo& ANode) {
    QJsonArray chain;
    const TSubChapter* section = ANode.FSubChapter;
    const TChapter* chapter = section ? section->FChapter : nullptr;
    if (chapter) {
        QJsonObject level = JsonLevel("chapter", chapter->FInfo.FScope, chapter->FInfo.FName, chapter->FInfo.FItemList);
        level.insert(QStringLiteral("number"), ChapterNumber(chapter));
        chain.append(level);
    }
    if (section)
        chain.append(JsonLevel("section", section->FInfo.FScope, section->FInfo.FName, section->FInfo.FItemList));
    std::vector<const TCodeInfo*> codes;
    for (const TCodeInfo* node = &ANode; node; node = node->FParent)
        codes.push_back(node);
    std::reverse(codes.begin(), codes.end());
    for (const TCodeInfo* node : codes)
        chain.append(JsonLevel("code", node->FCode, node->FDesc, node->FItemList));
    return chain;
}

} // namespace

int RunCodeCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    QStringList args = AArgs;
    int limit = 50;
    QString error;
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (!TakeCountOption(args, QStringLiteral("limit"), limit, error) || args.size() != 1) {
        AErr << kCliPrefix << (error.isEmpty() ? QStringLiteral("code takes one code") : error) << "\nusage:\n" << kCodeUsage;
        return ExitUsage;
    }
    StartEngineFor({TLoaderJob::Tabular, TLoaderJob::Text});
    if (!RequireLoaded(TabularLoadState, "tabular list", AErr))
        return ExitNotFound;
    const TCodeLookup lookup = LookUpCode(args[0]);
    switch (lookup.Kind) {
    case TCodeLookup::NotACode:
        AErr << kCliPrefix << '"' << args[0].trimmed()
             << "\" is not a code: a code is a category of three letters and digits (A00), or a category, a point and up to four more (S06.0X1A)\n";
        return ExitUsage;
    case TCodeLookup::Unknown:
        AErr << kCliPrefix << "no code " << lookup.Code << " in the tabular list\n";
        return ExitNotFound;
    case TCodeLookup::ForbiddenCompletion:
        AErr << kCliPrefix << lookup.Code << " is not a reportable code: the seventh character "
             << lookup.Seventh->FChar << " (" << lookup.Seventh->FDesc << ") is not allowed for "
             << lookup.Node->FCode << " " << lookup.Node->FDesc << '\n';
        return ExitNotFound;
    default: break;
    }

    const TCodeInfo& node = *lookup.Node;
    bool mapFailed = false;
    const QString shownCode = lookup.Kind == TCodeLookup::Completion ? lookup.Code : node.FCode;
    if (json) {
        QStringList codes, descriptions;
        node.GetAllValideCodes(codes, descriptions);
        const qsizetype shown = limit == 0 ? codes.size() : std::min<qsizetype>(codes.size(), limit);
        QJsonArray reportable;
        for (qsizetype i = 0; i < shown; ++i)
            reportable.append(QJsonObject{{QStringLiteral("code"), codes[i]}, {QStringLiteral("description"), descriptions[i]}});
        QJsonObject object{{QStringLiteral("code"), shownCode},
                           {QStringLiteral("description"), lookup.Description},
                           {QStringLiteral("reportable"), lookup.IsReportable()},
                           {QStringLiteral("chain"), JsonChain(node)},
                           {QStringLiteral("reportableCodeCount"), codes.size()},
                           {QStringLiteral("reportableCodes"), reportable}};
        if (lookup.Kind == TCodeLookup::Completion)
            object.insert(QStringLiteral("completes"),
                          QJsonObject{{QStringLiteral("code"), node.FCode},
                                      {QStringLiteral("seventh"), lookup.Seventh->FChar},
                                      {QStringLiteral("seventhDescription"), lookup.Seventh->FDesc}});
        if (lookup.IsReportable()) {
            const QString shortDesc = ShortDescription(shownCode, mapFailed);
            if (!shortDesc.isEmpty())
                object.insert(QStringLiteral("shortDescription"), shortDesc);
        }
        AOut << QJsonDocument(object).toJson(QJsonDocument::Indented);
        if (mapFailed) {
            AErr << kCliPrefix << "the short descriptions failed to load\n";
            return ExitNotFound;
        }
        return ExitFound;
    }
    AOut << shownCode << "  " << lookup.Description << '\n';
    if (lookup.Kind == TCodeLookup::Completion)
        AOut << "Completes " << node.FCode << " with the seventh character " << lookup.Seventh->FChar
             << " (" << lookup.Seventh->FDesc << ")\n";
    if (lookup.IsReportable()) {
        AOut << "Reportable: yes\n";
        const QString shortDesc = ShortDescription(shownCode, mapFailed);
        if (!shortDesc.isEmpty())
            AOut << "Short description: " << shortDesc << '\n';
    } else {
        AOut << "Reportable: no, "
             << (node.FSubCodeList.empty() ? "it needs a seventh character" : "it has codes below it") << '\n';
    }

    AOut << '\n';
    PrintChain(AOut, node);

    QStringList codes, descriptions;
    node.GetAllValideCodes(codes, descriptions);
    const qsizetype shown = limit == 0 ? codes.size() : std::min<qsizetype>(codes.size(), limit);
    AOut << "\nReportable codes: " << codes.size();
    if (shown < codes.size())
        AOut << ", the first " << shown << " shown (--limit 0 shows all)";
    AOut << '\n';
    for (qsizetype i = 0; i < shown; ++i)
        AOut << "  " << QStringLiteral("%1  ").arg(codes[i], -8) << descriptions[i] << '\n';
    if (mapFailed) {
        AErr << kCliPrefix << "the short descriptions failed to load\n";
        return ExitNotFound;
    }
    return ExitFound;
}
