// Fuzzes the short-description loader. The map must end published, hold no more entries than
// the text has lines of ten characters, and give each code the description of its first line.
#include "FuzzSupport.h"

#include "DataSets.h"
#include "DelimitedText.h"
#include "EngineGlobals.h"
#include "TextDataSets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    FuzzQuiet();
    const std::string bytes(reinterpret_cast<const char*>(AData), ASize);
    ShortDescMap->clear();
    PutResourceStream(TDataSet::ShortDesc,
                      TResourceStream::Uncompressed(std::vector<std::uint8_t>(AData, AData + ASize)));
    WriteState(ShortDescLoadState, LoadNotStarted);
    LoadShortDescriptions();
    FUZZ_CHECK(ReadState(ShortDescLoadState) == LoadDone);

    QHash<QString, QString> expected;
    for (const QString& line : SplitTextLines(bytes)) {
        if (line.size() < 10)
            continue;
        const QString code = TrimControl(line.left(8));
        if (!expected.contains(code))
            expected.insert(code, line.mid(10));
    }
    FUZZ_CHECK(*ShortDescMap == expected);
    return 0;
}
