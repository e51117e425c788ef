// Calls one function of each family through the installed headers and library.
#include <gravik/frame.h>

#include <cstdio>

int main()
{
    int failures = 0;
    auto check = [&failures](bool ok, const char* what) {
        std::printf("%s: %s\n", what, ok ? "ok" : "FAILED");
        if (!ok) ++failures;
    };
    check(fnGravikLib() == 42 && nGravikLib == 0, "frame");
    return failures == 0 ? 0 : 1;
}
