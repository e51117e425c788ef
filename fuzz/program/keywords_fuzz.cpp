// Fuzzes the keyword file's line walk. The first byte picks the loader's three options. The lists
// it builds must keep their rules: every code once, keywords of a code sorted and unique without
// regard to case, the distinct keywords strictly descending by their upper case, each counted
// at least as often as codes carry it, and three-character codes only when asked for.
#include "FuzzSupport.h"

#include "EngineGlobals.h"
#include "TextDataSets.h"
#include "TextLines.h"

#include <QHash>
#include <QSet>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    if (ASize < 1)
        return 0;
    FuzzQuiet();
    const bool categoryOnly = AData[0] & 1, multiWordOnly = AData[0] & 2, capitalize = AData[0] & 4;
    const QStringList lines = SplitTextLines(std::string(reinterpret_cast<const char*>(AData + 1), ASize - 1));
    CodeKeywordsList->clear();
    KeywordRefList->clear();
    WriteState(KeywordLoadState, LoadRunning);
    ParseCodeKeywordLines(lines, categoryOnly, multiWordOnly, capitalize);
    WriteState(KeywordLoadState, LoadDone);

    QSet<QString> codes;
    QHash<QString, int> carried; // upper-case keyword -> codes that carry it
    for (const auto& entry : *CodeKeywordsList) {
        FUZZ_CHECK(!codes.contains(entry->FCode), entry->FCode);
        codes.insert(entry->FCode);
        FUZZ_CHECK(!categoryOnly || entry->FCode.size() == 3, entry->FCode);
        for (qsizetype i = 0; i < entry->FKeywords.size(); ++i) {
            const QString& keyword = entry->FKeywords[i];
            FUZZ_CHECK(!keyword.isEmpty());
            if (i > 0)
                FUZZ_CHECK(entry->FKeywords[i - 1].compare(keyword, Qt::CaseInsensitive) < 0, keyword);
            ++carried[keyword.toUpper()];
        }
    }
    for (std::size_t i = 0; i < KeywordRefList->size(); ++i) {
        const TKeywordsRef& ref = *(*KeywordRefList)[i];
        FUZZ_CHECK(ref.FUpperKey == ref.FKeyWord.toUpper(), ref.FKeyWord);
        FUZZ_CHECK(ref.FRefCount >= 1);
        if (i > 0)
            FUZZ_CHECK((*KeywordRefList)[i - 1]->FUpperKey.compare(ref.FUpperKey) > 0, ref.FKeyWord);
    }
    for (auto it = carried.cbegin(); it != carried.cend(); ++it) {
        const TKeywordsRef* found = nullptr;
        for (const auto& ref : *KeywordRefList)
            if (ref->FUpperKey == it.key())
                found = ref.get();
        FUZZ_CHECK(found && found->FRefCount >= it.value(), it.key());
    }
    return 0;
}
