#include "DiffCommand.h"

#include "CliSupport.h"
#include "EngineGlobals.h"
#include "OrderFile.h"
#include "TextHelpers.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

const char* const kDiffUsage =
    "  diff [--json] OLD NEW\n"
    "                what changed from the edition OLD to NEW, each an order file\n"
    "                (icd10cm_order_YEAR.txt) or \"embedded\" (this program's edition): the\n"
    "                codes added, deleted and re-described (long description), and those that\n"
    "                became or stopped being reportable, then a summary line. --json prints one\n"
    "                object: old, new, added, deleted [{code, description, reportable}],\n"
    "                redescribed [{code, oldDescription, description}], nowReportable,\n"
    "                noLongerReportable [{code, description}], and the counts in summary\n";

namespace {

const QLatin1String kEmbedded("embedded");

bool ReadOrderEdition(const QString& APath, TEditionCodes& AEdition, QString& AError) {
    QFile file(APath);
    if (!file.open(QIODevice::ReadOnly)) {
        AError = QStringLiteral("cannot read %1: %2").arg(APath, file.errorString());
        return false;
    }
    const QByteArray bytes = file.readAll();
    for (const QByteArray& raw : bytes.split('\n')) {
        TOrderLine line;
        const QByteArray text = raw.endsWith('\r') ? raw.chopped(1) : raw;
        if (!ParseOrderLine(QString::fromLatin1(text), line))
            continue;
        if (!AEdition.Codes.contains(line.Code))
            AEdition.Order << line.Code;
        AEdition.Codes.insert(line.Code, {line.LongDesc, line.Valid});
    }
    if (AEdition.Order.isEmpty()) {
        AError = QStringLiteral("%1 holds no order-file line").arg(APath);
        return false;
    }
    return true;
}

void ReadEmbeddedEdition(TEditionCodes& AEdition) {
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList) {
                QStringList codes, flags, descriptions;
                category->GetAllNodeAndCodes(codes, flags, descriptions);
                for (qsizetype i = 0; i < codes.size(); ++i) {
                    if (!AEdition.Codes.contains(codes[i]))
                        AEdition.Order << codes[i];
                    AEdition.Codes.insert(codes[i], {descriptions[i], flags[i] == QLatin1String("1")});
                }
            }
}

QString EditionName(const QString& AArg) {
    return AArg == kEmbedded ? QStringLiteral("embedded ICD-10-CM %1").arg(DataYear) : AArg;
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
    TEditionCodes editions[2];
    for (int i = 0; i < 2; ++i) {
        if (args[i] == kEmbedded) {
            StartEngineFor({TLoaderJob::Tabular});
            if (!RequireLoaded(TabularLoadState, "tabular list", AErr))
                return ExitNotFound;
            ReadEmbeddedEdition(editions[i]);
            continue;
        }
        QString error;
        if (!ReadOrderEdition(args[i], editions[i], error)) {
            AErr << kCliPrefix << error << '\n';
            return ExitUsage;
        }
    }
    const TEditionCodes& oldEdition = editions[0];
    const TEditionCodes& newEdition = editions[1];
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
        AOut << QJsonDocument(QJsonObject{{QStringLiteral("old"), EditionName(args[0])},
                                          {QStringLiteral("new"), EditionName(args[1])},
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
    AOut << "From " << EditionName(args[0]) << " to " << EditionName(args[1]) << " (\"*\": reportable)\n";
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
