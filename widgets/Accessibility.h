#pragma once

// Screen readers announce a field by its accessible name. The pages place
// their labels beside their fields by position rather than by layout, so
// this pass pairs each unnamed field with the label a sighted user reads
// for it, and makes that label its buddy so a mnemonic reaches the field.

#include <QString>

class QWidget;

namespace clvn {

// The text of a label as spoken: mnemonic marks, line breaks, a trailing
// colon and surrounding spaces removed.
QString spokenLabelText(const QString &labelText);

// Names every unnamed entry field, combo box, spin box and check or radio
// button without text under `root` after the label that reads for it: its
// buddy label, else the nearest label to its left on the same line, else
// the nearest label above it. Fields that already have a name keep it.
void nameFieldsFromLabels(QWidget *root);

} // namespace clvn
