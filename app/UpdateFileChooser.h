#pragma once

class QString;
class QWidget;

namespace clvn {

// The save dialog of the download, proposing `proposedName`. The chosen
// path, or empty when the user cancelled.
QString chooseUpdateFile(QWidget *parent, const QString &proposedName);

} // namespace clvn
