// Loading the tabular list: inflate + parse + build of the object tree, its parts alone, and
// `xmllint --noout` on the same document as a reference measured in the same run.
#include "Compression.h"
#include "DataSets.h"
#include "EngineGlobals.h"
#include "LoaderMessages.h"
#include "TabularLoader.h"

#include <QFile>

#include <benchmark/benchmark.h>
#include <pugixml.hpp>

#include <cstdlib>

namespace {

const QString kSource = QStringLiteral(TABULON_BENCH_DATA_DIR "/icd10cm_tabular_" TABULON_BENCH_DATA_YEAR ".xml");

const std::string& Document() {
    static const std::string text = [] {
        QFile file(kSource);
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string();
    }();
    return text;
}

const std::vector<std::uint8_t>& Packed() {
    static const std::vector<std::uint8_t> packed = DeflateZlib(
        std::span(reinterpret_cast<const std::uint8_t*>(Document().data()), Document().size()));
    return packed;
}

void BM_InflateParseBuildTabular(benchmark::State& AState) {
    if (Document().empty())
        return AState.SkipWithError("tabular list not found");
    for (auto _ : AState) {
        PutResourceStream(TDataSet::Tabular, std::make_unique<TResourceStream>(std::span(Packed())));
        LoadTabular();
        if (ReadState(TabularLoadState) != LoadDone)
            return AState.SkipWithError("load failed");
        benchmark::DoNotOptimize(ChapterList->size());
    }
    AState.SetBytesProcessed(static_cast<int64_t>(AState.iterations() * Document().size()));
}
BENCHMARK(BM_InflateParseBuildTabular)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_InflateTabular(benchmark::State& AState) {
    if (Document().empty())
        return AState.SkipWithError("tabular list not found");
    for (auto _ : AState)
        benchmark::DoNotOptimize(InflateZlib(Packed()).size());
    AState.SetBytesProcessed(static_cast<int64_t>(AState.iterations() * Document().size()));
}
BENCHMARK(BM_InflateTabular)->Unit(benchmark::kMillisecond);

void BM_ParseTabularDom(benchmark::State& AState) {
    if (Document().empty())
        return AState.SkipWithError("tabular list not found");
    for (auto _ : AState) {
        pugi::xml_document document;
        benchmark::DoNotOptimize(document.load_buffer(Document().data(), Document().size()));
    }
    AState.SetBytesProcessed(static_cast<int64_t>(AState.iterations() * Document().size()));
}
BENCHMARK(BM_ParseTabularDom)->Unit(benchmark::kMillisecond);

// The reference: libxml2's command-line parser on the same file, process start included.
void BM_XmllintNoout(benchmark::State& AState) {
    if (Document().empty())
        return AState.SkipWithError("tabular list not found");
    if (std::system("command -v xmllint >/dev/null 2>&1") != 0)
        return AState.SkipWithError("xmllint not installed");
    const std::string command = "xmllint --noout '" + kSource.toStdString() + "'";
    for (auto _ : AState)
        if (std::system(command.c_str()) != 0)
            return AState.SkipWithError("xmllint failed");
    AState.SetBytesProcessed(static_cast<int64_t>(AState.iterations() * Document().size()));
}
BENCHMARK(BM_XmllintNoout)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    SetLoaderMessageSink([](const QString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
