// Rendering one page of composed code text into its plain text and the coloured runs the viewer
// paints over it, in painting order (a later run paints over an earlier one).
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct TRgb {
    int Red, Green, Blue;
    bool operator==(const TRgb&) const = default;
};

inline constexpr TRgb kTextGrey{64, 64, 64};
inline constexpr TRgb kBlack{0, 0, 0};
inline constexpr TRgb kHeaderCodeRed{255, 0, 0};
inline constexpr TRgb kSeventhCodeBlue{0, 0, 255};
inline constexpr TRgb kFinalCodeGreen{0, 128, 0};
inline constexpr TRgb kTypeWordPurple{128, 0, 128};
inline constexpr TRgb kKeywordFuchsia{255, 0, 255};

struct TColourRun {
    qsizetype Start;
    qsizetype Length;
    TRgb Colour;
    bool operator==(const TColourRun&) const = default;
};

struct TRenderedPage {
    QString Text;                // the page's lines, each followed by a line feed
    QList<TColourRun> Runs;      // grey base, black lines, code tokens, type words, keywords
    qsizetype SelectedStart = -1; // the selected code token to underline, or -1
    qsizetype SelectedLength = 0;
    int OriginalLine = 0;        // anchor lines up to and including the page's first line
};

// Renders page APage (from 1) of ALines with AHeight lines per page. ASelectedCode is compared
// with the code token of code lines; AKeywordVariants (upper case) are highlighted as whole words
// on every line but note lines; ATypeWords are highlighted wherever they stand as whole words.
TRenderedPage RenderPage(const QStringList& ALines, const QString& AKinds, int AHeight, int APage,
                         const QString& ASelectedCode, const QStringList& AKeywordVariants,
                         const QStringList& ATypeWords);

// Whole-word occurrences of AWords in AText without regard to case, as runs of AColour.
QList<TColourRun> HighlightWords(const QString& AText, const QStringList& AWords, TRgb AColour);
