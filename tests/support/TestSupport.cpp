#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QLocale>
#include <QTest>

namespace clvn::test {

void pinLocale()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void typeOnly(QLineEdit *edit, const QString &text)
{
    edit->setFocus(Qt::TabFocusReason);
    QTRY_VERIFY(edit->hasFocus());
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

void type(QLineEdit *edit, const QString &text)
{
    typeOnly(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

void typeAccepted(QLineEdit *edit, const QString &text)
{
    typeOnly(edit, text);
    QCOMPARE(edit->text(), text);
    QTest::keyClick(edit, Qt::Key_Tab);
}

MessageBoxCatcher::MessageBoxCatcher(QMessageBox::StandardButton answer) : m_answer(answer)
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &MessageBoxCatcher::poll);
    m_timer.start();
}

MessageBoxCatcher::~MessageBoxCatcher() = default;

void MessageBoxCatcher::poll()
{
    const auto widgets = QApplication::topLevelWidgets();
    for (QWidget *w : widgets) {
        auto *box = qobject_cast<QMessageBox *>(w);
        if (!box || !box->isVisible() || box->property("clvnAnswered").toBool())
            continue;
        box->setProperty("clvnAnswered", true);
        // The program's own message text, line breaks as the program wrote them.
        const QVariant message = box->property("messageText");
        m_texts << (message.isValid() ? message.toString() : box->text());
        QAbstractButton *button = box->button(m_answer);
        if (!button)
            button = box->buttons().value(0);
        if (button)
            button->click();
        else
            box->reject();
    }
}

WindowAnswerer::WindowAnswerer(const QString &objectName, std::function<void(QWidget *)> answer)
    : m_name(objectName), m_answer(std::move(answer))
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() != m_name || !w->isVisible() ||
                w->property("clvnAnswered").toBool())
                continue;
            w->setProperty("clvnAnswered", true);
            ++m_count;
            m_answer(w);
        }
    });
    m_timer.start();
}

QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace clvn::test
