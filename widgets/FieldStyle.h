#pragma once

// The look shared by the result fields of both entry field types.

class QLineEdit;

namespace clvn {

// on: read-only, no focus (not a tab stop), black text on yellow.
// off: editable, strong focus, the window's own colours.
void applyResultFieldStyle(QLineEdit *edit, bool on);

} // namespace clvn
