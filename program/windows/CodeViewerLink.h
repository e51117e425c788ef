// How the index and table windows open the code-detail viewer on a code text: through an
// opener that shows the viewer modally over AParent and returns its modal result
// (TSearchResult::Quit quits the program). The windows take the opener at creation, so the program and the tests decide which
// viewer answers.
#pragma once

#include <QString>

#include <functional>

class QWidget;
class TMessageService;

using TCodeOpener = std::function<int(QWidget* AParent, const QString& ACode)>;

// The opener of this build: the code-detail viewer opened on the code text, modally over AParent.
TCodeOpener DefaultCodeOpener(TMessageService& AMessages);
