#include "app/UpdateFileChooser.h"

#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace clvn {

QString chooseUpdateFile(QWidget *parent, const QString &proposedName)
{
    const QStringList filters = {u"Application (*.EXE *.exe)"_s, u"Zipped File (*.ZIP *.zip)"_s,
                                 u"All Files (*)"_s};
    QFileDialog dialog(parent);
    dialog.setObjectName(u"SaveDialog1"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString path = dialog.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty()) {
        const qsizetype filter = filters.indexOf(dialog.selectedNameFilter());
        if (filter == 0)
            path += u".EXE"_s;
        else if (filter == 1)
            path += u".ZIP"_s;
    }
    return path;
}

} // namespace clvn
