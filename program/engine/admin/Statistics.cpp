#include "Statistics.h"

#include "Waiting.h"

namespace {

int TermLines(const TAlphaLetterList* AList) {
    int lines = 0;
    if (!AList)
        return 0;
    for (const auto& letter : *AList)
        for (const auto& term : letter->FMainTermList)
            lines += term->GetTextLines();
    return lines;
}

// Reportable codes by number of code characters 3..7; the text lengths include the point.
struct TCodeLengthCounts {
    int C[5] = {0, 0, 0, 0, 0};
    void Count(const QString& ACode) {
        switch (ACode.size()) {
        case 3: ++C[0]; break;
        case 5: ++C[1]; break;
        case 6: ++C[2]; break;
        case 7: ++C[3]; break;
        case 8: ++C[4]; break;
        default: break;
        }
    }
    int Total() const { return C[0] + C[1] + C[2] + C[3] + C[4]; }
};

} // namespace

TAdminOutcome StatisticsOf(const TStatisticsSources& ASources, bool AGenerateOrderFile,
                           const QString& AFileName, QStringList& AMemo) {
    TAdminOutput order(AFileName);
    if (AGenerateOrderFile && !order.Open())
        return TAdminOutcome::NotOpened(order.Error());

    const int d = TermLines(ASources.DiseaseIndex);
    const int e = TermLines(ASources.ExternalIndex);
    const int dt = TermLines(ASources.DrugTable);
    const int nt = TermLines(ASources.NeoplasmTable);
    AMemo = QStringList{QStringLiteral("DLines : %1, ELines: %2, DTLines: %3, NTLines: %4, Total: %5 ")
                            .arg(d).arg(e).arg(dt).arg(nt).arg(d + e + dt + nt)};

    int chapters = 0, chpLines = 0, subChpNum = 0, subChpLines = 0, codesLines = 0;
    int node3 = 0, node4 = 0, node5 = 0, node6 = 0;
    TCodeLengthCounts codes;
    if (ASources.Chapters) {
        for (const auto& chapter : *ASources.Chapters) {
            ++chapters;
            chpLines += chapter->GetTextLines();
            subChpNum += static_cast<int>(chapter->FSubList.size());
            for (const auto& section : chapter->FSubList) {
                subChpLines += section->GetTextLines();
                for (const auto& category : section->FCodeList) {
                    ++node3;
                    codesLines += category->GetTextLines();
                    if (AGenerateOrderFile) {
                        QStringList list, flags, descs;
                        category->GetAllNodeAndCodes(list, flags, descs);
                        for (qsizetype i = 0; i < list.size(); ++i) {
                            order.WriteLine(list[i].leftJustified(9, QLatin1Char(' ')) + flags[i] +
                                            QLatin1Char(' ') + descs[i]);
                            if (flags[i] == QLatin1String("1"))
                                codes.Count(list[i]);
                        }
                    } else {
                        QStringList list, descs;
                        category->GetAllValideCodes(list, descs);
                        for (const QString& code : list)
                            codes.Count(code);
                    }
                    node4 += static_cast<int>(category->FSubCodeList.size());
                    for (const auto& sub : category->FSubCodeList) {
                        node5 += static_cast<int>(sub->FSubCodeList.size());
                        for (const auto& subSub : sub->FSubCodeList)
                            node6 += static_cast<int>(subSub->FSubCodeList.size());
                    }
                }
            }
        }
    }
    AMemo << QStringLiteral("ChpNum : %1, ChpLines: %2, SubChpNum: %3, SubChpLines: %4, "
                            "CodesLines: %5, Node3: %6, Node4: %7, Node5: %8, Node6: %9, ")
                     .arg(chapters).arg(chpLines).arg(subChpNum).arg(subChpLines).arg(codesLines)
                     .arg(node3).arg(node4).arg(node5).arg(node6) +
                 QStringLiteral("Total: %1, 3 codes: %2, 4 codes: %3, 5 codes: %4, 6 codes: %5, "
                                "7 codes: %6, total: %7")
                     .arg(node3 + node4 + node5 + node6)
                     .arg(codes.C[0]).arg(codes.C[1]).arg(codes.C[2]).arg(codes.C[3]).arg(codes.C[4])
                     .arg(codes.Total());
    if (AGenerateOrderFile && !order.Commit())
        return TAdminOutcome::Failed(order.Error());
    return {};
}

TAdminOutcome Statistics(bool AGenerateOrderFile, const QString& AFileName, QStringList& AMemo) {
    CreateGlobalContainers();
    for (const TLoadState* state : {&DiseaseIndexLoadState, &ExternalIndexLoadState,
                                    &DrugTableLoadState, &NeoplasmTableLoadState, &TabularLoadState})
        WaitWhileLoading(*state);
    return StatisticsOf({ChapterList, DiseaseIndexList, ExternalIndexList, DrugTableList,
                         NeoplasmTableList},
                        AGenerateOrderFile, AFileName, AMemo);
}
