#pragma once

#include <QObject>
#include <QSize>

#include <vector>

class QWidget;

namespace clvn {

// A hand-placed panel that may grow past the size it was drawn for: the
// children named here take the extra room (in the shares given), every
// other child keeps its place and size. At the drawn size nothing moves.
// Adjusts by the change of each resize, so code that later moves or
// resizes a child relative to where it is stays right.
class ExtraRoom : public QObject
{
public:
    // `panel` gets `drawn` as its size and minimum size; the object lives
    // as its child. Name the children while the panel has its drawn size.
    ExtraRoom(QWidget *panel, QSize drawn);

    // Grows by the panel's extra width and height, times the shares.
    ExtraRoom &grow(QWidget *child, double widthShare = 1.0, double heightShare = 1.0);
    // Moves right and down by the panel's extra width and height, times the shares.
    ExtraRoom &shift(QWidget *child, double xShare, double yShare);

    // How far the panel is past its drawn size.
    QSize extra() const { return m_applied; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Share
    {
        QWidget *child;
        double x, y, width, height;
    };
    void apply(QSize from, QSize to);

    QWidget *m_panel;
    QSize m_drawn;
    QSize m_applied{0, 0};
    std::vector<Share> m_shares;
};

} // namespace clvn
