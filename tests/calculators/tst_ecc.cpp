// The Estimated Closing Costs page: which typing and keys calculate, the locks and their
// look, failures, the two panels, the settings file. The arithmetic: tst_pageformulas.

#include "calculators/EccPage.h"
#include "tests/support/PageFixture.h"

#include <QDir>
#include <QFrame>
#include <QPushButton>
#include <QSettings>
#include <QtTest>

#include <optional>

using namespace clvn;
using namespace Qt::StringLiterals;

class TestEcc : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { test::pinLocale(); }
    void init() { f.emplace(); }
    void cleanup() { QCOMPARE(f->failures, QStringList()); }
    // Entering carries the stored ratios in and calculates: 30 and 40 allow
    // 1150 (price 175,000). With all locked the focus goes to income.
    void entry()
    {
        QVERIFY(f->host.printingAllowed && f->host.resetEnabled);
        f->host.buyerValues().HRatio = 30;
        f->host.buyerValues().DRatio = 40;
        f->page->enter();
        QCOMPARE(test::shownText(*f, u"edtEccHousingRatio edtEccDebtRatio edtEccCHousingRatio "
                                     u"edtEccCPurchasePrice"_s),
                 u"30 40 28 $175,000.00"_s);
        QCOMPARE(locks(), u"LLL"_s);
        QCOMPARE(QApplication::focusWidget(), f->get(u"edtEccIncome"_s));
    }
    // Shown: the locks, then what the named fields show.
    void typed_data()
    {
        test::addStepColumns();
        // The page gives the term in years to the choice of premium column, and
        // one month of PMI is a closing cost.
        QTest::newRow("15% 15y: short column")
            << u"edtEccDownPaymentPercent edtEccTerm"_s << u"15 15"_s << QString()
            << u"edtPMIPercent edtEccCPurchasePrice edtEccCpmi edtClosingPMI"_s
            << u"LLL 0.0019 $102,000.00 $13.73 $13.73"_s;
        // The locks a user reaches with the keys, and the relation each keeps.
        const QString lock = u"edtEccCPurchasePrice edtEccCDownPayment edtEccCLoanAmount "
                             u"edtEccDownPaymentPercent edtPMIPercent"_s;
        const QString price = u"btnUnlockPurchasePrice edtEccCPurchasePrice"_s;
        const QString loan = u"btnUnlockLoanAmount edtEccCLoanAmount"_s;
        const QString down = u"btnUnlockDownPayment edtEccCDownPayment"_s;
        const QString ull = u"ULL $200,000.00 $40,000.00 $160,000.00 20.000 0.0000"_s;
        QTest::newRow("ULL price typed") << price << u"200000"_s << QString() << lock << ull;
        QTest::newRow("LUL down payment typed")
            << down << u"21900"_s << QString() << lock
            << u"LUL $146,000.00 $21,900.00 $124,100.00 15.000 0.0032"_s;
        // Unlocking the price locks a typed loan again, and the other way round.
        QTest::newRow("LLU then price typed")
            << loan + u' ' + price << u"180000 200000"_s << QString() << lock << ull;
        QTest::newRow("ULL then loan typed")
            << price + u' ' + loan << u"200000 180000"_s << QString() << lock
            << u"LLU $225,000.00 $45,000.00 $180,000.00 20.000 0.0000"_s;
        // Locking again returns to affordability.
        QTest::newRow("LUL locked again")
            << down + u" btnLockDownPayment edtEccIncome" << u"21900 4000"_s << QString() << lock
            << u"LLL $134,000.00 $20,100.00 $113,900.00 15.000 0.0032"_s;
        // Mended: a percent of no price is unusable and writes nothing: the loan
        // stays, where 1,000 typed would have made it -1,000. No "nan" shown.
        QTest::newRow("price 0, down payment typed")
            << price + u' ' + down << u"0 1000"_s << test::kUnusableFigures
            << u"edtEccCLoanAmount edtEccDownPaymentPercent edtEccCPurchasePrice"_s
            << u"UUL $0.00 20.000 $0.00"_s;
        // A count must be whole; one whose line is 0 (no insurance) goes unread.
        QTest::newRow("empty day count") << u"btnCalcEscrows edtIIDays"_s << QString()
                                         << u"Prepaid Interest / Days: a whole number is needed."_s
                                         << u"edtII"_s << u"LLL $336.00"_s;
        QTest::newRow("no insurance: its counts unread")
            << u"edtEccInsurance btnCalcEscrows edtHOIPMonths edtHOIIMonths"_s << u"0  "_s
            << QString() << u"edtHOIP edtHOII edtEccCMonthlyInsurance"_s
            << u"LLL $0.00 $0.00 $0.00"_s;
    }
    void typed()
    {
        test::checkSteps(*f, [this] { return QString(locks() + u' '); });
    }
    // Fees and counts are stored on OK; the closing-cost panel reads the file
    // at each opening and reports a fee it cannot read.
    void closingCostsInTheSettingsFile()
    {
        // 20 days at 7 % on 116,800 is 448 (+ 450 + 360 + 60 escrows); fees
        // 1152 - 300 + 350 - 300 + 120.50.
        act(u"btnCalcClosing edtAF edtOF btnClosePnlClosing btnCalcEscrows edtIIDays edtHOIIMonths "
            u"btnClosePnlEscrow"_s,
            u"350 120.5 20 3"_s);
        QCOMPARE(test::shownText(*f, u"edtII edtEccCEscrows edtEccCClosingCosts"_s),
                 u"$448.00 $1,348.00 $1,022.50"_s);
        {
            QSettings file(f->host.settingsFile().path(), QSettings::IniFormat);
            QCOMPARE(file.value(u"Escrows/InterimInterestDays"_s).toString(), u"20"_s);
            file.setValue(u"ClosingCosts/AppraisalFee"_s, u"abc"_s);
            file.setValue(u"ClosingCosts/SellerPaid"_s, 1000);
        }
        act(u"btnCalcClosing"_s);
        QTRY_COMPARE(f->boxes->texts(), QStringList{ignoredKeysMessage(
                                            f->host.settingsFile().path(), {u"AppraisalFee"_s})});
        act(u"btnClosePnlClosing"_s);
        QCOMPARE(test::shownText(*f, u"edtAF edtOF edtSellerPaid edtEccCClosingCosts"_s),
                 u"300.00 $120.50 $1,000.00 $972.50"_s);
    }
    // Mended: an unwritable file is reported, yet the panel closes and the fees
    // stay in force.
    void unwritableSettingsFileReported()
    {
        QVERIFY(QDir(f->host.folder()).mkdir(u"CLVN.INI"_s));
        act(u"btnCalcClosing edtAF btnClosePnlClosing"_s, u"333"_s);
        QCOMPARE(std::exchange(f->failures, {}), QStringList{test::kUnidentified});
        QVERIFY(!f->get<QFrame>(u"pnlClosing"_s)->isVisible());
        QCOMPARE(f->text(u"edtEccCClosingCosts"_s), u"$1,185.00"_s);
    }
    // An open panel disables both panel keys and keeps the keyboard until OK.
    void panels()
    {
        // pnl<name>, btnCalc<key>, btnClosePnl<name>, two of its fields.
        for (const QStringList &panel : {u"Closing Closing edtAF edtSTT"_s.split(u' '),
                                         u"Escrow Escrows edtIIDays edtPTIMonths"_s.split(u' ')}) {
            const QString &name = panel[0], &key = panel[1], &first = panel[2], &other = panel[3];
            QPushButton *ok = button(u"btnClosePnl"_s + name);
            act(u"btnCalc"_s + key);
            QVERIFY(!button(u"btnCalcClosing"_s)->isEnabled() &&
                    !button(u"btnCalcEscrows"_s)->isEnabled());
            QCOMPARE(QApplication::focusWidget(), f->get(first));
            // A click from OK into another of the panel's fields is not taken away.
            ok->setFocus(Qt::TabFocusReason);
            QTest::mouseClick(f->get(other), Qt::LeftButton);
            QCoreApplication::processEvents(); // a queued move of the focus
            QCOMPARE(QApplication::focusWidget(), f->get(other));
            QTest::mouseClick(ok, Qt::LeftButton);
            QVERIFY(!f->get<QFrame>(u"pnl"_s + name)->isVisible());
            QVERIFY(button(u"btnCalcClosing"_s)->isEnabled() &&
                    button(u"btnCalcEscrows"_s)->isEnabled());
        }
    }
    // Reset's fees (1,327) hold until the closing-cost panel next opens, then the
    // file's. Ratios 28/40 allow 1120, 30 days on 136,000 is 782.47.
    void resetFeesUntilPanelOpened()
    {
        act(u"edtEccInterest btnUnlockDownPayment edtEccCDownPayment"_s, u"8 40000"_s);
        f->host.printingAllowed = f->host.resetEnabled = true;
        f->page->Reset();
        QCOMPARE(locks(), u"LLL"_s);
        QCOMPARE(QApplication::focusWidget(), f->get(u"edtEccIncome"_s));
        QVERIFY(!f->host.printingAllowed && !f->host.resetEnabled);
        f->type(u"edtEccIncome"_s, u"4000"_s);
        QCOMPARE(test::shownText(*f,
                                 u"edtEccCPurchasePrice edtEccCClosingCosts edtII edtEccCEscrows "
                                 u"edtEccCCashRequiredToClose"_s),
                 u"$170,000.00 $1,327.00 $782.47 $1,652.47 $36,979.47"_s);
        act(u"btnCalcClosing"_s);
        QCOMPARE(test::shownText(*f, u"edtAF edtLPF"_s), u"300.00 $0.00"_s);
        act(u"btnClosePnlClosing"_s);
        QCOMPARE(f->text(u"edtEccCClosingCosts"_s), u"$1,152.00"_s);
    }

private:
    QPushButton *button(const QString &name) const { return f->get<QPushButton>(name); }
    void act(const QString &steps, const QString &texts = {}) { test::act(*f, steps, texts); }
    // Price, down payment, loan: L locked (read-only, unlock key shown) or U; then
    // income only when all locked, a typed down payment's percent disabled yellow.
    QString locks() const
    {
        QString locks;
        for (const QString &result : {u"PurchasePrice"_s, u"DownPayment"_s, u"LoanAmount"_s}) {
            QLineEdit *edit = f->get(u"edtEccC"_s + result);
            const bool locked = edit->isReadOnly();
            locks += locked ? u'L' : u'U';
            if (bool(edit->focusPolicy() & Qt::TabFocus) == locked ||
                button(u"btnUnlock"_s + result)->isVisible() != locked ||
                button(u"btnLock"_s + result)->isVisible() == locked)
                locks += u'?';
        }
        const bool all = locks == u"LLL";
        if (f->get(u"edtEccIncome"_s)->isEnabled() != all ||
            f->get(u"edtEccDebt"_s)->isEnabled() != all)
            locks += u"?income"_s;
        QLineEdit *percent = f->get(u"edtEccDownPaymentPercent"_s);
        if (percent->isEnabled() != (locks[1] == u'L') ||
            (!percent->isEnabled() &&
             percent->palette().color(QPalette::Disabled, QPalette::Base) != Qt::yellow))
            locks += u"?percent"_s;
        return locks;
    }

    std::optional<test::PageFixture<EccPage>> f;
};

QTEST_MAIN(TestEcc)
#include "tst_ecc.moc"
