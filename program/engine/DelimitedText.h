// Splitting of delimited text the way the classification's rule and list texts are written:
// items end at the delimiter and also at blanks and control characters, and a part in double
// quotes is one item (a doubled quote inside stands for one quote).
#pragma once

#include <QString>
#include <QStringList>

QStringList SplitDelimitedText(const QString& AText, QChar ADelimiter);

// AText without leading and trailing blanks and control characters (code units <= U+0020).
QString TrimControl(const QString& AText);
