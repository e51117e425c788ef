// URL, HTML, XML and SQL text forms.
#include <gravik/strings.h>

#include "internal/dbcs.h"

namespace gravik {
namespace {

bool IsAlnum(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

struct Step {
    const char* from;
    const char* to;
};

std::string Apply(const std::string& text, std::initializer_list<Step> steps)
{
    std::string result = text;
    for (const Step& s : steps) StrReplaceAllDistinct(result, s.from, s.to, 0);
    return result;
}

// The escaping steps, applied in the order the functions list them.
constexpr Step H1{"&", "&amp;"}, H2{">", "&gt;"}, H3{"<", "&lt;"}, H4{" ", "&nbsp;"},
    H5{"\"", "&quot;"}, H6{"'", "&apos;"}, H7{"\n", "<br>"};
constexpr Step R1{"&gt;", ">"}, R2{"&lt;", "<"}, R3{"&nbsp;", " "}, R4{"&quot;", "\""},
    R5{"&apos;", "'"}, R6{"&#34;", "\""}, R7{"&#39;", "'"}, R8{"&#x22;", "\""},
    R9{"&#x27;", "'"}, R10{"<br>", "\n"}, R11{"&amp;", "&"};

}  // namespace

std::string URLEncode(const std::string& text)
{
    std::string result;
    result.reserve(text.size() * 3);
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (IsAlnum(b)) {
            result += c;
        } else if (c == ' ') {
            result += '+';
        } else {
            result += '%';
            result += CharToHexStr(c);
        }
    }
    return result;
}

std::string URLDecode(const std::string& text)
{
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '+') {
            c = ' ';
        } else if (c == '%') {
            const int hi = i + 1 < text.size() ? internal::HexValue(text[i + 1]) : -1;
            const int lo = i + 2 < text.size() ? internal::HexValue(text[i + 2]) : -1;
            if (hi >= 0 && lo >= 0) {
                c = static_cast<char>((hi << 4) | lo);
                i += 2;
            }
        }
        if (c == '\0') break;
        result += c;
    }
    return result;
}

std::string StrToHtmlFormat(const std::string& text)
{
    return Apply(text, {H1, H2, H3, H4, H5, H6, H7});
}

std::string HtmlFormatToStr(const std::string& text)
{
    return Apply(text, {R1, R2, R3, R4, R5, R6, R7, R8, R9, R10, R11});
}

std::string StrToXmlFormat(const std::string& text) { return Apply(text, {H1, H2, H3, H5, H6}); }

std::string XmlFormatToStr(const std::string& text)
{
    return Apply(text, {R1, R2, R4, R5, R6, R7, R8, R9, R11});
}

std::string GetQuotedStrForSQL(const std::string& text, bool spaceForEmpty)
{
    if (text.empty()) return spaceForEmpty ? "' '" : "''";
    std::string result = "'";
    for (char c : text) {
        result += c;
        if (c == '\'') result += '\'';
    }
    result += '\'';
    return result;
}

}  // namespace gravik
