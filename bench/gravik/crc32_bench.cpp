// CRC-32 and CRC-16 throughput over buffers of a few sizes.
#include <gravik/checksum.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

std::vector<unsigned char> Buffer(std::size_t n)
{
    std::vector<unsigned char> b(n);
    for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<unsigned char>(i * 131 + 7);
    return b;
}

void BM_Crc32(benchmark::State& state)
{
    const auto data = Buffer(static_cast<std::size_t>(state.range(0)));
    unsigned long crc = 0;
    for (auto _ : state) {
        crc = crc32(crc, data.data(), static_cast<unsigned int>(data.size()));
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_Crc32)->Arg(64)->Arg(16384);

void BM_Crc16(benchmark::State& state)
{
    const auto data = Buffer(16384);
    unsigned short crc = 0;
    for (auto _ : state) {
        crc = crc16(crc, data.data(), static_cast<unsigned short>(data.size()));
        benchmark::DoNotOptimize(crc);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 16384);
}
BENCHMARK(BM_Crc16);

}  // namespace
