#pragma once

#include <QIcon>
#include <QPalette>
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
    Exit,
    Open,
    Save
};

// In a dark `palette` the icon gets a rim of its ButtonText colour, so that
// its dark strokes still stand out from the button.
QIcon toolIcon(ToolIcon which, const QPalette &palette);
QPixmap productLogo(int size);
// The program's icon (the logo of the desktop entry) in every size it ships.
QIcon appIcon();

} // namespace clvn
