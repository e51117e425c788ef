// AES throughput in ECB fashion (one call per 16-byte block) over 16 KiB,
// comparable with `openssl speed -evp aes-<bits>-ecb -bytes 16384`.
#include <gravik/aes.h>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

template <bool Encrypt>
void BM_Aes(benchmark::State& state)
{
    const int bits = static_cast<int>(state.range(0));
    unsigned char key[32];
    for (int i = 0; i < 32; ++i) key[i] = static_cast<unsigned char>(i);
    aes_context ctx;
    aes_set_key(&ctx, key, bits);
    std::vector<unsigned char> data(16384, 0x33);
    for (auto _ : state) {
        for (std::size_t i = 0; i < data.size(); i += 16) {
            if (Encrypt)
                aes_encrypt(&ctx, data.data() + i, data.data() + i);
            else
                aes_decrypt(&ctx, data.data() + i, data.data() + i);
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 16384);
}
BENCHMARK(BM_Aes<true>)->Name("BM_AesEncrypt")->Arg(128)->Arg(192)->Arg(256);
BENCHMARK(BM_Aes<false>)->Name("BM_AesDecrypt")->Arg(128)->Arg(256);

}  // namespace
