// Fuzzes the loader of the alphabetic indexes and the drug and neoplasm tables. The first byte
// picks the data set (index walk or table walk), the rest is the document. What the walk kept
// must form sound terms: parent links, levels, line counts and full titles.
#include "FuzzSupport.h"

#include "EngineGlobals.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    if (ASize < 1)
        return 0;
    const int type = 1 + AData[0] % 4;
    const int state = FuzzLoadIndex(type, FuzzBytes(AData + 1, ASize - 1));
    FUZZ_CHECK(state == LoadDone || state == LoadFailed);
    const TAlphaLetterList* lists[] = {DiseaseIndexList, ExternalIndexList, DrugTableList,
                                       NeoplasmTableList};
    CheckIndexInvariants(*lists[type - 1]);
    return 0;
}
