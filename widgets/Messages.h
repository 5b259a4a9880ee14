#pragma once

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

class QWidget;

namespace clvn {

// A figure a page refuses, with the message that tells the user which one
// and why; the application-wide handler shows that message.
class InputRefused : public std::exception
{
public:
    explicit InputRefused(QString text) : m_text(std::move(text)), m_what(m_text.toUtf8()) {}
    const char *what() const noexcept override { return m_what.constData(); }
    const QString &text() const { return m_text; }

private:
    QString m_text;
    QByteArray m_what;
};

// An information box with one OK button, the program's title as caption.
// Every message of the program goes through here.
void showInfo(QWidget *parent, const QString &text);

// The message shown for a failure that reached the application-wide handler:
// unusable figures (a floating-point fault) or anything else.
QString failureMessage(std::exception_ptr error, bool *floatError = nullptr);

// How long a note stays in the status bar.
constexpr int kStatusNoteMs = 6000;

// Shows `text` for a few seconds in the status bar of the main window that
// `from` is in or was opened over; nothing when there is none.
void showStatusNote(QWidget *from, const QString &text);

// `verb` "name" in folder: what a file command just wrote, and where.
QString fileWrittenNote(const QString &verb, const QString &fileName);

} // namespace clvn
