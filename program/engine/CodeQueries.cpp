#include "CodeQueries.h"

#include "EngineGlobals.h"
#include "Waiting.h"

#include <QHash>

#include <algorithm>
#include <atomic>

#include <mutex>

namespace {

bool IsCodeChar(QChar AChar) {
    const char16_t c = AChar.unicode();
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z');
}

// Category code -> node, built on first use after the tabular list has finished loading. The
// list is read-only from then on, so the index stays valid for the whole run.
struct TCategoryIndex {
    std::mutex Mutex;
    const TChapterList* BuiltFor = nullptr;
    std::size_t ChapterCount = 0;
    QHash<QString, TCodeInfo*> Codes;
} gIndex;

std::atomic<unsigned> gTabularListGeneration{1};

const TSevenCharDef* FirstSevenCharDef(const TOwningList<TItemBase>& AItems) {
    for (const auto& item : AItems)
        if (const auto* def = dynamic_cast<const TSevenCharDef*>(item.get()))
            return def;
    return nullptr;
}

} // namespace

bool SplitCode(const QString& ACode, QString& ACategory, QString& ASubCode) {
    const qsizetype length = ACode.size();
    if (length < 3 || length > 8)
        return false;
    if (length > 3 && ACode[3] != QLatin1Char('.'))
        return false;
    for (qsizetype i = 0; i < 3; ++i)
        if (!IsCodeChar(ACode[i]))
            return false;
    for (qsizetype i = 4; i < length; ++i)
        if (ACode[i] != QLatin1Char('-') && !IsCodeChar(ACode[i]))
            return false;
    ACategory = ACode.left(3);
    if (length <= 4) {
        ASubCode.clear();
    } else {
        const qsizetype dash = ACode.indexOf(QLatin1Char('-'), 4);
        ASubCode = ACode.mid(4, dash < 0 ? -1 : dash - 4);
    }
    return true;
}

bool DescribeCode(const QString& ACode, QString& ADescription) {
    QString category, subCode;
    if (!SplitCode(ACode, category, subCode) || ACode.contains(QLatin1Char('-')))
        return false;
    const QString code = subCode.isEmpty() ? category : category + QLatin1Char('.') + subCode;
    if (const TCodeInfo* node = FindCode(code); node && node->FCode == code) {
        ADescription = node->FDesc;
        return true;
    }
    TCodeInfo* categoryNode = FindCategory(category);
    QString full;
    if (subCode.size() != 4 || !categoryNode || !categoryNode->FindHeaderBy4SubCodes(subCode, full))
        return false;
    ADescription = full;
    return true;
}

TCodeInfo* FindCategory(const QString& ACategory) {
    WaitWhileLoading(TabularLoadState);
    if (!ChapterList)
        return nullptr;
    if (ReadState(TabularLoadState) != LoadDone) {
        // A failed or stopped load may be partial: search what is there, without an index.
        for (const auto& chapter : *ChapterList)
            for (const auto& section : chapter->FSubList)
                for (const auto& code : section->FCodeList)
                    if (code->FCode == ACategory)
                        return code.get();
        return nullptr;
    }
    std::lock_guard lock(gIndex.Mutex);
    if (gIndex.BuiltFor != ChapterList || gIndex.ChapterCount != ChapterList->size() ||
        gIndex.Codes.isEmpty()) {
        gIndex.Codes.clear();
        for (const auto& chapter : *ChapterList)
            for (const auto& section : chapter->FSubList)
                for (const auto& code : section->FCodeList)
                    if (!gIndex.Codes.contains(code->FCode)) // the first in tree order wins
                        gIndex.Codes.insert(code->FCode, code.get());
        gIndex.BuiltFor = ChapterList;
        gIndex.ChapterCount = ChapterList->size();
    }
    return gIndex.Codes.value(ACategory, nullptr);
}

unsigned TabularListGeneration() { return gTabularListGeneration.load(std::memory_order_acquire); }

void ResetCategoryIndex() {
    gTabularListGeneration.fetch_add(1, std::memory_order_acq_rel);
    std::lock_guard lock(gIndex.Mutex);
    gIndex.Codes.clear();
    gIndex.BuiltFor = nullptr;
}

// The node whose code is exactly ACode anywhere below ANode, or null.
static TCodeInfo* FindExactInSubtree(TCodeInfo& ANode, const QString& ACode) {
    if (ANode.FCode == ACode)
        return &ANode;
    for (const auto& child : ANode.FSubCodeList)
        if (TCodeInfo* found = FindExactInSubtree(*child, ACode))
            return found;
    return nullptr;
}

TCodeInfo* FindCode(const QString& ACode) {
    QString category, subCode;
    if (!SplitCode(ACode, category, subCode))
        return nullptr;
    TCodeInfo* node = FindCategory(category);
    if (!node)
        return nullptr;
    if (TCodeInfo* found = node->FindSubCodeByName(subCode))
        return found;
    // The walk by prefixes misses a code that the published list files under a sibling's
    // branch (H54.512A sits below H54.511); such a code is still found by its exact text.
    return FindExactInSubtree(*node, ACode);
}

QString SubCodeOf(const QString& ACode) { return ACode.size() < 5 ? QString() : ACode.mid(4); }

int CompareLeading(const QString& A, const QString& B, int ACount, bool AIgnoreCase, bool ABlankIsDash) {
    for (int i = 0; i < ACount; ++i) {
        const char16_t a = A[i].unicode(), b = B[i].unicode();
        if (a == b)
            continue;
        if (AIgnoreCase && ((a >= u'A' && a <= u'Z' && b == a + 32) || (a >= u'a' && a <= u'z' && b == a - 32)))
            continue;
        const auto blankOrDash = [](char16_t c) { return c == u' ' || c == u'-'; };
        if (ABlankIsDash && blankOrDash(a) && blankOrDash(b))
            continue;
        return a > b ? 1 : -1;
    }
    return 0;
}

int CompareLeadingLoose(const QString& A, const QString& B, int ACount, bool AIgnoreCase) {
    return CompareLeading(A, B, ACount, AIgnoreCase, true);
}

QString CompleteWithSeventh(const TCodeInfo& ANode, const QString& AChar) {
    static const char* const kPads[] = {".XXX", "XX", "X", ""};
    const int level = std::clamp(ANode.FLevel, 0, 3);
    return ANode.FCode + QLatin1String(kPads[level]) + AChar;
}

// ---- methods of TCodeInfo and TCharDef that query the tree ----

const TSevenCharDef* TCodeInfo::GetSelf7CharDef() const { return FirstSevenCharDef(FItemList); }

const TSevenCharDef* TCodeInfo::GetParent7CharDef() const {
    return FParent ? FParent->Get7CharDef() : nullptr;
}

const TSevenCharDef* TCodeInfo::Get7CharDef() const {
    for (const TCodeInfo* node = this; node; node = node->FParent)
        if (const TSevenCharDef* def = node->GetSelf7CharDef())
            return def;
    return nullptr;
}

int TCodeInfo::GetSelf7CharNum() const {
    const TSevenCharDef* def = GetSelf7CharDef();
    return def ? static_cast<int>(def->FDefList.size()) : 0;
}

bool TCodeInfo::IsFinalCode() const { return FSubCodeList.empty() && !Get7CharDef(); }

TCodeInfo* TCodeInfo::FindSubCodeByName(const QString& ASubCode) {
    if (ASubCode.isEmpty())
        return this;
    for (const auto& child : FSubCodeList) {
        const QString sub = SubCodeOf(child->FCode);
        if (sub == ASubCode)
            return child.get();
        if (sub.size() < ASubCode.size() &&
            CompareLeading(sub, ASubCode, static_cast<int>(sub.size()), true, false) == 0)
            return child->FindSubCodeByName(ASubCode); // no going back to other children
    }
    return nullptr;
}

TCodeInfo* TCodeInfo::FindHeaderBy4SubCodes(const QString& A4SubCode, QString& AFullDesc) {
    if (A4SubCode.size() != 4)
        return nullptr;
    const TSevenCharDef* def = Get7CharDef();
    if (FSubCodeList.empty() && !def)
        return nullptr;
    // The character of this node's own level must match.
    if (FLevel >= 1 && FLevel <= 3) {
        const qsizetype at = 3 + FLevel; // fifth, sixth or seventh character of FCode
        if (FCode.size() <= at || FCode[at] != A4SubCode[FLevel - 1])
            return nullptr;
    }
    if (!FSubCodeList.empty()) {
        for (const auto& child : FSubCodeList)
            if (TCodeInfo* found = child->FindHeaderBy4SubCodes(A4SubCode, AFullDesc))
                return found;
        return nullptr;
    }
    // A leaf with a definition: the code must carry its placeholders.
    for (int i = std::max(FLevel, 0); i < 3; ++i)
        if (A4SubCode[i] != QLatin1Char('X'))
            return nullptr;
    for (const auto& entry : def->FDefList)
        if (entry->FChar == A4SubCode.mid(3, 1)) {
            AFullDesc = FDesc + QStringLiteral(", ") + entry->FDesc;
            return this;
        }
    return nullptr;
}

void TCodeInfo::GetAllValideCodes(QStringList& ACodeList, QStringList& ADescList) const {
    const TSevenCharDef* def = Get7CharDef();
    if (!FSubCodeList.empty()) {
        for (const auto& child : FSubCodeList)
            child->GetAllValideCodes(ACodeList, ADescList);
    } else if (def) {
        for (const auto& entry : def->FDefList) {
            if (entry->InExceptionRule(FCode))
                continue;
            ACodeList << CompleteWithSeventh(*this, entry->FChar);
            ADescList << FDesc + QStringLiteral(", ") + entry->FDesc;
        }
    } else {
        ACodeList << FCode;
        ADescList << FDesc;
    }
}

void TCodeInfo::GetAllNodeAndCodes(QStringList& ACodeNodeList, QStringList& AFlagList,
                                   QStringList& ADescList) const {
    const TSevenCharDef* def = Get7CharDef();
    const QString notReportable = QStringLiteral("0"), reportable = QStringLiteral("1");
    if (!FSubCodeList.empty()) {
        ACodeNodeList << FCode;
        AFlagList << notReportable;
        ADescList << FDesc;
        for (const auto& child : FSubCodeList)
            child->GetAllNodeAndCodes(ACodeNodeList, AFlagList, ADescList);
    } else if (def) {
        ACodeNodeList << FCode;
        AFlagList << notReportable;
        ADescList << FDesc;
        for (const auto& entry : def->FDefList) {
            if (entry->InExceptionRule(FCode))
                continue;
            ACodeNodeList << CompleteWithSeventh(*this, entry->FChar);
            AFlagList << reportable;
            ADescList << FDesc + QStringLiteral(", ") + entry->FDesc;
        }
    } else {
        ACodeNodeList << FCode;
        AFlagList << reportable;
        ADescList << FDesc;
    }
}
