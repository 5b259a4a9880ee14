#pragma once

// The real main window for the shell tests: started in a program folder of
// its own, so CLVN.INI and help live in a temporary folder, and driven
// through its widgets by name.

#include "app/Main.h"
#include "app/Pages.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

namespace clvn::test {

class MainFixture
{
public:
    // `adjust` may change the options before the window is built.
    explicit MainFixture(std::function<void(MainOptions &)> adjust = {}) : m_adjust(adjust)
    {
        start();
    }

    // Closes the window as the user does (the exit save included) and
    // starts the program again on the same folder.
    void restart()
    {
        if (!window->close())
            qWarning("the main window refused to close");
        window.reset();
        start();
    }

    template <class T = QLineEdit> T *get(const QString &name) const
    {
        // Pages are built when first opened: a control on one not opened yet
        // is found once every page is built.
        if (!window->findChild<T *>(name))
            for (const PageDescriptor &d : pageDescriptors())
                window->page(d.name);
        return find<T>(window.get(), name);
    }
    QString text(const QString &name) const { return get<QLineEdit>(name)->text(); }
    void type(const QString &name, const QString &value) { test::type(get(name), value); }
    // Presses a button on the window (a menu-page button opens its page).
    void click(const QString &name) { get<QAbstractButton>(name)->click(); }
    QString folder() const { return dir.path(); }

    QTemporaryDir dir;
    std::unique_ptr<TfrmMain> window;

private:
    void start()
    {
        MainOptions options;
        options.programFolder = dir.path() + u'/';
        options.closeDraw = [] { return 1; };
        if (m_adjust)
            m_adjust(options);
        window = std::make_unique<TfrmMain>(options);
        window->show();
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window.get()))
            qWarning("main window not active");
    }

    std::function<void(MainOptions &)> m_adjust;
};

#ifdef CLVN_HELP_DIR
// An `adjust` for MainFixture: the help built with the program is put beside
// it, so that help requests find it.
inline void withHelp(MainOptions &options)
{
    for (const char *file : {"CLVN.qhc", "CLVN.qch"})
        QFile::copy(QStringLiteral(CLVN_HELP_DIR "/") + QLatin1String(file),
                    options.programFolder + QLatin1String(file));
}
#endif

} // namespace clvn::test
