// Reading, writing, sorting and querying a 10 MB ini file.
//
//   gravik_ini_bench [--benchmark_filter=...]
//
// The file is generated once into a scratch folder and removed at exit:
// 2,500 sections of 80 keys with a comment line every tenth key, about
// 10.5 MB and 222,500 lines.
#include <gravik/inifile.h>

#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

class BigIni {
public:
    BigIni()
    {
        char dir[] = "/tmp/gravik-bench-XXXXXX";
        m_dir = mkdtemp(dir) ? dir : "/tmp";
        m_file = m_dir + "/big.ini";
        m_copy = m_dir + "/copy.ini";
        std::string text;
        text.reserve(11 << 20);
        for (int s = 0; s < 2500; ++s) {
            // Sections out of order, so that sorting has work to do.
            text += "; section " + std::to_string(s) + "\n[section_" +
                    std::to_string((s * 7919) % 2500) + "]\n";
            for (int k = 0; k < 80; ++k) {
                if (k % 10 == 0) text += "# about key " + std::to_string(k) + "\n";
                text += "key_" + std::to_string((k * 31) % 80) + " = value number " +
                        std::to_string(s * 80 + k) + " with some text\n";
            }
        }
        std::FILE* f = std::fopen(m_file.c_str(), "w");
        if (f) {
            std::fwrite(text.data(), 1, text.size(), f);
            std::fclose(f);
        }
        m_bytes = static_cast<int64_t>(text.size());
    }
    ~BigIni()
    {
        std::remove(m_file.c_str());
        std::remove(m_copy.c_str());
        rmdir(m_dir.c_str());
    }
    const std::string& file() const { return m_file; }
    const std::string& copy() const { return m_copy; }
    int64_t bytes() const { return m_bytes; }

private:
    std::string m_dir, m_file, m_copy;
    int64_t m_bytes = 0;
};

BigIni& Ini()
{
    static BigIni ini;
    return ini;
}

void BM_IniLoad(benchmark::State& state)
{
    CIniFile::Records records;
    for (auto _ : state) {
        if (!CIniFile::Load(Ini().file(), records)) state.SkipWithError("load failed");
        benchmark::DoNotOptimize(records.data());
    }
    state.SetBytesProcessed(state.iterations() * Ini().bytes());
    state.counters["records"] = static_cast<double>(records.size());
}
BENCHMARK(BM_IniLoad)->Unit(benchmark::kMillisecond);

void BM_IniSave(benchmark::State& state)
{
    CIniFile::Records records;
    CIniFile::Load(Ini().file(), records);
    for (auto _ : state)
        if (!CIniFile::Save(Ini().copy(), records)) state.SkipWithError("save failed");
    state.SetBytesProcessed(state.iterations() * Ini().bytes());
}
BENCHMARK(BM_IniSave)->Unit(benchmark::kMillisecond);

void BM_IniSetValueInFile(benchmark::State& state)
{
    CIniFile::Records records;
    CIniFile::Load(Ini().file(), records);
    CIniFile::Save(Ini().copy(), records);
    int n = 0;
    for (auto _ : state)
        if (!CIniFile::SetValue("key_1", std::to_string(n++), "section_1234", Ini().copy()))
            state.SkipWithError("set failed");
    state.SetBytesProcessed(state.iterations() * Ini().bytes() * 2);  // read and written
}
BENCHMARK(BM_IniSetValueInFile)->Unit(benchmark::kMillisecond);

void BM_IniSort(benchmark::State& state)
{
    CIniFile::Records records;
    CIniFile::Load(Ini().file(), records);
    for (auto _ : state) {
        state.PauseTiming();
        CIniFile::Save(Ini().copy(), records);
        state.ResumeTiming();
        if (!CIniFile::Sort(Ini().copy(), false)) state.SkipWithError("sort failed");
    }
    state.SetBytesProcessed(state.iterations() * Ini().bytes());
}
BENCHMARK(BM_IniSort)->Unit(benchmark::kMillisecond);

void BM_IniGetValue(benchmark::State& state)
{
    CIniFile::Records records;
    CIniFile::Load(Ini().file(), records);
    for (auto _ : state)
        benchmark::DoNotOptimize(CIniFile::GetValue("key_79", "section_2499", records, "none"));
}
BENCHMARK(BM_IniGetValue)->Unit(benchmark::kMicrosecond);

}  // namespace
