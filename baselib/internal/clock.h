// Reading "now" through the replaceable clock.
#ifndef GRAVIK_INTERNAL_CLOCK_H
#define GRAVIK_INTERNAL_CLOCK_H

#include <gravik/datetime.h>

namespace gravik::internal {

CMyTimeStamp ReadClock(bool utc);

}  // namespace gravik::internal

#endif  // GRAVIK_INTERNAL_CLOCK_H
