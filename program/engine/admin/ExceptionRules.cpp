#include "ExceptionRules.h"

#include "CodeQueries.h"
#include "EngineGlobals.h"
#include "OrderFile.h"
#include "TabularLoader.h"

#include <QHash>
#include <QSet>

#include <cstring>
#include <functional>
#include <map>
#include <pugixml.hpp>
#include <set>

namespace {

struct TRule {
    int Pos;
    QChar Val;
    bool operator<(const TRule& A) const {
        return Pos != A.Pos ? Pos < A.Pos : Val.unicode() < A.Val.unicode();
    }
    bool Matches(const QString& ACode) const { return ACode.size() > Pos && ACode[Pos] == Val; }
};

// Which leaves complete a seventh-character entry, sorted by whether the order file has them.
struct TEntryUse {
    QString Owner; // code of the node whose definition holds the entry
    int Index = 0; // the entry's place in that definition
    QStringList Valid, Invalid;
};

const TCodeInfo* OwnerOf(const TCodeInfo& ALeaf, const TSevenCharDef* ADef) {
    for (const TCodeInfo* node = &ALeaf; node; node = node->FParent)
        if (node->GetSelf7CharDef() == ADef)
            return node;
    return nullptr;
}

void CollectUses(const TCodeInfo& ANode, const QSet<QString>& AValid,
                 std::map<const TCharDef*, TEntryUse>& AUses) {
    for (const auto& child : ANode.FSubCodeList)
        CollectUses(*child, AValid, AUses);
    const TSevenCharDef* def = ANode.Get7CharDef();
    if (!ANode.FSubCodeList.empty() || !def)
        return;
    const TCodeInfo* owner = OwnerOf(ANode, def);
    for (std::size_t i = 0; i < def->FDefList.size(); ++i) {
        const TCharDef* entry = def->FDefList[i].get();
        TEntryUse& use = AUses[entry];
        use.Owner = owner->FCode;
        use.Index = static_cast<int>(i);
        const QString completed = CompleteWithSeventh(ANode, entry->FChar);
        (AValid.contains(completed) ? use.Valid : use.Invalid) << ANode.FCode;
    }
}

// Greedy cover of the invalid leaves by rules that spare every valid leaf.
QString RulesFor(const TEntryUse& AUse, int& ARuleCount, QStringList& AProblems) {
    std::set<TRule> candidates;
    for (const QString& leaf : AUse.Invalid)
        for (int pos = 4; pos <= 6 && pos < leaf.size(); ++pos) {
            const TRule rule{pos, leaf[pos]};
            bool sparesValid = true;
            for (const QString& valid : AUse.Valid)
                sparesValid = sparesValid && !rule.Matches(valid);
            if (sparesValid)
                candidates.insert(rule);
        }
    QStringList uncovered = AUse.Invalid;
    QStringList parts;
    while (!uncovered.isEmpty()) {
        const TRule* best = nullptr;
        int bestCount = 0;
        for (const TRule& rule : candidates) {
            int count = 0;
            for (const QString& leaf : uncovered)
                count += rule.Matches(leaf);
            if (count > bestCount) {
                best = &rule;
                bestCount = count;
            }
        }
        if (!best) {
            for (const QString& leaf : uncovered)
                AProblems << QStringLiteral("no rule can exclude the seventh character of %1 "
                                            "(definition of %2, entry %3)")
                                 .arg(leaf, AUse.Owner)
                                 .arg(AUse.Index + 1);
            break;
        }
        const TRule chosen = *best;
        parts << QStringLiteral("%1:%2").arg(chosen.Pos).arg(chosen.Val);
        ++ARuleCount;
        uncovered.removeIf([&](const QString& leaf) { return chosen.Matches(leaf); });
        candidates.erase(chosen);
    }
    return parts.join(QLatin1Char(';'));
}

// The diag element of every code, by code text.
void IndexDiags(const pugi::xml_node& ANode, QHash<QString, pugi::xml_node>& ADiags) {
    for (pugi::xml_node child : ANode.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (!std::strcmp(child.name(), "diag"))
            ADiags.insert(QString::fromUtf8(child.child_value("name")).trimmed(), child);
        IndexDiags(child, ADiags);
    }
}

QSet<QString> AllReportableCodes() {
    QStringList codes, descriptions;
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList)
                category->GetAllValideCodes(codes, descriptions);
    return QSet<QString>(codes.begin(), codes.end());
}

void ListDifference(const QSet<QString>& A, const QSet<QString>& B, const QString& AWhat,
                    QStringList& AProblems) {
    QStringList missing;
    for (const QString& code : A)
        if (!B.contains(code))
            missing << code;
    missing.sort();
    for (const QString& code : missing.mid(0, 20))
        AProblems << AWhat.arg(code);
    if (missing.size() > 20)
        AProblems << QStringLiteral("... and %1 more").arg(missing.size() - 20);
}

} // namespace

bool DeriveExceptionRules(const QString& ATabularFile, const QString& AOrderFile,
                          const QString& AOutFile, TExceptionRuleReport& AReport) {
    QHash<QString, QString> orderCodes;
    QString error;
    if (!ReadOrderFileCodes(AOrderFile, true, orderCodes, &error)) {
        AReport.Problems << error;
        return false;
    }
    const QSet<QString> valid(orderCodes.keyBegin(), orderCodes.keyEnd());

    if (!LoadTabularFromFile(ATabularFile)) {
        AReport.Problems << QStringLiteral("cannot load the tabular list %1").arg(ATabularFile);
        return false;
    }
    // Rules already in the source are replaced by the derived ones.
    std::map<const TCharDef*, TEntryUse> uses;
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList) {
                std::function<void(TCodeInfo&)> clear = [&](TCodeInfo& ANode) {
                    if (const TSevenCharDef* def = ANode.GetSelf7CharDef())
                        for (const auto& entry : def->FDefList)
                            entry->FDefExceptionList.clear();
                    for (const auto& child : ANode.FSubCodeList)
                        clear(*child);
                };
                clear(*category);
                CollectUses(*category, valid, uses);
            }

    pugi::xml_document document;
    // Whitespace, line ends, comments and the declaration are kept so that the written list
    // differs from the source only in its exception attributes.
    const unsigned options = (pugi::parse_default & ~pugi::parse_eol) | pugi::parse_declaration |
                             pugi::parse_ws_pcdata | pugi::parse_comments;
    if (!document.load_file(ATabularFile.toLocal8Bit().constData(), options)) {
        AReport.Problems << QStringLiteral("cannot parse %1").arg(ATabularFile);
        return false;
    }
    QHash<QString, pugi::xml_node> diags;
    IndexDiags(document.document_element(), diags);
    for (pugi::xml_node diag : diags)
        for (pugi::xml_node ext : diag.child("sevenChrDef").children("extension"))
            ext.remove_attribute("exception");

    for (const auto& [entry, use] : uses) {
        if (use.Invalid.isEmpty())
            continue;
        const QString rules = RulesFor(use, AReport.Rules, AReport.Problems);
        if (rules.isEmpty())
            continue;
        ++AReport.Entries;
        pugi::xml_node ext = diags.value(use.Owner).child("sevenChrDef").child("extension");
        for (int i = 0; i < use.Index && ext; ++i)
            ext = ext.next_sibling("extension");
        if (!ext) {
            AReport.Problems << QStringLiteral("no extension element for %1").arg(use.Owner);
            continue;
        }
        ext.append_attribute("exception").set_value(rules.toUtf8().constData());
    }
    if (!document.save_file(AOutFile.toLocal8Bit().constData(), "", pugi::format_raw | pugi::format_no_declaration,
                            pugi::encoding_utf8)) {
        AReport.Problems << QStringLiteral("cannot write %1").arg(AOutFile);
        return false;
    }

    // The proof: the written list yields exactly the order file's valid codes.
    if (!LoadTabularFromFile(AOutFile)) {
        AReport.Problems << QStringLiteral("the written tabular list %1 does not load").arg(AOutFile);
        return false;
    }
    const QSet<QString> reportable = AllReportableCodes();
    AReport.Reportable = static_cast<int>(reportable.size());
    ListDifference(reportable, valid, QStringLiteral("reportable in the tabular list but not valid in the order file: %1"), AReport.Problems);
    ListDifference(valid, reportable, QStringLiteral("valid in the order file but not reportable in the tabular list: %1"), AReport.Problems);
    return AReport.Problems.isEmpty();
}
