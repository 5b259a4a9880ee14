// What a screen reader and a keyboard user meet on every page of the real
// main window: each control that can take the focus has a spoken name, a
// control with a hint describes itself by it, the title strip reads as the
// page's title, and a field's name is the label a sighted user reads for it.

#include "app/Main.h"
#include "calculators/CalculatorPage.h"
#include "tests/support/TestSupport.h"
#include "widgets/Accessibility.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSet>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void spokenLabelText_data();
    void spokenLabelText();
    void everyFocusableControlHasAName();
    void buttonsDescribeThemselvesByTheirHints();
    void fieldsAreNamedAfterTheirLabels_data();
    void fieldsAreNamedAfterTheirLabels();
    void labelPairing_data();
    void labelPairing();
    void titleStripReadsAsThePageTitle();
    void tabReachesEveryInputField();
    void everyWindowCarriesTheProgramIcon();

private:
    QList<QWidget *> pages() const;

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TfrmMain> m_window;
};

void TestAccessibility::initTestCase()
{
    test::pinLocale();
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    MainOptions options;
    options.programFolder = m_dir->path() + u'/';
    options.closeDraw = [] { return 1; };
    m_window = std::make_unique<TfrmMain>(options);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
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

void TestAccessibility::everyFocusableControlHasAName()
{
    const QList<QWidget *> all = pages();
    QVERIFY2(all.size() >= 2, "the page stack holds the menu page and the calculators");
    QStringList unnamed;
    for (QWidget *page : all) {
        for (QWidget *w : page->findChildren<QWidget *>()) {
            const bool field = qobject_cast<QLineEdit *>(w) || qobject_cast<QComboBox *>(w);
            if (w->focusPolicy() == Qt::NoFocus && !field)
                continue;
            if (qobject_cast<QComboBox *>(w->parentWidget()))
                continue; // a combo box's editor is spoken with the box
            QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
            QVERIFY(iface);
            if (iface->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << page->objectName() + u'/' + w->objectName() + u" ("_s +
                               QString::fromLatin1(w->metaObject()->className()) + u')';
        }
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(u"no accessible name: "_s + unnamed.join(u", "_s)));
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
    QTest::newRow("result beside its button")
        << u"edtEccCClosingCosts"_s << u"Estimated Closing Costs"_s;
    QTest::newRow("closing costs, literal ampersand")
        << u"edtEccCPandI"_s << u"Principal & Interest"_s;
    // Four offers share each caption: the name says whose field it is.
    QTest::newRow("offer column") << u"edtCmpLoan2"_s << u"Loan Amount, Offer B"_s;
}

void TestAccessibility::fieldsAreNamedAfterTheirLabels()
{
    QFETCH(QString, field);
    QFETCH(QString, name);
    auto *w = m_window->findChild<QWidget *>(field);
    if (!w)
        QSKIP(qPrintable(field + u" is not on this build's pages"_s));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    QVERIFY(iface);
    QCOMPARE(iface->text(QAccessible::Name), name);
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
    QCOMPARE(near->buddy(), nullptr); // the label's text shows as it did
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
        const QString name = page->pageName() == u"LS" ? u"btnLSC"_s : u"btn"_s + page->pageName();
        test::MessageBoxCatcher boxes;
        m_window->findChild<QAbstractButton *>(name)->click();
        QTRY_COMPARE(m_window->activePageName(), page->pageName());

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
