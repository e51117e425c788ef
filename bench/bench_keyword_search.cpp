// The keyword search on the official tabular list the build embeds: a keyword-mode search, a
// full-text search in the descriptions and in all seven kinds of text, and what one key release
// in the keyword box costs (the suggestion refresh, the count row and the combined count).
//
// The reference, measured in the same run, is `grep -c -i -w` over the very document the program
// searches: the embedded Tabular data set, inflated into a temporary file (the published XML
// with the seventh-character exception attributes the build adds). grep scans every byte once
// for the same words, case-blind and as whole words, which is the least any full-text search of
// that document has to do; its time includes starting the process. Every benchmark carries the
// typed text in its name, and the run ends with one table: each figure, its time, grep's time for
// the same words, their ratio and the ratio the figure is held to. The searches go through the
// word indexes (built by the first search, and measured on their own as well).
#include "Compression.h"
#include "EmbeddedResources.h"
#include "EngineGlobals.h"
#include "FullTextIndex.h"
#include "KeywordIndex.h"
#include "KeywordSearchEngine.h"
#include "LoaderMessages.h"
#include "OfficialEngine.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace {

// The texts typed into the keyword box; each names its benchmarks and its grep reference.
const char* const kPain = "pain";
const char* const kGasAbdomen = "gas, abdomen";
// Two words that no single code carries: every descendant of every category is searched.
const char* const kPainXyzzy = "pain, xyzzy";

// The embedded Tabular data set, inflated into a file for grep; empty when it cannot be made.
const QString& InflatedTabularFile() {
    static const QString path = []() -> QString {
        const TEmbeddedResource* resource = FindEmbeddedResource(QStringLiteral("Tabular"));
        if (!resource || !Scratch().isValid())
            return {};
        const std::string document = InflateZlib(resource->Bytes());
        QFile file(Scratch().filePath(QStringLiteral("tabular.xml")));
        if (!file.open(QIODevice::WriteOnly) ||
            file.write(document.data(), static_cast<qint64>(document.size())) != static_cast<qint64>(document.size()))
            return {};
        return file.fileName();
    }();
    return path;
}

// grep -c -i -w with every keyword of AText as a pattern, over the inflated tabular list.
void BM_Grep(benchmark::State& AState, const char* AText) {
    if (!OfficialEngineReady(AState))
        return;
    if (InflatedTabularFile().isEmpty())
        return AState.SkipWithError("the tabular list could not be inflated into a file");
    std::string command = "LC_ALL=C.UTF-8 grep -c -i -w";
    for (const QString& keyword : SplitKeywords(QString::fromLatin1(AText)))
        command += " -e '" + keyword.toStdString() + "'";
    command += " '" + InflatedTabularFile().toStdString() + "' > /dev/null";
    for (auto _ : AState)
        if (std::system(command.c_str()) != 0)
            return AState.SkipWithError("grep failed or found nothing");
}
BENCHMARK_CAPTURE(BM_Grep, pain, kPain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Grep, gas_abdomen, kGasAbdomen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_Grep, pain_xyzzy, kPainXyzzy)->Unit(benchmark::kMillisecond)->UseRealTime();

// The search of "  Search": the categories the mode accepts for the typed text.
void Search(benchmark::State& AState, TSearchMode AMode, const char* AText, int AConditions) {
    if (!OfficialEngineReady(AState))
        return;
    const QStringList keywords = SearchKeywordsOf(QString::fromLatin1(AText));
    // The first search builds the index it reads; BM_Build* measure that on its own.
    qsizetype found = SearchCategories(*ChapterList, AMode, keywords, AConditions).size();
    for (auto _ : AState) {
        found = SearchCategories(*ChapterList, AMode, keywords, AConditions).size();
        benchmark::DoNotOptimize(found);
    }
    AState.counters["categories"] = static_cast<double>(found);
}

void BM_KeywordSearch(benchmark::State& AState, const char* AText) {
    Search(AState, TSearchMode::Keywords, AText, 0);
}
BENCHMARK_CAPTURE(BM_KeywordSearch, pain, kPain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_KeywordSearch, gas_abdomen, kGasAbdomen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FullTextDescription(benchmark::State& AState, const char* AText) {
    Search(AState, TSearchMode::FullText, AText, SearchDescription);
}
BENCHMARK_CAPTURE(BM_FullTextDescription, pain, kPain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_FullTextDescription, gas_abdomen, kGasAbdomen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FullTextAllConditions(benchmark::State& AState, const char* AText) {
    Search(AState, TSearchMode::FullText, AText, AllFullTextConditions);
}
BENCHMARK_CAPTURE(BM_FullTextAllConditions, pain, kPain)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_FullTextAllConditions, gas_abdomen, kGasAbdomen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_FullTextAllConditions, pain_xyzzy, kPainXyzzy)->Unit(benchmark::kMillisecond)->UseRealTime();

// One key release in the keyword box while AText is typed character by character: the count row
// and, in keyword mode, the combined count follow every change of the text; the suggestions are
// collected again whenever the partial keyword changed (not after a comma, which hides them).
// Each iteration is one key release; the typing starts over after the last character, so every
// release changes the partial keyword as it does while typing.
void KeyRelease(benchmark::State& AState, const char* AText, bool AFullText) {
    if (!OfficialEngineReady(AState))
        return;
    const QString text = QString::fromLatin1(AText);
    std::vector<QString> typed;
    for (qsizetype n = 1; n <= text.size(); ++n)
        typed.push_back(text.left(n));
    TKeywordSuggestions suggestions;
    benchmark::DoNotOptimize(CombinedKeywordCount(text)); // builds the keyword index
    std::size_t next = 0;
    qsizetype offered = 0;
    for (auto _ : AState) {
        const QString& box = typed[next];
        next = (next + 1) % typed.size();
        benchmark::DoNotOptimize(KeywordCountRow(box));
        if (!AFullText)
            benchmark::DoNotOptimize(CombinedKeywordCount(box));
        if (!box.endsWith(QLatin1Char(',')) && suggestions.Refresh(box, AFullText) && suggestions.ShowPage(1))
            offered += suggestions.PageCells().size();
    }
    AState.counters["cells per release"] =
        benchmark::Counter(static_cast<double>(offered), benchmark::Counter::kAvgIterations);
}

void BM_KeyRelease(benchmark::State& AState, const char* AText) { KeyRelease(AState, AText, false); }
BENCHMARK_CAPTURE(BM_KeyRelease, gas_abdomen, kGasAbdomen)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_KeyReleaseFullText(benchmark::State& AState, const char* AText) { KeyRelease(AState, AText, true); }
BENCHMARK_CAPTURE(BM_KeyReleaseFullText, gas_abdomen, kGasAbdomen)->Unit(benchmark::kMillisecond)->UseRealTime();

// The suggestion refresh alone, for a first keyword and for one after a keyword (from the
// categories that carry it). Two partial keywords alternate so that every iteration collects.
void Suggest(benchmark::State& AState, const char* AFirst, const char* ASecond) {
    if (!OfficialEngineReady(AState))
        return;
    TKeywordSuggestions suggestions;
    bool second = false;
    for (auto _ : AState) {
        suggestions.Refresh(QString::fromLatin1(second ? ASecond : AFirst), false);
        benchmark::DoNotOptimize(suggestions.Found().size());
        second = !second;
    }
    AState.counters["suggestions"] = static_cast<double>(suggestions.Found().size());
}

void BM_SuggestionRefresh(benchmark::State& AState, const char* AFirst, const char* ASecond) {
    Suggest(AState, AFirst, ASecond);
}
BENCHMARK_CAPTURE(BM_SuggestionRefresh, gas_abdomen_first_keyword, "ab", "abd")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(BM_SuggestionRefresh, gas_abdomen_after_gas, "gas, ab", "gas, abd")->Unit(benchmark::kMillisecond)->UseRealTime();

// Building the word indexes, which the first search after a load pays for once.
void BM_BuildFullTextIndex(benchmark::State& AState) {
    if (!OfficialEngineReady(AState))
        return;
    for (auto _ : AState) {
        const TFullTextIndex index(*ChapterList);
        benchmark::DoNotOptimize(index.WordCount());
    }
}
BENCHMARK(BM_BuildFullTextIndex)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_BuildKeywordIndex(benchmark::State& AState) {
    if (!OfficialEngineReady(AState))
        return;
    for (auto _ : AState) {
        const TKeywordIndex index(*ChapterList, *CodeKeywordsList, *KeywordRefList);
        benchmark::DoNotOptimize(index.RefCount(QStringLiteral("PAIN")));
    }
}
BENCHMARK(BM_BuildKeywordIndex)->Unit(benchmark::kMillisecond)->UseRealTime();

// The count row and the combined count alone.
void BM_Counts(benchmark::State& AState, const char* AText) {
    if (!OfficialEngineReady(AState))
        return;
    const QString text = QString::fromLatin1(AText);
    for (auto _ : AState) {
        benchmark::DoNotOptimize(KeywordCountRow(text));
        benchmark::DoNotOptimize(CombinedKeywordCount(text));
    }
}
BENCHMARK_CAPTURE(BM_Counts, gas_abdomen, kGasAbdomen)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the console output and notes each benchmark's wall time per iteration for the table.
class TRatioReporter : public benchmark::ConsoleReporter {
public:
    // With --benchmark_repetitions the median of the repetitions counts; they come after the
    // single runs.
    void ReportRuns(const std::vector<Run>& ARuns) override {
        ConsoleReporter::ReportRuns(ARuns);
        for (const Run& run : ARuns) {
            const bool counts = run.run_type == Run::RT_Iteration || run.aggregate_name == "median";
            if (!run.error_occurred && counts && run.iterations > 0)
                FSeconds[run.run_name.function_name] = run.real_accumulated_time / static_cast<double>(run.iterations);
        }
    }

    // Each benchmark next to grep over the same document for the same words, with the ratio it
    // is held to.
    void PrintRatios() const {
        std::printf("\n%-48s %10s %10s %8s %8s %5s\n", "figure", "ms", "grep ms", "ratio", "target", "met");
        for (const auto& [name, seconds] : FSeconds) {
            if (name.rfind("BM_Grep/", 0) == 0)
                continue;
            const double* reference = GrepOf(name);
            const double target = TargetOf(name);
            std::string ratio = "-", goal = "-", met = "-";
            if (reference) {
                ratio = Format("%.3f", seconds / *reference);
                if (target > 0) {
                    goal = Format("%.2f", target);
                    met = seconds / *reference <= target ? "yes" : "NO";
                }
            }
            std::printf("%-48s %10.3f %10s %8s %8s %5s\n", name.c_str(), seconds * 1e3,
                        reference ? Format("%.3f", *reference * 1e3).c_str() : "-", ratio.c_str(), goal.c_str(),
                        met.c_str());
        }
    }

private:
    static std::string Format(const char* AFormat, double AValue) {
        char text[32];
        std::snprintf(text, sizeof text, AFormat, AValue);
        return text;
    }

    // The grep of the same typed text: the longest grep label that begins this one
    // ("gas_abdomen" for "gas_abdomen_after_gas", "pain_xyzzy" rather than "pain"). The index
    // builds, which serve every text, stand next to the grep of the first text.
    const double* GrepOf(const std::string& AName) const {
        const std::size_t slash = AName.find('/');
        const std::string label = slash == std::string::npos ? std::string("pain") : AName.substr(slash + 1);
        const double* reference = nullptr;
        std::size_t referenceLength = 0;
        for (const auto& [grepName, grepSeconds] : FSeconds) {
            if (grepName.rfind("BM_Grep/", 0) != 0)
                continue;
            const std::string grepLabel = grepName.substr(8);
            const bool begins = label.rfind(grepLabel, 0) == 0 &&
                                (label.size() == grepLabel.size() || label[grepLabel.size()] == '_');
            if (begins && grepLabel.size() > referenceLength) {
                reference = &grepSeconds;
                referenceLength = grepLabel.size();
            }
        }
        return reference;
    }

    // The most each figure may take as a share of grep's time: a keyword search a tenth, a
    // full-text search (any conditions) as much as grep, a key release in the keyword box and
    // each of its parts a twentieth. The index builds have none: they happen once per load.
    static double TargetOf(const std::string& AName) {
        const auto starts = [&AName](const char* APrefix) { return AName.rfind(APrefix, 0) == 0; };
        if (starts("BM_KeywordSearch/"))
            return 0.1;
        if (starts("BM_FullText"))
            return 1.0;
        if (starts("BM_KeyRelease") || starts("BM_SuggestionRefresh/") || starts("BM_Counts/"))
            return 0.05;
        return 0;
    }

private:
    std::map<std::string, double> FSeconds;
};

} // namespace

int main(int argc, char** argv) {
    // The engine's folders go to a scratch directory, not into the user's own.
    qputenv("ProgramData", Scratch().path().toUtf8());
    qputenv("AppData", Scratch().path().toUtf8());
    SetLoaderMessageSink([](const QString&) {});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    TRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
