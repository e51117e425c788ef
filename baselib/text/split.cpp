// Splitting texts by separator and by character count.
#include <gravik/strings.h>

#include "internal/dbcs.h"

#include <cstring>

namespace gravik {

int SplitStrBySep(char* text, char** rest, char sep)
{
    if (!text || !rest) return 0;
    char* found = sep != '\0' ? std::strchr(text, sep) : nullptr;
    if (found) {
        *found = '\0';
        *rest = found + 1;
    } else {
        *rest = text + std::strlen(text);
    }
    return **rest != '\0' ? 1 : 0;
}

void SplitStrBySep(std::string& text, std::string& rest, const std::string& sep)
{
    rest.clear();
    if (sep.empty()) return;
    const std::size_t p = text.find(sep);
    if (p == std::string::npos) return;
    rest = text.substr(p + sep.size());
    text.resize(p);
}

int SplitStrByLen(char* text, char* rest, int n)
{
    if (!text || !rest) return 0;
    if (n <= 0) {
        std::memmove(rest, text, std::strlen(text) + 1);
        text[0] = '\0';
        return 1;
    }
    rest[0] = '\0';
    const std::size_t len = std::strlen(text);
    std::size_t cut = len;
    internal::CountPairs(text, len, static_cast<std::size_t>(n), &cut);
    if (cut >= len) return 0;
    std::memcpy(rest, text + cut, len - cut + 1);
    text[cut] = '\0';
    return 1;
}

void SplitStrByLen(std::string& text, std::string& rest, int n)
{
    rest.clear();
    if (n <= 0) {
        rest.swap(text);
        return;
    }
    std::size_t cut = text.size();
    internal::CountPairs(text.data(), text.size(), static_cast<std::size_t>(n), &cut);
    if (cut >= text.size()) return;
    rest = text.substr(cut);
    text.resize(cut);
}

void SplitStrToVec(const std::string& text, const std::string& sep, std::vector<std::string>& out)
{
    out.clear();
    if (sep.empty() || sep.size() > text.size()) {
        out.push_back(text);
        return;
    }
    std::size_t start = 0;
    std::size_t p;
    while ((p = text.find(sep, start)) != std::string::npos) {
        out.push_back(text.substr(start, p - start));
        start = p + sep.size();
    }
    if (start < text.size()) out.push_back(text.substr(start));
}

namespace {

// Cuts `text` at each separator, storing the non-empty pieces through `store`
// until it returns false.
template <typename Store>
void CutPieces(char* text, const char* sep, Store store)
{
    if (!text || !sep || *sep == '\0') return;
    const std::size_t sepLen = std::strlen(sep);
    char* piece = text;
    while (true) {
        char* found = std::strstr(piece, sep);
        if (found) *found = '\0';
        if (*piece != '\0' && !store(piece)) return;
        if (!found) return;
        piece = found + sepLen;
    }
}

}  // namespace

void SplitStrToVec(char* text, const char* sep, std::vector<char*>& out)
{
    out.clear();
    CutPieces(text, sep, [&out](char* piece) {
        out.push_back(piece);
        return true;
    });
}

void str_to_str_array(char* text, const char* sep, char** out, int max, int* count)
{
    int stored = 0;
    if (out && max > 0) {
        CutPieces(text, sep, [&](char* piece) {
            out[stored++] = piece;
            return stored < max;
        });
    }
    if (count) *count = stored;
}

int WordCount(const std::string& text)
{
    return static_cast<int>(internal::CountLeadByteStepping(text.data(), text.size()));
}

unsigned int WordCount(const char* text)
{
    if (!text) return 0;
    return static_cast<unsigned int>(internal::CountLeadByteStepping(text, std::strlen(text)));
}

}  // namespace gravik
