// What a screen reader and a keyboard user meet in every window of the real
// program: each control that can take the focus has a spoken name, a field's
// name is the caption a sighted user reads beside it, Tab leaves every
// control, a control with a hint describes itself by it, the title strip
// reads as the page's title, and every tool bar command has its own key.

#include "app/Main.h"
#include "app/WebFileInfo.h"
#include "app/help/HelpWindow.h"
#include "calculators/CalculatorPage.h"
#include "tests/support/TestSupport.h"
#include "widgets/Accessibility.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {

QRect rectIn(const QWidget *w, const QWidget *root)
{
    return QRect(w->mapTo(root, QPoint(0, 0)), w->size());
}

bool isField(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QComboBox *>(w) ||
           qobject_cast<const QAbstractSpinBox *>(w);
}

// A field or a control the user reads or clicks: something that stands
// between a caption and the field it names.
bool isReadControl(const QWidget *w)
{
    return isField(w) || qobject_cast<const QLabel *>(w) ||
           qobject_cast<const QAbstractButton *>(w);
}

// What a screen reader says a control is. On Linux a combo box's name is
// its value ("July"); the reader says the label linked to it instead.
QString spokenName(QWidget *w)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    if (!iface)
        return {};
    if (iface->role() != QAccessible::ComboBox)
        return iface->text(QAccessible::Name).trimmed();
    const auto labels = iface->relations(QAccessible::Label);
    return labels.isEmpty() ? QString() : labels.first().first->text(QAccessible::Name).trimmed();
}

QString describe(const QWidget *w)
{
    return (w->objectName().isEmpty() ? u"<unnamed object>"_s : w->objectName()) + u" ("_s +
           QString::fromLatin1(w->metaObject()->className()) + u')';
}

// What a sighted user reads as a caption: a label, or a button that stands
// in a label's place.
struct Seen
{
    QWidget *widget;
    QString text;
    QRect rect;
};

// The names a field may have: the caption just left of it on its line or
// just above it (nothing between but small buttons), alone or told apart by
// a heading above the field, by the caption right of it (a row caption
// between two columns) or by its row's caption in a table whose cells have
// their captions above them. A field with no caption beside it is a cell of
// a table: its row's caption and its column's heading.
QStringList namesAllowed(QWidget *field, QWidget *root, const std::vector<Seen> &seen,
                         const std::vector<QWidget *> &controls)
{
    const auto rectOf = [root](const QWidget *w) { return rectIn(w, root); };
    // What reads between `a` and `b` along `band`: a field or a label.
    const auto between = [&](const QRect &band, const QWidget *a, const QWidget *b) {
        std::vector<QWidget *> found;
        for (QWidget *w : controls) {
            if (w == a || w == b || w->isAncestorOf(a) || w->isAncestorOf(b) ||
                qobject_cast<QAbstractButton *>(w) || qobject_cast<QComboBox *>(w->parentWidget()))
                continue;
            if (band.intersects(rectOf(w)))
                found.push_back(w);
        }
        return found;
    };
    const auto captionAbove = [&](QWidget *w) -> const Seen * {
        const QRect r = rectOf(w);
        const Seen *chosen = nullptr;
        for (const Seen &c : seen) {
            const int gap = r.top() - c.rect.bottom();
            if (!qobject_cast<QLabel *>(c.widget) || gap < -2 || gap > 24 ||
                c.rect.left() < r.left() - 8 || c.rect.left() > r.center().x())
                continue;
            const QRect band(QPoint(r.left(), c.rect.bottom() + 1), QPoint(r.right(), r.top() - 1));
            if ((band.height() > 0 && !between(band, c.widget, w).empty()) ||
                (chosen && c.rect.bottom() <= chosen->rect.bottom()))
                continue;
            chosen = &c;
        }
        return chosen;
    };
    const QRect f = rectOf(field);
    const int y = f.center().y();
    const Seen *left = nullptr;
    const Seen *right = nullptr;
    const Seen *rowStrict = nullptr;
    const Seen *rowLoose = nullptr;
    std::vector<const Seen *> aboveLabels;
    QStringList headings;
    for (const Seen &c : seen) {
        if (c.widget == field)
            continue;
        if (c.rect.top() <= y && c.rect.bottom() >= y) {
            // A caption's box may run under its field; its text starts left of it.
            if (c.rect.left() < f.left() && c.rect.right() < f.right()) {
                const QRect band(QPoint(c.rect.right() + 1, y), QPoint(f.left() - 1, y));
                const auto inBetween =
                    band.width() > 0 ? between(band, c.widget, field) : std::vector<QWidget *>{};
                const bool onlyFields = std::all_of(inBetween.begin(), inBetween.end(), isField);
                if (inBetween.empty() && f.left() - c.rect.right() <= 40)
                    left = &c;
                else if (onlyFields) { // a table's row, perhaps past an empty cell
                    rowLoose = &c;
                    if (std::all_of(inBetween.begin(), inBetween.end(),
                                    [&](QWidget *w) { return captionAbove(w) != nullptr; }))
                        rowStrict = &c;
                }
            } else if (c.rect.left() >= f.right() - 4 && c.rect.left() - f.right() <= 40 &&
                       qobject_cast<QLabel *>(c.widget)) {
                const QRect band(QPoint(f.right() + 1, y), QPoint(c.rect.left() - 1, y));
                if (band.width() <= 0 || between(band, field, c.widget).empty())
                    right = &c;
            }
        }
        if (c.rect.bottom() <= f.top() + 2 && qobject_cast<QLabel *>(c.widget))
            aboveLabels.push_back(&c);
    }
    // Headings: labels above the field, over it or over its caption's start.
    for (const Seen *c : aboveLabels) {
        const bool overField =
            c->rect.left() <= f.center().x() && c->rect.right() >= f.center().x();
        const bool overCaption = std::any_of(seen.begin(), seen.end(), [&](const Seen &k) {
            return (&k == left || (left == nullptr && &k == rowLoose)) &&
                   c->rect.left() <= k.rect.left() + 4 && c->rect.right() >= k.rect.left();
        });
        if (overField || overCaption)
            headings << c->text;
    }
    const Seen *above = captionAbove(field);
    QStringList allowed;
    for (const Seen *c : {left, above}) {
        if (!c)
            continue;
        allowed << c->text;
        for (const QString &h : std::as_const(headings)) {
            if (h != c->text)
                allowed << h + u' ' + c->text << c->text + u' ' + h;
        }
        for (const Seen *row : {right, rowStrict}) {
            if (row)
                allowed << row->text + u' ' + c->text;
        }
    }
    if (!left && !above) {
        for (const Seen *row : {right, rowLoose}) {
            if (!row)
                continue;
            allowed << row->text;
            for (const QString &h : std::as_const(headings))
                allowed << row->text + u' ' + h << h + u' ' + row->text;
        }
        if (allowed.isEmpty())
            allowed = headings;
    }
    return allowed;
}

// Whether Tab (or Shift+Tab) takes the focus out of `w` within some presses.
bool tabLeaves(QWidget *w, Qt::Key key)
{
    w->setFocus(Qt::TabFocusReason);
    if (QApplication::focusWidget() != w)
        return true; // it does not take the focus this way at all
    for (int i = 0; i < 40; ++i) {
        QTest::keyClick(QApplication::focusWidget(), key);
        QWidget *now = QApplication::focusWidget();
        if (now != w && !(now && w->isAncestorOf(now)))
            return true;
    }
    return false;
}

// Every fault a screen reader or keyboard user would meet in `root` as it
// shows now, each as "where: what".
QStringList audit(QWidget *root, const QString &where)
{
    QStringList faults;
    std::vector<QWidget *> controls;
    std::vector<Seen> seen;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->window() != root->window())
            continue;
        if (isReadControl(w))
            controls.push_back(w);
        if (auto *label = qobject_cast<QLabel *>(w)) {
            const QString text = spokenLabelText(label->text(), label->buddy() != nullptr);
            if (!text.isEmpty())
                seen.push_back({w, text, rectIn(w, root)});
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            const QString text = spokenLabelText(button->text(), true);
            if (std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetter(); }))
                seen.push_back({w, text, rectIn(w, root)});
        }
    }

    QHash<QString, QWidget *> fieldNames;
    std::vector<QWidget *> focusable;
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->window() != root->window())
            continue;
        // A control that hands its focus on (a tab widget to its tab bar) is
        // met as the one it hands it to.
        const bool takesTab =
            (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->focusProxy();
        if (!takesTab && !isField(w))
            continue;
        if (takesTab)
            focusable.push_back(w);
        const QString name = spokenName(w);
        // "..." is no name: it says nothing of what the control does.
        if (std::none_of(name.begin(), name.end(), [](QChar c) { return c.isLetterOrNumber(); })) {
            faults << where + u": no name: "_s + describe(w) +
                          (name.isEmpty() ? QString() : u" reads \""_s + name + u'"');
            continue;
        }
        if (!isField(w) || qobject_cast<QComboBox *>(w->parentWidget()) ||
            qobject_cast<QAbstractSpinBox *>(w->parentWidget()))
            continue;
        const QStringList allowed = namesAllowed(w, root, seen, controls);
        if (!allowed.contains(name))
            faults << where + u": "_s + describe(w) + u" reads \""_s + name +
                          u"\" beside the caption "_s +
                          (allowed.isEmpty() ? u"(none)"_s : u'"' + allowed.first() + u'"');
        // Two fields the user types into must not sound alike.
        auto *edit = qobject_cast<QLineEdit *>(w);
        if (edit && (edit->isReadOnly() || !edit->isEnabled()))
            continue;
        if (QWidget *other = fieldNames.value(name); other)
            faults << where + u": "_s + describe(w) + u" and "_s + describe(other) +
                          u" both read \""_s + name + u'"';
        fieldNames.insert(name, w);
    }

    test::MessageBoxCatcher boxes;
    for (QWidget *w : focusable) {
        if (!w->isVisible() || !w->isEnabled() || focusable.size() < 2)
            continue; // a step before moved on (a panel closed when left); alone, it has nowhere to
                      // go
        for (Qt::Key key : {Qt::Key_Tab, Qt::Key_Backtab}) {
            if (!tabLeaves(w, key))
                faults << where + u": "_s + (key == Qt::Key_Tab ? u"Tab"_s : u"Shift+Tab"_s) +
                              u" never leaves "_s + describe(w);
        }
    }
    return faults;
}

// The widgets that show now: a view of a window is new when this changes.
QSet<QWidget *> shownNow(QWidget *root)
{
    QSet<QWidget *> shown;
    for (QWidget *w : root->findChildren<QWidget *>())
        if (w->isVisible())
            shown.insert(w);
    return shown;
}

const QString kPreferences = u"Preferences"_s;
const QString kPreview = u"print preview"_s;
const QString kHelp = u"help window"_s;
const QString kUpdate = u"update window"_s;

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void spokenLabelText_data();
    void spokenLabelText();
    void everyWindowPassesTheAudit_data();
    void everyWindowPassesTheAudit();
    void buttonsDescribeThemselvesByTheirHints();
    void fieldsAreNamedAfterTheirLabels_data();
    void fieldsAreNamedAfterTheirLabels();
    void labelPairing_data();
    void labelPairing();
    void titleStripReadsAsThePageTitle();
    void tabReachesEveryInputField();
    void tabFollowsTheIncrementGroups_data();
    void tabFollowsTheIncrementGroups();
    void toolBarCommandsHaveKeys_data();
    void toolBarCommandsHaveKeys();
    void noTwoCommandsShareAKey();
    void everyWindowCarriesTheProgramIcon();

private:
    QList<QWidget *> pages() const;
    void go(const QString &pageName);
    QStringList auditPage(CalculatorPage *page);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmMain> m_window;
};

void TestAccessibility::initTestCase()
{
    test::pinLocale();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    // The help collection beside the program, so that the help window shows.
    for (const QString &file : {u"CLVN.qhc"_s, u"CLVN.qch"_s})
        QVERIFY(QFile::copy(QStringLiteral(CLVN_HELP_DIR "/") + file, m_dir->filePath(file)));
    MainOptions options;
    options.programFolder = m_dir->path() + u'/';
    options.closeDraw = [] { return 1; };
    // Nothing listens there: the update window shows its failed check at once.
    options.setUpUpdateCheck = [](TWebFileInfo &info) {
        info.HomeURL = QUrl(u"http://127.0.0.1:9/"_s);
    };
    m_window = std::make_unique<TfrmMain>(options);
    m_window->helpViewer().setCacheDirectory(m_dir->filePath(u"cache"_s));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void TestAccessibility::cleanupTestCase()
{
    m_window->close();
    m_window.reset();
}

QList<QWidget *> TestAccessibility::pages() const
{
    auto *stack = m_window->findChild<QStackedWidget *>(u"nbkMain"_s);
    QList<QWidget *> result;
    for (int i = 0; stack && i < stack->count(); ++i)
        result << stack->widget(i);
    return result;
}

void TestAccessibility::spokenLabelText_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<bool>("mnemonic");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("plain") << u"Loan Amount"_s << false << u"Loan Amount"_s;
    QTest::newRow("colon and spaces") << u"  Interest Rate: "_s << false << u"Interest Rate"_s;
    QTest::newRow("mnemonic") << u"&Term (months)"_s << true << u"Term (months)"_s;
    QTest::newRow("escaped ampersand") << u"Taxes && Insurance"_s << true << u"Taxes & Insurance"_s;
    // A label without a buddy shows its ampersand.
    QTest::newRow("label's own ampersand")
        << u"Principal & Interest"_s << false << u"Principal & Interest"_s;
    QTest::newRow("two lines") << u"Monthly\nPayment"_s << false << u"Monthly Payment"_s;
    QTest::newRow("only a colon") << u":"_s << false << QString();
}

void TestAccessibility::spokenLabelText()
{
    QFETCH(QString, label);
    QFETCH(bool, mnemonic);
    QFETCH(QString, spoken);
    QCOMPARE(clvn::spokenLabelText(label, mnemonic), spoken);
}

void TestAccessibility::go(const QString &pageName)
{
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    test::MessageBoxCatcher boxes;
    if (pageName == u"Menu"_s) {
        m_window->findChild<QAbstractButton *>(u"btnMenu"_s)->click();
    } else {
        const QString name = pageName == u"LS"_s ? u"btnLSC"_s : u"btn"_s + pageName;
        m_window->findChild<QAbstractButton *>(name)->click();
    }
    QTRY_COMPARE(m_window->activePageName(), pageName);
}

QStringList TestAccessibility::auditPage(CalculatorPage *page)
{
    // The page in each of its modes (a radio choice that changes what
    // shows), and with each of its panels open.
    QStringList faults = audit(m_window.get(), page->pageName());
    QList<QSet<QWidget *>> views{shownNow(page)};
    const auto radios = page->findChildren<QRadioButton *>();
    for (QRadioButton *radio : radios) {
        if (!radio->isVisible() || !radio->isEnabled())
            continue;
        test::MessageBoxCatcher boxes;
        radio->click();
        const QSet<QWidget *> view = shownNow(page);
        if (views.contains(view))
            continue;
        views << view;
        faults << audit(m_window.get(), page->pageName() + u" with "_s + radio->objectName());
    }
    for (QWidget *panel : page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!panel->isHidden() || panel->findChildren<QWidget *>().isEmpty())
            continue;
        // An open panel covers the page: the user meets what is on it.
        panel->show();
        faults << audit(panel, page->pageName() + u" with "_s + panel->objectName());
        panel->hide();
    }
    return faults;
}

void TestAccessibility::everyWindowPassesTheAudit_data()
{
    QTest::addColumn<QString>("window");
    for (QWidget *page : pages())
        QTest::newRow(qPrintable(u"page "_s + page->objectName())) << page->objectName();
    for (const QString &w : {kPreferences, kPreview, kHelp, kUpdate})
        QTest::newRow(qPrintable(w)) << w;
}

void TestAccessibility::everyWindowPassesTheAudit()
{
    QFETCH(QString, window);
    QStringList faults;
    int audited = 0;
    const auto activate = [](QWidget *w) {
        w->activateWindow();
        return QTest::qWaitForWindowActive(w);
    };
    if (auto *page = m_window->page(window)) {
        go(window);
        faults = auditPage(page);
        ++audited;
    } else if (window == u"Menu"_s) {
        go(window);
        faults = audit(m_window.get(), window);
        ++audited;
    } else if (window == kPreferences) {
        test::WindowAnswerer prefs(u"frmPrefs"_s, [&](QWidget *w) {
            if (!activate(w))
                faults << u"the Preferences window never became active"_s;
            auto *tabs = w->findChild<QTabWidget *>();
            for (int i = 0; tabs && i < tabs->count(); ++i) {
                tabs->setCurrentIndex(i);
                faults << audit(w, window + u' ' + tabs->tabText(i));
                ++audited;
            }
            w->findChild<QAbstractButton *>(u"btnCancel"_s)->click();
        });
        m_window->findChild<QAction *>(u"mnuPreferencesSetValues"_s)->trigger();
        QCOMPARE(prefs.count(), 1);
    } else if (window == kPreview) {
        // The schedule runs to several pages.
        go(u"Amort"_s);
        test::WindowAnswerer preview(u"frmPreview"_s, [&](QWidget *w) {
            if (!activate(w))
                faults << u"the preview never became active"_s;
            faults << audit(w, window);
            ++audited;
            w->findChild<QAbstractButton *>(u"bbNext"_s)->click();
            faults << audit(w, window + u" on its second page"_s);
            w->findChild<QAbstractButton *>(u"bbClose"_s)->click();
            w->setProperty("clvnAnswered", false); // the one preview window opens again
        });
        m_window->findChild<QAbstractButton *>(u"btnPrint"_s)->click();
        QCOMPARE(preview.count(), 1);
    } else if (window == kHelp) {
        m_window->findChild<QAction *>(u"MnuHelpContents"_s)->trigger();
        HelpWindow *help = m_window->helpViewer().window();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(activate(help));
        for (int i = 0; i < help->tabs()->count(); ++i) {
            help->tabs()->setCurrentIndex(i);
            faults << audit(help, window + u' ' + help->tabs()->tabText(i));
            ++audited;
        }
        help->close();
    } else if (window == kUpdate) {
        test::MessageBoxCatcher boxes; // the check fails: nothing answers
        test::WindowAnswerer update(u"frmUpdate"_s, [&](QWidget *w) {
            if (!activate(w))
                faults << u"the update window never became active"_s;
            faults << audit(w, window);
            ++audited;
            w->findChild<QAbstractButton *>(u"btnClose"_s)->click();
        });
        m_window->findChild<QAction *>(u"mnuInternetCheckForUpdate"_s)->trigger();
        QCOMPARE(update.count(), 1);
    }
    QVERIFY2(audited > 0, qPrintable(window + u" was never audited"_s));
    QVERIFY2(faults.isEmpty(), qPrintable(u"\n"_s + faults.join(u'\n')));
    go(u"Menu"_s);
}

void TestAccessibility::buttonsDescribeThemselvesByTheirHints()
{
    int checked = 0;
    QList<QAbstractButton *> buttons = m_window->findChildren<QAbstractButton *>();
    for (QAbstractButton *b : buttons) {
        if (b->statusTip().isEmpty())
            continue;
        ++checked;
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(b);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Description), b->statusTip());
    }
    // The tool bar and the menu page's buttons all have hints.
    QVERIFY2(checked >= 10, qPrintable(QString::number(checked)));
}

void TestAccessibility::fieldsAreNamedAfterTheirLabels_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name");
    // The captions beside these fields on the existing pages.
    QTest::newRow("quick loan, captioned by its button") << u"edtLA"_s << u"Loan Amount"_s;
    QTest::newRow("amortization term") << u"EdtNumPmts"_s << u"Term in Months"_s;
    QTest::newRow("table: row and column")
        << u"edtOIncome2"_s << u"Co-Borrower Other Monthly Income"_s;
    QTest::newRow("table: first row") << u"edtOIncome1"_s << u"Borrower Other Monthly Income"_s;
    QTest::newRow("table: first cell") << u"edtIncome1"_s << u"Borrower Monthly Income"_s;
    QTest::newRow("result beside its button")
        << u"edtEccCClosingCosts"_s << u"Estimated Closing Costs"_s;
    QTest::newRow("closing costs, literal ampersand")
        << u"edtEccCPandI"_s << u"Principal & Interest"_s;
    // Fields whose caption is not the nearest one further left on their line.
    QTest::newRow("prepayment amount, its caption beside it")
        << u"edtPPCExtraAmount"_s << u"Amount"_s;
    QTest::newRow("seller's commission, caption above")
        << u"edtHSPSalesCommission"_s << u"Sales Commission"_s;
    QTest::newRow("seller's other fees") << u"edtHSPOtherFees"_s << u"Other Fees"_s;
    QTest::newRow("closing month, not its value")
        << u"cbHSPClosingMonth"_s << u"Estimated Closing Month"_s;
    // The same captions in two groups: the group tells them apart.
    QTest::newRow("current loan's term") << u"edtOldTerm"_s << u"Current Loan Term in Months"_s;
    QTest::newRow("new loan's term") << u"edtNewTerm"_s << u"New Loan Term in Months"_s;
    QTest::newRow("current loan's rate")
        << u"edtOldInterestRate"_s << u"Current Loan Interest Rate"_s;
    QTest::newRow("new loan's rate") << u"edtNewInterestRate"_s << u"New Loan Interest Rate"_s;
    QTest::newRow("button that opens the itemized costs")
        << u"btnCalcFees"_s << u"Itemize the closing costs"_s;
    // Four offers share each caption: the name says whose field it is.
    QTest::newRow("offer column") << u"edtCmpLoan2"_s << u"Loan Amount Offer B"_s;
}

void TestAccessibility::fieldsAreNamedAfterTheirLabels()
{
    QFETCH(QString, field);
    QFETCH(QString, name);
    auto *w = m_window->findChild<QWidget *>(field);
    QVERIFY2(w, qPrintable(field));
    QCOMPARE(spokenName(w), name);
}

void TestAccessibility::labelPairing_data()
{
    QTest::addColumn<QRect>("field");
    QTest::addColumn<QString>("expected");
    // Three labels laid out the way the pages place them: one on the left
    // of a row, one further left on the same row, one above a column.
    QTest::newRow("left on the same line") << QRect(200, 40, 80, 21) << u"Near"_s;
    QTest::newRow("above the column") << QRect(300, 100, 80, 21) << u"Heading"_s;
    QTest::newRow("label far above is no caption") << QRect(10, 300, 80, 21) << QString();
}

void TestAccessibility::labelPairing()
{
    QFETCH(QRect, field);
    QFETCH(QString, expected);
    QWidget root;
    root.resize(600, 400);
    auto *far = new QLabel(u"Far:"_s, &root);
    far->setGeometry(10, 40, 60, 21);
    auto *near = new QLabel(u"Near:"_s, &root);
    near->setGeometry(100, 40, 90, 21);
    auto *heading = new QLabel(u"Heading"_s, &root);
    heading->setGeometry(290, 70, 100, 20);
    auto *edit = new QLineEdit(&root);
    edit->setGeometry(field);
    nameFieldsFromLabels(&root);
    QCOMPARE(edit->accessibleName(), expected);
    // The caption is also linked to its field (what Linux screen readers read).
    QCOMPARE(near->buddy() == edit, expected == u"Near"_s);
}

void TestAccessibility::titleStripReadsAsThePageTitle()
{
    QWidget *strip = m_window->findChild<QWidget *>(u"lblCalculatorName"_s);
    QVERIFY(strip);
    QCOMPARE(QAccessible::queryAccessibleInterface(strip)->text(QAccessible::Name), u"Main Menu"_s);
    int visited = 0;
    for (QWidget *w : pages()) {
        auto *page = qobject_cast<CalculatorPage *>(w);
        if (!page)
            continue;
        // The Loan Spread page's button is named after its old abbreviation.
        const QString name = page->pageName() == u"LS" ? u"btnLSC"_s : u"btn"_s + page->pageName();
        auto *button = m_window->findChild<QAbstractButton *>(name);
        QVERIFY2(button, qPrintable(name));
        test::MessageBoxCatcher boxes;
        button->click();
        QTRY_COMPARE(m_window->activePageName(), page->pageName());
        QCOMPARE(QAccessible::queryAccessibleInterface(strip)->text(QAccessible::Name),
                 page->title());
        ++visited;
        m_window->findChild<QAbstractButton *>(u"btnMenu"_s)->click();
    }
    QVERIFY(visited >= 2);
}

void TestAccessibility::tabReachesEveryInputField()
{
    int pagesWalked = 0;
    for (QWidget *w : pages()) {
        auto *page = qobject_cast<CalculatorPage *>(w);
        if (!page)
            continue;
        go(page->pageName());
        test::MessageBoxCatcher boxes;

        // Every field the user types into on this page as it shows now.
        QSet<QWidget *> inputs;
        for (QLineEdit *e : page->findChildren<QLineEdit *>()) {
            if (e->isVisible() && e->isEnabled() && !e->isReadOnly() &&
                !qobject_cast<QComboBox *>(e->parentWidget()))
                inputs.insert(e);
        }
        QSet<QWidget *> reached;
        QWidget *start = QApplication::focusWidget();
        if (inputs.contains(start))
            reached.insert(start);
        for (int i = 0; i < 4 * (inputs.size() + 20) && reached.size() < inputs.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            if (!focus)
                break;
            QTest::keyClick(focus, Qt::Key_Tab);
            if (QApplication::focusWidget() && inputs.contains(QApplication::focusWidget()))
                reached.insert(QApplication::focusWidget());
        }
        QStringList missed;
        for (QWidget *e : std::as_const(inputs))
            if (!reached.contains(e))
                missed << e->objectName();
        QVERIFY2(start, qPrintable(page->pageName() + u": nothing has the focus on entry"_s));
        QVERIFY2(missed.isEmpty(),
                 qPrintable(page->pageName() + u": Tab never reaches "_s + missed.join(u", "_s)));
        ++pagesWalked;
        m_window->findChild<QAbstractButton *>(u"btnMenu"_s)->click();
    }
    QVERIFY(pagesWalked >= 2);
}

void TestAccessibility::tabFollowsTheIncrementGroups_data()
{
    QTest::addColumn<int>("mode");
    QTest::newRow("payments") << 0;
    QTest::newRow("loan amounts") << 1;
    QTest::newRow("rates") << 2;
    QTest::newRow("terms") << 3;
}

void TestAccessibility::tabFollowsTheIncrementGroups()
{
    // From the mode chooser, Tab reaches the left-hand increment group, then
    // the right-hand one, whichever two the mode shows.
    QFETCH(int, mode);
    go(u"LS"_s);
    test::MessageBoxCatcher boxes;
    auto *choice = m_window->findChild<QRadioButton *>(u"rgCalculateItem%1"_s.arg(mode));
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

void TestAccessibility::toolBarCommandsHaveKeys_data()
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

void TestAccessibility::toolBarCommandsHaveKeys()
{
    QFETCH(QString, button);
    QFETCH(QKeySequence, key);
    QFETCH(QString, menuItem);
    auto *b = m_window->findChild<QToolButton *>(button);
    QVERIFY(b);
    QVERIFY2(b->toolTip().endsWith(u" ("_s + key.toString(QKeySequence::NativeText) + u')'),
             qPrintable(b->toolTip()));
    if (!menuItem.isEmpty())
        QCOMPARE(m_window->findChild<QAction *>(menuItem)->shortcut(), key);

    // The key does what the button does, from a field of a calculator page.
    go(u"MQ"_s);
    auto *ratio = m_window->findChild<QLineEdit *>(u"edtIncome1"_s);
    QVERIFY(ratio);
    ratio->setFocus();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    if (button == u"btnPrint"_s) {
        test::WindowAnswerer preview(u"frmPreview"_s, [](QWidget *w) {
            w->findChild<QAbstractButton *>(u"bbClose"_s)->click();
            w->setProperty("clvnAnswered", false); // the one preview window opens again
        });
        QTest::keySequence(ratio, key);
        QCOMPARE(preview.count(), 1);
    } else if (button == u"btnReset"_s) {
        ratio->setText(u"99"_s);
        QTest::keySequence(ratio, key);
        QVERIFY(ratio->text() != u"99"_s);
    } else if (button == u"btnMenu"_s) {
        QTest::keySequence(ratio, key);
        QCOMPARE(m_window->activePageName(), u"Menu"_s);
    } else if (button == u"btnHelp"_s) {
        QTest::keySequence(ratio, key);
        HelpWindow *help = m_window->helpViewer().window();
        QVERIFY(help && help->isVisible());
        help->close();
    }
    go(u"Menu"_s);
}

void TestAccessibility::noTwoCommandsShareAKey()
{
    QHash<QKeySequence, QString> owner;
    int keys = 0;
    for (QAction *a : m_window->findChildren<QAction *>()) {
        for (const QKeySequence &key : a->shortcuts()) {
            ++keys;
            QVERIFY2(!owner.contains(key), qPrintable(key.toString() + u": "_s + owner.value(key) +
                                                      u", "_s + a->objectName()));
            owner.insert(key, a->objectName());
        }
    }
    QVERIFY(keys >= 5);
}

void TestAccessibility::everyWindowCarriesTheProgramIcon()
{
    const QIcon icon = QApplication::windowIcon();
    QVERIFY(!icon.isNull());
    QCOMPARE(icon.availableSizes().size(), 8);
    QCOMPARE(m_window->windowIcon().cacheKey(), icon.cacheKey());
    // A dialog opened from the window without an icon of its own.
    QWidget dialog(m_window.get(), Qt::Dialog);
    QCOMPARE(dialog.windowIcon().cacheKey(), icon.cacheKey());
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
