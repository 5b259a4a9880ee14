#include "app/Centre.h"

#include <QDialog>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace clvn {

void centreOver(QWidget *window, QWidget *owner)
{
    if (!owner)
        return;
    owner->repaint();
    window->ensurePolished();
    window->adjustSize();
    const QRect main = owner->frameGeometry();
    const QSize size = window->frameGeometry().size();
    // Integer division truncates toward zero, as the placement rule wants.
    const int left = main.left() + (main.width() - size.width()) / 2;
    const int top = main.top() + (main.height() - size.height()) / 2;
    window->move(left, top);
}

void centreOnScreen(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    window->ensurePolished();
    const QRect area = screen->availableGeometry();
    const QSize size = window->frameGeometry().size();
    const int left = std::max(area.left(), area.left() + (area.width() - size.width()) / 2);
    const int top = std::max(area.top(), area.top() + (area.height() - size.height()) / 2);
    window->move(left, top);
}

int execCentred(QDialog &dialog, QWidget *owner)
{
    centreOver(&dialog, owner);
    return dialog.exec();
}

void makeFixedToolWindow(QWidget *window)
{
    window->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

} // namespace clvn
