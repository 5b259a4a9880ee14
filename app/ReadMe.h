#pragma once

class QString;
class QWidget;

namespace clvn {

// "Read Me": shows the update's read-me text, as plain text, until OK.
void showReadMe(QWidget *parent, const QString &text);

} // namespace clvn
