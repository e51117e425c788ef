#include "CodeTextLayout.h"

#include "CodeQueries.h"
#include "TextHelpers.h"

namespace {

QChar KindChar(int AKind) { return QLatin1Char("0123456789ABCDEF"[AKind & 15]); }

bool IsAnchorKind(QChar AKind) { return AKind >= QLatin1Char('0') && AKind <= QLatin1Char('4'); }

int ContinuationKind(int AKind) {
    if (AKind >= 8)
        return AKind;
    const int next = AKind + 8;
    return (next == 10 || next == 11) ? 9 : next;
}

// The lines of one note list under a code, chapter or section.
void ComposeNotes(const TNoteBase& ANotes, const QString& ALead, int AWidth, int AKind, TComposedText& AOut) {
    for (qsizetype i = 0; i < ANotes.FNoteList.size(); ++i) {
        QString line = ALead;
        if (i == 0) {
            AddUniqueString(AOut.TypeWords, ANotes.FTypeWord);
            if (!ANotes.FTypeWord.isEmpty())
                line += ANotes.FTypeWord + QLatin1Char(' ');
        } else {
            line += ANotes.FIndent;
        }
        WrapLine(line + ANotes.FNoteList[i], AWidth, ALead + ANotes.FIndent, AOut, AKind);
    }
}

bool IsDetailNote(const TNoteBase& ANotes) {
    return dynamic_cast<const TSevenCharNote*>(&ANotes) || dynamic_cast<const TIncludes*>(&ANotes) ||
           dynamic_cast<const TInclusionTerm*>(&ANotes);
}

void ComposeInfoText(const TChapterInfo& AInfo, int AWidth, TComposedText& AOut) {
    const QString indent = FillChars(static_cast<int>(AInfo.FScope.size()) + 1, QLatin1Char(' '));
    WrapLine(AInfo.FScope + QLatin1Char(' ') + AInfo.FName, AWidth, indent, AOut, 1);
    for (const auto& item : AInfo.FItemList)
        if (const auto* notes = dynamic_cast<const TNoteBase*>(item.get()))
            ComposeNotes(*notes, indent, AWidth, 0, AOut);
}

QString Row(std::initializer_list<QString> ACells) {
    QString row = QStringLiteral("|");
    for (const QString& cell : ACells)
        row += cell + QLatin1Char('|');
    return row;
}

QString Centred(int AWidth, const QString& AText) {
    return PadText(AWidth, QLatin1Char(' '), AText, TAlignment::Centre);
}

} // namespace

QString FillChars(int ACount, QChar AChar) { return ACount <= 0 ? QString() : QString(ACount, AChar); }

QString PadText(int AWidth, QChar AChar, const QString& AText, TAlignment AAlignment) {
    const int missing = AWidth - static_cast<int>(AText.size());
    if (missing <= 0)
        return AText;
    switch (AAlignment) {
    case TAlignment::Left: return AText + FillChars(missing, AChar);
    case TAlignment::Right: return FillChars(missing, AChar) + AText;
    case TAlignment::Centre: return FillChars(missing / 2, AChar) + AText + FillChars(missing - missing / 2, AChar);
    }
    return AText;
}

QString IndentFor(int ALevel, bool AWide) {
    static const int wide[] = {0, 6, 10, 13, 16};
    static const int narrow[] = {0, 2, 4, 6, 8};
    const int level = std::clamp(ALevel, 0, 4);
    return FillChars(AWide ? wide[level] : narrow[level], QLatin1Char(' '));
}

int PageOfLine(int ALine, int AHeight) {
    return (ALine + AHeight - 1) / AHeight;
}

bool SamePage(int A, int B, int AHeight) {
    return PageOfLine(A, AHeight) == PageOfLine(B, AHeight);
}

void WrapLine(const QString& AText, int AWidth, const QString& AIndent, TComposedText& AOut, int AKind) {
    QString text = AText;
    int kind = AKind;
    for (;;) {
        if (text.size() <= AWidth) {
            AOut.Lines << text;
            AOut.Kinds += KindChar(kind);
            return;
        }
        // The rightmost blank at 1-based positions W + 1 down to length(I) + 1.
        qsizetype blank = -1;
        for (qsizetype p = AWidth + 1; p >= AIndent.size() + 1 && blank < 0; --p)
            if (p <= text.size() && text[p - 1] == QLatin1Char(' '))
                blank = p;
        if (blank < 0) {
            AOut.Lines << text;
            AOut.Kinds += KindChar(kind);
            return;
        }
        AOut.Lines << text.left(blank - 1);
        AOut.Kinds += KindChar(kind);
        text = AIndent + text.mid(blank);
        kind = ContinuationKind(kind);
    }
}

void ComposeCodeText(const TCodeInfo& ACode, int AWidth, int AHeight, QString& ASelectedSubCode,
                     int& ALine, TComposedText& AOut) {
    const int start = static_cast<int>(AOut.Lines.size()) + 1;
    const QString prefix = IndentFor(ACode.FLevel, false) + ACode.FCode + QLatin1Char(' ');
    const QString indent = FillChars(static_cast<int>(prefix.size()), QLatin1Char(' '));
    bool selected = false;
    if (!ASelectedSubCode.isEmpty() && SubCodeOf(ACode.FCode) == ASelectedSubCode) {
        ALine = start;
        ASelectedSubCode.clear();
        selected = true;
    }
    const int kind = ACode.IsFinalCode() ? 3 : (!ACode.Get7CharDef() || !ACode.FSubCodeList.empty()) ? 2 : 5;
    WrapLine(prefix + ACode.FDesc, AWidth, indent, AOut, kind);

    for (const auto& item : ACode.FItemList) {
        if (const auto* definition = dynamic_cast<const TSevenCharDef*>(item.get())) {
            const QString lead = IndentFor(ACode.FLevel + 1, true);
            for (const auto& entry : definition->FDefList)
                WrapLine(lead + entry->FChar + QStringLiteral(" - ") + entry->FDesc, AWidth, lead, AOut, 4);
        } else if (const auto* table = dynamic_cast<const TVisualImpairment*>(item.get())) {
            ComposeVisualImpairmentTable(*table, AOut);
        } else if (const auto* notes = dynamic_cast<const TNoteBase*>(item.get())) {
            QString lead;
            if (dynamic_cast<const TInclusionTerm*>(notes))
                lead = IndentFor(ACode.FLevel + 1, true);
            else if (notes->FTypeWord.isEmpty())
                lead = indent;
            else
                lead = IndentFor(ACode.FLevel, false) + QStringLiteral("    ");
            ComposeNotes(*notes, lead, AWidth, IsDetailNote(*notes) ? 4 : 0, AOut);
        }
    }

    const int end = static_cast<int>(AOut.Lines.size());
    if (AHeight > 0 && !SamePage(start, end, AHeight) && end - start < AHeight) {
        const int filler = AHeight - ((start - 1) % AHeight);
        for (int i = 0; i < filler; ++i)
            AOut.Lines.insert(start - 1, QString());
        AOut.Kinds.insert(start - 1, FillChars(filler, QLatin1Char('5')));
        if (selected)
            ALine += filler;
    }
    for (const auto& child : ACode.FSubCodeList)
        ComposeCodeText(*child, AWidth, AHeight, ASelectedSubCode, ALine, AOut);
}

void ComposeChapterText(const TChapter& AChapter, TComposedText& AOut) { ComposeInfoText(AChapter.FInfo, 90, AOut); }

void ComposeSectionText(const TSubChapter& ASection, int AWidth, TComposedText& AOut) {
    ComposeInfoText(ASection.FInfo, AWidth, AOut);
}

void ComposeVisualImpairmentTable(const TVisualImpairment& ATable, TComposedText& AOut) {
    const QString blank17 = FillChars(17, QLatin1Char(' ')), blank35 = FillChars(35, QLatin1Char(' '));
    const QString dash17 = FillChars(17, QLatin1Char('-')), dash34 = FillChars(34, QLatin1Char('-')),
                  dash35 = FillChars(35, QLatin1Char('-'));
    const QString twoBlanks = QStringLiteral("  ");
    const auto add = [&](const QString& ARow, int AKind) { WrapLine(ARow, 90, twoBlanks, AOut, AKind); };

    add(FillChars(90, QLatin1Char('-')), 0);
    add(Row({Centred(17, QStringLiteral("Category of")),
             Centred(70, QStringLiteral("Visual acuity with best possible correction"))}), 1);
    add(Row({blank17, FillChars(70, QLatin1Char('-'))}), 0);
    add(Row({Centred(17, QStringLiteral("visual impairment")), Centred(34, QStringLiteral("Maximum less than")),
             Centred(35, QStringLiteral("Minimum equal to or better than"))}), 1);
    add(Row({dash17, dash34, dash35}), 0);
    const auto& categories = ATable.FVisCategoryList;
    for (std::size_t i = 0; i < categories.size(); ++i) {
        const TVisCategory& category = *categories[i];
        if (!category.VisRanges[0])
            continue;
        const auto& ranges = category.VisRanges;
        // The category's number stands in the first column of its first row; its other notations
        // of the same limits (decimal, feet) follow under the limits, the category cell open.
        const QString number = category.FValue > 0 ? QString::number(category.FValue) : QString();
        add(Row({Centred(17, number), Centred(34, ranges[0]->FVisMax), Centred(35, ranges[0]->FVisMin)}), 0);
        for (std::size_t r = 1; r < ranges.size(); ++r) {
            if (!ranges[r])
                continue;
            add(Row({blank17, dash34, dash35}), 0);
            add(Row({blank17, Centred(34, ranges[r]->FVisMax), Centred(35, ranges[r]->FVisMin)}), 0);
        }
        if (i + 1 < categories.size())
            add(Row({dash17, dash34, dash35}), 0);
    }
    add(FillChars(90, QLatin1Char('-')), 0);
}

int CountAnchors(const QString& AKinds, int AUpTo) {
    int anchors = 0;
    for (int i = 0; i < AUpTo && i < AKinds.size(); ++i)
        anchors += IsAnchorKind(AKinds[i]);
    return anchors;
}

int LineOfAnchor(const QString& AKinds, int AAnchors) {
    int seen = 0;
    for (int i = 0; i < AKinds.size(); ++i) {
        if (!IsAnchorKind(AKinds[i]))
            continue;
        if (++seen >= std::max(AAnchors, 1))
            return i + 1;
    }
    return static_cast<int>(AKinds.size()) + 1;
}
