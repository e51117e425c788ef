#include "KeywordsCommand.h"

#include "CliSupport.h"
#include "CodeQueries.h"
#include "EngineGlobals.h"

#include <algorithm>
#include <vector>

const char* const kKeywordsUsage =
    "  keywords [--limit N] PREFIX\n"
    "                the keywords that begin with PREFIX (case ignored, a blank and a hyphen\n"
    "                count as the same) with how often the keyword file lists each, in\n"
    "                alphabetical order; --limit: at most N (default 50, 0 for all)\n";

int RunKeywordsCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    QStringList args = AArgs;
    int limit = 50;
    QString error;
    if (!TakeCountOption(args, QStringLiteral("limit"), limit, error)) {
        AErr << kCliPrefix << error << "\nusage:\n" << kKeywordsUsage;
        return ExitUsage;
    }
    const QString prefix = args.join(QLatin1Char(' ')).trimmed();
    if (prefix.isEmpty()) {
        AErr << kCliPrefix << "keywords needs a prefix\nusage:\n" << kKeywordsUsage;
        return ExitUsage;
    }
    StartEngineFor({TLoaderJob::Text});
    if (!RequireLoaded(KeywordLoadState, "keyword file", AErr))
        return ExitNotFound;
    const int length = static_cast<int>(prefix.size());
    std::vector<const TKeywordsRef*> found;
    for (const auto& entry : *KeywordRefList)
        // A keyword shorter than the prefix cannot begin with it (and must not be read past its end).
        if (entry->FKeyWord.size() >= prefix.size() &&
            CompareLeadingLoose(entry->FKeyWord, prefix, length, true) == 0)
            found.push_back(entry.get());
    if (found.empty()) {
        AErr << kCliPrefix << "no keyword begins with \"" << prefix << "\"\n";
        return ExitNotFound;
    }
    // The list is kept in descending order; suggestions read better ascending.
    std::reverse(found.begin(), found.end());
    const std::size_t shown = limit == 0 ? found.size() : std::min<std::size_t>(found.size(), static_cast<std::size_t>(limit));
    AOut << found.size() << (found.size() == 1 ? " keyword begins" : " keywords begin") << " with \"" << prefix << '"';
    if (shown < found.size())
        AOut << ", the first " << shown << " shown (--limit 0 shows all)";
    AOut << '\n';
    int width = 0;
    for (std::size_t i = 0; i < shown; ++i)
        width = std::max(width, static_cast<int>(found[i]->FKeyWord.size()));
    for (std::size_t i = 0; i < shown; ++i)
        AOut << QStringLiteral("  %1  %2\n").arg(found[i]->FKeyWord, -width).arg(found[i]->FRefCount, 6);
    return ExitFound;
}
