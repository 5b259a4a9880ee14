#include "widgets/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

#include <limits>
#include <vector>

namespace clvn {

namespace {

constexpr int MaxCaptionGapAbove = 24; // pixels

bool needsName(const QWidget *w)
{
    if (!w->accessibleName().isEmpty())
        return false;
    if (qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w) ||
        qobject_cast<const QAbstractSpinBox *>(w))
        return true;
    // Buttons are named by their own caption; only a bare check or radio box
    // needs its neighbouring label.
    if (const auto *b = qobject_cast<const QAbstractButton *>(w))
        return b->text().isEmpty();
    return false;
}

QRect rectIn(const QWidget *w, const QWidget *root)
{
    return QRect(w->mapTo(root, QPoint(0, 0)), w->size());
}

// Something whose text a sighted user reads as a field's caption.
struct Caption
{
    QWidget *widget;
    QString text;
    QRect rect;
};

// The caption to the left of `f` on its line (its vertical span covers the
// field's middle), or with `above` the one above it overlapping its columns;
// only captions whose parent is `parent` when that is set.
const Caption *nearest(const std::vector<Caption> &captions, const QRect &f,
                       const QWidget *parent, bool above)
{
    const Caption *chosen = nullptr;
    int best = std::numeric_limits<int>::max();
    for (const Caption &c : captions) {
        if (parent && c.widget->parentWidget() != parent)
            continue;
        int gap = 0;
        if (above) {
            // A caption sits just above its field, within about a line.
            gap = f.top() - c.rect.bottom();
            if (gap < -2 || gap > MaxCaptionGapAbove || c.rect.right() < f.left() ||
                c.rect.left() > f.right())
                continue;
        } else {
            gap = f.left() - c.rect.right();
            if (gap < -4 || c.rect.top() > f.center().y() || c.rect.bottom() < f.center().y())
                continue;
        }
        if (gap < best) {
            best = gap;
            chosen = &c;
        }
    }
    return chosen;
}

} // namespace

QString spokenLabelText(const QString &labelText)
{
    QString text = labelText;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(u'&');
    text.replace(u'\x01', u'&');
    text.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    text = text.trimmed();
    while (text.endsWith(u':'))
        text.chop(1);
    return text.trimmed();
}

void nameFieldsFromLabels(QWidget *root)
{
    std::vector<Caption> labels;
    for (QLabel *label : root->findChildren<QLabel *>()) {
        const QString text = spokenLabelText(label->text());
        if (!text.isEmpty())
            labels.push_back({label, text, rectIn(label, root)});
    }
    // Where a button that fills a field sits in the label's place (the Quick
    // Calculator's solve buttons), its caption names the field.
    std::vector<Caption> buttons;
    for (QPushButton *button : root->findChildren<QPushButton *>()) {
        const QString text = spokenLabelText(button->text());
        if (!text.isEmpty())
            buttons.push_back({button, text, rectIn(button, root)});
    }

    for (QWidget *field : root->findChildren<QWidget *>()) {
        if (!needsName(field))
            continue;
        // A combo box's own line edit is named with the combo box.
        if (qobject_cast<QComboBox *>(field->parentWidget()))
            continue;
        const Caption *chosen = nullptr;
        for (const Caption &c : labels) {
            if (static_cast<QLabel *>(c.widget)->buddy() == field) {
                chosen = &c;
                break;
            }
        }
        const QRect f = rectIn(field, root);
        // On the field's line: a label of its own panel, any label, a
        // button; then the same order for a caption above it.
        for (const bool above : {false, true}) {
            if (!chosen)
                chosen = nearest(labels, f, field->parentWidget(), above);
            if (!chosen)
                chosen = nearest(labels, f, nullptr, above);
            if (!chosen && !above)
                chosen = nearest(buttons, f, nullptr, above);
        }
        if (!chosen)
            continue;
        field->setAccessibleName(chosen->text);
        if (auto *label = qobject_cast<QLabel *>(chosen->widget); label && !label->buddy())
            label->setBuddy(field);
    }
}

} // namespace clvn
