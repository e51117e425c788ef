// One account login with the program's password limits: through a current Argon2id line, and
// through a line of the previous version (PBKDF2, 120 000 iterations) that the login rewrites;
// and the making of a new account's password line.
#include "AccountNames.h"
#include "Accounts.h"
#include "PasswordHash.h"
#include "TextLines.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

const QString kUser = QStringLiteral("abc");
const QString kPassword = QStringLiteral("secret");
// Written by the previous version for "secret".
const QString kPbkdf2Line = QStringLiteral(
    "$pbkdf2-sha256$120000$cgVC4cj1tvTd3w02VjvcUA==$grS71vJDvAY+lTpZmfYxh5KWsbivoL/5nSp4rqhWfXA=");
const QString kProgramLinePrefix = QStringLiteral("$argon2id$v=19$m=262144,t=3,p=1$");

void BM_LoginCurrentLine(benchmark::State& AState) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    TFavoriteKW(kUser, kPassword, folder).SaveKWs();
    const QString file = folder + AccountFileName(kUser);
    if (!ReadTextLines(file).value_or(QStringList()).value(0).startsWith(kProgramLinePrefix))
        AState.SkipWithError("the program's limits are not the ones this measure names");
    for (auto _ : AState) {
        TFavoriteKW account(kUser, file);
        if (!account.LoadKWs(kPassword))
            AState.SkipWithError("login refused");
    }
}
BENCHMARK(BM_LoginCurrentLine)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_LoginRewritesPbkdf2Line(benchmark::State& AState) {
    QTemporaryDir dir;
    const QString file = dir.path() + QLatin1Char('/') + AccountFileName(kUser);
    for (auto _ : AState) {
        AState.PauseTiming();
        WriteTextLines(file, {kPbkdf2Line, QStringLiteral("A01.1")});
        TFavoriteKW account(kUser, file);
        AState.ResumeTiming();
        if (!account.LoadKWs(kPassword))
            AState.SkipWithError("login refused");
    }
    if (!ReadTextLines(file).value_or(QStringList()).value(0).startsWith(kProgramLinePrefix))
        AState.SkipWithError("the line was not rewritten with the program's limits");
}
BENCHMARK(BM_LoginRewritesPbkdf2Line)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_NewAccountLine(benchmark::State& AState) {
    for (auto _ : AState)
        benchmark::DoNotOptimize(HashPassword(kPassword));
}
BENCHMARK(BM_NewAccountLine)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

BENCHMARK_MAIN();
