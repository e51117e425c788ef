// Start-up of the whole engine on the embedded data sets: wall time from InitDataEngine until
// all six loader jobs have ended, against `xmllint --noout` of the five XML source files measured
// in the same run.
#include "BuildConfig.h"
#include "DataEngine.h"
#include "DataSets.h"
#include "EngineGlobals.h"
#include "LoaderMessages.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_AllLoadersUntilFinal(benchmark::State& AState) {
    for (auto _ : AState) {
        InitDataEngine();
        WaitForLoaders();
        if (ReadState(TabularLoadState) != LoadDone || ReadState(KeywordLoadState) != LoadDone)
            return AState.SkipWithError("a loader failed");
    }
    AState.counters["chapters"] = static_cast<double>(ChapterList->size());
}
BENCHMARK(BM_AllLoadersUntilFinal)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

void BM_XmllintFiveXmlFiles(benchmark::State& AState) {
    if (!TABULON_EMBEDS_OFFICIAL_DATA)
        return AState.SkipWithError("the build embeds the sample data set");
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
        return AState.SkipWithError("xmllint not installed");
    std::string command = "xmllint --noout";
    for (TDataSet id : {TDataSet::Tabular, TDataSet::DIndex, TDataSet::EIndex, TDataSet::TableOfDrugs,
                        TDataSet::TableOfNeoplasms})
        command += " '" TABULON_DATA_SOURCE "/" + DataSetSourceName(id, DataYear).toStdString() + "'";
    for (auto _ : AState)
        if (std::system(command.c_str()) != 0)
            return AState.SkipWithError("xmllint failed");
}
BENCHMARK(BM_XmllintFiveXmlFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir folders;
    qputenv("ProgramData", folders.path().toUtf8());
    qputenv("AppData", folders.path().toUtf8());
    SetLoaderMessageSink([](const QString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
