#pragma once

// Helpers shared by the widget tests.

#include <QMessageBox>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <initializer_list>

class QLineEdit;

namespace clvn::test {

// Pins QLocale's default to en_US so that texts are predictable.
void pinLocale();

// The child of `root` named `name`. A missing one ends the test with its
// type and name rather than crashing it later on a null pointer.
template <class T> T *find(const QObject *root, const QString &name)
{
    T *found = root ? root->findChild<T *>(name) : nullptr;
    if (!found)
        qFatal("missing %s \"%s\"", T::staticMetaObject.className(), qPrintable(name));
    return found;
}

// Replaces a field's text as a user does (focus, select all, delete, type)
// and stays in the field.
void typeOnly(QLineEdit *edit, const QString &text);
// The same, then leaves the field with Tab.
void type(QLineEdit *edit, const QString &text);
// type(), failing the test when the field refused any of the text.
void typeAccepted(QLineEdit *edit, const QString &text);

// While alive, answers every modal message box that opens: records its text
// and presses `answer`. Create it before the action that shows the box.
class MessageBoxCatcher : public QObject
{
public:
    explicit MessageBoxCatcher(QMessageBox::StandardButton answer = QMessageBox::Ok);
    ~MessageBoxCatcher() override;

    const QStringList &texts() const { return m_texts; }
    int count() const { return int(m_texts.size()); }
    QString last() const { return m_texts.isEmpty() ? QString() : m_texts.last(); }
    void clear() { m_texts.clear(); }

private:
    void poll();

    QMessageBox::StandardButton m_answer;
    QStringList m_texts;
    QTimer m_timer;
};

// While alive, hands each top-level window named `objectName` to `answer`
// once it shows (a modal window the test cannot reach otherwise).
class WindowAnswerer : public QObject
{
public:
    WindowAnswerer(const QString &objectName, std::function<void(QWidget *)> answer);
    int count() const { return m_count; }

private:
    QString m_name;
    std::function<void(QWidget *)> m_answer;
    int m_count = 0;
    QTimer m_timer;
};

// A list of short ASCII texts, for compact data rows.
inline QStringList texts(std::initializer_list<const char *> list)
{
    QStringList out;
    for (const char *text : list)
        out << QLatin1String(text);
    return out;
}

// A file's bytes, empty when it cannot be read; writing it whole, false on failure.
QByteArray readBytes(const QString &path);
bool writeBytes(const QString &path, const QByteArray &bytes);

} // namespace clvn::test
