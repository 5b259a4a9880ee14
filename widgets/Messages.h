#pragma once

#include "finance/Errors.h"

#include <QByteArray>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <exception>
#include <utility>

class QLineEdit;

namespace clvn {

// A figure a page refuses, with the message that tells the user which one
// and why; the application-wide handler shows that message and puts the
// focus back into `field` when one is given.
class InputRefused : public std::exception
{
public:
    explicit InputRefused(QString text, QWidget *field = nullptr)
        : m_text(std::move(text)), m_what(m_text.toUtf8()), m_field(field)
    {
    }
    const char *what() const noexcept override { return m_what.constData(); }
    const QString &text() const { return m_text; }
    QWidget *field() const { return m_field; }

private:
    QString m_text;
    QByteArray m_what;
    QPointer<QWidget> m_field;
};

// A typed text that is not the figure its field takes. Still a
// ConvertError, so code that tries a text and moves on keeps working; the
// message names the field by its caption (captionOf(), Accessibility.h).
class FieldConvertError : public ConvertError
{
public:
    enum class Wanted
    {
        Number,
        WholeNumber,
        SmallerNumber, // a whole number too long to hold
    };
    FieldConvertError(const QLineEdit *field, Wanted wanted);

    QWidget *field() const { return m_field; }
    // Why, as the end of a sentence: "\"abc\" is not a number."
    QString reason() const;

private:
    QPointer<QWidget> m_field;
    QString m_text;
    Wanted m_wanted;
};

// An information box with one OK button, the program's title as caption.
// Every message of the program goes through here.
void showInfo(QWidget *parent, const QString &text);

// The message shown for a failure that reached the application-wide handler:
// a refused figure named with its field and why, unusable figures (a
// floating-point fault), or anything else.
QString failureMessage(std::exception_ptr error, bool *floatError = nullptr);

// After the message of a refused figure, the focus goes back into its field
// with the text selected, for the user to mend. The move is made as the
// window's return from the message, so it leaves no field and starts no
// calculation.
void returnToRefusedField(std::exception_ptr error);

// How long a note stays in the status bar.
constexpr int kStatusNoteMs = 6000;

// Shows `text` for a few seconds in the status bar of the main window that
// `from` is in or was opened over; nothing when there is none.
void showStatusNote(QWidget *from, const QString &text);

// `verb` "name" in folder: what a file command just wrote, and where.
QString fileWrittenNote(const QString &verb, const QString &fileName);

} // namespace clvn
