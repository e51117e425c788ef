#include "CodeViewerLink.h"

#include "KeywordSearch.h"

TCodeOpener DefaultCodeOpener(TMessageService& AMessages) {
    return [&AMessages](QWidget* AParent, const QString& ACode) {
        TfrmKeyWordSearch viewer(AMessages, AParent);
        viewer.FInitCode = ACode;
        viewer.FInitType = TViewerStart::Code;
        return viewer.exec();
    };
}
