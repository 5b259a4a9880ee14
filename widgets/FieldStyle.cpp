#include "widgets/FieldStyle.h"

#include <QLineEdit>
#include <QPalette>

namespace clvn {

void applyResultFieldStyle(QLineEdit *edit, bool on)
{
    edit->setReadOnly(on);
    edit->setFocusPolicy(on ? Qt::NoFocus : Qt::StrongFocus);
    if (on) {
        QPalette palette = edit->palette();
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::Base, Qt::yellow);
            palette.setColor(group, QPalette::Text, Qt::black);
        }
        edit->setPalette(palette);
    } else {
        edit->setPalette(QPalette()); // back to the window's colours
    }
}

} // namespace clvn
