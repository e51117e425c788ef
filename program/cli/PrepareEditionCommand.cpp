#include "PrepareEditionCommand.h"

#include "BuildConfig.h"
#include "CliSupport.h"
#include "EmbeddedResources.h"
#include "PrepareEdition.h"

#include <QDate>

const char* const kPrepareEditionUsage =
    "  admin prepare-edition SOURCES... -o FILE [--effective-date YYYY-MM-DD]\n"
    "                writes the edition file FILE for --edition from the release files as\n"
    "                published: the zip archives of the tabular list, index and tables and of\n"
    "                the order file, or folders of their contents. Runs the build's derivations\n"
    "                and checks (exception rules against the order file, keywords, short\n"
    "                descriptions); the effective date defaults to 1 October of the year before\n";

namespace {

int Usage(const QString& AWhy, QTextStream& AErr) {
    AErr << kCliPrefix << "admin prepare-edition: " << AWhy << "\nusage:\n" << kPrepareEditionUsage;
    return ExitUsage;
}

// The program's own irregular-plural list, as every edition carries it.
std::vector<std::uint8_t> EmbeddedPlurals() {
    for (const TEmbeddedResource& resource : EmbeddedResources())
        if (QLatin1String(resource.Name) == QLatin1String("SpecialKWs"))
            return {resource.Begin, resource.End};
    return {};
}

} // namespace

int RunPrepareEditionCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    QStringList sources;
    QString output;
    TPrepareEditionOptions options;
    for (qsizetype i = 0; i < AArgs.size(); ++i) {
        const QString& arg = AArgs[i];
        const bool takesValue = arg == QLatin1String("-o") || arg == QLatin1String("--effective-date");
        if (takesValue && i + 1 >= AArgs.size())
            return Usage(QStringLiteral("%1 needs a value").arg(arg), AErr);
        if (arg == QLatin1String("-o")) {
            output = AArgs[++i];
        } else if (arg == QLatin1String("--effective-date")) {
            options.EffectiveDate = QDate::fromString(AArgs[++i], Qt::ISODate);
            if (!options.EffectiveDate.isValid())
                return Usage(QStringLiteral("\"%1\" is no date of the form YYYY-MM-DD").arg(AArgs[i]), AErr);
        } else if (arg.startsWith(QLatin1Char('-'))) {
            return Usage(QStringLiteral("unknown option %1").arg(arg), AErr);
        } else {
            sources << arg;
        }
    }
    if (sources.isEmpty() || output.isEmpty())
        return Usage(QStringLiteral("needs the release files and -o FILE"), AErr);
    options.PluralsStream = EmbeddedPlurals();
    options.PreparedBy = QStringLiteral("tabulon-cli " TABULON_VERSION);

    TPrepareEditionReport report;
    const bool written = PrepareEdition(sources, output, options, report);
    if (!report.Year.isEmpty()) {
        AOut << "Edition: ICD-10-CM " << report.Year << ", effective "
             << report.EffectiveDate.toString(Qt::ISODate) << '\n';
        for (const QString& source : report.Sources)
            AOut << "Source: " << source << '\n';
    }
    if (!written) {
        for (const QString& problem : report.Problems)
            AErr << kCliPrefix << problem << '\n';
        // Sources that are not there or cannot be read are the caller's input, as for every
        // command; a release that fails its checks is a finding.
        return report.Year.isEmpty() ? ExitUsage : ExitNotFound;
    }
    AOut << "Seventh-character entries with rules: " << report.Rules.Entries
         << ", rules: " << report.Rules.Rules << ", reportable codes: " << report.Rules.Reportable << '\n'
         << OrderFileSummary(report.OrderCounts) << '\n'
         << "Categories: " << report.Keywords.Categories << ", keywords: " << report.Keywords.Keywords
         << ", index main terms used: " << report.Keywords.IndexTerms << '\n'
         << "Written: " << output << " (" << report.FileSize << " bytes)\n";
    return ExitFound;
}
