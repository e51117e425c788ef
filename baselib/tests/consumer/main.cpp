// Calls one function of each family through the installed headers and library.
#include <gravik/charset.h>
#include <gravik/datetime.h>
#include <gravik/exceptions.h>
#include <gravik/frame.h>
#include <gravik/netobject.h>
#include <gravik/strings.h>

#include <cstdio>
#include <string>

int main()
{
    int failures = 0;
    auto check = [&failures](bool ok, const char* what) {
        std::printf("%s: %s\n", what, ok ? "ok" : "FAILED");
        if (!ok) ++failures;
    };
    check(fnGravikLib() == 42 && nGravikLib == 0, "frame");
    check(CGbUnicodeException().What() == "Unknown Exception!", "exceptions");
    check(gravik::URLEncode("a b&c") == "a+b%26c", "strings");
    const unsigned char utf8[] = {0x41, 0xE4, 0xB8, 0xAD, 0};
    check(gravik::GetUTF8Characters(utf8) == 2, "character sets");
    check(CMyDate(2000, 1, 1).Julian() == 2451545, "dates");
    unsigned char buf[4];
    unsigned int pos = 0;
    CBaseNetObject::WriteIntNt(buf, pos, 0x01020304u);
    check(pos == 4 && buf[0] == 1 && buf[3] == 4, "serialization");
    return failures == 0 ? 0 : 1;
}
