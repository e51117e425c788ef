// What the index and table windows share: the quit prompt of F12, the capital first letter of
// the search box at the main-term level, and the look of their bars.
#pragma once

class QKeyEvent;
class QLineEdit;
class QWidget;
class TMessageService;

// "Do you want to quit this program?" with Yes and No; true for Yes.
bool AskQuitProgram(TMessageService& AMessages, QWidget* AParent);

// While ABox is empty, a typed letter a-z goes in as its capital. True when AEvent was used.
bool TypeFirstLetterAsCapital(QLineEdit* ABox, const QKeyEvent* AEvent);

// Sky-blue background for a bar or title panel.
void PaintAsBar(QWidget* AWidget);
