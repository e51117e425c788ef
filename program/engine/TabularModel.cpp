#include "TabularModel.h"

TNoteBase::TNoteBase(const char* ATypeWord, int AIndent)
    : FTypeWord(QString::fromLatin1(ATypeWord)), FIndent(AIndent, QLatin1Char(' ')) {}

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
