#include "widgets/Messages.h"

#include <QMessageBox>

namespace clvn {

void showInfo(QWidget *parent, const QString &text)
{
    // The messages break lines with line feed + carriage return; a label
    // would draw the carriage return as extra space, so the box shows plain
    // line feeds and keeps the message itself as a property.
    QString shown = text;
    shown.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    QMessageBox box(QMessageBox::Information, QStringLiteral("Calvenor"), shown, QMessageBox::Ok,
                    parent);
    box.setProperty("messageText", text);
    box.exec();
}

} // namespace clvn
