// CIniFile::Sort.
//
// Keys are grouped by section in one pass, so sorting stays linear in the
// number of records apart from the sorts themselves. Several headers of one
// name are kept together and that section's keys written once after them
// (repeating the keys after each header would duplicate them on every sort),
// and keys ahead of the first header are kept at the top, the only place
// where they keep their empty section.
#include <gravik/inifile.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <string>

bool CIniFile::Sort(const std::string& file, bool descending)
{
    Records records;
    if (!Load(file, records)) return false;
    Records headers, loose;
    std::map<std::string, Records> keys;
    for (Record& r : records) {
        if (r.Key.empty()) headers.push_back(std::move(r));
        else keys[r.Section].push_back(std::move(r));
    }
    if (headers.empty()) return false;
    const bool emptySectionHasHeader = std::any_of(
        headers.begin(), headers.end(), [](const Record& h) { return h.Section.empty(); });
    const auto byName = [descending](const std::string& a, const std::string& b) {
        return descending ? b < a : a < b;
    };
    std::stable_sort(headers.begin(), headers.end(), [&](const Record& a, const Record& b) {
        return byName(a.Section, b.Section);
    });
    for (auto& [section, list] : keys)
        std::stable_sort(list.begin(), list.end(),
                         [&](const Record& a, const Record& b) { return byName(a.Key, b.Key); });

    Records sorted;
    sorted.reserve(records.size());
    if (!emptySectionHasHeader) {
        const auto it = keys.find(std::string());
        if (it != keys.end())
            sorted.insert(sorted.end(), std::make_move_iterator(it->second.begin()),
                          std::make_move_iterator(it->second.end()));
    }
    for (std::size_t i = 0; i < headers.size(); ++i) {
        sorted.push_back(std::move(headers[i]));
        const std::string& name = sorted.back().Section;
        const bool lastOfName = i + 1 == headers.size() || headers[i + 1].Section != name;
        if (!lastOfName) continue;
        const auto it = keys.find(name);
        if (it != keys.end())
            sorted.insert(sorted.end(), std::make_move_iterator(it->second.begin()),
                          std::make_move_iterator(it->second.end()));
    }
    return Save(file, sorted);
}
