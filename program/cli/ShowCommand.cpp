#include "ShowCommand.h"

#include "CliSupport.h"
#include "CodeLookup.h"
#include "CodeQueries.h"
#include "CodeNavigation.h"
#include "CodeTextLayout.h"
#include "EngineGlobals.h"

#include <algorithm>

const char* const kShowUsage =
    "  show [--width N] [--page-lines N] WHAT\n"
    "                the text the code viewer shows for WHAT: a chapter by its number in the\n"
    "                list (from 1) or its range (S00-T88), a section range (S00-S09), a\n"
    "                category (S06) or a code (H54.8, S72.001A: shown in its category, its\n"
    "                line marked \">\"). Each line is printed as its kind (0 note, 1 header,\n"
    "                2 code, 3 final code, 4 detail, 5 seventh character or page filler;\n"
    "                8, 9, C, D continue a wrapped 0, 1-3, 4, 5 line), the marker and the\n"
    "                text. --width: characters per line (default 90, at least 20);\n"
    "                --page-lines: lines per page (default 16, at least 10)\n";

namespace {

// The smallest layout the viewer composes for; a smaller text area shows scroll bars instead.
constexpr int kMinWidth = 20;
constexpr int kMinPageLines = 10;

// What a "show" argument named, found in the tabular list.
struct TShownObject {
    TTabularObject Object;
    QString Title;           // the first line of the output
    QString SelectedSubCode; // for a code: its sub-code, to mark in its category
};

const TChapter* ChapterByNumber(const QString& AText) {
    bool ok = false;
    const int number = AText.toInt(&ok);
    if (!ok || number < 1 || number > static_cast<int>(ChapterList->size()))
        return nullptr;
    return (*ChapterList)[static_cast<std::size_t>(number - 1)].get();
}

const TChapter* ChapterByRange(const QString& AText) {
    const QString scope = QLatin1Char('(') + AText + QLatin1Char(')');
    for (const auto& chapter : *ChapterList)
        if (chapter->FInfo.FScope.compare(scope, Qt::CaseInsensitive) == 0)
            return chapter.get();
    return nullptr;
}

const TSubChapter* SectionByRange(const QString& AText) {
    const QString scope = QLatin1Char('(') + AText + QLatin1Char(')');
    for (const auto& chapter : *ChapterList)
        for (const auto& section : chapter->FSubList)
            if (section->FInfo.FScope.compare(scope, Qt::CaseInsensitive) == 0)
                return section.get();
    return nullptr;
}

// Finds WHAT the way the viewer's code box does, without its questions: a seven-character code
// is shown as the code that carries its seventh characters.
bool FindShownObject(const QString& AText, TShownObject& AShown, QString& AError) {
    if (const TChapter* chapter = ChapterByNumber(AText)) {
        AShown.Object = const_cast<TChapter*>(chapter);
        AShown.Title = QStringLiteral("Chapter %1  %2 %3").arg(AText, chapter->FInfo.FName, chapter->FInfo.FScope);
        return true;
    }
    const QString code = NormalizeCodeText(AText);
    QString category, subCode;
    // A range names a section; otherwise a code comes first, as the viewer's code box reads it:
    // T07 is a category before it is a section.
    const bool isCode = SplitCode(code, category, subCode);
    const bool isRange = AText.contains(QLatin1Char('-'));
    const TSubChapter* section =
        isRange || !isCode || !FindCategory(category) ? SectionByRange(AsciiUpper(AText)) : nullptr;
    if (section) {
        AShown.Object = const_cast<TSubChapter*>(section);
        AShown.Title = QStringLiteral("Section %1  %2").arg(section->FInfo.FScope, section->FInfo.FName);
        return true;
    }
    if (isRange) {
        if (const TChapter* chapter = ChapterByRange(AsciiUpper(AText))) {
            AShown.Object = const_cast<TChapter*>(chapter);
            AShown.Title = QStringLiteral("Chapter %1 %2").arg(chapter->FInfo.FName, chapter->FInfo.FScope);
            return true;
        }
        AError = QStringLiteral("no section or chapter (%1) in the tabular list").arg(AsciiUpper(AText));
        return false;
    }
    bool isNumber = false;
    AText.toInt(&isNumber);
    if (isNumber) {
        AError = QStringLiteral("no chapter %1: the chapters are numbered 1 to %2").arg(AText).arg(ChapterList->size());
        return false;
    }
    if (!isCode) {
        AError = QStringLiteral("\"%1\" is neither a code, a section range nor a chapter number").arg(AText);
        return false;
    }
    const TCodeLookup lookup = LookUpCode(code);
    TCodeInfo* categoryNode = FindCategory(category);
    if (!lookup.Node) {
        AError = categoryNode ? QStringLiteral("no code %1 in category %2").arg(code, category)
                              : QStringLiteral("no category %1 in the tabular list").arg(category);
        return false;
    }
    AShown.Object = categoryNode;
    // A seven-character code is marked on the code that carries its seventh characters.
    AShown.SelectedSubCode = SubCodeOf(lookup.Node->FCode);
    AShown.Title = QStringLiteral("Category %1  %2").arg(categoryNode->FCode, categoryNode->FDesc);
    return true;
}

} // namespace

int RunShowCommand(const QStringList& AArgs, QTextStream& AOut, QTextStream& AErr) {
    QStringList args = AArgs;
    int width = 90, pageLines = 16;
    QString error;
    if (!TakeCountOption(args, QStringLiteral("width"), width, error) ||
        !TakeCountOption(args, QStringLiteral("page-lines"), pageLines, error)) {
        AErr << kCliPrefix << error << "\nusage:\n" << kShowUsage;
        return ExitUsage;
    }
    if (width < kMinWidth || pageLines < kMinPageLines) {
        AErr << kCliPrefix << "the viewer lays text out only from " << kMinWidth
             << " characters and " << kMinPageLines << " lines per page\nusage:\n" << kShowUsage;
        return ExitUsage;
    }
    if (args.size() != 1 || args[0].trimmed().isEmpty()) {
        AErr << kCliPrefix << "show needs one chapter, section or code\nusage:\n" << kShowUsage;
        return ExitUsage;
    }
    StartEngineFor({TLoaderJob::Tabular});
    if (!RequireLoaded(TabularLoadState, "tabular list", AErr))
        return ExitNotFound;
    TShownObject shown;
    if (!FindShownObject(args[0].trimmed(), shown, error)) {
        AErr << kCliPrefix << error << '\n';
        return ExitNotFound;
    }

    TComposedText text;
    int selectedLine = 0;
    if (auto* const* code = std::get_if<TCodeInfo*>(&shown.Object)) {
        QString subCode = shown.SelectedSubCode;
        ComposeCodeText(**code, width, pageLines, subCode, selectedLine, text);
    } else if (auto* const* section = std::get_if<TSubChapter*>(&shown.Object)) {
        ComposeSectionText(**section, width, text);
    } else if (auto* const* chapter = std::get_if<TChapter*>(&shown.Object)) {
        ComposeChapterText(**chapter, text);
    }
    const int lineCount = static_cast<int>(text.Lines.size());
    const int pages = std::max(1, PageOfLine(lineCount, pageLines));
    AOut << shown.Title << '\n'
         << "width " << width << ", " << pageLines << " lines per page, " << lineCount << " lines, "
         << pages << (pages == 1 ? " page" : " pages");
    if (selectedLine > 0)
        AOut << ", marked line " << selectedLine << " on page " << PageOfLine(selectedLine, pageLines);
    AOut << '\n';
    for (int line = 1; line <= lineCount; ++line) {
        if ((line - 1) % pageLines == 0)
            AOut << "== page " << PageOfLine(line, pageLines) << '/' << pages << '\n';
        AOut << text.Kinds.at(line - 1) << (line == selectedLine ? " > " : "   ")
             << text.Lines.at(line - 1) << '\n';
    }
    return ExitFound;
}
