// CMyFile::FindAllFiles: wildcard search of a folder, optionally recursive.
#include <gravik/file.h>

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

namespace {

void Search(const std::string& dir, const char* pattern, std::vector<std::string>& out,
            bool recursive, bool includeHidden)
{
    DIR* d = opendir(dir.c_str());
    if (!d) return;
    const std::string prefix = !dir.empty() && dir.back() == '/' ? dir : dir + "/";
    // "*.*" names every entry, with or without a dot, as users of the
    // wildcard expect.
    const bool all = std::strcmp(pattern, "*.*") == 0;
    while (const dirent* e = readdir(d)) {
        const char* name = e->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
        if (!all && fnmatch(pattern, name, 0) != 0) continue;
        const bool hidden = name[0] == '.';
        if (hidden && !includeHidden) continue;
        const std::string full = prefix + name;
        struct stat link {}, target {};
        if (lstat(full.c_str(), &link) != 0) continue;
        if (S_ISDIR(link.st_mode)) {
            if (recursive) Search(full, pattern, out, recursive, includeHidden);
        } else if (S_ISLNK(link.st_mode)) {
            // A link to a folder is never followed (it could loop); a link
            // to a file is a file.
            if (stat(full.c_str(), &target) == 0 && !S_ISDIR(target.st_mode)) out.push_back(full);
        } else {
            out.push_back(full);
        }
    }
    closedir(d);
}

}  // namespace

void CMyFile::FindAllFiles(const char* dir, const char* pattern, std::vector<std::string>& out,
                           bool recursive, bool includeHidden)
{
    if (!dir || !pattern || !*pattern) return;
    Search(*dir ? dir : ".", pattern, out, recursive, includeHidden);
}
