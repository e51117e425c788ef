#include "IndexCodeText.h"

#include "CodeQueries.h"

std::optional<QString> IndexCodeText(const QString& AText) {
    QString category;
    QString subCode;
    if (SplitCode(AText, category, subCode))
        return subCode.isEmpty() ? category : category + QLatin1Char('.') + subCode;
    // A40-: a category with a dash in place of the point and the sub-code.
    if (AText.size() == 4 && AText[3] == QLatin1Char('-') &&
        SplitCode(AText.left(3), category, subCode))
        return category;
    return std::nullopt;
}

QString TermFieldText(const TTerm& ATerm, TTermField AField) {
    switch (AField) {
    case TTermField::Manifest:
        return ATerm.FManifest;
    case TTermField::SeeCategory:
        return ATerm.FSeeCat;
    case TTermField::SeeSubcategory:
        return ATerm.FSubCat;
    case TTermField::Code:
        break;
    }
    return ATerm.FCode;
}

bool IsCodeCell(int ARow, int AColumn) {
    return ARow >= 1 && AColumn >= 2 && AColumn <= 7;
}
