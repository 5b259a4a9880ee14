#pragma once

// Helpers shared by the widget tests.

#include <QMessageBox>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace clvn::test {

// Pins QLocale's default to en_US so that texts are predictable.
void pinLocale();

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

} // namespace clvn::test
