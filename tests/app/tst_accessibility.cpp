// What a screen reader and a keyboard user meet in every window of the real
// program: each control that takes the focus has a spoken name, a field reads
// as the captions shown with it, Tab leaves every control and reaches every
// field, hints describe buttons, the title strip reads as the page's title,
// and every tool bar command has its own key.

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
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
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

// What a screen reader says a control is. On Linux a combo box's name is its
// value ("July"); the reader says the label linked to it as buddy instead.
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

// Every fault a screen reader or keyboard user meets in `root` as it shows
// now, each as "where: what".
QStringList audit(QWidget *root, const QString &where)
{
    QList<QWidget *> shown;
    for (QWidget *w : root->findChildren<QWidget *>())
        if (w->isVisible() && w->window() == root->window())
            shown << w;
    // A field reads as a caption shown with it, or as two (a table's row and
    // column, a group's heading and the caption).
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
        // A control that hands its focus on (a tab widget to its tab bar) is
        // met as the one it hands it to.
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
    test::MessageBoxCatcher boxes;
    for (QWidget *w : std::as_const(focusable)) {
        // A step before may have moved on (a panel closed when left); alone,
        // a control has nowhere to go.
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
    }
    void cleanupTestCase() { m_main.reset(); }

    void spokenLabelText_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("mnemonic");
        QTest::addColumn<QString>("spoken");
        QTest::newRow("plain") << u"Loan Amount"_s << false << u"Loan Amount"_s;
        QTest::newRow("colon and spaces") << u"  Interest Rate: "_s << false << u"Interest Rate"_s;
        QTest::newRow("mnemonic") << u"&Term (months)"_s << true << u"Term (months)"_s;
        QTest::newRow("escaped ampersand")
            << u"Taxes && Insurance"_s << true << u"Taxes & Insurance"_s;
        // A label without a buddy shows its ampersand.
        QTest::newRow("label's own ampersand")
            << u"Principal & Interest"_s << false << u"Principal & Interest"_s;
        QTest::newRow("two lines") << u"Monthly\nPayment"_s << false << u"Monthly Payment"_s;
        QTest::newRow("only a colon") << u":"_s << false << QString();
    }
    void spokenLabelText()
    {
        QFETCH(QString, label);
        QFETCH(bool, mnemonic);
        QFETCH(QString, spoken);
        QCOMPARE(clvn::spokenLabelText(label, mnemonic), spoken);
    }
    // A page is audited in each of its modes and with each panel open, after
    // its title strip and its Tab order from the field it enters with; the other
    // windows on each tab and (the preview) on a second page.
    void everyWindowPassesTheAudit_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("command"); // what opens the window
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("close");
        auto *stack = m_main->get<QStackedWidget>(u"nbkMain"_s);
        for (int i = 0; i < stack->count(); ++i) {
            const QString page = stack->widget(i)->objectName();
            QTest::newRow(qPrintable(u"page "_s + page))
                << page << QString() << QString() << QString();
        }
        QTest::newRow("Preferences")
            << u"Menu"_s << u"mnuPreferencesSetValues"_s << u"frmPrefs"_s << u"btnCancel"_s;
        // The schedule runs to several pages.
        QTest::newRow("print preview")
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
                 {"edtLA", "Loan Amount"}, // captioned by its button
                 {"EdtNumPmts", "Term in Months"},
                 {"edtIncome1", "Borrower Monthly Income"}, // a table's row and column
                 {"edtOIncome1", "Borrower Other Monthly Income"},
                 {"edtOIncome2", "Co-Borrower Other Monthly Income"},
                 {"edtEccCClosingCosts", "Estimated Closing Costs"}, // beside its button
                 {"edtEccCPandI", "Principal & Interest"},           // a literal ampersand
                 {"edtPPCExtraAmount", "Amount"},                    // its caption beside it
                 {"edtHSPSalesCommission", "Sales Commission"},      // caption above
                 {"edtHSPOtherFees", "Other Fees"},
                 {"cbHSPClosingMonth", "Estimated Closing Month"}, // not its value
                 // The same captions in two groups: the group tells them apart.
                 {"edtOldTerm", "Current Loan Term in Months"},
                 {"edtNewTerm", "New Loan Term in Months"},
                 {"edtOldInterestRate", "Current Loan Interest Rate"},
                 {"edtNewInterestRate", "New Loan Interest Rate"},
                 {"btnCalcFees", "Itemize the closing costs"},
                 {"edtCmpLoan2", "Loan Amount Offer B"}, // four offers share each caption
             })
            QTest::newRow(field) << QString::fromLatin1(field) << QString::fromUtf8(name);
    }
    void fieldsAreNamedAfterTheirLabels()
    {
        QFETCH(QString, field);
        QFETCH(QString, name);
        QCOMPARE(spokenName(m_main->get<QWidget>(field)), name);
    }
    void tabFollowsTheIncrementGroups_data()
    {
        QTest::addColumn<int>("mode");
        QTest::newRow("payments") << 0;
        QTest::newRow("loan amounts") << 1;
        QTest::newRow("rates") << 2;
        QTest::newRow("terms") << 3;
    }
    // From the mode chooser, Tab reaches the left-hand increment group, then the
    // right-hand one, whichever two the mode shows.
    void tabFollowsTheIncrementGroups()
    {
        QFETCH(int, mode);
        go(u"LS"_s);
        test::MessageBoxCatcher boxes;
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
        QCOMPARE(groups.size(), 2);
        QVERIFY2(groups.at(0).endsWith(u"@251"_s) && groups.at(1).endsWith(u"@419"_s),
                 qPrintable(groups.join(u", "_s)));
        go(u"Menu"_s);
    }
    void toolBarCommandsHaveKeys_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("menuItem"); // the item that shows the key, if any
        // Print last: a modal preview's activation may still be arriving as it closes.
        QTest::newRow("reset") << u"btnReset"_s << QKeySequence(u"Ctrl+R"_s) << QString();
        QTest::newRow("menu page") << u"btnMenu"_s << QKeySequence(u"Ctrl+M"_s) << QString();
        QTest::newRow("exit") << u"btnExit"_s << QKeySequence(u"Ctrl+Q"_s) << u"MnuFileExit"_s;
        QTest::newRow("help") << u"btnHelp"_s << QKeySequence(u"F1"_s) << u"MnuPopHelp"_s;
        QTest::newRow("print") << u"btnPrint"_s << QKeySequence(u"Ctrl+P"_s) << u"MnuFilePrint"_s;
    }
    // The tool tip shows the key, and the key does what the button does from a
    // field of a calculator page.
    void toolBarCommandsHaveKeys()
    {
        QFETCH(QString, button);
        QFETCH(QKeySequence, key);
        QFETCH(QString, menuItem);
        const QString tip = m_main->get<QToolButton>(button)->toolTip();
        QVERIFY2(tip.endsWith(u" ("_s + key.toString(QKeySequence::NativeText) + u')'),
                 qPrintable(tip));
        if (!menuItem.isEmpty())
            QCOMPARE(m_main->get<QAction>(menuItem)->shortcut(), key);
        if (button == u"btnExit"_s)
            return; // its key would end the test
        go(u"MQ"_s);
        auto *field = m_main->get(u"edtIncome1"_s);
        field->setFocus();
        field->setText(u"99"_s);
        QVERIFY(QTest::qWaitForWindowActive(&window()));
        test::WindowAnswerer preview(u"frmPreview"_s, [](QWidget *w) {
            test::find<QAbstractButton>(w, u"bbClose"_s)->click();
            w->setProperty("clvnAnswered", false); // the same window opens again
        });
        QTest::keySequence(field, key);
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
    void noTwoCommandsShareAKey()
    {
        QHash<QKeySequence, QString> owner;
        for (QAction *a : window().findChildren<QAction *>())
            for (const QKeySequence &key : a->shortcuts()) {
                QVERIFY2(!owner.contains(key),
                         qPrintable(key.toString() + u": "_s + owner.value(key) + u", "_s +
                                    a->objectName()));
                owner.insert(key, a->objectName());
            }
        QVERIFY(owner.size() >= 5);
    }
    void everyWindowCarriesTheProgramIcon()
    {
        const QIcon icon = QApplication::windowIcon();
        QCOMPARE(icon.availableSizes().size(), 8);
        QCOMPARE(window().windowIcon().cacheKey(), icon.cacheKey());
        // A dialog opened from the window without an icon of its own.
        QWidget dialog(&window(), Qt::Dialog);
        QCOMPARE(dialog.windowIcon().cacheKey(), icon.cacheKey());
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
            panel->show();
            faults << audit(panel, page->pageName() + u" with "_s + panel->objectName());
            panel->hide();
        }
        return faults;
    }

    std::optional<test::MainFixture> m_main;
};

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
