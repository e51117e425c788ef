// CIniFile: queries and changes of the records, and their file forms.
#include <gravik/inifile.h>

#include <algorithm>
#include <string>

namespace {

using Record = CIniFile::Record;
using Records = CIniFile::Records;

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

// Texts that would read back as something else once written.
bool SectionOk(const std::string& s) { return !HasLineBreak(s) && s.find(']') == std::string::npos; }

bool KeyOk(const std::string& k)
{
    return !k.empty() && !HasLineBreak(k) && k.find('=') == std::string::npos && k[0] != '#' &&
           k[0] != ';' && k[0] != '[';
}

Records::iterator FindRecord(Records& records, const std::string& key, const std::string& section)
{
    return std::find_if(records.begin(), records.end(), [&](const Record& r) {
        return r.Section == section && r.Key == key;
    });
}

std::string WithLineEnd(const std::string& comments)
{
    if (comments.size() >= 2 && comments.back() != '\n') return comments + '\n';
    return comments;
}

// Load, change, save. `change` returns false to skip saving (and fail).
template <typename Change>
bool Edit(const std::string& file, Change change)
{
    Records records;
    if (!CIniFile::Load(file, records)) return false;
    if (!change(records)) return false;
    return CIniFile::Save(file, records);
}

}  // namespace

std::vector<std::string> CIniFile::GetSectionNames(Records& records)
{
    std::vector<std::string> names;
    for (const Record& r : records)
        if (r.Key.empty()) names.push_back(r.Section);
    return names;
}

std::vector<std::string> CIniFile::GetSectionNames(const std::string& file)
{
    Records records;
    return Load(file, records) ? GetSectionNames(records) : std::vector<std::string>();
}

Records CIniFile::GetSections(Records& records)
{
    Records headers;
    for (const Record& r : records)
        if (r.Key.empty()) headers.push_back(r);
    return headers;
}

Records CIniFile::GetSections(const std::string& file)
{
    Records records;
    return Load(file, records) ? GetSections(records) : Records();
}

Records CIniFile::GetSection(const std::string& section, Records& records)
{
    Records keys;
    for (const Record& r : records)
        if (!r.Key.empty() && r.Section == section) keys.push_back(r);
    return keys;
}

Records CIniFile::GetSection(const std::string& section, const std::string& file)
{
    Records records;
    return Load(file, records) ? GetSection(section, records) : Records();
}

bool CIniFile::SectionExists(const std::string& section, Records& records)
{
    return std::any_of(records.begin(), records.end(),
                       [&](const Record& r) { return r.Section == section; });
}

bool CIniFile::SectionExists(const std::string& section, const std::string& file)
{
    Records records;
    return Load(file, records) && SectionExists(section, records);
}

bool CIniFile::RecordExists(const std::string& key, const std::string& section, Records& records)
{
    return FindRecord(records, key, section) != records.end();
}

bool CIniFile::RecordExists(const std::string& key, const std::string& section,
                            const std::string& file)
{
    Records records;
    return Load(file, records) && RecordExists(key, section, records);
}

Records CIniFile::GetRecord(const std::string& key, const std::string& section, Records& records)
{
    const auto it = FindRecord(records, key, section);
    return it == records.end() ? Records() : Records{*it};
}

Records CIniFile::GetRecord(const std::string& key, const std::string& section,
                            const std::string& file)
{
    Records records;
    return Load(file, records) ? GetRecord(key, section, records) : Records();
}

std::string CIniFile::GetValue(const std::string& key, const std::string& section,
                               Records& records, const char* defaultValue)
{
    const auto it = FindRecord(records, key, section);
    if (it != records.end()) return it->Value;
    return defaultValue ? defaultValue : "";
}

std::string CIniFile::GetValue(const std::string& key, const std::string& section,
                               const std::string& file, const char* defaultValue)
{
    Records records;
    if (!Load(file, records)) return defaultValue ? defaultValue : "";
    return GetValue(key, section, records, defaultValue);
}

namespace {

bool SetValueIn(const std::string& key, const std::string& value, const std::string& section,
                Records& records)
{
    if (!KeyOk(key) || HasLineBreak(value) || !SectionOk(section)) return false;
    const auto first = std::find_if(records.begin(), records.end(),
                                    [&](const Record& r) { return r.Section == section; });
    if (first == records.end()) {
        records.push_back({std::string(), section, std::string(), std::string()});
        records.push_back({std::string(), section, key, value});
        return true;
    }
    const auto existing = FindRecord(records, key, section);
    if (existing != records.end()) {
        existing->Value = value;
        return true;
    }
    auto end = first;
    while (end != records.end() && end->Section == section) ++end;
    records.insert(end, {std::string(), section, key, value});
    return true;
}

bool AddSectionIn(const std::string& section, Records& records)
{
    if (!SectionOk(section)) return false;
    if (!CIniFile::SectionExists(section, records))
        records.push_back({std::string(), section, std::string(), std::string()});
    return true;
}

bool RenameSectionIn(const std::string& oldName, const std::string& newName, Records& records)
{
    if (!SectionOk(newName)) return false;
    for (Record& r : records)
        if (r.Section == oldName) r.Section = newName;
    return true;
}

}  // namespace

void CIniFile::SetValue(const std::string& key, const std::string& value,
                        const std::string& section, Records& records)
{
    SetValueIn(key, value, section, records);
}

bool CIniFile::SetValue(const std::string& key, const std::string& value,
                        const std::string& section, const std::string& file)
{
    return Edit(file, [&](Records& r) { return SetValueIn(key, value, section, r); });
}

void CIniFile::AddSection(const std::string& section, Records& records)
{
    AddSectionIn(section, records);
}

bool CIniFile::AddSection(const std::string& section, const std::string& file)
{
    return Edit(file, [&](Records& r) { return AddSectionIn(section, r); });
}

void CIniFile::RenameSection(const std::string& oldName, const std::string& newName,
                             Records& records)
{
    RenameSectionIn(oldName, newName, records);
}

bool CIniFile::RenameSection(const std::string& oldName, const std::string& newName,
                             const std::string& file)
{
    return Edit(file, [&](Records& r) { return RenameSectionIn(oldName, newName, r); });
}

bool CIniFile::DeleteRecord(const std::string& key, const std::string& section, Records& records)
{
    const auto it = FindRecord(records, key, section);
    if (it == records.end()) return false;
    records.erase(it);
    return true;
}

bool CIniFile::DeleteRecord(const std::string& key, const std::string& section,
                            const std::string& file)
{
    return Edit(file, [&](Records& r) { return DeleteRecord(key, section, r); });
}

void CIniFile::DeleteSection(const std::string& section, Records& records)
{
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [&](const Record& r) { return r.Section == section; }),
                  records.end());
}

bool CIniFile::DeleteSection(const std::string& section, const std::string& file)
{
    return Edit(file, [&](Records& r) {
        DeleteSection(section, r);
        return true;
    });
}

bool CIniFile::SetSectionComments(const std::string& comments, const std::string& section,
                                  Records& records)
{
    for (Record& r : records)
        if (r.Key.empty() && r.Section == section) r.Comments = WithLineEnd(comments);
    return true;
}

bool CIniFile::SetSectionComments(const std::string& comments, const std::string& section,
                                  const std::string& file)
{
    return Edit(file, [&](Records& r) { return SetSectionComments(comments, section, r); });
}

bool CIniFile::SetRecordComments(const std::string& comments, const std::string& key,
                                 const std::string& section, Records& records)
{
    const auto it = FindRecord(records, key, section);
    if (it == records.end()) return false;
    it->Comments = WithLineEnd(comments);
    return true;
}

bool CIniFile::SetRecordComments(const std::string& comments, const std::string& key,
                                 const std::string& section, const std::string& file)
{
    return Edit(file, [&](Records& r) { return SetRecordComments(comments, key, section, r); });
}
