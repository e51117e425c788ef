// Every chapter, section and category of the official tabular list composed and shown, page by page, in the code
// viewer at its fixed default size and maximised on a 1920 x 1080 screen.
#include "BuildConfig.h"
#include "EngineGlobals.h"
#include "InfoOf7Code.h"
#include "KeywordSearch.h"
#include "PageRenderer.h"
#include "WindowTestSupport.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTextEdit>

#include <memory>

namespace {

class ViewerOnRealData : public WindowTest, public testing::WithParamInterface<int> {
  protected:
    void SetUp() override {
        if (!TABULON_EMBEDS_OFFICIAL_DATA)
            GTEST_SKIP() << "this build embeds the sample data set, not the official files";
        WindowTest::SetUp();
    }
    void TearDown() override {
        FViewer.reset();
        FullScreen = 0;
        if (TABULON_EMBEDS_OFFICIAL_DATA)
            WindowTest::TearDown();
    }
    TfrmInfoOf7Code FInfo;
    std::unique_ptr<TfrmKeyWordSearch> FViewer;
};

TEST_P(ViewerOnRealData, EveryCategoryComposesAndShowsEveryPage) {
    FullScreen = GetParam();
    WaitForLoadersServingMessages();
    ASSERT_FALSE(ChapterList->empty());
    TCodeInfo* first = (*ChapterList)[0]->FSubList[0]->FCodeList[0].get();
    FViewer = std::make_unique<TfrmKeyWordSearch>(Messages(), nullptr, &FInfo);
    FViewer->FInitObject = first;
    FViewer->FInitType = TViewerStart::Code;
    FViewer->show();
    TfrmKeyWordSearch& viewer = *FViewer;
    ASSERT_TRUE(QTest::qWaitFor([&viewer] { return viewer.CurrentPage() > 0; }));
    QApplication::processEvents();
    const int width = viewer.WordsPerLine(), height = viewer.LinePerPage();
    std::printf("FullScreen=%d: window %dx%d, %d characters x %d lines per page\n", FullScreen,
                viewer.width(), viewer.height(), width, height);
    if (FullScreen == 1) {
        // Maximised on the wide screen, the pages must be larger than at the fixed size.
        ASSERT_GT(viewer.width(), 1167) << "the test screen is not the 1920 x 1080 one";
        EXPECT_GT(width, 90);
        EXPECT_GT(height, 16);
    }
    auto* text = viewer.findChild<QTextEdit*>(QStringLiteral("RichEdit1"));
    auto* indicator = viewer.findChild<QLabel*>(QStringLiteral("lbRec"));
    ASSERT_TRUE(text && indicator);

    int pages = 0, overLong = 0;
    // Shows AObject and each of its pages; the page text is the composed lines of that page.
    auto walk = [&](TTabularObject AObject, const std::string& AName) {
        int line = 0;
        viewer.ShowObject(AObject, QString(), line);
        viewer.ShowPage(1, true);
        const TComposedText& content = viewer.Content();
        const int lineCount = static_cast<int>(content.Lines.size());
        ASSERT_EQ(content.Kinds.size(), content.Lines.size()) << AName;
        ASSERT_GT(lineCount, 0) << AName;
        ASSERT_EQ(viewer.PageCount(), (lineCount + height - 1) / height) << AName;
        for (const QString& shown : content.Lines)
            overLong += shown.size() > width ? 1 : 0;
        for (int page = 1; page <= viewer.PageCount(); ++page) {
            viewer.ShowPage(page);
            const QString expected = content.Lines.mid((page - 1) * height, height).join(QLatin1Char('\n'));
            ASSERT_EQ(text->toPlainText(), expected) << AName << " page " << page;
            ASSERT_EQ(indicator->text(), QStringLiteral("%1/%2").arg(page).arg(viewer.PageCount())) << AName;
            // The page fits the text area: no line cut off at the right, no line below its bottom.
            const QSizeF used = text->document()->documentLayout()->documentSize();
            ASSERT_LE(used.width(), text->viewport()->width()) << AName << " page " << page;
            ASSERT_LE(used.height(), text->viewport()->height()) << AName << " page " << page;
            // The colour runs of every page stay inside the page's text.
            const TRenderedPage rendered =
                RenderPage(content.Lines, content.Kinds, height, page, QString(), {}, content.TypeWords);
            for (const TColourRun& run : rendered.Runs)
                ASSERT_TRUE(run.Start >= 0 && run.Length >= 0 && run.Start + run.Length <= rendered.Text.size())
                    << AName << " page " << page;
            ++pages;
        }
    };
    int chapters = 0, sections = 0, categories = 0;
    for (const auto& chapter : *ChapterList) {
        walk(chapter.get(), "chapter " + chapter->FInfo.FScope.toStdString());
        ++chapters;
        for (const auto& section : chapter->FSubList) {
            walk(section.get(), "section " + section->FInfo.FScope.toStdString());
            ++sections;
            for (const auto& category : section->FCodeList) {
                walk(category.get(), category->FCode.toStdString());
                ++categories;
            }
        }
    }
    if (HasFatalFailure())
        return;
    std::printf("  %d chapters, %d sections, %d categories, %d pages, %d lines wider than the page\n",
                chapters, sections, categories, pages, overLong);
    EXPECT_EQ(chapters, 22);
    EXPECT_EQ(sections, 296);
    EXPECT_EQ(categories, 1914);
}

INSTANTIATE_TEST_SUITE_P(DefaultAndMaximised, ViewerOnRealData, testing::Values(0, 1));

} // namespace
