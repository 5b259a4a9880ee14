#include "widgets/Messages.h"

#include <QMessageBox>

namespace clvn {

void showInfo(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Information, QStringLiteral("Calvenor"), text, QMessageBox::Ok,
                    parent);
    box.exec();
}

} // namespace clvn
