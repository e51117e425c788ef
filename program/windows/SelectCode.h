// TfrmSelectCode: "Please Select Reportable Code ", the list of reportable codes under a code of
// the viewer's text (final codes and codes completed with a seventh character), from which the
// user copies a code with or without its long or short description. Descriptions are shown whole
// (the list scrolls sideways to the longest, and each row's tooltip holds its description).
//
// Modal results (TDialogResult): Ok when a code was copied and the dialog closed itself
// (double-click, or a copy button with Ctrl held), Cancel for "Close".
#pragma once

#include <QDialog>
#include <QStringList>

#include <memory>

namespace Ui {
class TfrmSelectCode;
}
class TMessageService;

class TfrmSelectCode : public QDialog {
    Q_OBJECT

public:
    explicit TfrmSelectCode(TMessageService& AMessages, QWidget* AParent = nullptr);
    ~TfrmSelectCode() override;

    // The code header: a three-character category gets its full stop ("A00" -> "A00.").
    void SetCodeHeader(const QString& AHeader);
    // Collects the reportable codes at or below the header's code; 0 when the code is unknown.
    int GetAllAvailableCodes();
    // The short description of ACode, or AFallback when it has none.
    QString GetShortDesc(const QString& ACode, const QString& AFallback) const;
    // Lists the codes that match the filter and writes the totals line.
    void FillCodeList();

    QStringList FCodeList;  // reportable codes, in tabular order
    QStringList FDescList;  // their long descriptions
    QString FSelectedCode;  // the code last copied

protected:
    void showEvent(QShowEvent* AEvent) override;
    void reject() override;

private:
    enum class TCopy { Code, LongDesc, CodeLongDesc, ShortDesc, CodeShortDesc };
    void CopyClicked(TCopy AWhat);
    void SelectionChanged();
    void RowDoubleClicked();
    bool SelectedRow(QString& ACode, QString& ADesc) const;

    std::unique_ptr<Ui::TfrmSelectCode> FUi;
    TMessageService& FMessages;
    int FRowHeight = 20; // pixels of one list row
};
