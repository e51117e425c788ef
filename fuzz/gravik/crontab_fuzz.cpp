// Fuzzes the crontab parsers: accepted texts must write back to texts that
// parse to the same thing, the validators must agree with the setters, and
// matching an accepted expression must end.
#include <gravik/crontab.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

template <typename T>
void Check(const std::string& text, const CMyDatetime& moment)
{
    T first;
    const bool ok = first.SetCrontabTimeStr(text);
    if (ok != T::ValidateCrontabTimeStr(text)) std::abort();
    if (!ok) {
        if (first.VilidateDatetime(moment)) std::abort();  // refused: matches nothing
        return;
    }
    std::string written;
    first.GetCrontabTimeStr(written);
    T second;
    if (!second.SetCrontabTimeStr(written)) std::abort();
    std::string rewritten;
    second.GetCrontabTimeStr(rewritten);
    if (rewritten != written) std::abort();
    if (first.VilidateDatetime(moment) != second.VilidateDatetime(moment)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    // A moment drawn from the input, so matching is exercised too.
    unsigned v = 0;
    for (std::size_t i = 0; i < size && i < 8; ++i) v = v * 31 + data[i];
    const CMyDatetime moment(2000 + static_cast<int>(v % 40), 1 + static_cast<int>(v % 12),
                             1 + static_cast<int>(v % 31), static_cast<int>(v % 24),
                             static_cast<int>(v / 24 % 60), static_cast<int>(v / 7 % 60), 0);
    Check<CCrontabTimePoint>(text, moment);
    Check<CCrontabTimePeriod>(text, moment);
    return 0;
}
