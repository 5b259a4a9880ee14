#include "app/Centre.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace clvn {

namespace {

// Centres without resizing: the dialog may already have the size it wants.
void placeOver(QWidget *window, const QWidget *owner)
{
    const QRect main = owner->frameGeometry();
    const QSize size = window->frameGeometry().size();
    // Integer division truncates toward zero, as the placement rule wants.
    const int left = main.left() + (main.width() - size.width()) / 2;
    const int top = main.top() + (main.height() - size.height()) / 2;
    window->move(left, top);
}

class DialogCentring : public QObject
{
public:
    explicit DialogCentring(QWidget *main) : QObject(main), m_main(main)
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The show event comes before the window is mapped, after QDialog's
        // own placement, so this move is the one that counts.
        if (event->type() == QEvent::Show && watched->isWidgetType()) {
            auto *dialog = qobject_cast<QDialog *>(watched);
            if (dialog && dialog->isWindow() && !dialog->property("placesItself").toBool()) {
                QWidget *parent = dialog->parentWidget();
                QWidget *owner = parent ? parent->window() : m_main.data();
                if (owner && owner != dialog && owner->isVisible())
                    placeOver(dialog, owner);
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QPointer<QWidget> m_main;
};

} // namespace

void centreDialogsOver(QWidget *main)
{
    new DialogCentring(main);
}

void centreOver(QWidget *window, QWidget *owner)
{
    if (!owner)
        return;
    owner = owner->window();
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
