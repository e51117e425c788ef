// TfrmChapterSearch: the chapter browser. The tabular list as a tree of chapters, their sections
// and the sections' categories; a double-click on a label opens the code-detail viewer on that
// object, and so does Enter on the current node. A double-click beside a label, the expand button
// or the keys Left and Right fold and unfold a node; a double-click on a label never does. Ctrl+F
// opens the Find window over it; F12 asks to quit the program.
//
// Modal results (TSearchResult): Quit when the viewer or Find quit the program or F12 was
// answered Yes, Back for Escape.
#pragma once

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class TfrmChapterSearch;
}
class TMessageService;
class TfrmKeyWordSearch;
class QTreeWidgetItem;

class TfrmChapterSearch : public QDialog {
    Q_OBJECT

public:
    // Called with the viewer after its start fields are set, instead of showing it modally;
    // returns the modal result (tests).
    using TViewerRunner = std::function<int(TfrmKeyWordSearch& AViewer)>;

    explicit TfrmChapterSearch(TMessageService& AMessages, QWidget* AParent = nullptr);
    ~TfrmChapterSearch() override;

    void SetViewerRunner(TViewerRunner ARunner) { FRunViewer = std::move(ARunner); }

    // Node labels: the text padded with blanks to AWidth, then the name.
    static QString NodeLabel(const QString& AHead, int AWidth, const QString& AName);

    int FInitFlag = 0;             // 1 once the tree has been built
    bool FAllowAutoColExp = true;  // the last fold/unfold decision

protected:
    void showEvent(QShowEvent* AEvent) override;
    bool eventFilter(QObject* AWatched, QEvent* AEvent) override;
    void reject() override;

private:
    void BuildTree();
    // Whether a double-click at APos (tree viewport coordinates) folds or unfolds AItem: not on
    // the label of a node with children.
    bool AllowColExp(QTreeWidgetItem* AItem, const QPoint& APos);
    QRect LabelRect(QTreeWidgetItem* AItem) const;
    void OpenViewer(QTreeWidgetItem* AItem);

    std::unique_ptr<Ui::TfrmChapterSearch> FUi;
    TMessageService& FMessages;
    TViewerRunner FRunViewer;
};
