#pragma once

class QDialog;
class QWidget;

namespace clvn {

// Places `window` centred over `owner`'s frame (halves rounded toward zero),
// repainting the owner first so no stale area shows behind the new window.
void centreOver(QWidget *window, QWidget *owner);

// Places `window` (its frame) centred on the available geometry of the
// screen it is on, halves rounded toward zero; a window larger than that
// area keeps its title bar on the screen.
void centreOnScreen(QWidget *window);

// Centres, shows modally, returns the dialog's result. The caller owns the
// dialog (a stack object), so it is destroyed when the call's scope ends.
int execCentred(QDialog &dialog, QWidget *owner);

// Window flags of the auxiliary windows: a title, no close, minimise or
// maximise box; the only way out is their own buttons.
void makeFixedToolWindow(QWidget *window);

// While `main` lives, every dialog that shows (message boxes, file and print
// dialogs, a preview opened again after the main window moved) is placed
// centred over its parent's window, or over `main` when it has none. Qt's own
// placement keeps a reused dialog where it last was and, under some window
// managers, leaves a new one at the screen's top-left.
void centreDialogsOver(QWidget *main);

} // namespace clvn
