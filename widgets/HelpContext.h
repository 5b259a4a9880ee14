#pragma once

// Context help: a widget declares the help topic of itself and of everything
// inside it that declares none of its own. F1 shows the topic of the focused
// control, found by walking up from it through its panel, page and window.

#include <QVariant>
#include <QWidget>

namespace clvn {

// The dynamic property that carries a declared topic number.
inline constexpr char kHelpContextProperty[] = "helpContext";

inline void setHelpContext(QWidget *widget, int topic)
{
    widget->setProperty(kHelpContextProperty, topic);
}

// The topic `widget` itself declares, or 0.
inline int declaredHelpContext(const QWidget *widget)
{
    return widget ? widget->property(kHelpContextProperty).toInt() : 0;
}

} // namespace clvn
