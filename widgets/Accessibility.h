#pragma once

// Screen readers announce a field by its accessible name. Most windows place
// their labels beside their fields by position rather than by layout, so
// this pass pairs each unnamed field with the label a sighted user reads for
// it, and it runs on every window as it shows, so that windows and pages
// added later are named the same way.

#include <QObject>
#include <QString>

class QWidget;

namespace clvn {

// The text of a caption as spoken: line breaks, a trailing colon and
// surrounding spaces removed, and with `mnemonic` (a button, or a label that
// has a buddy) the shortcut marks too; a label without a buddy shows an
// ampersand as itself.
QString spokenLabelText(const QString &labelText, bool mnemonic);

// Names every entry field, combo box (and its line edit), spin box and
// check or radio button without text under `root` after the caption that
// reads for it: the label whose buddy it is; else the caption just left of
// it on its line; else the one just above it; else, in a table of fields,
// its row's caption and its column's heading. Where two fields of `root`
// would sound alike, each is told apart by the heading over its group. A
// name set by hand (setAccessibleName) is kept; names this pass gave are
// worked out again on each run. Labels keep their buddies as they are, so
// their texts show unchanged.
void nameFieldsFromLabels(QWidget *root);

// The caption that names `field` among its own container's captions (a
// panel's field by the panel's, not by the page's under it), told apart as
// above; its name set by hand when it has one; empty when none reads for it.
QString captionOf(QWidget *field);

// Marks a panel that opens over its page: its fields are named by its own
// captions only, and the page's fields never by its, whether it is open or not.
void markAsPanel(QWidget *panel);

// Everything a screen reader or a keyboard-only user needs of a window:
// its fields named (above), and Tab leaving every grid and list (the arrow
// keys move within them).
void makeAccessible(QWidget *root);

// Runs makeAccessible() on every window of the application as it shows,
// and on each page of a page stack or tab widget as it comes up (pages that
// were hidden may not have had their final geometry before).
class AccessibleWindows : public QObject
{
    Q_OBJECT
public:
    explicit AccessibleWindows(QObject *parent = nullptr);
    ~AccessibleWindows() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace clvn
