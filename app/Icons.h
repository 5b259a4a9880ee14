#pragma once

#include <QIcon>
#include <QPixmap>

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
    Exit
};

QIcon toolIcon(ToolIcon which);
QPixmap productLogo(int size);
// The program's icon (the logo of the desktop entry) in every size it ships.
QIcon appIcon();

} // namespace clvn
