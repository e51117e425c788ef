// Keyword data: the keywords of each category, the distinct keywords with their counts, and the
// irregular plurals the keyword search uses to highlight plural forms.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// The keywords of one code, kept sorted without regard to case; a keyword already present in
// any case is not added again.
class TCodeKeywords {
public:
    QString FCode;
    QStringList FKeywords;
    int FSelectFlag = 0; // kept for the keyword file tools; nothing reads it

    // Adds AKeyword at its sorted place unless present (case ignored); false when it was.
    bool AddKeyword(const QString& AKeyword);
};

// One distinct keyword of the whole keyword file and how often it occurs there.
class TKeywordsRef {
public:
    QString FKeyWord; // the form met first
    int FRefCount = 0;
    QString FUpperKey; // FKeyWord in upper case: the sort key, kept to avoid recomputing it
};

// One irregular plural: singular, plural and an optional second plural (penny, pence, pennies).
class TKeywordSpecialFormat {
public:
    QString FKeyWord;
    QString FSpecial1;
    QString FSpecial2;
};

using TCodeKeywordsList = std::vector<std::unique_ptr<TCodeKeywords>>;
using TKeywordRefList = std::vector<std::unique_ptr<TKeywordsRef>>;
using TSpecialKeywordList = std::vector<std::unique_ptr<TKeywordSpecialFormat>>;
