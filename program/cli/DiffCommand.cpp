#include "DiffCommand.h"

#include "CliSupport.h"
#include "DiffSource.h"
#include "TextHelpers.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

const char* const kDiffUsage =
    "  diff [--json] OLD NEW\n"
    "                what changed from the edition OLD to NEW, each an edition file (made\n"
    "                by admin prepare-edition), an order file (icd10cm_order_YEAR.txt) or\n"
    "                \"embedded\": the edition this program carries, also under --edition\n"
    "                (to compare with the edition file in use, name that file). A damaged\n"
    "                edition file is refused (status 2). Lists the codes added, deleted and\n"
    "                re-described (long description), and those that became or stopped being\n"
    "                reportable, then a summary line. --json prints one object: old, new\n"
    "                (what each side is, as the text names it), oldSource, newSource ({kind:\n"
    "                editionFile, embedded or orderFile, file, year; null where unknown}),\n"
    "                added, deleted [{code, description, reportable}], redescribed [{code,\n"
    "                oldDescription, description}], nowReportable, noLongerReportable [{code,\n"
    "                description}], and the counts in summary\n";

namespace {

QJsonObject SourceObject(const TDiffSource& ASource) {
    static const char* const kinds[] = {"editionFile", "embedded", "orderFile"};
    const auto orNull = [](const QString& AText) { return AText.isEmpty() ? QJsonValue() : QJsonValue(AText); };
    return {{QStringLiteral("kind"), QLatin1String(kinds[static_cast<int>(ASource.Kind)])},
            {QStringLiteral("file"), orNull(ASource.File)},
            {QStringLiteral("year"), orNull(ASource.Year)}};
}

void PrintList(QTextStream& AOut, const char* ATitle, const QStringList& ACodes, const TEditionCodes& AEdition) {
    AOut << ATitle << " (" << ACodes.size() << "):\n";
    for (const QString& code : ACodes) {
        const TEditionCodes::TEntry& entry = AEdition.Codes[code];
        AOut << QStringLiteral("  %1 %2 ").arg(code, -8).arg(QLatin1Char(entry.Reportable ? '*' : ' '))
             << entry.Description << '\n';
    }
}

QJsonArray JsonList(const QStringList& ACodes, const TEditionCodes& AEdition, bool AWithFlag) {
    QJsonArray list;
    for (const QString& code : ACodes) {
        const TEditionCodes::TEntry& entry = AEdition.Codes[code];
        QJsonObject object{{QStringLiteral("code"), code}, {QStringLiteral("description"), entry.Description}};
        if (AWithFlag)
            object.insert(QStringLiteral("reportable"), entry.Reportable);
        list.append(object);
    }
    return list;
}

} // namespace

TEditionDiff DiffEditions(const TEditionCodes& AOld, const TEditionCodes& ANew) {
    TEditionDiff diff;
    for (const QString& code : AOld.Order)
        if (!ANew.Codes.contains(code))
            diff.Deleted << code;
    for (const QString& code : ANew.Order) {
        const auto old = AOld.Codes.constFind(code);
        if (old == AOld.Codes.cend()) {
            diff.Added << code;
            continue;
        }
        const TEditionCodes::TEntry& now = ANew.Codes[code];
        if (old->Description != now.Description &&
            // The order file writes Sezary where the tabular list writes Sézary: no new wording.
            WithoutAccents(old->Description) != WithoutAccents(now.Description))
            diff.Redescribed << code;
        if (!old->Reportable && now.Reportable)
            diff.NowReportable << code;
        if (old->Reportable && !now.Reportable)
            diff.NoLongerReportable << code;
    }
    return diff;
}

int RunDiffCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    QStringList args = AArgs;
    const bool json = args.removeAll(QStringLiteral("--json")) > 0;
    if (args.size() != 2) {
        AErr << kCliPrefix << "diff takes two editions\nusage:\n" << kDiffUsage;
        return ExitUsage;
    }
    TDiffSource sources[2];
    for (int i = 0; i < 2; ++i) {
        QString error;
        const int status = ReadDiffSource(args[i], sources[i], error);
        if (status != ExitFound) {
            AErr << kCliPrefix << error << '\n';
            return status;
        }
    }
    const TEditionCodes& oldEdition = sources[0].Codes;
    const TEditionCodes& newEdition = sources[1].Codes;
    const TEditionDiff diff = DiffEditions(oldEdition, newEdition);

    if (json) {
        QJsonArray redescribed;
        for (const QString& code : diff.Redescribed)
            redescribed.append(QJsonObject{{QStringLiteral("code"), code},
                                           {QStringLiteral("oldDescription"), oldEdition.Codes[code].Description},
                                           {QStringLiteral("description"), newEdition.Codes[code].Description}});
        const QJsonObject summary{{QStringLiteral("added"), diff.Added.size()},
                                  {QStringLiteral("deleted"), diff.Deleted.size()},
                                  {QStringLiteral("redescribed"), diff.Redescribed.size()},
                                  {QStringLiteral("nowReportable"), diff.NowReportable.size()},
                                  {QStringLiteral("noLongerReportable"), diff.NoLongerReportable.size()}};
        AOut << QJsonDocument(QJsonObject{{QStringLiteral("old"), sources[0].Label},
                                          {QStringLiteral("new"), sources[1].Label},
                                          {QStringLiteral("oldSource"), SourceObject(sources[0])},
                                          {QStringLiteral("newSource"), SourceObject(sources[1])},
                                          {QStringLiteral("added"), JsonList(diff.Added, newEdition, true)},
                                          {QStringLiteral("deleted"), JsonList(diff.Deleted, oldEdition, true)},
                                          {QStringLiteral("redescribed"), redescribed},
                                          {QStringLiteral("nowReportable"), JsonList(diff.NowReportable, newEdition, false)},
                                          {QStringLiteral("noLongerReportable"),
                                           JsonList(diff.NoLongerReportable, newEdition, false)},
                                          {QStringLiteral("summary"), summary}})
                    .toJson(QJsonDocument::Indented);
        return ExitFound;
    }
    AOut << "From " << sources[0].Label << " to " << sources[1].Label << " (\"*\": reportable)\n";
    PrintList(AOut, "Added", diff.Added, newEdition);
    PrintList(AOut, "Deleted", diff.Deleted, oldEdition);
    AOut << "Re-described (" << diff.Redescribed.size() << "):\n";
    for (const QString& code : diff.Redescribed)
        AOut << QStringLiteral("  %1 ").arg(code, -8) << oldEdition.Codes[code].Description << "\n  "
             << QString(8, QLatin1Char(' ')) << " -> " << newEdition.Codes[code].Description << '\n';
    PrintList(AOut, "Now reportable", diff.NowReportable, newEdition);
    PrintList(AOut, "No longer reportable", diff.NoLongerReportable, newEdition);
    AOut << "Summary: " << diff.Added.size() << " added, " << diff.Deleted.size() << " deleted, "
         << diff.Redescribed.size() << " re-described, " << diff.NowReportable.size() << " now reportable, "
         << diff.NoLongerReportable.size() << " no longer reportable\n";
    return ExitFound;
}
