#include "widgets/Messages.h"

#include "finance/Errors.h"
#include "widgets/Accessibility.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

namespace clvn {

namespace {

std::string convertText(const QLineEdit *field, FieldConvertError::Wanted wanted)
{
    const std::string text = field->text().toStdString();
    return wanted == FieldConvertError::Wanted::Number ? ConvertError::notFloat(text).what()
                                                       : ConvertError::notInteger(text).what();
}

QWidget *refusedField(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const InputRefused &refused) {
        return refused.field();
    } catch (const FieldConvertError &refused) {
        return refused.field();
    } catch (...) {
    }
    return nullptr;
}

} // namespace

FieldConvertError::FieldConvertError(const QLineEdit *field, Wanted wanted)
    : ConvertError(convertText(field, wanted)), m_field(const_cast<QLineEdit *>(field)),
      m_text(field->text()), m_wanted(wanted)
{
}

QString FieldConvertError::reason() const
{
    const bool whole = m_wanted != Wanted::Number;
    if (m_text.trimmed().isEmpty())
        return whole ? QStringLiteral("a whole number is needed.")
                     : QStringLiteral("a number is needed.");
    if (m_wanted == Wanted::SmallerNumber)
        return QStringLiteral("\"%1\" is too large.").arg(m_text);
    return (whole ? QStringLiteral("\"%1\" is not a whole number.")
                  : QStringLiteral("\"%1\" is not a number."))
        .arg(m_text);
}

void returnToRefusedField(std::exception_ptr error)
{
    QWidget *field = refusedField(error);
    if (!field || !field->isVisible() || !field->isEnabled())
        return;
    // As the window takes the focus back from the message: not a leaving.
    field->setFocus(Qt::ActiveWindowFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
}

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
    } catch (const FieldConvertError &refused) {
        if (floatError)
            *floatError = false;
        const QString caption = refused.field() ? captionOf(refused.field()) : QString();
        QString reason = refused.reason();
        if (caption.isEmpty())
            return reason.replace(0, 1, reason.at(0).toUpper());
        return caption + QStringLiteral(": ") + reason;
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
