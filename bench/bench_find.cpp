// The find index on the official data the build embeds: collecting the documents, building the
// index, opening a valid cache, and query latency over the public relevance queries and while a
// query is typed letter by letter. In the same run, for reference, the keyword search window's
// keyword search and full-text search (all seven kinds of text) for the same words.
//
// The query benchmarks report the median and the 99th percentile of the single-query latencies
// as counters (ms); the run ends with a summary table.
#include "EngineGlobals.h"
#include "FindCache.h"
#include "FindIndex.h"
#include "FindRelevanceQueries.h"
#include "KeywordSearchEngine.h"
#include "OfficialEngine.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

const std::vector<TFindDocument>& Documents() {
    static const std::vector<TFindDocument> documents = CollectFindDocuments(GlobalFindSources());
    return documents;
}

// An index written once into the scratch folder, as the cache holds it.
const QString& CachedIndexFolder() {
    static const QString folder = [] {
        const QString path = Scratch().filePath(QStringLiteral("cached-index"));
        QString error;
        if (!TFindIndex::WriteFolder(Documents(), path, QStringLiteral("bench"), error))
            std::fprintf(stderr, "cannot write the index: %s\n", qPrintable(error));
        return path;
    }();
    return folder;
}

TFindIndex& Index() {
    static std::unique_ptr<TFindIndex> index = [] {
        QString error;
        return TFindIndex::OpenFolder(CachedIndexFolder(), QStringLiteral("bench"), error);
    }();
    return *index;
}

std::map<std::string, std::pair<double, double>>& Latencies() {
    static std::map<std::string, std::pair<double, double>> latencies;
    return latencies;
}

double Percentile(std::vector<double> AValues, double AFraction) {
    std::sort(AValues.begin(), AValues.end());
    const auto at = static_cast<std::size_t>(AFraction * static_cast<double>(AValues.size() - 1) + 0.5);
    return AValues[std::min(at, AValues.size() - 1)];
}

// Runs every query of AQueries once per iteration, timing each; reports median and p99.
template <class TRun>
void TimeQueries(benchmark::State& AState, const char* AName, const std::vector<QString>& AQueries, TRun ARun) {
    std::vector<double> ms;
    for (auto _ : AState)
        for (const QString& query : AQueries) {
            const auto start = std::chrono::steady_clock::now();
            ARun(query);
            ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        }
    if (ms.empty())
        return;
    const double median = Percentile(ms, 0.5), p99 = Percentile(ms, 0.99);
    AState.counters["median_ms"] = median;
    AState.counters["p99_ms"] = p99;
    Latencies()[AName] = {median, p99};
}

std::vector<QString> PublicQueries() {
    std::vector<QString> queries;
    for (const TRelevanceQuery& query : kRelevanceQueries)
        queries.push_back(QString::fromUtf8(query.Query));
    return queries;
}

// Every prefix of a few queries, as the Find window searches while they are typed.
std::vector<QString> TypedPrefixes() {
    std::vector<QString> prefixes;
    for (const char* text : {"type 2 diabetes with hyperglycemia", "heart attack", "pnuemonia",
                             "fracture of distal radius", "acetaminophen poisoning"}) {
        const QString query = QString::fromUtf8(text);
        for (qsizetype n = 1; n <= query.size(); ++n)
            prefixes.push_back(query.left(n));
    }
    return prefixes;
}

void BM_FindCollectDocuments(benchmark::State& AState) {
    if (!OfficialEngineReady(AState))
        return;
    std::size_t count = 0;
    for (auto _ : AState)
        count = CollectFindDocuments(GlobalFindSources()).size();
    AState.counters["documents"] = static_cast<double>(count);
}
BENCHMARK(BM_FindCollectDocuments)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// Building the index as the first start does: collecting the documents and writing the index.
void BM_FindIndexBuild(benchmark::State& AState) {
    if (!OfficialEngineReady(AState))
        return;
    static int round = 0; // every build writes a folder of its own, across repetitions too
    for (auto _ : AState) {
        const QString folder = Scratch().filePath(QStringLiteral("build-%1").arg(round++));
        QString error;
        if (!TFindIndex::WriteFolder(CollectFindDocuments(GlobalFindSources()), folder, QStringLiteral("b"), error))
            return AState.SkipWithError(qPrintable(error));
    }
}
BENCHMARK(BM_FindIndexBuild)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

// A start with a valid cache: the key of the embedded data, opening the index with its checks,
// and the first query.
void BM_FindStartWithValidCache(benchmark::State& AState) {
    if (!OfficialEngineReady(AState))
        return;
    const QString cache = Scratch().filePath(QStringLiteral("cache"));
    const TFindDocumentSource source = [] { return std::optional(Documents()); };
    OpenOrBuildFindIndex(cache, FindIndexKey(), source, [](const QString&) {});
    for (auto _ : AState) {
        TFindIndexOutcome outcome = OpenOrBuildFindIndex(cache, FindIndexKey(), source, [](const QString&) {});
        if (outcome.Origin != TFindIndexOrigin::Reused)
            return AState.SkipWithError("the cache was not reused");
        benchmark::DoNotOptimize(outcome.Index->Find(QStringLiteral("heart attack"), 20).Hits.size());
    }
}
BENCHMARK(BM_FindStartWithValidCache)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_FindPublicQueries(benchmark::State& AState) {
    if (!OfficialEngineReady(AState))
        return;
    TimeQueries(AState, "find, public queries", PublicQueries(), [](const QString& AQuery) {
        benchmark::DoNotOptimize(Index().Find(AQuery, 20).Hits.size());
    });
}
BENCHMARK(BM_FindPublicQueries)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_FindWhileTyping(benchmark::State& AState) {
    if (!OfficialEngineReady(AState))
        return;
    TimeQueries(AState, "find, every prefix while typing", TypedPrefixes(), [](const QString& AQuery) {
        benchmark::DoNotOptimize(Index().Find(AQuery, 100).Hits.size());
    });
}
BENCHMARK(BM_FindWhileTyping)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// The keyword search window on the same queries, each word a keyword.
void KeywordWindowSearch(benchmark::State& AState, const char* AName, TSearchMode AMode, int AConditions) {
    if (!OfficialEngineReady(AState))
        return;
    std::vector<QStringList> keywords;
    std::vector<QString> queries = PublicQueries();
    for (const QString& query : queries)
        keywords.push_back(SearchKeywordsOf(QString(query).replace(QLatin1Char(' '), QLatin1Char(','))));
    std::size_t next = 0;
    TimeQueries(AState, AName, queries, [&](const QString&) {
        benchmark::DoNotOptimize(SearchCategories(*ChapterList, AMode, keywords[next], AConditions).size());
        next = (next + 1) % keywords.size();
    });
}

void BM_KeywordSearchPublicQueries(benchmark::State& AState) {
    KeywordWindowSearch(AState, "keyword search, public queries", TSearchMode::Keywords, 0);
}
BENCHMARK(BM_KeywordSearchPublicQueries)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_FullTextPublicQueries(benchmark::State& AState) {
    KeywordWindowSearch(AState, "full text (all seven texts), public queries", TSearchMode::FullText, AllFullTextConditions);
}
BENCHMARK(BM_FullTextPublicQueries)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    // The engine's folders go to a scratch directory, not into the user's own.
    qputenv("ProgramData", Scratch().path().toUtf8());
    qputenv("AppData", Scratch().path().toUtf8());
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (!Latencies().empty()) {
        std::printf("\n%-44s %12s %12s\n", "single-query latency", "median ms", "p99 ms");
        for (const auto& [name, figures] : Latencies())
            std::printf("%-44s %12.3f %12.3f\n", name.c_str(), figures.first, figures.second);
    }
    return 0;
}
