#pragma once

class QDialog;
class QWidget;

namespace clvn {

// Places `window` centred over `owner`'s frame (halves rounded toward zero),
// repainting the owner first so no stale area shows behind the new window.
void centreOver(QWidget *window, QWidget *owner);

// Centres, shows modally, returns the dialog's result. The caller owns the
// dialog (a stack object), so it is destroyed when the call's scope ends.
int execCentred(QDialog &dialog, QWidget *owner);

// Window flags of the auxiliary windows: a title, no close, minimise or
// maximise box; the only way out is their own buttons.
void makeFixedToolWindow(QWidget *window);

} // namespace clvn
