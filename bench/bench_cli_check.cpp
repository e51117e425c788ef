// tabulon-cli check on every valid code of the order file: the look-up alone, the whole line loop
// (first column, look-up, result line) on the loaded engine, and the program run end to end
// (start-up and loading of the embedded data sets included). Items are codes: the figures read
// as codes per second.
#include "BuildConfig.h"
#include "CheckCommand.h"
#include "CliSupport.h"
#include "CodeLookup.h"
#include "DataEngine.h"
#include "EngineGlobals.h"
#include "LoaderMessages.h"
#include "OrderFile.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

namespace {

const QString kOrderFile =
    QStringLiteral(TABULON_BENCH_DATA_DIR "/icd10cm_order_" TABULON_BENCH_DATA_YEAR ".txt");

const QStringList& ValidCodes() {
    static const QStringList codes = [] {
        QHash<QString, QString> valid;
        if (!ReadOrderFileCodes(kOrderFile, true, valid))
            return QStringList();
        QStringList list = valid.keys();
        std::sort(list.begin(), list.end());
        return list;
    }();
    return codes;
}

// Why the benchmarks cannot run, or empty when they can.
const char* Unavailable() {
    if (!TABULON_EMBEDS_OFFICIAL_DATA)
        return "this build embeds the sample data set";
    if (ValidCodes().isEmpty())
        return "order file not found";
    return nullptr;
}

void LoadEngineOnce() {
    static const bool loaded = [] {
        StartEngineFor({TLoaderJob::Tabular});
        WaitForLoaders(); // the other loaders must not compete with the measurement
        return ReadState(TabularLoadState) == LoadDone;
    }();
    (void)loaded;
}

void BM_CheckLookUp(benchmark::State& AState) {
    if (const char* reason = Unavailable())
        return AState.SkipWithError(reason);
    LoadEngineOnce();
    const QStringList& codes = ValidCodes();
    for (auto _ : AState) {
        qsizetype reportable = 0;
        for (const QString& code : codes)
            reportable += LookUpCode(code).IsReportable();
        if (reportable != codes.size())
            return AState.SkipWithError("a valid code was not reportable");
    }
    AState.SetItemsProcessed(AState.iterations() * codes.size());
}
BENCHMARK(BM_CheckLookUp)->Unit(benchmark::kMillisecond);

void BM_CheckLines(benchmark::State& AState) {
    if (const char* reason = Unavailable())
        return AState.SkipWithError(reason);
    LoadEngineOnce();
    const QString input = ValidCodes().join(QLatin1Char('\n'));
    for (auto _ : AState) {
        QString source = input, output;
        QTextStream in(&source, QIODevice::ReadOnly), out(&output);
        const TCheckTally tally = CheckCodeLines(in, false, out);
        out.flush();
        if (tally.Reportable != ValidCodes().size())
            return AState.SkipWithError("a valid code was not reportable");
        benchmark::DoNotOptimize(output.size());
    }
    AState.SetItemsProcessed(AState.iterations() * ValidCodes().size());
}
BENCHMARK(BM_CheckLines)->Unit(benchmark::kMillisecond);

// The program as a script runs it: process start, loading of the tabular list, the check.
void BM_CheckProgram(benchmark::State& AState) {
    if (const char* reason = Unavailable())
        return AState.SkipWithError(reason);
    QTemporaryDir dir;
    const QString list = dir.filePath(QStringLiteral("valid.txt"));
    QFile file(list);
    if (!file.open(QIODevice::WriteOnly))
        return AState.SkipWithError("cannot write the code list");
    file.write((ValidCodes().join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
    file.close();
    const std::string command =
        "'" TABULON_CLI_PATH "' check '" + list.toStdString() + "' > /dev/null";
    for (auto _ : AState)
        if (std::system(command.c_str()) != 0)
            return AState.SkipWithError("tabulon-cli check failed");
    AState.SetItemsProcessed(AState.iterations() * ValidCodes().size());
}
BENCHMARK(BM_CheckProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    // The engine creates its user folders at start-up; keep them out of the home folder.
    QTemporaryDir home;
    qputenv("ProgramData", home.path().toUtf8());
    qputenv("AppData", home.path().toUtf8());
    SetLoaderMessageSink([](const QString&) {});
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
