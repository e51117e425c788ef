// libGravik - export macro.
//
// The library is built with hidden visibility; GRAVIK_API marks the classes,
// functions and variables that make up its interface. Nothing else is visible
// to programs that link the library.
#ifndef GRAVIK_EXPORT_H
#define GRAVIK_EXPORT_H

#if defined(_WIN32)
#  if defined(GRAVIK_BUILDING)
#    define GRAVIK_API __declspec(dllexport)
#  else
#    define GRAVIK_API __declspec(dllimport)
#  endif
#else
#  define GRAVIK_API __attribute__((visibility("default")))
#endif

#endif  // GRAVIK_EXPORT_H
