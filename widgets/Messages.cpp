#include "widgets/Messages.h"

#include "finance/Errors.h"

#include <QDir>
#include <QFileInfo>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

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

void showStatusNote(QWidget *from, const QString &text)
{
    // A dialog (the preview) is its own window; its owner is the parent of that window.
    for (QWidget *w = from; w; w = w->parentWidget()) {
        if (auto *main = qobject_cast<QMainWindow *>(w)) {
            main->statusBar()->showMessage(text, kStatusNoteMs);
            return;
        }
    }
}

QString fileWrittenNote(const QString &verb, const QString &fileName)
{
    const QFileInfo file(fileName);
    return verb + QStringLiteral(" \"") + file.fileName() + QStringLiteral("\" in ") +
           QDir::toNativeSeparators(file.absolutePath());
}

QString failureMessage(std::exception_ptr error, bool *floatError)
{
    bool isFloat = false;
    try {
        std::rethrow_exception(error);
    } catch (const InputRefused &refused) {
        if (floatError)
            *floatError = false;
        return refused.text();
    } catch (const FloatError &) {
        isFloat = true;
    } catch (...) {
    }
    if (floatError)
        *floatError = isFloat;
    return isFloat ? QStringLiteral("Valid results cannot be calculated using\n\rthe variables you "
                                    "have entered.\n\r\n\rPlease try again with reasonable values.")
                   : QStringLiteral("An unidentified error has occurred.");
}

} // namespace clvn
