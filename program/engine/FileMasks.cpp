#include "FileMasks.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace {

// Matches one "[...]" set at AMask[APos] (the "[") against AChar. On return APos is the index
// just past the "]". Returns nothing when the set is never closed.
std::optional<bool> MatchSet(const QString& AMask, qsizetype& APos, QChar AChar) {
    qsizetype pos = APos + 1;
    bool negated = false;
    if (pos < AMask.size() && AMask[pos] == QLatin1Char('!')) {
        negated = true;
        ++pos;
    }
    bool matched = false;
    bool first = true;
    while (pos < AMask.size() && (first || AMask[pos] != QLatin1Char(']'))) {
        first = false;
        const QChar low = AMask[pos].toCaseFolded();
        if (pos + 2 < AMask.size() && AMask[pos + 1] == QLatin1Char('-') &&
            AMask[pos + 2] != QLatin1Char(']')) {
            const QChar high = AMask[pos + 2].toCaseFolded();
            if (AChar >= low && AChar <= high)
                matched = true;
            pos += 3;
        } else {
            if (AChar == low)
                matched = true;
            ++pos;
        }
    }
    if (pos >= AMask.size())
        return std::nullopt;
    APos = pos + 1;
    return matched != negated;
}

// Iterative wildcard match with one back-tracking point for the last "*": linear in practice
// and never recursive, whatever the mask.
bool MatchesMask(const QString& AText, const QString& AMask) {
    const QString text = AText.toCaseFolded();
    const QString mask = AMask.toCaseFolded();
    qsizetype t = 0, m = 0;
    qsizetype starMask = -1, starText = 0;
    while (t < text.size()) {
        bool advanced = false;
        if (m < mask.size()) {
            const QChar c = mask[m];
            if (c == QLatin1Char('*')) {
                starMask = m++;
                starText = t;
                continue;
            }
            if (c == QLatin1Char('?')) {
                ++m;
                ++t;
                continue;
            }
            if (c == QLatin1Char('[')) {
                qsizetype next = m;
                const std::optional<bool> inSet = MatchSet(mask, next, text[t]);
                if (!inSet) {
                    advanced = text[t] == c; // an unclosed "[" is a plain character
                    if (advanced) {
                        ++m;
                        ++t;
                    }
                } else if (*inSet) {
                    m = next;
                    ++t;
                    advanced = true;
                }
            } else if (c == text[t]) {
                ++m;
                ++t;
                advanced = true;
            }
        }
        if (advanced)
            continue;
        if (starMask < 0)
            return false;
        m = starMask + 1;
        t = ++starText;
    }
    while (m < mask.size() && mask[m] == QLatin1Char('*'))
        ++m;
    return m == mask.size();
}

} // namespace

bool MatchesAnyMask(const QString& APath, const QStringList& AMaskList) {
    for (const QString& mask : AMaskList)
        if (MatchesMask(APath, mask))
            return true;
    return false;
}

void FindFilesByMask(const QString& AFolder, const QString& AMasks, QStringList& AResult,
                     bool ARecurse) {
    const QDir dir(AFolder);
    if (AFolder.isEmpty() || !dir.exists())
        return;
    QString folder = AFolder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    const QStringList masks = AMasks.split(QLatin1Char(';'));

    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QFileInfo& entry : entries) {
        if (ARecurse && entry.isDir()) {
            if (!entry.isSymLink())
                FindFilesByMask(folder + entry.fileName() + QLatin1Char('/'), AMasks, AResult,
                                true);
            continue;
        }
        if (MatchesAnyMask(folder + entry.fileName(), masks))
            AResult << entry.fileName();
    }
}
