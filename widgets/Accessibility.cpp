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

constexpr int MaxCaptionGapAbove = 24; // pixels: a caption sits about a line above its field

bool needsName(const QWidget *w)
{
    if (!w->accessibleName().isEmpty())
        return false;
    if (qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w) ||
        qobject_cast<const QAbstractSpinBox *>(w))
        return true;
    // Buttons are named by their own caption; only one without text needs a name.
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

// The nearest caption to the left of `f` on its line (its vertical span
// covers the field's middle), among those whose parent is `parent` when
// that is set.
const Caption *captionLeftOf(const std::vector<Caption> &captions, const QRect &f,
                             const QWidget *parent)
{
    const Caption *chosen = nullptr;
    int best = std::numeric_limits<int>::max();
    for (const Caption &c : captions) {
        if (parent && c.widget->parentWidget() != parent)
            continue;
        const int gap = f.left() - c.rect.right();
        if (gap < -4 || c.rect.top() > f.center().y() || c.rect.bottom() < f.center().y())
            continue;
        if (gap < best) {
            best = gap;
            chosen = &c;
        }
    }
    return chosen;
}

// The heading of the column `field` stands in: the nearest label of its
// panel above it whose span covers the field's middle and stays right of
// the row's caption, either just above it or over a column of entry fields
// that ends in this one (a table of fields).
const Caption *headingAbove(const std::vector<Caption> &labels, const QWidget *field,
                            const Caption *row, const QWidget *root)
{
    const QRect f = rectIn(field, root);
    const Caption *chosen = nullptr;
    int best = std::numeric_limits<int>::max();
    for (const Caption &c : labels) {
        if (c.widget->parentWidget() != field->parentWidget() ||
            (row && c.rect.left() <= row->rect.right()))
            continue;
        const int gap = f.top() - c.rect.bottom();
        if (gap < -2 || c.rect.left() > f.center().x() || c.rect.right() < f.center().x())
            continue;
        if (gap < best) {
            best = gap;
            chosen = &c;
        }
    }
    if (!chosen || best <= MaxCaptionGapAbove)
        return chosen;
    bool fieldBetween = false;
    for (const QWidget *w : field->parentWidget()->findChildren<QWidget *>()) {
        if (w->isWindow() || !w->isVisibleTo(root))
            continue;
        const QRect r = rectIn(w, root);
        const bool between = r.top() > chosen->rect.bottom() && r.bottom() < f.top() &&
                             r.left() <= f.center().x() && r.right() >= f.center().x();
        if (!between)
            continue;
        if (!qobject_cast<const QLineEdit *>(w) && !qobject_cast<const QLineEdit *>(w->parent()))
            return nullptr;
        fieldBetween = true;
    }
    return fieldBetween ? chosen : nullptr;
}

} // namespace

QString spokenLabelText(const QString &labelText, bool mnemonic)
{
    QString text = labelText;
    if (mnemonic) {
        text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
        text.remove(u'&');
        text.replace(u'\x01', u'&');
    }
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
        const QString text = spokenLabelText(label->text(), label->buddy() != nullptr);
        if (!text.isEmpty())
            labels.push_back({label, text, rectIn(label, root)});
    }
    // Where a button that fills a field sits in the label's place (the Quick
    // Calculator's solve buttons), its caption names the field.
    std::vector<Caption> captions = labels;
    for (QPushButton *button : root->findChildren<QPushButton *>()) {
        const QString text = spokenLabelText(button->text(), true);
        if (!text.isEmpty())
            captions.push_back({button, text, rectIn(button, root)});
    }

    for (QWidget *field : root->findChildren<QWidget *>()) {
        if (!needsName(field))
            continue;
        // A combo box's own line edit is named with the combo box.
        if (qobject_cast<QComboBox *>(field->parentWidget()))
            continue;
        // A button with an icon for a caption is named by its hint.
        if (qobject_cast<QAbstractButton *>(field) && !field->toolTip().isEmpty()) {
            field->setAccessibleName(field->toolTip());
            continue;
        }
        QString name;
        for (const Caption &c : labels) {
            if (static_cast<QLabel *>(c.widget)->buddy() == field)
                name = c.text;
        }
        if (name.isEmpty()) {
            // A field in a table reads as its row and its column ("Borrower
            // Monthly Income"); a field in a form as the caption on its line.
            const QRect f = rectIn(field, root);
            const Caption *row = captionLeftOf(captions, f, field->parentWidget());
            if (!row)
                row = captionLeftOf(captions, f, nullptr);
            const Caption *column = headingAbove(labels, field, row, root);
            if (row && column)
                name = row->text + u' ' + column->text;
            else if (row)
                name = row->text;
            else if (column)
                name = column->text;
        }
        if (!name.isEmpty())
            field->setAccessibleName(name);
    }
}

} // namespace clvn
