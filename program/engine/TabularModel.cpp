#include "TabularModel.h"

namespace {
// Every note list of one kind has the same heading word and indent; the lists share one copy of
// each text (a later change to one list's copy detaches it as usual).
QString SharedText(const char* AText) {
    static const QStringList words = [] {
        QStringList known;
        for (const char* word : {"INCLUDES", "CODE FIRST", "CODE ALSO", "USE ADDITIONAL",
                                 "EXCLUDES 1:", "EXCLUDES 2:", "NOTE", ""})
            known << QString::fromLatin1(word);
        return known;
    }();
    for (const QString& word : words)
        if (word == QLatin1String(AText))
            return word;
    return QString::fromLatin1(AText);
}

QString SharedIndent(int AWidth) {
    static const std::array<QString, 16> indents = [] {
        std::array<QString, 16> blanks;
        for (std::size_t i = 0; i < blanks.size(); ++i)
            blanks[i] = QString(static_cast<qsizetype>(i), QLatin1Char(' '));
        return blanks;
    }();
    if (AWidth >= 0 && static_cast<std::size_t>(AWidth) < indents.size())
        return indents[static_cast<std::size_t>(AWidth)];
    return QString(AWidth, QLatin1Char(' '));
}
} // namespace

TNoteBase::TNoteBase(const char* ATypeWord, int AIndent)
    : FTypeWord(SharedText(ATypeWord)), FIndent(SharedIndent(AIndent)) {}

void SplitChapterDescription(const QString& AStr, TChapterInfo& AInfo) {
    const qsizetype i = AStr.lastIndexOf(QLatin1Char('(')) + 1; // 1-based, 0 when absent
    if (i <= 1)
        return;
    // The character just before the parenthesis (normally a blank) is cut, whatever it is.
    AInfo.FName = AStr.left(i - 2);
    AInfo.FScope = AStr.mid(i - 1);
}

static int NoteLines(const TOwningList<TItemBase>& AItems) {
    int lines = 0;
    for (const auto& item : AItems)
        if (const auto* notes = dynamic_cast<const TNoteBase*>(item.get()))
            lines += static_cast<int>(notes->FNoteList.size());
    return lines;
}

void TChapter::SetInfoByString(const QString& AStr) { SplitChapterDescription(AStr, FInfo); }
int TChapter::GetTextLines() const { return 1 + NoteLines(FInfo.FItemList); }

void TSubChapter::SetInfoByString(const QString& AStr) { SplitChapterDescription(AStr, FInfo); }
int TSubChapter::GetTextLines() const { return 1 + NoteLines(FInfo.FItemList); }

int TCodeInfo::GetTextLines() const {
    int lines = 1;
    for (const auto& item : FItemList) {
        if (const auto* def = dynamic_cast<const TSevenCharDef*>(item.get()))
            lines += static_cast<int>(def->FDefList.size());
        else if (const auto* table = dynamic_cast<const TVisualImpairment*>(item.get()))
            lines += table->GetTextLines();
        else if (const auto* notes = dynamic_cast<const TNoteBase*>(item.get()))
            lines += static_cast<int>(notes->FNoteList.size());
    }
    for (const auto& sub : FSubCodeList)
        lines += sub->GetTextLines();
    return lines;
}
