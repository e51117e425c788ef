#include <gravik/frame.h>

CGravikLib::CGravikLib() = default;

CGravikLib& CGravikLib::operator=(const CGravikLib&) { return *this; }

int fnGravikLib() { return 42; }

int nGravikLib = 0;
