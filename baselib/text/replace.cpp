// Replacing substrings: in place (shrinking only), repeated, and single-pass.
#include <gravik/strings.h>

#include <cstring>

namespace gravik {

bool StrReplaceBigToSmall(char* text, const char* from, const char* to)
{
    if (!text || !from || !to) return false;
    const std::size_t fromLen = std::strlen(from);
    const std::size_t toLen = std::strlen(to);
    if (fromLen == 0 || toLen > fromLen) return false;
    // Writing never overtakes reading because the replacement is not longer
    // than what it replaces.
    char* read = text;
    char* write = text;
    while (*read) {
        if (std::strncmp(read, from, fromLen) == 0) {
            std::memmove(write, to, toLen);
            write += toLen;
            read += fromLen;
        } else {
            *write++ = *read++;
        }
    }
    *write = '\0';
    return true;
}

std::string StrReplaceAllDistinct(std::string& text, const std::string& from,
                                  const std::string& to, int keep)
{
    std::string result = text;
    if (!from.empty()) {
        std::size_t pos = 0;
        while ((pos = result.find(from, pos)) != std::string::npos) {
            result.replace(pos, from.size(), to);
            pos += to.size();
        }
    }
    if (keep == 0) text = result;
    return result;
}

std::string StrReplaceAll(std::string& text, const std::string& from, const std::string& to,
                          int keep)
{
    if (from.empty()) {
        std::string result = text;
        return result;
    }
    // A replacement that contains the pattern would be found again forever.
    if (to.find(from) != std::string::npos) return StrReplaceAllDistinct(text, from, to, keep);

    std::string result = text;
    // Before the last replacement there was no match, so the next one cannot
    // start earlier than from.size() - 1 bytes before it: searching from there
    // finds the same first occurrence as a search from the start.
    std::size_t pos = 0;
    std::size_t budget = 1000000 + 4 * text.size();
    while (budget-- > 0 && (pos = result.find(from, pos)) != std::string::npos) {
        result.replace(pos, from.size(), to);
        pos = pos >= from.size() - 1 ? pos - (from.size() - 1) : 0;
    }
    if (keep == 0) text = result;
    return result;
}

}  // namespace gravik
