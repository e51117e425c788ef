#include "SearchCommand.h"

#include "CliSupport.h"
#include "EngineGlobals.h"
#include "KeywordSearchEngine.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

const char* const kSearchUsage =
    "  search [--full-text] [--in LIST] [--json] TEXT\n"
    "                the categories whose keywords include every comma-separated keyword of\n"
    "                TEXT, in tabular order, after the keyword file's count of each keyword;\n"
    "                --full-text: the categories whose texts (or one of whose codes' texts)\n"
    "                hold every keyword as a whole word, searched in the descriptions unless\n"
    "                --in names the texts: a comma-separated LIST of description, inclusion,\n"
    "                includes, codefirst, codealso, exclude1, exclude2 (--in implies\n"
    "                --full-text). --json prints one object: mode (keywords or fullText),\n"
    "                searchedIn [names] (full text), keywords [{keyword, count}],\n"
    "                categories [{code, description}]\n"
    "  suggest [--full-text] [--json] TEXT\n"
    "                the suggestions for the keyword being typed after TEXT's last comma, 40 a\n"
    "                page: keywords that begin with it from the categories that carry every\n"
    "                earlier keyword (--full-text: from the whole keyword file). --json prints\n"
    "                one object: partial, earlierKeywords [...], fullText, pageSize,\n"
    "                suggestions [...] (all pages in order)\n";

namespace {

struct TConditionName {
    const char* Name;
    int Bit;
};

const TConditionName kConditions[] = {
    {"description", SearchDescription}, {"inclusion", SearchInclusion}, {"includes", SearchIncludes},
    {"codefirst", SearchCodeFirst},     {"codealso", SearchCodeAlso},   {"exclude1", SearchExcludes1},
    {"exclude2", SearchExcludes2},
};

// Takes "--NAME" out of AArgs; whether it was there.
bool TakeFlag(QStringList& AArgs, const QString& AName) {
    return AArgs.removeAll(QStringLiteral("--") + AName) > 0;
}

// Takes "--in LIST" (or "--in=LIST") out of AArgs. AConditions stays 0 when absent; false, with
// the reason in AError, for a missing, empty or unknown name.
bool TakeConditions(QStringList& AArgs, int& AConditions, QString& AError) {
    QString list;
    bool present = false;
    for (qsizetype i = 0; i < AArgs.size(); ++i) {
        if (AArgs[i] == QLatin1String("--in")) {
            if (i + 1 >= AArgs.size()) {
                AError = QStringLiteral("--in needs a list of texts to search");
                return false;
            }
            list = AArgs[i + 1];
            AArgs.remove(i, 2);
            present = true;
            break;
        }
        if (AArgs[i].startsWith(QLatin1String("--in="))) {
            list = AArgs[i].mid(5);
            AArgs.remove(i);
            present = true;
            break;
        }
    }
    if (!present)
        return true;
    for (const QString& raw : list.split(QLatin1Char(','))) {
        const QString name = raw.trimmed().toLower();
        if (name.isEmpty())
            continue;
        const auto* found = std::find_if(std::begin(kConditions), std::end(kConditions),
                                         [&name](const TConditionName& AEntry) { return name == QLatin1String(AEntry.Name); });
        if (found == std::end(kConditions)) {
            AError = QStringLiteral("unknown text \"%1\" for --in").arg(raw.trimmed());
            return false;
        }
        AConditions |= found->Bit;
    }
    if (AConditions == NoFullTextConditions) {
        AError = QStringLiteral("--in needs at least one text to search");
        return false;
    }
    return true;
}

QString ConditionNames(int AConditions) {
    QStringList names;
    for (const TConditionName& entry : kConditions)
        if (AConditions & entry.Bit)
            names << QLatin1String(entry.Name);
    return names.join(QStringLiteral(", "));
}

bool UnknownOption(const QStringList& AArgs, QString& AError) {
    for (const QString& arg : AArgs)
        if (arg.startsWith(QLatin1String("--"))) {
            AError = QStringLiteral("unknown option %1").arg(arg);
            return true;
        }
    return false;
}

} // namespace

int RunSearchCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    QStringList args = AArgs;
    QString error;
    int conditions = NoFullTextConditions;
    bool fullText = TakeFlag(args, QStringLiteral("full-text"));
    const bool json = TakeFlag(args, QStringLiteral("json"));
    if (!TakeConditions(args, conditions, error) || UnknownOption(args, error)) {
        AErr << kCliPrefix << error << "\nusage:\n" << kSearchUsage;
        return ExitUsage;
    }
    fullText = fullText || conditions != NoFullTextConditions;
    if (fullText && conditions == NoFullTextConditions)
        conditions = SearchDescription;
    const QString text = args.join(QLatin1Char(' ')).trimmed();
    const QStringList keywords = SearchKeywordsOf(text);
    if (std::all_of(keywords.begin(), keywords.end(), [](const QString& AKeyword) { return AKeyword.isEmpty(); })) {
        AErr << kCliPrefix << "search needs keywords\nusage:\n" << kSearchUsage;
        return ExitUsage;
    }
    StartEngineFor({TLoaderJob::Tabular, TLoaderJob::Text});
    if (!RequireLoaded(TabularLoadState, "tabular list", AErr) ||
        !RequireLoaded(KeywordLoadState, "keyword file", AErr))
        return ExitNotFound;
    const QList<TCodeInfo*> found =
        SearchCategories(*ChapterList, SearchModeFor(fullText, keywords), keywords, conditions);
    QStringList counts;
    QJsonArray keywordCounts;
    for (const QString& keyword : keywords)
        if (!keyword.isEmpty()) {
            const int count = KeywordRefCount(keyword);
            counts << QStringLiteral("%1 %2").arg(keyword).arg(count);
            keywordCounts.append(QJsonObject{{QStringLiteral("keyword"), keyword}, {QStringLiteral("count"), count}});
        }
    const QString where = fullText ? QStringLiteral("in ") + ConditionNames(conditions) : QStringLiteral("by keywords");
    if (json) {
        QJsonArray categories;
        for (const TCodeInfo* category : found)
            categories.append(QJsonObject{{QStringLiteral("code"), category->FCode},
                                          {QStringLiteral("description"), category->FDesc}});
        QJsonObject object{{QStringLiteral("mode"), fullText ? QStringLiteral("fullText") : QStringLiteral("keywords")},
                           {QStringLiteral("keywords"), keywordCounts},
                           {QStringLiteral("categories"), categories}};
        if (fullText)
            object.insert(QStringLiteral("searchedIn"),
                          QJsonArray::fromStringList(ConditionNames(conditions).split(QStringLiteral(", "))));
        AOut << QJsonDocument(object).toJson(QJsonDocument::Indented);
        if (found.isEmpty())
            AErr << kCliPrefix << "no category found " << where << " for \"" << text << "\"\n";
        return found.isEmpty() ? ExitNotFound : ExitFound;
    }
    // The counts come first, also when nothing is found: they tell which keyword is rare.
    AOut << "Keyword counts: " << counts.join(QStringLiteral(", ")) << '\n';
    if (found.isEmpty()) {
        AErr << kCliPrefix << "no category found " << where << " for \"" << text << "\"\n";
        return ExitNotFound;
    }
    AOut << found.size() << (found.size() == 1 ? " category" : " categories") << " found " << where << '\n';
    for (const TCodeInfo* category : found)
        AOut << "  " << category->FCode << "  " << category->FDesc << '\n';
    return ExitFound;
}

int RunSuggestCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    QStringList args = AArgs;
    QString error;
    const bool fullText = TakeFlag(args, QStringLiteral("full-text"));
    const bool json = TakeFlag(args, QStringLiteral("json"));
    if (UnknownOption(args, error)) {
        AErr << kCliPrefix << error << "\nusage:\n" << kSearchUsage;
        return ExitUsage;
    }
    const QString text = args.join(QLatin1Char(' '));
    QString before, partial;
    SplitAtLastComma(text, before, partial);
    if (partial.isEmpty()) {
        AErr << kCliPrefix << "suggest needs the beginning of a keyword after the last comma\nusage:\n"
             << kSearchUsage;
        return ExitUsage;
    }
    StartEngineFor({TLoaderJob::Text});
    if (!RequireLoaded(KeywordLoadState, "keyword file", AErr))
        return ExitNotFound;
    TKeywordSuggestions suggestions;
    suggestions.Refresh(text, fullText);
    QStringList earlier = SearchKeywordsOf(before.trimmed());
    earlier.removeAll(QString());
    const QString among = fullText || earlier.isEmpty()
                              ? QString()
                              : QStringLiteral(" among the categories with ") + earlier.join(QStringLiteral(", "));
    if (json) {
        AOut << QJsonDocument(QJsonObject{{QStringLiteral("partial"), partial},
                                          {QStringLiteral("earlierKeywords"), QJsonArray::fromStringList(earlier)},
                                          {QStringLiteral("fullText"), fullText},
                                          {QStringLiteral("pageSize"), TKeywordSuggestions::CellsPerPage},
                                          {QStringLiteral("suggestions"), QJsonArray::fromStringList(suggestions.Found())}})
                    .toJson(QJsonDocument::Indented);
    }
    if (suggestions.Found().isEmpty()) {
        AErr << kCliPrefix << "no suggestion for \"" << partial << '"' << among << '\n';
        return ExitNotFound;
    }
    if (json)
        return ExitFound;
    const qsizetype count = suggestions.Found().size();
    AOut << count << (count == 1 ? " suggestion" : " suggestions") << " for \"" << partial << '"' << among << '\n';
    int width = 0;
    for (const QString& suggestion : suggestions.Found())
        width = std::max(width, static_cast<int>(suggestion.size()));
    for (int page = 1; page <= suggestions.Pages(); ++page) {
        suggestions.ShowPage(page);
        AOut << "Page " << page << '/' << suggestions.Pages() << '\n';
        const QStringList cells = suggestions.PageCells();
        for (qsizetype i = 0; i < cells.size(); i += TKeywordSuggestions::Columns) {
            QString row;
            for (qsizetype j = i; j < std::min(i + TKeywordSuggestions::Columns, cells.size()); ++j)
                row += QStringLiteral("  ") + cells[j].leftJustified(width);
            AOut << row.trimmed().prepend(QStringLiteral("  ")) << '\n';
        }
    }
    return ExitFound;
}
