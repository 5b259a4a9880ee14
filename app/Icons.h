#pragma once

#include <QIcon>
#include <QPalette>
#include <QPixmap>

class QAbstractButton;
class QWidget;

namespace clvn {

// The tool bar's icons and the product logo, drawn in code so the program
// needs no image files or image plug-ins.
enum class ToolIcon
{
    Print,
    Reset,
    Update,
    Prefs,
    Help,
    Exit,
    Open,
    Save
};

// In a dark `palette` the icon gets a rim of its ButtonText colour, so that
// its dark strokes still stand out from the button.
QIcon toolIcon(ToolIcon which, const QPalette &palette);
// Gives `button` that icon for `palette` and marks it, so that
// redrawToolIcons() can draw it again.
void setToolIcon(QAbstractButton *button, ToolIcon which, const QPalette &palette);
// Draws the marked icons under `root` again for `palette`: a palette switched
// while the program runs reaches the icons too.
void redrawToolIcons(const QWidget &root, const QPalette &palette);
QPixmap productLogo(int size);
// The program's icon (the logo of the desktop entry) in every size it ships.
QIcon appIcon();
// Makes appIcon() the application's icon once `window` has painted for the
// first time (unless it has one already): loading it and handing every size
// to the window system would otherwise hold up that first painting.
void setAppIconAfterFirstPaint(QWidget &window);

} // namespace clvn
