// Fuzzes the rules that read code texts: SplitCode, the index and table code-text rule, and the
// steps by which the keyword window's code box finds what a typed code names (split, category
// look-up, then the four-character seventh-character form or the walk down by sub-code), against
// a small loaded list.
#include "FuzzSupport.h"

#include "CodeQueries.h"
#include "IndexCodeText.h"
#include "LoadState.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* AData, std::size_t ASize) {
    static const bool loaded = FuzzLoadTabular(QByteArray(FuzzSampleTabular)) == LoadDone;
    FUZZ_CHECK(loaded);
    const QString text = QString::fromUtf8(FuzzBytes(AData, ASize));

    QString category = QStringLiteral("unchanged"), subCode = QStringLiteral("unchanged");
    if (SplitCode(text, category, subCode)) {
        FUZZ_CHECK(category.size() == 3 && text.startsWith(category), text);
        FUZZ_CHECK(text.size() == 3 || text.mid(4).startsWith(subCode), text);
        FUZZ_CHECK(!subCode.contains(QLatin1Char('-')), text);
    } else {
        FUZZ_CHECK(category == QLatin1String("unchanged") && subCode == QLatin1String("unchanged"), text);
    }

    // The index rule gives a code text that the rule keeps as it is.
    if (const std::optional<QString> code = IndexCodeText(text)) {
        FUZZ_CHECK(IndexCodeText(*code) == code, text);
        QString c, s;
        FUZZ_CHECK(SplitCode(*code, c, s), *code);
    }

    // The code box: what the split finds must be a node of the category it names.
    if (SplitCode(text, category, subCode)) {
        TCodeInfo* categoryNode = FindCategory(category);
        if (categoryNode) {
            FUZZ_CHECK(categoryNode->FCode == category, text);
            TCodeInfo* found = nullptr;
            if (subCode.size() == 4) {
                QString fullDesc;
                found = categoryNode->FindHeaderBy4SubCodes(subCode, fullDesc);
                if (found) {
                    QString foundCategory, foundSub;
                    FUZZ_CHECK(SplitCode(found->FCode, foundCategory, foundSub), found->FCode);
                    FUZZ_CHECK(foundCategory == category, text);
                }
            } else {
                found = categoryNode->FindSubCodeByName(subCode);
            }
            for (const TCodeInfo* up = found; up; up = up->FParent)
                if (!up->FParent)
                    FUZZ_CHECK(up == categoryNode, text);
        }
    }
    (void)SubCodeOf(text);
    (void)FindCode(text);
    return 0;
}
