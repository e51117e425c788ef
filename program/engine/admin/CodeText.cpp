#include "CodeText.h"

#include "Waiting.h"

namespace {

const QString kIndent(9, QLatin1Char(' '));

// The code followed by blanks up to nine characters (none for a longer code).
QString CodeField(const QString& ACode) { return ACode.leftJustified(9, QLatin1Char(' ')); }

// One text line of AppendTitle and what it counts.
QString TextLine(const QString& AText, bool AAddComma, int& ACount) {
    if (!AAddComma) {
        ACount = 1;
        return AText;
    }
    QString joined;
    JoinWithCommas(AText, QLatin1Char(' '), QLatin1Char(','), joined, ACount);
    return joined;
}

} // namespace

void JoinWithCommas(const QString& AText, QChar ADelimiter, QChar ASeparator, QString& AResult,
                    int& ACount) {
    AResult.clear();
    ACount = 0;
    for (const QString& raw : AText.split(ADelimiter)) {
        const QString piece = raw.trimmed();
        if (piece.isEmpty())
            continue;
        if (AResult.isEmpty()) {
            AResult = piece;
            ACount = 1;
        } else if (AResult.endsWith(ASeparator)) {
            AResult += QLatin1Char(' ') + piece;
        } else {
            AResult += ASeparator + QLatin1Char(' ') + piece;
            ++ACount;
        }
    }
}

void AppendTitle(const TCodeInfo& ACodeInfo, QStringList& AStringList, int& ATotalWordNum,
                 bool AAddComma) {
    int count = 0;
    AStringList << CodeField(ACodeInfo.FCode) + TextLine(ACodeInfo.FDesc, AAddComma, count);
    ATotalWordNum = count;
    for (const auto& item : ACodeInfo.FItemList) {
        if (const auto* sevenChars = dynamic_cast<const TSevenCharDef*>(item.get())) {
            for (const auto& def : sevenChars->FDefList) {
                AStringList << kIndent + def->FChar + QStringLiteral(" - ") + def->FDesc;
                ++ATotalWordNum;
            }
            continue;
        }
        const auto* note = dynamic_cast<const TNoteBase*>(item.get());
        if (!note || !(dynamic_cast<const TSevenCharNote*>(note) || dynamic_cast<const TIncludes*>(note) ||
                       dynamic_cast<const TInclusionTerm*>(note)))
            continue; // excludes, code first, notes and the rest give no keywords
        if (!note->FTypeWord.isEmpty())
            AStringList << kIndent + note->FTypeWord;
        for (const QString& text : note->FNoteList) {
            AStringList << kIndent + TextLine(text, AAddComma, count);
            ATotalWordNum += count;
        }
    }
    for (const auto& sub : ACodeInfo.FSubCodeList) {
        AppendTitle(*sub, AStringList, count, AAddComma);
        ATotalWordNum += count;
    }
}

QStringList CodeTextLines(const TChapterList& AChapters, bool AAddComma, int& ATotal) {
    QStringList lines;
    ATotal = 0;
    for (const auto& chapter : AChapters)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList) {
                int count = 0;
                AppendTitle(*category, lines, count, AAddComma);
                ATotal += count;
            }
    return lines;
}

QStringList AllCodeTextLines(const TChapterList& AChapters) {
    QStringList lines;
    for (const auto& chapter : AChapters)
        for (const auto& section : chapter->FSubList)
            for (const auto& category : section->FCodeList) {
                QStringList codes, descs;
                category->GetAllValideCodes(codes, descs);
                for (qsizetype i = 0; i < codes.size(); ++i)
                    lines << CodeField(codes[i]) + descs[i];
            }
    return lines;
}

TAdminOutcome GenerateCodeTextFile(const QString& AFile, bool AAddComma, int& ATotal) {
    CreateGlobalContainers();
    WaitWhileLoading(TabularLoadState);
    const QStringList lines = CodeTextLines(*ChapterList, AAddComma, ATotal);
    return WriteAdminLines(AFile, lines);
}

TAdminOutcome GenerateAllCodeText(const QString& AFile) {
    CreateGlobalContainers();
    WaitWhileLoading(TabularLoadState);
    return WriteAdminLines(AFile, AllCodeTextLines(*ChapterList));
}
