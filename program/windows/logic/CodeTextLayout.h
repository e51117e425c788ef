// Composition of a chapter, a section or a category with all its sub-codes into lines of
// fixed-pitch text for the code viewer. Each line gets a kind character:
//   "0" note line, "1" header line, "2" code line, "3" final code line, "4" detail line,
//   "5" seventh-character code line or page filler; "8", "9", "C", "D" continue a wrapped
//   "0", "1"/"2"/"3", "4", "5" line. Kinds "0" to "4" are anchor lines: they do not depend on
//   the width or the page height and keep the reading position across a resize.
#pragma once

#include "TabularModel.h"

#include <QString>
#include <QStringList>

// The composed text of one object.
struct TComposedText {
    QStringList Lines;
    QString Kinds;         // one kind character per line
    QStringList TypeWords; // distinct note headings met ("INCLUDES", "EXCLUDES 1:", ...)
};

enum class TAlignment { Left, Right, Centre };

QString FillChars(int ACount, QChar AChar);
QString PadText(int AWidth, QChar AChar, const QString& AText, TAlignment AAlignment);
// Indentation of a code level: narrow 0/2/4/6/8, wide 0/6/10/13/16 blanks for levels 0..4+.
QString IndentFor(int ALevel, bool AWide);
// Whether the 1-based lines A and B fall on the same page of AHeight lines.
bool SamePage(int A, int B, int AHeight);
// The 1-based page of pages of AHeight lines that holds the 1-based line ALine (0 for line 0).
int PageOfLine(int ALine, int AHeight);

// Appends AText as lines of at most AWidth characters, broken at the rightmost blank that fits;
// continuation lines begin with AIndent and get the continuation kind of AKind. A word longer
// than the width stays whole on an over-long line.
void WrapLine(const QString& AText, int AWidth, const QString& AIndent, TComposedText& AOut, int AKind);

// A category (or any code) with its notes and sub-codes. ASelectedSubCode, when not empty,
// names the sub-code to find; ALine receives its 1-based line (unchanged when not found). A
// code's block moves to the next page, behind filler lines, when it would straddle a page
// boundary and is shorter than a page.
void ComposeCodeText(const TCodeInfo& ACode, int AWidth, int AHeight, QString& ASelectedSubCode,
                     int& ALine, TComposedText& AOut);
// A chapter's title and notes, always 90 characters wide.
void ComposeChapterText(const TChapter& AChapter, TComposedText& AOut);
// A section's title and notes (its categories are not part of its text).
void ComposeSectionText(const TSubChapter& ASection, int AWidth, TComposedText& AOut);
// The visual impairment table, 90 characters wide: per category its number, then each notation
// of its limits as a row of maximum and minimum visual acuity.
void ComposeVisualImpairmentTable(const TVisualImpairment& ATable, TComposedText& AOut);

// Anchor lines among the kind characters 1 .. AUpTo (1-based, inclusive).
int CountAnchors(const QString& AKinds, int AUpTo);
// The first 1-based line at which AAnchors anchor lines have been seen (the first anchor line for
// 0); the line after the last when never reached.
int LineOfAnchor(const QString& AKinds, int AAnchors);
