// CIniFile: reading, writing and the text form of a whole file.
#include <gravik/inifile.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string Trimmed(const std::string& text, std::size_t from, std::size_t to)
{
    while (from < to && IsBlank(text[from])) ++from;
    while (to > from && IsBlank(text[to - 1])) --to;
    return text.substr(from, to - from);
}

void AppendLine(std::string& out, const CIniFile::Record& r)
{
    out += r.Comments;
    if (r.Key.empty()) {
        out += '[';
        out += r.Section;
        out += ']';
    } else {
        out += r.Key;
        out += '=';
        out += r.Value;
    }
    out += '\n';
}

}  // namespace

CIniFile::CIniFile() = default;
CIniFile::~CIniFile() = default;

bool CIniFile::Load(const std::string& file, Records& records)
{
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (!in) return false;
    // The whole file at once: one read instead of a stream call per line.
    std::string text;
    char chunk[1 << 16];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, in)) > 0) text.append(chunk, n);
    const bool readOk = std::ferror(in) == 0;
    std::fclose(in);
    if (!readOk) return false;

    Records loaded;
    // Growing the vector record by record costs more than the parsing; the
    // guess is capped so that a file of blank lines cannot ask for much.
    const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
    loaded.reserve(std::min(lines, text.size() / 32 + 16));
    std::string comments, section;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::size_t from = pos, to = end;
        pos = end + 1;
        while (from < to && IsBlank(text[from])) ++from;
        while (to > from && IsBlank(text[to - 1])) --to;
        if (from == to) continue;
        const char first = text[from];
        if (first == '#' || first == ';') {
            comments.append(text, from, to - from);
            comments += '\n';
        } else if (first == '[') {
            const std::size_t close = text.find(']', from);
            if (close == std::string::npos || close >= to) return false;
            section.assign(text, from + 1, close - from - 1);
            loaded.push_back({comments, section, std::string(), std::string()});
            comments.clear();
        } else if (const std::size_t eq = text.find('=', from); eq < to) {
            loaded.push_back({comments, section, Trimmed(text, from, eq), Trimmed(text, eq + 1, to)});
            comments.clear();
        } else if (comments.empty()) {
            loaded.push_back(Record{});
        }
    }
    records.swap(loaded);
    return true;
}

bool CIniFile::Save(const std::string& file, Records& records)
{
    std::FILE* out = std::fopen(file.c_str(), "w");
    if (!out) return false;
    std::string text;
    bool ok = true;
    for (std::size_t i = 0; i < records.size() && ok; ++i) {
        if (i > 0 && records[i].Key.empty()) text += '\n';
        AppendLine(text, records[i]);
        // Written in pieces, so a large file never needs a second copy.
        if (text.size() >= 1 << 16) {
            ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
            text.clear();
        }
    }
    if (ok && !text.empty()) ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    const bool closed = std::fclose(out) == 0;
    return ok && closed;
}

bool CIniFile::Create(const std::string& file)
{
    Records none;
    return Save(file, none);
}

std::string CIniFile::Content(Records& records)
{
    std::string text;
    for (const Record& r : records) AppendLine(text, r);
    return text;
}

std::string CIniFile::Content(const std::string& file)
{
    Records records;
    return Load(file, records) ? Content(records) : std::string();
}
