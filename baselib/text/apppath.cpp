// Folder of the running executable.
#include <gravik/strings.h>

#include <unistd.h>

#include <climits>
#include <cstring>
#include <vector>

bool GetAppPath(char* out, int size)
{
    if (!out || size <= 0) return false;
    // /proc/self/exe names the executable of the process, not this library.
    std::vector<char> path(PATH_MAX + 1);
    const ssize_t n = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (n <= 0 || static_cast<std::size_t>(n) >= path.size() - 1) return false;
    path[static_cast<std::size_t>(n)] = '\0';
    char* slash = std::strrchr(path.data(), '/');
    if (!slash) return false;
    // The root folder keeps its "/" so that the result stays a folder name.
    const std::size_t len = slash == path.data() ? 1 : static_cast<std::size_t>(slash - path.data());
    if (len + 1 > static_cast<std::size_t>(size)) return false;
    std::memcpy(out, path.data(), len);
    out[len] = '\0';
    return true;
}
