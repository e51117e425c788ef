#include "AdminDefaults.h"

TAdminFileDefaults AdminFileDefaults(const QString& AFolder, const QString& AYear) {
    const auto path = [&](const char* APattern) {
        return AFolder + QString::fromLatin1(APattern).arg(AYear);
    };
    TAdminFileDefaults d;
    d.OriginalKW = path("UnArrangedCodeKeywords_%1.txt");
    d.NewKW = path("ArrangedTabulonKW_%1.txt");
    d.DistinctKW = path("DistinctTabulonKW_%1.txt");
    d.MyOrderFile = path("ICD_10_%1_My_Order_WithFlag.txt");
    d.OfficialOrderFile = path("icd10cm_order_%1.txt");
    d.ShortNoFlag = path("ICD_10_%1_New_ShortDesc.txt");
    d.LongNoFlag = path("ICD_10_%1_New_LongDesc.txt");
    d.ShortWithFlag = path("ICD_10_%1_New_ShortDesc_WithFlag.txt");
    d.LongWithFlag = path("ICD_10_%1_New_LongDesc_WithFlag.txt");
    d.ReportableShort = path("ICD_10_%1_ReportableCodesShort.txt");
    d.ReportableLong = path("ICD_10_%1_ReportableCodesLong.txt");
    d.DistinctKWStats = path("Distinct_Tabulon_KW_%1.txt");
    d.AllCodesText = path("AllCodesTextForVerify_%1.txt");
    return d;
}
