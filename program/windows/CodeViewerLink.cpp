#include "CodeViewerLink.h"

#include "MessageService.h"

TCodeOpener DefaultCodeOpener(TMessageService& AMessages) {
    return [&AMessages](QWidget* AParent, const QString& ACode) {
        AMessages.Information(
            AParent, QStringLiteral("The code viewer is not available yet: %1").arg(ACode));
        return 2;
    };
}
