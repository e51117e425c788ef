// The default paths of the administrator's files: a name in AFolder (the program folder, with
// a trailing "/") that carries the edition AYear. The window fills its boxes with them and the
// command line uses them for the paths it is not given.
#pragma once

#include <QString>

struct TAdminFileDefaults {
    QString OriginalKW;        // UnArrangedCodeKeywords_Y.txt: hand-made keywords, also the code text
    QString NewKW;             // ArrangedTabulonKW_Y.txt
    QString DistinctKW;        // DistinctTabulonKW_Y.txt
    QString MyOrderFile;       // ICD_10_Y_My_Order_WithFlag.txt: written by the statistics
    QString OfficialOrderFile; // icd10cm_order_Y.txt
    QString ShortNoFlag;       // ICD_10_Y_New_ShortDesc.txt
    QString LongNoFlag;        // ICD_10_Y_New_LongDesc.txt
    QString ShortWithFlag;     // ICD_10_Y_New_ShortDesc_WithFlag.txt
    QString LongWithFlag;      // ICD_10_Y_New_LongDesc_WithFlag.txt
    QString ReportableShort;   // ICD_10_Y_ReportableCodesShort.txt
    QString ReportableLong;    // ICD_10_Y_ReportableCodesLong.txt
    QString DistinctKWStats;   // Distinct_Tabulon_KW_Y.txt: the file the statistics count
    QString AllCodesText;      // AllCodesTextForVerify_Y.txt
};

TAdminFileDefaults AdminFileDefaults(const QString& AFolder, const QString& AYear);
