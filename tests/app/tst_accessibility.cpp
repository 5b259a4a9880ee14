// What a screen reader and a keyboard user meet in every window of the real program:
// spoken names read as captions, Tab reaches and leaves every field, no mnemonic is
// used twice, keys, icons.

#include "app/Main.h"
#include "app/WebFileInfo.h"
#include "app/help/HelpWindow.h"
#include "calculators/CalculatorPage.h"
#include "tests/support/MainFixture.h"
#include "widgets/Accessibility.h"

#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

bool isField(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w);
}

// What a screen reader says a control is; of a combo box (named by its value), its buddy.
QString spokenName(QWidget *w)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    if (!iface || iface->role() != QAccessible::ComboBox)
        return iface ? iface->text(QAccessible::Name).trimmed() : QString();
    const auto labels = iface->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name).trimmed();
}

QString describe(const QWidget *w)
{
    return w->objectName() + u" ("_s + QString::fromLatin1(w->metaObject()->className()) + u')';
}

// Whether Tab (or Shift+Tab) takes the focus out of `w` within some presses.
bool tabLeaves(QWidget *w, Qt::Key key)
{
    w->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 40; ++i) {
        QWidget *now = QApplication::focusWidget();
        if (now != w && !(now && w->isAncestorOf(now)))
            return true;
        QTest::keyClick(now, key);
    }
    return false;
}

// Every fault a screen reader or keyboard user meets in `root` now, as "where: what".
QStringList audit(QWidget *root, const QString &where)
{
    QList<QWidget *> shown;
    for (QWidget *w : root->findChildren<QWidget *>())
        if (w->isVisible() && w->window() == root->window())
            shown << w;
    // A field reads as one caption shown, or two (row and column, group and caption).
    QStringList captions;
    for (QWidget *w : std::as_const(shown)) {
        if (auto *label = qobject_cast<QLabel *>(w))
            captions << spokenLabelText(label->text(), label->buddy() != nullptr);
        else if (auto *button = qobject_cast<QPushButton *>(w))
            captions << spokenLabelText(button->text(), true);
    }
    QSet<QString> allowed(captions.begin(), captions.end());
    for (const QString &a : std::as_const(captions))
        for (const QString &b : std::as_const(captions))
            allowed << a + u' ' + b;

    QStringList faults;
    QList<QWidget *> focusable;
    QHash<QString, QWidget *> inputs;
    for (QWidget *w : std::as_const(shown)) {
        // A button with a hint describes itself by it.
        if (auto *b = qobject_cast<QAbstractButton *>(w);
            b && !b->statusTip().isEmpty() &&
            QAccessible::queryAccessibleInterface(b)->text(QAccessible::Description) !=
                b->statusTip())
            faults << where + u": "_s + describe(w) + u" is not described by its hint"_s;
        // A control that hands its focus on (a tab widget) is met as the one it hands to.
        const bool takesTab =
            (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->focusProxy();
        if (!takesTab && !isField(w))
            continue;
        if (takesTab)
            focusable << w;
        const QString name = spokenName(w);
        // "..." is no name: it says nothing of what the control does.
        if (std::none_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); })) {
            faults << where + u": no name: "_s + describe(w) + u" reads \""_s + name + u'"';
            continue;
        }
        if (!isField(w) || qobject_cast<QComboBox *>(w->parentWidget()) ||
            qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            continue;
        if (!allowed.contains(name))
            faults << where + u": "_s + describe(w) + u" reads \""_s + name + u"\", no caption"_s;
        // Two fields the user types into must not sound alike.
        auto *edit = qobject_cast<QLineEdit *>(w);
        if (edit && (edit->isReadOnly() || !edit->isEnabled()))
            continue;
        if (QWidget *other = inputs.value(name))
            faults << where + u": "_s + describe(w) + u" and "_s + describe(other) +
                          u" both read \""_s + name + u'"';
        inputs.insert(name, w);
    }
    // Alt and a letter must reach one control: the same letter twice only moves the focus.
    QHash<QKeySequence, QString> mnemonics;
    const auto claim = [&](const QString &text, const QString &who) {
        const QKeySequence key = QKeySequence::mnemonic(text);
        if (key.isEmpty())
            return;
        if (const QString other = mnemonics.value(key); !other.isEmpty())
            faults << where + u": "_s + who + u" and "_s + other + u" both answer "_s +
                          key.toString();
        mnemonics.insert(key, who);
    };
    for (QWidget *w : std::as_const(shown)) {
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            claim(button->text(), describe(w));
        else if (auto *label = qobject_cast<QLabel *>(w); label && label->buddy())
            claim(label->text(), describe(w));
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            claim(group->title(), describe(w));
        else if (auto *tabs = qobject_cast<QTabBar *>(w))
            for (int i = 0; i < tabs->count(); ++i)
                claim(tabs->tabText(i), u"tab "_s + tabs->tabText(i));
        else if (auto *bar = qobject_cast<QMenuBar *>(w))
            for (QAction *menu : bar->actions())
                claim(menu->text(), u"menu "_s + menu->text());
    }
    test::MessageBoxCatcher boxes;
    for (QWidget *w : std::as_const(focusable)) {
        // A panel may have closed when left; alone, a control has nowhere to go.
        if (!w->isVisible() || !w->isEnabled() || focusable.size() < 2)
            continue;
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab})
            if (!tabLeaves(w, key))
                faults << where + (key == Qt::Key_Tab ? u": Tab"_s : u": Shift+Tab"_s) +
                              u" never leaves "_s + describe(w);
    }
    return faults;
}

// The fields of `page` that Tab does not reach from where the focus is.
QStringList unreachedByTab(QWidget *page)
{
    QSet<QWidget *> inputs;
    for (QLineEdit *e : page->findChildren<QLineEdit *>())
        if (e->isVisible() && e->isEnabled() && !e->isReadOnly() &&
            !qobject_cast<QComboBox *>(e->parentWidget()))
            inputs << e;
    for (int i = 0; i < 4 * (inputs.size() + 20) && QApplication::focusWidget(); ++i) {
        inputs.remove(QApplication::focusWidget());
        if (inputs.isEmpty())
            break;
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QStringList missed;
    for (QWidget *e : std::as_const(inputs))
        missed << e->objectName();
    return missed;
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::pinLocale();
        m_main.emplace([](MainOptions &options) {
            test::withHelp(options);
            // Nothing listens there: the update window shows its failed check at once.
            options.setUpUpdateCheck = [](TWebFileInfo &info) {
                info.HomeURL = QUrl(u"http://127.0.0.1:9/"_s);
            };
        });
        // The icon follows the window's first painting.
        QTRY_COMPARE(QApplication::windowIcon().availableSizes().size(), 8);
        QCOMPARE(window().windowIcon().cacheKey(), QApplication::windowIcon().cacheKey());
    }
    void cleanupTestCase() { m_main.reset(); }

    // Each page's title strip, Tab order, modes and panels; the other windows' tabs
    // and (the preview) second page.
    void everyWindowPassesTheAudit_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("command"); // what opens the window
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("close");
        // Pages are built when first opened: the table names them all.
        QStringList pages{u"Menu"_s};
        for (const PageDescriptor &d : pageDescriptors())
            pages << d.name;
        for (const QString &page : std::as_const(pages))
            QTest::newRow(qPrintable(u"page "_s + page))
                << page << QString() << QString() << QString();
        QTest::newRow("Preferences")
            << u"Menu"_s << u"mnuPreferencesSetValues"_s << u"frmPrefs"_s << u"btnCancel"_s;
        QTest::newRow("print preview") // the schedule runs to several pages
            << u"Amort"_s << u"btnPrint"_s << u"frmPreview"_s << u"bbClose"_s;
        QTest::newRow("help window")
            << u"Menu"_s << u"MnuHelpContents"_s << u"HelpWindow"_s << QString();
        QTest::newRow("update window")
            << u"Menu"_s << u"mnuInternetCheckForUpdate"_s << u"frmUpdate"_s << u"btnClose"_s;
    }
    void everyWindowPassesTheAudit()
    {
        QFETCH(QString, page);
        QFETCH(QString, command);
        QFETCH(QString, name);
        QFETCH(QString, close);
        go(page);
        QStringList faults;
        if (command.isEmpty()) {
            CalculatorPage *calculator = window().page(page);
            const QString title = calculator ? calculator->title() : u"Main Menu"_s;
            auto *strip = m_main->get<QWidget>(u"lblCalculatorName"_s);
            QCOMPARE(QAccessible::queryAccessibleInterface(strip)->text(QAccessible::Name), title);
            if (calculator) {
                test::MessageBoxCatcher boxes;
                QVERIFY2(QApplication::focusWidget(), "nothing has the focus on entry");
                const QStringList missed = unreachedByTab(calculator);
                QVERIFY2(missed.isEmpty(),
                         qPrintable(u"Tab never reaches "_s + missed.join(u", "_s)));
            }
            faults = calculator ? auditPage(calculator) : audit(&window(), page);
        } else {
            test::MessageBoxCatcher boxes; // the update check fails: nothing answers
            test::WindowAnswerer answerer(name, [&](QWidget *w) {
                if (w->windowIcon().cacheKey() != QApplication::windowIcon().cacheKey())
                    faults << name + u" does not carry the program icon"_s;
                w->activateWindow();
                if (!QTest::qWaitForWindowActive(w))
                    faults << name + u" never became active"_s;
                auto *tabs = w->findChild<QTabWidget *>();
                for (int i = 0; i < (tabs ? tabs->count() : 1); ++i) {
                    if (tabs)
                        tabs->setCurrentIndex(i);
                    faults << audit(w, name + u' ' + (tabs ? tabs->tabText(i) : QString()));
                }
                if (auto *next = w->findChild<QAbstractButton *>(u"bbNext"_s)) {
                    next->click();
                    faults << audit(w, name + u" on its second page"_s);
                }
                close.isEmpty() ? void(w->close()) : test::find<QAbstractButton>(w, close)->click();
                w->setProperty("clvnAnswered", false); // the same window opens again
            });
            if (auto *button = window().findChild<QAbstractButton *>(command))
                button->click();
            else
                m_main->get<QAction>(command)->trigger();
            QTRY_COMPARE(answerer.count(), 1);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(u"\n"_s + faults.join(u'\n')));
        go(u"Menu"_s);
    }
    // Fields whose caption is not simply the nearest one on their left.
    void fieldsAreNamedAfterTheirLabels_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("name");
        for (const auto &[field, name] :
             std::initializer_list<std::pair<const char *, const char *>>{
                 {"edtLA", "Loan Amount"}, // captioned by its button, mnemonic dropped
                 {"EdtNumPmts", "Term in Months"},
                 {"edtIncome1", "Borrower Monthly Income"}, // a table's row and column
                 {"edtOIncome2", "Co-Borrower Other Monthly Income"},
                 {"edtEccCClosingCosts", "Estimated Closing Costs"},   // beside its button
                 {"edtEccCPandI", "Principal & Interest"},             // a literal ampersand
                 {"edtEccTax", "Real Estate Taxes (Annual Estimate)"}, // two lines
                 {"edtPPCExtraAmount", "Amount"},                      // its caption beside it
                 {"edtHSPSalesCommission", "Sales Commission"},        // caption above
                 {"cbHSPClosingMonth", "Estimated Closing Month"},     // not its value
                 // The same captions in two groups: the group tells them apart.
                 {"edtOldTerm", "Current Loan Term in Months"},
                 {"edtNewTerm", "New Loan Term in Months"},
                 {"btnCalcFees", "Itemize the closing costs"},
                 {"edtCmpLoan2", "Loan Amount Offer B"}, // four offers share each caption
                 {"cbArmRounding", "Round Index + Margin"},
             })
            QTest::newRow(field) << QString::fromLatin1(field) << QString::fromUtf8(name);
    }
    void fieldsAreNamedAfterTheirLabels()
    {
        QFETCH(QString, field);
        QFETCH(QString, name);
        QCOMPARE(spokenName(m_main->get<QWidget>(field)), name);
    }
    // In every mode, Tab from the mode chooser reaches the left increment group, then the right.
    void tabFollowsTheIncrementGroups()
    {
        go(u"LS"_s);
        test::MessageBoxCatcher boxes;
        for (int mode : {0, 1, 2, 3}) { // payments, loan amounts, rates, terms
            auto *choice = m_main->get<QRadioButton>(u"rgCalculateItem%1"_s.arg(mode));
            choice->click();
            choice->setFocus(Qt::TabFocusReason);
            QStringList groups; // "name@x" of each group Tab enters, in turn
            for (int i = 0; i < 30 && groups.size() < 2; ++i) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                QWidget *group = QApplication::focusWidget()->parentWidget();
                const QString seen = group->objectName() + u'@' + QString::number(group->x());
                if (group->objectName().startsWith(u"rg"_s) && !groups.contains(seen))
                    groups << seen;
            }
            QVERIFY2(groups.size() == 2 && groups.at(0).endsWith(u"@251"_s) &&
                         groups.at(1).endsWith(u"@419"_s),
                     qPrintable(u"mode %1: "_s.arg(mode) + groups.join(u", "_s)));
        }
        go(u"Menu"_s);
    }
    void toolBarCommandsHaveKeys_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("action"); // the one command that owns the key
        // Print last: a modal preview's activation may still be arriving as it closes.
        QTest::newRow("reset") << u"btnReset"_s << QKeySequence(u"Ctrl+R"_s) << u"btnResetKey"_s;
        QTest::newRow("menu page") << u"btnMenu"_s << QKeySequence(u"Ctrl+M"_s) << u"btnMenuKey"_s;
        QTest::newRow("exit") << u"btnExit"_s << QKeySequence(u"Ctrl+Q"_s) << u"MnuFileExit"_s;
        QTest::newRow("help") << u"btnHelp"_s << QKeySequence(u"F1"_s) << u"MnuPopHelp"_s;
        QTest::newRow("preferences")
            << u"btnPrefs"_s << QKeySequence(u"Ctrl+Shift+,"_s) << u"mnuPreferencesSetValues"_s;
        QTest::newRow("print") << u"btnPrint"_s << QKeySequence(u"Ctrl+P"_s) << u"MnuFilePrint"_s;
    }
    // The tool tip shows the key, no other command has it; from a field it does its work.
    void toolBarCommandsHaveKeys()
    {
        QFETCH(QString, button);
        QFETCH(QKeySequence, key);
        QFETCH(QString, action);
        const QString tip = m_main->get<QToolButton>(button)->toolTip();
        QVERIFY2(tip.endsWith(u" ("_s + key.toString(QKeySequence::NativeText) + u')'),
                 qPrintable(tip));
        QCOMPARE(m_main->get<QAction>(action)->shortcut(), key);
        for (QAction *a : window().findChildren<QAction *>())
            QVERIFY2(a->objectName() == action || !a->shortcuts().contains(key),
                     qPrintable(a->objectName()));
        if (button == u"btnExit"_s)
            return; // its key would end the test
        go(u"MQ"_s);
        auto *field = m_main->get(u"edtIncome1"_s);
        field->setFocus();
        field->setText(u"99"_s);
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        const auto answer = [](const char *close) {
            return [close](QWidget *w) {
                test::find<QAbstractButton>(w, QString::fromLatin1(close))->click();
                w->setProperty("clvnAnswered", false); // the same window opens again
            };
        };
        test::WindowAnswerer preview(u"frmPreview"_s, answer("bbClose"));
        test::WindowAnswerer prefs(u"frmPrefs"_s, answer("btnCancel"));
        QTest::keySequence(field, key);
        QCOMPARE(prefs.count(), button == u"btnPrefs"_s ? 1 : 0);
        if (button == u"btnPrint"_s)
            QCOMPARE(preview.count(), 1);
        else if (button == u"btnReset"_s)
            QVERIFY(field->text() != u"99"_s);
        else if (button == u"btnMenu"_s)
            QCOMPARE(window().activePageName(), u"Menu"_s);
        if (button == u"btnHelp"_s) {
            HelpWindow *help = window().helpViewer().window();
            QVERIFY(help && help->isVisible());
            help->close();
        }
        go(u"Menu"_s);
    }

private:
    TfrmMain &window() const { return *m_main->window; }
    void go(const QString &page)
    {
        window().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        test::MessageBoxCatcher boxes;
        if (window().activePageName() != page)
            m_main->click(page == u"Menu"_s ? u"btnMenu"_s
                          : page == u"LS"_s ? u"btnLSC"_s
                                            : u"btn"_s + page);
        QTRY_COMPARE(window().activePageName(), page);
    }
    QStringList auditPage(CalculatorPage *page)
    {
        const auto shownNow = [page] {
            QSet<QWidget *> shown;
            for (QWidget *w : page->findChildren<QWidget *>())
                if (w->isVisible())
                    shown << w;
            return shown;
        };
        // A radio choice that changes what shows is a mode of the page.
        QStringList faults = audit(&window(), page->pageName());
        QList<QSet<QWidget *>> views{shownNow()};
        for (QRadioButton *radio : page->findChildren<QRadioButton *>()) {
            if (!radio->isVisible() || !radio->isEnabled())
                continue;
            test::MessageBoxCatcher boxes;
            radio->click();
            if (views.contains(shownNow()))
                continue;
            views << shownNow();
            faults << audit(&window(), page->pageName() + u" with "_s + radio->objectName());
        }
        // An open panel covers the page: the user meets what is on it.
        for (QWidget *panel : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (!panel->isHidden() || panel->findChildren<QWidget *>().isEmpty())
                continue;
            QHash<QWidget *, QString> names; // the page's own, which the panel must not change
            for (QWidget *w : page->findChildren<QWidget *>())
                if (!panel->isAncestorOf(w) && isField(w))
                    names.insert(w, spokenName(w));
            panel->show();
            makeAccessible(page); // as when the page shows again with the panel open
            const QString where = page->pageName() + u" with "_s + panel->objectName();
            faults << audit(panel, where);
            for (auto it = names.cbegin(); it != names.cend(); ++it)
                if (spokenName(it.key()) != it.value())
                    faults << where + u": "_s + describe(it.key()) + u" reads \""_s +
                                  spokenName(it.key()) + u"\""_s;
            panel->hide();
            makeAccessible(page);
        }
        return faults;
    }

    std::optional<test::MainFixture> m_main;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
