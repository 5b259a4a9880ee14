#include "app/UpdateFileChooser.h"

#include "app/WebDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace clvn {

QString chooseUpdateFile(QWidget *parent, const QString &proposedName)
{
    const QStringList filters = {u"Application (*.EXE *.exe)"_s, u"Zipped File (*.ZIP *.zip)"_s,
                                 u"All Files (*)"_s};
    const QStringList suffixes = {u"EXE"_s, u"ZIP"_s, QString()};
    QFileDialog dialog(parent);
    dialog.setObjectName(u"SaveDialog1"_s);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    // The dialog adds the extension before it asks about overwriting, so the
    // question is about the file that will be written.
    dialog.setDefaultSuffix(suffixes.constFirst());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &filters, &suffixes](const QString &filter) {
                         dialog.setDefaultSuffix(suffixes.value(filters.indexOf(filter)));
                     });
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    QString path = dialog.selectedFiles().constFirst();
    // A dialog of the desktop may ignore the default extension: add it here,
    // and ask about an existing file the dialog did not ask about.
    const QString suffix = suffixes.value(filters.indexOf(dialog.selectedNameFilter()));
    if (QFileInfo(path).suffix().isEmpty() && !suffix.isEmpty()) {
        path += u'.' + suffix;
        if (QFileInfo::exists(path) &&
            updateBox(parent, QMessageBox::Question, u"File Exists"_s,
                      u"The file "_s + path + u" already exists.\rDo you want to overwrite it?"_s,
                      QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
            return {};
    }
    return path;
}

} // namespace clvn
