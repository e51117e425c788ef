// Fuzzes the tabular list loader with arbitrary documents. Whatever the walk kept, also after it
// gave up on a malformed document, must form a sound tree: parent links, levels, line counts and
// the code lists of every node, and the category index finds what the list holds.
#include "FuzzSupport.h"

#include "EngineGlobals.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    const int state = FuzzLoadTabular(FuzzBytes(AData, ASize));
    FUZZ_CHECK(state == LoadDone || state == LoadFailed);
    CheckTabularInvariants();
    return 0;
}
