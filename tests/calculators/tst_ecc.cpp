// The Estimated Closing Costs page driven as a user drives it: typing into its
// fields, clicking the key and panel buttons, reading what the fields show.

#include "calculators/EccPage.h"
#include "tests/support/PageFixture.h"
#include "tests/support/TestSupport.h"
#include "widgets/NumEdit.h"

#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

#include <memory>

using namespace clvn;
using namespace Qt::StringLiterals;

namespace {
// Pairs space-separated field names with space-separated texts: "field=text ...".
QString shows(const QString &names, const QString &texts)
{
    const QStringList n = names.split(u' '), t = texts.split(u' ');
    QStringList items;
    for (int i = 0; i < n.size(); ++i)
        items << n[i] + u'=' + t.value(i);
    return items.join(u' ');
}
} // namespace

class TestEcc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        test::pinLocale();
        test::recordErrors(m_errors);
    }
    // Sized and lettered like the main window's page area, active for focus.
    void init()
    {
        m_errors.clear();
        m_host = std::make_unique<test::FakeHost>();
        m_page = std::make_unique<EccPage>(*m_host);
        m_boxes = std::make_unique<test::MessageBoxCatcher>();
        m_page->setFont(QFont(u"Arial"_s, 8));
        m_page->resize(587, 380);
        m_page->show();
        m_page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_page.get()));
        m_page->enter();
    }
    void cleanup() { m_page.reset(); } // before the host it uses
    void figures_data();
    void figures();
    void closingPanelReportsBadStoredFee();
    void panels_data();
    void panels();
    void resetFeesUntilPanelOpened();

private:
    QLineEdit *field(QString name) const { return m_page->findChild<QLineEdit *>(name); }
    QPushButton *button(QString name) const { return m_page->findChild<QPushButton *>(name); }
    QFrame *panel(QString name) const { return m_page->findChild<QFrame *>(name); }
    // What the user reads; also "locks": price, down payment and loan as L or
    // U (typed), "focus", "printing/reset": on or off, "errors": the handler's,
    // "pnl<name>": open or closed, "ini:Section/Key": the settings file's text.
    QString shown(const QString &name) const
    {
        if (name == u"locks") {
            QString locks;
            for (bool locked : {m_page->PurchasePriceLocked(), m_page->DownPaymentLocked(),
                                m_page->LoanAmountLocked()})
                locks += locked ? u'L' : u'U';
            return locks;
        }
        if (name == u"focus")
            return QApplication::focusWidget()->objectName();
        if (name == u"printing/reset")
            return u"%1/%2"_s.arg(m_host->printingAllowed ? u"on" : u"off",
                                  m_host->resetEnabled ? u"on" : u"off");
        if (name == u"errors")
            return m_errors.join(u',');
        if (name.startsWith(u"ini:"))
            return QSettings(m_host->settingsFile().path(), QSettings::IniFormat)
                .value(name.mid(4))
                .toString();
        if (name.startsWith(u"pnl"))
            return panel(name)->isVisible() ? u"open"_s : u"closed"_s;
        auto *money = qobject_cast<TNumEdit *>(field(name));
        return money ? money->displayText() : field(name)->text();
    }
    // Compares space-separated "field=text" items with what the fields show.
    void expect(const QString &expected) const
    {
        QStringList items;
        for (const QString &item : expected.split(u' '))
            items << item.section(u'=', 0, 0) + u'=' + shown(item.section(u'=', 0, 0));
        QCOMPARE(items, expected.split(u' '));
    }
    void click(const QString &name)
    {
        QPushButton *b = button(name);
        QVERIFY2(b && b->isVisible() && b->isEnabled(), qPrintable(name));
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Space-separated steps: a button name to click, "field=text" to type into
    // the field anew and leave it with Tab, "ratios=h/d" to store ratios,
    // "enter", "unwritable", "ini:Section/Key=text" to write the settings file.
    void run(const QString &steps)
    {
        for (const QString &step : steps.split(u' ', Qt::SkipEmptyParts)) {
            QLineEdit *edit = field(step.section(u'=', 0, 0));
            if (step == u"enter") {
                m_page->enter();
            } else if (step.startsWith(u"ini:")) {
                QSettings(m_host->settingsFile().path(), QSettings::IniFormat)
                    .setValue(step.section(u'=', 0, 0).mid(4), step.section(u'=', 1));
            } else if (step == u"unwritable") { // a folder where the settings file goes
                QVERIFY(QDir(m_host->folder()).mkdir(u"CLVN.INI"_s));
            } else if (step.startsWith(u"ratios=")) { // stored ratios "housing/debt"
                m_host->buyerValues().HRatio = step.section(u'=', 1).section(u'/', 0, 0).toDouble();
                m_host->buyerValues().DRatio = step.section(u'/', 1).toDouble();
            } else if (!step.contains(u'=')) {
                click(step);
            } else {
                edit->setFocus();
                QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClick(edit, Qt::Key_Delete);
                QTest::keyClicks(edit, step.section(u'=', 1));
                QTest::keyClick(edit, Qt::Key_Tab);
            }
            // A key unlocking a result moves the focus to it.
            if (step.startsWith(u"btnUnlock"))
                QCOMPARE(QApplication::focusWidget(), field(u"edtEccC"_s + step.mid(9)));
        }
    }

    std::unique_ptr<test::FakeHost> m_host;
    std::unique_ptr<EccPage> m_page;
    std::unique_ptr<test::MessageBoxCatcher> m_boxes;
    QStringList m_errors; // the messages the application-wide handler would show
};

void TestEcc::figures_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("expected");

    // Worked start example and all figures below: independent Python (closed-form annuity).
    QTest::newRow("start figures")
        << QString()
        << shows(u"edtEccCPurchasePrice edtEccCDownPayment edtEccCLoanAmount edtEccCPandI "
                 u"edtEccCMonthlyTax edtEccCMonthlyInsurance edtEccCpmi edtEccCMonthlyPayment "
                 u"edtEccCHousingRatio edtEccCDebtRatio edtEccCClosingCosts edtEccCEscrows "
                 u"edtEccCCashRequiredToClose edtOriginationFee edtLOF edtClosingPMI edtII edtPTI "
                 u"edtHOIP edtHOII edtPMII edtPMIPercent locks printing/reset"_s,
                 u"$146,000.00 $29,200.00 $116,800.00 $777.07 $150.00 $30.00 $0.00 $957.07 24 35 "
                 u"$1,152.00 $1,206.00 $31,558.00 $0.00 $0.00 $0.00 $336.00 $450.00 $360.00 "
                 u"$60.00 $0.00 0.0000 LLL on/on"_s);

    // Entering carries the stored ratios in and calculates; the focus goes to
    // income only when all results are locked. Ratios 30 and 40 allow 1150
    // (price 175,000); a typed down payment keeps the start's figures.
    const QString enter = u"edtEccHousingRatio edtEccDebtRatio edtEccCHousingRatio focus"_s;
    QTest::newRow("enter: all locked")
        << u"ratios=30/40 enter"_s << shows(enter, u"30 40 28 edtEccIncome"_s);
    QTest::newRow("enter: down payment typed") << u"btnUnlockDownPayment ratios=30/40 enter"_s
                                               << shows(enter, u"30 40 24 edtEccInterest"_s);

    // One month of PMI is a closing cost (the bands themselves: tst_pageformulas).
    const QString pmi = u"edtPMIPercent edtEccCPurchasePrice edtEccCpmi edtClosingPMI"_s;
    const QString down = u"edtEccDownPaymentPercent=%1 edtEccTerm=%2"_s;
    QTest::newRow("15% 30y: ltv 85")
        << down.arg(15).arg(30) << shows(pmi, u"0.0032 $134,000.00 $30.37 $30.37"_s);
    // The page gives the term in years to the choice of premium column.
    QTest::newRow("15% 15y: short column")
        << down.arg(15).arg(15) << shows(pmi, u"0.0019 $102,000.00 $13.73 $13.73"_s);

    // No room for a payment beyond tax 150 + insurance 30 (+ a fee of 810).
    const QString none = u"edtEccCPurchasePrice edtEccCDownPayment edtEccCLoanAmount "
                         u"edtEccCPandI edtEccCpmi edtEccCMonthlyPayment"_s;
    const QString zeros = u"$0.00 $0.00 $0.00 $0.00 $0.00 "_s;
    QTest::newRow("no room: income 1000")
        << u"edtEccIncome=1000"_s << shows(none, zeros + u"$180.00");
    QTest::newRow("no room: fee 810")
        << u"edtEccAssociationFee=810"_s << shows(none, zeros + u"$990.00");

    // Seller-paid costs lower only the cash to close.
    const QString seller = u"btnCalcClosing edtSellerPaid=%1 btnClosePnlClosing"_s;
    const QString cash = u"edtEccCClosingCosts edtEccCEscrows edtEccCCashRequiredToClose"_s;
    QTest::newRow("seller pays 500")
        << seller.arg(u"500") << shows(cash, u"$1,152.00 $1,206.00 $31,058.00"_s);

    // Each reachable lock combination and the relation it keeps.
    const QString lock = u"locks edtEccCPurchasePrice edtEccCDownPayment edtEccCLoanAmount "
                         u"edtEccDownPaymentPercent edtPMIPercent edtEccCPandI"_s;
    const QString price200k = u"btnUnlockPurchasePrice edtEccCPurchasePrice=200000 "_s;
    const QString loan180k = u"btnUnlockLoanAmount edtEccCLoanAmount=180000 "_s;
    const QString down21900 = u"btnUnlockDownPayment edtEccCDownPayment=21900 "_s;
    const QString ull = u"ULL $200,000.00 $40,000.00 $160,000.00 20.000 0.0000 $1,064.48"_s;
    const QString llu = u"LLU $225,000.00 $45,000.00 $180,000.00 20.000 0.0000 $1,197.54"_s;
    QTest::newRow("ULL price typed") << price200k << shows(lock, ull);
    QTest::newRow("UUL price and down payment typed")
        << price200k + u"btnUnlockDownPayment edtEccCDownPayment=50000"
        << shows(lock, u"UUL $200,000.00 $50,000.00 $150,000.00 25.000 0.0000 $997.95"_s);
    QTest::newRow("LUL down payment typed")
        << down21900
        << shows(lock, u"LUL $146,000.00 $21,900.00 $124,100.00 15.000 0.0032 $825.64"_s);
    QTest::newRow("LUU down payment and loan typed")
        << u"btnUnlockDownPayment edtEccCDownPayment=30000 btnUnlockLoanAmount "
           u"edtEccCLoanAmount=170000"_s
        << shows(lock, u"LUU $200,000.00 $30,000.00 $170,000.00 15.000 0.0032 $1,131.01"_s);
    QTest::newRow("LLU loan typed") << loan180k << shows(lock, llu);
    // Unlocking the price locks a typed loan again, and the other way round.
    QTest::newRow("LLU then price typed") << loan180k + price200k << shows(lock, ull);
    QTest::newRow("ULL then loan typed") << price200k + loan180k << shows(lock, llu);
    // Locking again returns to affordability.
    QTest::newRow("LUL locked again")
        << down21900 + u"btnLockDownPayment edtEccIncome=4000"
        << shows(lock, u"LLL $134,000.00 $20,100.00 $113,900.00 15.000 0.0032 $757.78"_s);

    // Mended: a percent of no price, a price from a loan at 100 % down, a term
    // with no month count reach the handler as unusable figures.
    const QString price0 = u"btnUnlockPurchasePrice edtEccCPurchasePrice=0 btnUnlockDownPayment "_s;
    const QString unusable = u"errors=unusable-figures"_s;
    QTest::newRow("price 0, down payment typed") << price0 + u"edtEccCDownPayment=1000" << unusable;
    QTest::newRow("price 0, down payment 0") << price0 + u"edtEccCDownPayment=0" << unusable;
    // More years than months can count: no loan, and no wrapped-round term.
    QTest::newRow("term of 200 million years") << u"edtEccTerm=200000000"_s << unusable;
    // A failure writes nothing: the loan a price of 0 gave stays, where the
    // typed 1,000 would have made it -1,000.
    QTest::newRow("failure writes nothing")
        << price0 + u"edtEccCDownPayment=1000"
        << u"errors=unusable-figures edtEccCLoanAmount=$0.00 edtEccDownPaymentPercent=20.000"_s;
    // A count the figures need must be whole; one whose line is 0 (no
    // insurance) is not read at all.
    QTest::newRow("empty day count")
        << u"btnCalcEscrows edtIIDays="_s << u"errors=unidentified edtII=$336.00"_s;
    QTest::newRow("no insurance: its counts unread")
        << u"edtEccInsurance=0 btnCalcEscrows edtHOIPMonths= edtHOIIMonths="_s
        << u"errors= edtHOIP=$0.00 edtHOII=$0.00 edtEccCMonthlyInsurance=$0.00"_s;
    QTest::newRow("100 % down, loan typed")
        << u"edtEccDownPaymentPercent=100 btnUnlockLoanAmount edtEccCLoanAmount=100000"_s
        << unusable;
    // Fees and counts stored on OK; 20 days at 7 % on 116,800 is 448 (+ 450 +
    // 360 + 60 escrows); fees 1152 - 300 + 350 - 300 + 120.50.
    const QString fees = u"btnCalcClosing edtAF=350 edtOF=120.5 btnClosePnlClosing "_s;
    QTest::newRow("panels store on OK")
        << fees + u"btnCalcEscrows edtIIDays=20 edtHOIIMonths=3 btnClosePnlEscrow"
        << u"edtII=$448.00 edtEccCEscrows=$1,348.00 edtEccCClosingCosts=$1,022.50 "
           u"ini:ClosingCosts/AppraisalFee=350 ini:ClosingCosts/OtherFees=120.5 "
           u"ini:Escrows/InterimInterestDays=20 ini:Escrows/HomeownersRenewalMonths=3"_s;
    // The closing-cost panel reads the file at each opening.
    QTest::newRow("closing panel reopened")
        << fees + u"ini:ClosingCosts/AppraisalFee=410 ini:ClosingCosts/SellerPaid=1000 "
                  u"btnCalcClosing btnClosePnlClosing"
        << u"edtAF=$410.00 edtOF=$120.50 edtSellerPaid=$1,000.00 edtEccCClosingCosts=$1,082.50"_s;
    // Mended: an unwritable settings file is reported, yet the panel closes
    // and the fees stay in force.
    QTest::newRow("unwritable settings file")
        << u"unwritable btnCalcClosing edtAF=333 btnClosePnlClosing"_s
        << u"errors=unidentified pnlClosing=closed edtEccCClosingCosts=$1,185.00"_s;
}

// Every row also checks the locks' look: a locked result is read-only with its
// unlock key showing; income and debt take part only when all are locked; a
// typed down payment shows the percent as a disabled yellow result.
void TestEcc::figures()
{
    QFETCH(QString, steps);
    QFETCH(QString, expected);
    run(steps);
    expect(expected);
    if (!expected.contains(u"errors="))
        QVERIFY(m_errors.isEmpty());
    // Never "nan" or "inf" for figures that cannot be computed.
    const QString percentAndPrice =
        shown(u"edtEccDownPaymentPercent"_s) + u' ' + shown(u"edtEccCPurchasePrice"_s);
    QVERIFY2(!percentAndPrice.contains(QRegularExpression(u"(?i)nan|inf"_s)),
             qPrintable(percentAndPrice));

    const QString locks = shown(u"locks"_s);
    const QStringList results{u"PurchasePrice"_s, u"DownPayment"_s, u"LoanAmount"_s};
    for (int i = 0; i < 3; ++i) {
        const bool locked = locks[i] == u'L';
        QLineEdit *result = field(u"edtEccC"_s + results[i]);
        QCOMPARE(result->isReadOnly(), locked);
        QCOMPARE(bool(result->focusPolicy() & Qt::TabFocus), !locked);
        QCOMPARE(button(u"btnUnlock"_s + results[i])->isVisible(), locked);
        QCOMPARE(button(u"btnLock"_s + results[i])->isVisible(), !locked);
    }
    QCOMPARE(field(u"edtEccIncome"_s)->isEnabled(), locks == u"LLL");
    QCOMPARE(field(u"edtEccDebt"_s)->isEnabled(), locks == u"LLL");
    QLineEdit *percent = field(u"edtEccDownPaymentPercent"_s);
    QCOMPARE(percent->isEnabled(), locks[1] == u'L');
    if (!percent->isEnabled())
        QCOMPARE(percent->palette().color(QPalette::Disabled, QPalette::Base), QColor(Qt::yellow));
}

void TestEcc::closingPanelReportsBadStoredFee()
{
    QFile file(m_host->settingsFile().path());
    QVERIFY(file.open(QIODevice::WriteOnly) &&
            file.write("[ClosingCosts]\nAppraisalFee=abc\nCreditReport=55\n"));
    file.close();
    click(u"btnCalcClosing"_s);
    QTRY_COMPARE(m_boxes->count(), 1);
    QCOMPARE(m_boxes->last(),
             ignoredKeysMessage(m_host->settingsFile().path(), QStringList{u"AppraisalFee"_s}));
    expect(u"edtAF=$300.00 edtCR=$55.00"_s);
}

void TestEcc::panels_data()
{
    QTest::addColumn<QString>("open");
    QTest::addColumn<QString>("name"); // pnl<name>, closed by btnClosePnl<name>
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("other"); // another of the panel's fields
    QTest::newRow("closing costs")
        << u"btnCalcClosing"_s << u"Closing"_s << u"edtAF"_s << u"edtSTT"_s;
    QTest::newRow("escrows") << u"btnCalcEscrows"_s << u"Escrow"_s << u"edtIIDays"_s
                             << u"edtPTIMonths"_s;
}

// An open panel disables both panel keys and keeps the keyboard until OK.
void TestEcc::panels()
{
    QFETCH(QString, open);
    QFETCH(QString, name);
    QFETCH(QString, first);
    QFETCH(QString, other);
    const QString ok = u"btnClosePnl"_s + name;
    click(open);
    QFrame *frame = panel(u"pnl"_s + name);
    QVERIFY(frame->isVisible());
    QVERIFY(!button(u"btnCalcClosing"_s)->isEnabled() && !button(u"btnCalcEscrows"_s)->isEnabled());
    QCOMPARE(QApplication::focusWidget(), field(first));
    for (const auto key : {Qt::Key_Tab, Qt::Key_Backtab}) {
        bool reachedOk = false;
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(QApplication::focusWidget(), key);
            QVERIFY2(frame->isAncestorOf(QApplication::focusWidget()),
                     qPrintable(QApplication::focusWidget()->objectName()));
            reachedOk = reachedOk || QApplication::focusWidget() == button(ok);
        }
        QVERIFY(reachedOk);
    }
    // Leaving OK by other means than Tab also comes back to the first field.
    button(ok)->setFocus(Qt::TabFocusReason);
    field(u"edtEccInterest"_s)->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), field(first));
    // A click from OK into another of the panel's fields is not taken away.
    button(ok)->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(field(other), Qt::LeftButton);
    QTest::qWait(20); // time for a queued move of the focus
    QCOMPARE(QApplication::focusWidget(), field(other));
    click(ok);
    QVERIFY(!frame->isVisible());
    QVERIFY(button(u"btnCalcClosing"_s)->isEnabled() && button(u"btnCalcEscrows"_s)->isEnabled());
    QVERIFY(m_errors.isEmpty());
}

// Reset's fees (1,327) hold until the closing-cost panel next opens, then the
// file's. Python, as above: ratios 28/40 allow 1120, 30 days on 136,000 is 782.47.
void TestEcc::resetFeesUntilPanelOpened()
{
    run(u"edtEccInterest=8 btnUnlockDownPayment edtEccCDownPayment=40000"_s);
    m_page->Reset();
    QVERIFY(field(u"edtEccIncome"_s)->isEnabled() &&
            field(u"edtEccDownPaymentPercent"_s)->isEnabled());
    expect(u"edtEccDebt=$450.00 edtEccInterest=7.000 edtEccTerm=30 edtEccDownPaymentPercent=20.000 "
           u"edtEccTax=$1,800.00 edtEccInsurance=$360.00 edtEccHousingRatio=28 edtEccDebtRatio=40 "
           u"edtAF=$275.00 edtLPF=$525.00 edtIIDays=30 edtEccCPurchasePrice=$0.00 edtII=$0.00 "
           u"edtEccCCashRequiredToClose=$0.00 edtEccCHousingRatio=0 edtPMIPercent=0.0000 locks=LLL "
           u"printing/reset=off/off focus=edtEccIncome"_s);

    run(u"edtEccIncome=4000"_s);
    expect(u"edtEccCPurchasePrice=$170,000.00 edtEccCClosingCosts=$1,327.00 edtII=$782.47 "
           u"edtEccCEscrows=$1,652.47 edtEccCCashRequiredToClose=$36,979.47"_s);
    QVERIFY(m_host->printingAllowed);

    click(u"btnCalcClosing"_s);
    expect(u"edtAF=$300.00 edtLPF=$0.00"_s);
    click(u"btnClosePnlClosing"_s);
    expect(u"edtEccCClosingCosts=$1,152.00"_s);
    QVERIFY(m_errors.isEmpty());
}

QTEST_MAIN(TestEcc)
#include "tst_ecc.moc"
