// CIniFile: reading, writing and the text form of a whole file.
#include <gravik/inifile.h>

#include <cstdio>
#include <fstream>
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
    std::ifstream in(file, std::ios::in | std::ios::binary);
    if (!in.is_open()) return false;
    Records loaded;
    std::string comments, section, raw;
    while (std::getline(in, raw)) {
        const std::string line = Trimmed(raw, 0, raw.size());
        if (line.empty()) continue;
        if (line[0] == '#' || line[0] == ';') {
            comments += line;
            comments += '\n';
        } else if (line[0] == '[') {
            const std::size_t close = line.find(']');
            if (close == std::string::npos) return false;
            section = line.substr(1, close - 1);
            loaded.push_back({comments, section, std::string(), std::string()});
            comments.clear();
        } else if (const std::size_t eq = line.find('='); eq != std::string::npos) {
            loaded.push_back({comments, section, Trimmed(line, 0, eq),
                              Trimmed(line, eq + 1, line.size())});
            comments.clear();
        } else if (comments.empty()) {
            loaded.push_back(Record{});
        }
    }
    if (in.bad()) return false;
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
