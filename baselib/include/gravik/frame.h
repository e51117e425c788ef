// libGravik - library frame: marker exports.
//
// Loading and unloading the library run no code of its own, and nothing has to
// be initialised before the first call. The three markers below let a program
// check that it has found and linked this library; nothing inside uses them.
#ifndef GRAVIK_FRAME_H
#define GRAVIK_FRAME_H

#include <gravik/export.h>

// Marker class: no data; constructing and assigning do nothing.
class GRAVIK_API CGravikLib {
public:
    CGravikLib();
    CGravikLib& operator=(const CGravikLib&);
};

// Marker function: always returns 42.
GRAVIK_API int fnGravikLib();

// Marker variable: 0 when the library is loaded; the library never changes it.
extern GRAVIK_API int nGravikLib;

#endif  // GRAVIK_FRAME_H
