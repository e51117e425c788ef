// Fuzz target: any bytes as an ini file. Checks, besides the sanitizers:
// loading never throws; what Save writes loads back to records that save to
// the same text; Sort keeps every record, neither losing nor duplicating one.
#include <gravik/inifile.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace {

// An in-memory file reachable by name, so the whole-file functions can be
// fuzzed without touching the disk.
class MemFile {
public:
    MemFile() : m_fd(memfd_create("ini", 0)), m_name("/proc/self/fd/" + std::to_string(m_fd)) {}
    ~MemFile() { close(m_fd); }
    const std::string& name() const { return m_name; }
    void Put(const uint8_t* data, size_t size)
    {
        if (ftruncate(m_fd, 0) != 0) std::abort();
        if (pwrite(m_fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
    }
    std::string Get() const
    {
        std::string text(static_cast<size_t>(lseek(m_fd, 0, SEEK_END)), '\0');
        if (pread(m_fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
            std::abort();
        return text;
    }

private:
    int m_fd;
    std::string m_name;
};

std::vector<std::tuple<std::string, std::string, std::string>> Keys(const CIniFile::Records& r)
{
    std::vector<std::tuple<std::string, std::string, std::string>> keys;
    for (const CIniFile::Record& x : r) keys.emplace_back(x.Section, x.Key, x.Value);
    std::sort(keys.begin(), keys.end());
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static MemFile file;
    file.Put(data, size);
    CIniFile::Records records;
    if (!CIniFile::Load(file.name(), records)) return 0;
    (void)CIniFile::Content(records);

    if (!CIniFile::Save(file.name(), records)) std::abort();
    const std::string first = file.Get();
    CIniFile::Records again;
    if (!CIniFile::Load(file.name(), again)) std::abort();
    if (!CIniFile::Save(file.name(), again)) std::abort();
    if (file.Get() != first) std::abort();

    if (CIniFile::Sort(file.name(), size % 2 == 1)) {
        CIniFile::Records sorted;
        if (!CIniFile::Load(file.name(), sorted)) std::abort();
        if (sorted.size() != again.size() || Keys(sorted) != Keys(again)) std::abort();
    }
    // A few edits on the records, never on the disk.
    CIniFile::SetValue("fuzz", "1", records.empty() ? "S" : records.front().Section, records);
    CIniFile::DeleteSection(records.empty() ? "" : records.back().Section, records);
    return 0;
}
