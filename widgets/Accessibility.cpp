#include "widgets/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStackedWidget>

#include <algorithm>
#include <limits>
#include <vector>

namespace clvn {

namespace {

constexpr int MaxCaptionGapLeft = 40;  // pixels: a caption ends just left of its field
constexpr int MaxCaptionGapAbove = 24; // pixels: a caption sits about a line above its field
// The name this pass last gave a widget, so that a later run may change it
// while a name set by hand stays; likewise a buddy it gave a label.
constexpr const char *AutoNameProperty = "clvnAutoName";
constexpr const char *AutoBuddyProperty = "clvnAutoBuddy";
constexpr const char *PanelProperty = "clvnPanel";

bool isField(const QWidget *w)
{
    if (qobject_cast<const QComboBox *>(w->parentWidget()) ||
        qobject_cast<const QAbstractSpinBox *>(w->parentWidget()))
        return false; // the editor of a combo or spin box is named with it
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w);
}

// Whether this pass may name `w`: it has no name, or the one this pass gave it.
bool nameable(const QWidget *w)
{
    const QString name = w->accessibleName();
    return name.isEmpty() || name == w->property(AutoNameProperty).toString();
}

void giveName(QWidget *w, const QString &name)
{
    w->setProperty(AutoNameProperty, name);
    w->setAccessibleName(name);
}

// Not hidden on its own account anywhere below `ancestor`.
bool shownUnder(const QWidget *w, const QWidget *ancestor)
{
    for (const QWidget *p = w; p && p != ancestor; p = p->parentWidget()) {
        if (p->isHidden())
            return false;
    }
    return true;
}

const QWidget *commonAncestor(const QWidget *a, const QWidget *b)
{
    for (const QWidget *p = a; p; p = p->parentWidget()) {
        if (p == b || p->isAncestorOf(b))
            return p;
    }
    return nullptr;
}

// Whether a user sees `a` and `b` at the same time, as far as their own
// hidden panels tell.
bool shownTogether(const QWidget *a, const QWidget *b)
{
    const QWidget *common = commonAncestor(a, b);
    return common && shownUnder(a, common) && shownUnder(b, common);
}

// The panel between `w` and `root` that `w` lies on, if any (the nearest).
const QWidget *panelOf(const QWidget *w, const QWidget *root)
{
    for (const QWidget *p = w; p && p != root; p = p->parentWidget()) {
        if (p->property(PanelProperty).toBool())
            return p;
    }
    return nullptr;
}

bool hasLetter(const QString &text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); });
}

// A control the eye meets on a line between a caption and its field.
struct Control
{
    QWidget *widget;
    QRect rect;
    bool field;
};

// Something whose text a sighted user reads as a field's caption.
struct Caption
{
    QWidget *widget;
    QString text;
    QRect rect;
};

class Namer
{
public:
    explicit Namer(QWidget *root) : m_root(root)
    {
        // A panel over the page is a layer of its own: its captions never
        // name the page's fields, nor the page's its fields.
        for (QWidget *w : root->findChildren<QWidget *>()) {
            if (w->isWindow() || panelOf(w, root))
                continue;
            const bool field = isField(w);
            if (field || qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w) ||
                qobject_cast<QAbstractItemView *>(w))
                m_controls.push_back({w, rectIn(w), field});
        }
        for (QLabel *label : root->findChildren<QLabel *>()) {
            if (panelOf(label, root))
                continue;
            const QString text = spokenLabelText(label->text(), label->buddy() != nullptr);
            if (!text.isEmpty())
                m_labels.push_back({label, text, rectIn(label)});
        }
        // Where a button that fills a field sits in the label's place (the Quick
        // Calculator's solve buttons), its caption names the field.
        m_captions = m_labels;
        for (QPushButton *button : root->findChildren<QPushButton *>()) {
            if (panelOf(button, root))
                continue;
            const QString text = spokenLabelText(button->text(), true);
            if (hasLetter(text))
                m_captions.push_back({button, text, rectIn(button)});
        }
    }

    QString nameFor(QWidget *field, const Caption **caption) const
    {
        *caption = nullptr;
        for (const Caption &c : m_labels) {
            if (static_cast<QLabel *>(c.widget)->buddy() == field &&
                !c.widget->property(AutoBuddyProperty).toBool()) {
                *caption = &c;
                return c.text;
            }
        }
        const QRect f = rectIn(field);
        bool fieldsBetween = false;
        const Caption *left = captionLeftOf(field, f, &fieldsBetween);
        if (left && !fieldsBetween && f.left() - left->rect.right() <= MaxCaptionGapLeft) {
            *caption = left;
            // The first column of a table of fields: its row and its column.
            if (const Caption *column = headingAbove(field, f, left))
                return left->text + u' ' + column->text;
            return left->text;
        }
        // A table whose row captions stand between its columns ("80 to 85"
        // between the 30 and the 15 year premiums) names a row on the right;
        // one whose captions stand left of the table, left across its cells.
        const Caption *row = captionRightOf(field, f);
        if (!row && left && cellsBetween(left, field, f, false))
            row = left;
        if (const Caption *above = captionAbove(field, f)) {
            *caption = above;
            if (row && row != left)
                return row->text + u' ' + above->text;
            // The first row of a table whose cells have their captions above.
            if (left && fieldsBetween && cellsBetween(left, field, f, true))
                return left->text + u' ' + above->text;
            return above->text;
        }
        const Caption *column = headingAbove(field, f, row == left ? left : nullptr);
        if (row && column)
            return row->text + u' ' + column->text;
        if (column)
            return column->text;
        if (row)
            return row->text;
        // A second field on a captioned line ("Prepaid Interest / Days").
        return left ? left->text : QString();
    }

    // What tells a field apart from others with its name: the heading over
    // its group (a label above that spans the field and its caption), else
    // the caption of its row in a table whose cells have their captions
    // above them.
    const Caption *qualifier(const QWidget *field, const Caption *caption,
                             const QString &name) const
    {
        if (const Caption *heading = groupHeading(field, caption, name))
            return heading;
        const QRect f = rectIn(field);
        bool fieldsBetween = false;
        const Caption *left = captionLeftOf(field, f, &fieldsBetween);
        if (left && (!caption || left->widget != caption->widget) && fieldsBetween &&
            cellsBetween(left, field, f, true))
            return left;
        return nullptr;
    }

    // The heading over the group `field` is in: the nearest bold label above
    // it that starts over the group's left edge.
    const Caption *groupHeading(const QWidget *field, const Caption *caption,
                                const QString &name) const
    {
        const QRect f = rectIn(field);
        const int from = caption ? std::min(caption->rect.left(), f.left()) : f.left();
        const Caption *chosen = nullptr;
        int best = std::numeric_limits<int>::max();
        for (const Caption &c : m_labels) {
            // A heading is set in bold, starts over the group's left edge and
            // runs on over it.
            const int gap = f.top() - c.rect.bottom();
            if (gap < 0 || !c.widget->font().bold() || c.rect.left() > from + 4 ||
                c.rect.right() < from + 20 || name.contains(c.text) ||
                !shownTogether(c.widget, field))
                continue;
            if (gap < best) {
                best = gap;
                chosen = &c;
            }
        }
        return chosen;
    }

private:
    QRect rectIn(const QWidget *w) const
    {
        return QRect(w->mapTo(m_root, QPoint(0, 0)), w->size());
    }

    bool isBetween(const Control &c, const QWidget *a, const QWidget *b) const
    {
        return c.widget != a && c.widget != b && !c.widget->isAncestorOf(a) &&
               !c.widget->isAncestorOf(b) && !b->isAncestorOf(c.widget) &&
               shownTogether(c.widget, b);
    }

    // The nearest caption to the left of `f` on its line (its vertical span
    // covers the field's middle) with nothing but fields and small buttons
    // between; `fieldsBetween` tells whether fields are (a row of a table).
    const Caption *captionLeftOf(const QWidget *field, const QRect &f, bool *fieldsBetween) const
    {
        const Caption *chosen = nullptr;
        int best = std::numeric_limits<int>::max();
        for (const Caption &c : m_captions) {
            // A caption's box may run under its field; its text starts left of it.
            const int gap = std::max(0, f.left() - c.rect.right());
            if (c.rect.left() >= f.left() || c.rect.right() >= f.right() ||
                c.rect.top() > f.center().y() || c.rect.bottom() < f.center().y() ||
                !shownTogether(c.widget, field))
                continue;
            if (gap < best) {
                best = gap;
                chosen = &c;
            }
        }
        if (!chosen)
            return nullptr;
        *fieldsBetween = false;
        for (const Control &c : m_controls) {
            if (!isBetween(c, chosen->widget, field) || c.rect.top() > f.center().y() ||
                c.rect.bottom() < f.center().y() || c.rect.left() < chosen->rect.right() ||
                c.rect.right() > f.left())
                continue;
            if (c.field)
                *fieldsBetween = true;
            else if (!qobject_cast<QPushButton *>(c.widget))
                return nullptr; // something else reads between them
        }
        return chosen;
    }

    // The label just right of `f` on its line, with nothing between.
    const Caption *captionRightOf(const QWidget *field, const QRect &f) const
    {
        const Caption *chosen = nullptr;
        int best = MaxCaptionGapLeft + 1;
        for (const Caption &c : m_labels) {
            const int gap = c.rect.left() - f.right();
            if (gap < -4 || gap >= best || c.rect.top() > f.center().y() ||
                c.rect.bottom() < f.center().y() || !shownTogether(c.widget, field))
                continue;
            best = gap;
            chosen = &c;
        }
        if (!chosen)
            return nullptr;
        for (const Control &c : m_controls) {
            if (isBetween(c, chosen->widget, field) && c.rect.top() <= f.center().y() &&
                c.rect.bottom() >= f.center().y() && c.rect.left() > f.right() &&
                c.rect.right() < chosen->rect.left())
                return nullptr;
        }
        return chosen;
    }

    // Whether the fields between a row's caption and `field` are cells of a
    // table: each with a caption just above it (`adjacent`), or each under a
    // heading of its column.
    bool cellsBetween(const Caption *row, const QWidget *field, const QRect &f, bool adjacent) const
    {
        for (const Control &c : m_controls) {
            if (!c.field || !isBetween(c, row->widget, field) || c.rect.top() > f.center().y() ||
                c.rect.bottom() < f.center().y() || c.rect.left() < row->rect.right() ||
                c.rect.right() > f.left())
                continue;
            const bool captioned = adjacent ? captionAbove(c.widget, c.rect) != nullptr
                                            : headingAbove(c.widget, c.rect, nullptr) != nullptr;
            if (!captioned)
                return false;
        }
        return true;
    }

    // The label just above `f`, starting over it, with nothing between.
    const Caption *captionAbove(const QWidget *field, const QRect &f) const
    {
        const Caption *chosen = nullptr;
        int best = std::numeric_limits<int>::max();
        for (const Caption &c : m_labels) {
            const int gap = f.top() - c.rect.bottom();
            if (gap < -2 || gap > MaxCaptionGapAbove || c.rect.left() < f.left() - 8 ||
                c.rect.left() > f.center().x() || !shownTogether(c.widget, field))
                continue;
            if (gap < best) {
                best = gap;
                chosen = &c;
            }
        }
        if (!chosen)
            return nullptr;
        for (const Control &c : m_controls) {
            if (isBetween(c, chosen->widget, field) && c.rect.top() > chosen->rect.bottom() &&
                c.rect.bottom() < f.top() && c.rect.right() >= f.left() &&
                c.rect.left() <= f.right())
                return nullptr;
        }
        return chosen;
    }

    // The heading of the column `field` stands in: the nearest label of its
    // panel above it whose span covers the field's middle and stays right of
    // the row's caption, either just above it or over a column of entry
    // fields that ends in this one (a table of fields).
    const Caption *headingAbove(const QWidget *field, const QRect &f, const Caption *row) const
    {
        const Caption *chosen = nullptr;
        int best = std::numeric_limits<int>::max();
        for (const Caption &c : m_labels) {
            if (c.widget->parentWidget() != field->parentWidget() ||
                (row && c.rect.left() <= row->rect.right()) || !shownTogether(c.widget, field))
                continue;
            const int gap = f.top() - c.rect.bottom();
            // A column's heading is about as wide as its column, not a note
            // across the page.
            if (gap < -2 || c.rect.left() > f.center().x() || c.rect.right() < f.center().x() ||
                c.rect.width() > 2 * f.width() + 16)
                continue;
            if (gap < best) {
                best = gap;
                chosen = &c;
            }
        }
        if (!chosen || best <= MaxCaptionGapAbove)
            return chosen;
        bool fieldBetween = false;
        for (const Control &c : m_controls) {
            if (!isBetween(c, chosen->widget, field))
                continue;
            const bool between = c.rect.top() > chosen->rect.bottom() &&
                                 c.rect.bottom() < f.top() && c.rect.left() <= f.center().x() &&
                                 c.rect.right() >= f.center().x();
            if (!between)
                continue;
            if (!c.field)
                return nullptr;
            fieldBetween = true;
        }
        return fieldBetween ? chosen : nullptr;
    }

    QWidget *m_root;
    std::vector<Control> m_controls;
    std::vector<Caption> m_labels;
    std::vector<Caption> m_captions;
};

} // namespace

QString spokenLabelText(const QString &labelText, bool mnemonic)
{
    QString text = labelText;
    if (mnemonic) {
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(u'&');
        text.replace(u'\x01', u'&');
    }
    // Made once: compiling it for every label of a page took longer than the rest.
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    text.replace(spaces, QStringLiteral(" "));
    text = text.trimmed();
    while (text.endsWith(u':'))
        text.chop(1);
    return text.trimmed();
}

void nameFieldsFromLabels(QWidget *root)
{
    const Namer namer(root);
    struct Named
    {
        QWidget *field;
        const Caption *caption;
    };
    QHash<QString, std::vector<Named>> byName;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (w->isWindow() || !nameable(w) || panelOf(w, root))
            continue;
        if (auto *b = qobject_cast<QAbstractButton *>(w)) {
            // A button is named by its caption; one with an icon or a mark
            // ("...") for a caption by its hint.
            if (!hasLetter(b->text()) && !b->toolTip().isEmpty())
                giveName(b, b->toolTip());
            continue;
        }
        if (!isField(w))
            continue;
        const Caption *caption = nullptr;
        const QString name = namer.nameFor(w, &caption);
        if (name.isEmpty())
            continue;
        giveName(w, name);
        byName[name].push_back({w, caption});
        // The label also becomes the field's buddy, which screen readers on
        // Linux read for a combo box (they announce its value as its name).
        // A label showing an ampersand keeps it: a buddy would make it a
        // shortcut mark.
        auto *label = caption ? qobject_cast<QLabel *>(caption->widget) : nullptr;
        if (label && (!label->buddy() || label->property(AutoBuddyProperty).toBool()) &&
            !label->text().contains(u'&')) {
            label->setProperty(AutoBuddyProperty, true);
            label->setBuddy(w);
        }
    }
    // Fields that would sound alike ("Term in Months" of the current and of
    // the new loan) are told apart by their groups' headings.
    for (auto it = byName.cbegin(); it != byName.cend(); ++it) {
        if (it->size() < 2)
            continue;
        for (const Named &n : *it) {
            // Only fields a user meets together (not on two pages) are alike.
            const bool alike = std::any_of(it->begin(), it->end(), [&](const Named &other) {
                return other.field != n.field && shownTogether(other.field, n.field);
            });
            if (!alike)
                continue;
            if (const Caption *q = namer.qualifier(n.field, n.caption, it.key()))
                giveName(n.field, q->text + u' ' + it.key());
        }
    }
    for (QWidget *panel : root->findChildren<QWidget *>()) {
        if (panel->property(PanelProperty).toBool() && !panelOf(panel->parentWidget(), root))
            nameFieldsFromLabels(panel);
    }
    // A combo or spin box's own line edit says what the box says.
    for (QLineEdit *edit : root->findChildren<QLineEdit *>()) {
        QWidget *box = edit->parentWidget();
        if ((qobject_cast<QComboBox *>(box) || qobject_cast<QAbstractSpinBox *>(box)) &&
            nameable(edit) && !box->accessibleName().isEmpty())
            giveName(edit, box->accessibleName());
    }
}

QString captionOf(QWidget *field)
{
    if (!nameable(field))
        return field->accessibleName(); // named by hand
    QWidget *root = field->parentWidget();
    if (!root)
        return {};
    const Namer namer(root);
    const Caption *caption = nullptr;
    const QString name = namer.nameFor(field, &caption);
    if (name.isEmpty())
        return name;
    // Told apart from a field beside it that reads the same, as above, where
    // the heading does tell them apart.
    const Caption *q = namer.qualifier(field, caption, name);
    if (!q)
        return name;
    for (QWidget *other : root->findChildren<QWidget *>()) {
        const Caption *otherCaption = nullptr;
        if (other == field || other->isWindow() || !isField(other) || panelOf(other, root) ||
            !shownTogether(other, field) || namer.nameFor(other, &otherCaption) != name)
            continue;
        const Caption *otherQ = namer.qualifier(other, otherCaption, name);
        if (!otherQ || otherQ->text != q->text)
            return q->text + u' ' + name;
    }
    return name;
}

void markAsPanel(QWidget *panel)
{
    panel->setProperty(PanelProperty, true);
}

void makeAccessible(QWidget *root)
{
    nameFieldsFromLabels(root);
    // Tab moves on from a grid or list; the arrow keys move within it.
    for (QAbstractItemView *view : root->findChildren<QAbstractItemView *>())
        view->setTabKeyNavigation(false);
}

AccessibleWindows::AccessibleWindows(QObject *parent) : QObject(parent)
{
    qApp->installEventFilter(this);
}

AccessibleWindows::~AccessibleWindows()
{
    qApp->removeEventFilter(this);
}

bool AccessibleWindows::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto *w = static_cast<QWidget *>(watched);
    if (w->isWindow() || qobject_cast<QStackedWidget *>(w->parentWidget()))
        makeAccessible(w);
    return false;
}

} // namespace clvn
