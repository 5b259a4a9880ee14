#include "widgets/ExtraRoom.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace clvn {

namespace {

int part(int extra, double share)
{
    return int(std::lround(extra * share));
}

} // namespace

ExtraRoom::ExtraRoom(QWidget *panel, QSize drawn) : QObject(panel), m_panel(panel), m_drawn(drawn)
{
    panel->setMinimumSize(drawn);
    panel->resize(drawn);
    panel->installEventFilter(this);
}

ExtraRoom &ExtraRoom::grow(QWidget *child, double widthShare, double heightShare)
{
    m_shares.push_back({child, 0.0, 0.0, widthShare, heightShare});
    return *this;
}

ExtraRoom &ExtraRoom::shift(QWidget *child, double xShare, double yShare)
{
    m_shares.push_back({child, xShare, yShare, 0.0, 0.0});
    return *this;
}

bool ExtraRoom::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_panel && event->type() == QEvent::Resize) {
        const QSize now = m_panel->size() - m_drawn;
        apply(m_applied, now.expandedTo(QSize(0, 0)));
    }
    return QObject::eventFilter(watched, event);
}

void ExtraRoom::apply(QSize from, QSize to)
{
    if (from == to)
        return;
    m_applied = to;
    // Each child moves by the difference of its rounded parts, so repeated
    // resizes never drift.
    for (const Share &s : m_shares) {
        QRect g = s.child->geometry();
        g.translate(part(to.width(), s.x) - part(from.width(), s.x),
                    part(to.height(), s.y) - part(from.height(), s.y));
        g.setWidth(g.width() + part(to.width(), s.width) - part(from.width(), s.width));
        g.setHeight(g.height() + part(to.height(), s.height) - part(from.height(), s.height));
        s.child->setGeometry(g);
    }
}

} // namespace clvn
