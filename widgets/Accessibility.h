#pragma once

// Screen readers announce a field by its accessible name. The pages place
// their labels beside their fields by position rather than by layout, so
// this pass pairs each unnamed field with the label a sighted user reads
// for it.

#include <QString>

class QWidget;

namespace clvn {

// The text of a caption as spoken: line breaks, a trailing colon and
// surrounding spaces removed, and with `mnemonic` (a button, or a label that
// has a buddy) the shortcut marks too; a label without a buddy shows an
// ampersand as itself.
QString spokenLabelText(const QString &labelText, bool mnemonic);

// Names every unnamed entry field, combo box, spin box and check or radio
// button without text under `root` after the label that reads for it: its
// buddy label, else the nearest label to its left on the same line, else
// the nearest label just above it. Fields that already have a name keep it.
// Labels keep their buddies as they are, so their texts show unchanged.
void nameFieldsFromLabels(QWidget *root);

} // namespace clvn
