#include "CodeLookup.h"

#include "CliSupport.h"
#include "CodeQueries.h"

namespace {
const TCharDef* SeventhEntry(const TCodeInfo& ALeaf, const QString& AChar) {
    if (const TSevenCharDef* def = ALeaf.Get7CharDef())
        for (const auto& entry : def->FDefList)
            if (entry->FChar == AChar)
                return entry.get();
    return nullptr;
}

} // namespace

TCodeLookup LookUpCode(const QString& AText) {
    TCodeLookup result;
    result.Code = NormalizeCodeText(AText);
    QString category, subCode;
    if (!SplitCode(result.Code, category, subCode))
        return result;
    result.Kind = TCodeLookup::Unknown;
    TCodeInfo* categoryNode = FindCategory(category);
    if (!categoryNode)
        return result;
    if (TCodeInfo* node = FindCode(result.Code)) {
        result.Kind = TCodeLookup::Found;
        result.Node = node;
        result.Description = node->FDesc;
        return result;
    }
    // Only a full seven-character code (four characters after the point) is a completion.
    if (subCode.size() != 4 || result.Code.size() != 8)
        return result;
    QString fullDesc;
    TCodeInfo* leaf = categoryNode->FindHeaderBy4SubCodes(subCode, fullDesc);
    if (!leaf)
        return result;
    const TCharDef* entry = SeventhEntry(*leaf, subCode.right(1));
    if (!entry)
        return result;
    result.Node = leaf;
    result.Seventh = entry;
    result.Description = fullDesc;
    // The completion lookup itself does not apply the exception rules; reporting must.
    result.Kind = entry->InExceptionRule(leaf->FCode) ? TCodeLookup::ForbiddenCompletion
                                                       : TCodeLookup::Completion;
    return result;
}
