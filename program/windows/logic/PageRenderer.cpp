#include "PageRenderer.h"

#include "CodeTextLayout.h"
#include "WordBoundaries.h"

namespace {

bool IsKind(QChar AKind, const char* AKinds) {
    for (const char* k = AKinds; *k; ++k)
        if (AKind == QLatin1Char(*k))
            return true;
    return false;
}

TRgb CodeColour(QChar AKind) {
    if (AKind == QLatin1Char('2'))
        return kHeaderCodeRed;
    if (AKind == QLatin1Char('5'))
        return kSeventhCodeBlue;
    return kFinalCodeGreen;
}

} // namespace

QList<TColourRun> HighlightWords(const QString& AText, const QStringList& AWords, TRgb AColour) {
    QList<TColourRun> runs;
    const QString upper = AText.toUpper();
    for (const QString& word : AWords) {
        const QString key = word.toUpper();
        if (key.isEmpty())
            continue;
        for (qsizetype at = upper.indexOf(key); at >= 0; at = upper.indexOf(key, at + key.size()))
            if (IsWholeWordAt(upper, at, key.size()))
                runs << TColourRun{at, key.size(), AColour};
    }
    return runs;
}

TRenderedPage RenderPage(const QStringList& ALines, const QString& AKinds, int AHeight, int APage,
                         const QString& ASelectedCode, const QStringList& AKeywordVariants,
                         const QStringList& ATypeWords) {
    TRenderedPage page;
    const int first = (APage - 1) * AHeight;
    const int last = std::min(static_cast<int>(ALines.size()), first + AHeight);
    page.OriginalLine = first < AKinds.size() ? CountAnchors(AKinds, first + 1) : 0;

    QList<TColourRun> black, codes, keywords;
    for (int i = std::max(first, 0); i < last; ++i) {
        const QString& line = ALines[i];
        const qsizetype start = page.Text.size();
        page.Text += line + QLatin1Char('\n');
        if (line.isEmpty())
            continue;
        const QChar kind = i < AKinds.size() ? AKinds[i] : QLatin1Char('0');
        if (!IsKind(kind, "08")) {
            if (!IsKind(kind, "4C"))
                black << TColourRun{start, line.size(), kBlack};
            QList<qsizetype> positions, lengths;
            FindWordPositions(line, AKeywordVariants, positions, lengths);
            for (qsizetype k = 0; k < positions.size(); ++k)
                keywords << TColourRun{start + positions[k], lengths[k], kKeywordFuchsia};
        }
        if (IsKind(kind, "235")) {
            qsizetype tokenStart = 0;
            while (tokenStart < line.size() && line[tokenStart] == QLatin1Char(' '))
                ++tokenStart;
            qsizetype tokenEnd = tokenStart;
            while (tokenEnd < line.size() && line[tokenEnd] != QLatin1Char(' '))
                ++tokenEnd;
            codes << TColourRun{start + tokenStart, tokenEnd - tokenStart, CodeColour(kind)};
            if (!ASelectedCode.isEmpty() && page.SelectedStart < 0 &&
                line.mid(tokenStart, tokenEnd - tokenStart) == ASelectedCode) {
                page.SelectedStart = start + tokenStart;
                page.SelectedLength = tokenEnd - tokenStart;
            }
        }
    }
    page.Runs << TColourRun{0, page.Text.size(), kTextGrey};
    page.Runs << black << codes << HighlightWords(page.Text, ATypeWords, kTypeWordPurple) << keywords;
    return page;
}
