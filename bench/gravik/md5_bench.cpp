// MD5 throughput: one digest per 16 KiB buffer, as `openssl speed md5 -bytes 16384` measures.
#include <gravik/md5.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void BM_Md5(benchmark::State& state)
{
    const std::size_t n = static_cast<std::size_t>(state.range(0));
    std::vector<unsigned char> data(n, 0x5A);
    for (auto _ : state) {
        MD5 md5;
        md5.update(data.data(), static_cast<unsigned int>(n));
        md5.finalize();
        unsigned char* raw = md5.raw_digest();
        benchmark::DoNotOptimize(raw);
        delete[] raw;
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Md5)->Arg(64)->Arg(16384);

}  // namespace
