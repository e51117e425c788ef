#include "IndexModel.h"

QString TTerm::GetFullTitle(bool AShowManif) const {
    QString title = FTitle;
    if (!FSee.isEmpty())
        title += QStringLiteral(" --see ") + FSee;
    if (!FSeeAlso.isEmpty())
        title += QStringLiteral(" --see also ") + FSeeAlso;
    if (AShowManif && !FManifest.isEmpty())
        title += QStringLiteral(" [") + FManifest + QLatin1Char(']');
    if (!FSeeCat.isEmpty())
        title += QStringLiteral(" --see category ") + FSeeCat;
    if (!FSubCat.isEmpty())
        title += QStringLiteral(" --see subcategory ") + FSubCat;
    return title;
}

int TTerm::GetTextLines() const {
    int lines = 1;
    for (const auto& sub : FSubTermList)
        lines += sub->GetTextLines();
    return lines;
}
