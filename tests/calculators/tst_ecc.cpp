// The Estimated Closing Costs page: which typing and keys calculate, the locks
// and their look, what a failure leaves, the two panels and the settings file.
// The arithmetic, its ties, premium bands and locks: tst_pageformulas.

#include "calculators/EccPage.h"
#include "tests/support/PageFixture.h"

#include <QApplication>
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
    void cleanup() { f.reset(); }
    void start();
    void enterCarriesRatios_data();
    void enterCarriesRatios();
    void typed_data();
    void typed();
    void closingCostsInTheSettingsFile();
    void unwritableSettingsFileReported();
    void panels_data();
    void panels();
    void resetFeesUntilPanelOpened();

private:
    QPushButton *button(const QString &name) const { return f->get<QPushButton>(name); }
    QString ini(const QString &key)
    {
        return QSettings(f->host.settingsFile().path(), QSettings::IniFormat).value(key).toString();
    }
    // Clicks each key ("btn...") and types each text into its field; a key
    // unlocking a result moves the focus to it.
    void act(const QStringList &names, const QStringList &texts)
    {
        for (qsizetype i = 0; i < names.size(); ++i) {
            if (!names[i].startsWith(u"btn")) {
                f->type(names[i], texts.value(i));
                continue;
            }
            QVERIFY2(button(names[i])->isVisible() && button(names[i])->isEnabled(),
                     qPrintable(names[i]));
            QTest::mouseClick(button(names[i]), Qt::LeftButton);
            if (names[i].startsWith(u"btnUnlock"))
                QCOMPARE(QApplication::focusWidget(), f->get(u"edtEccC"_s + names[i].mid(9)));
        }
    }
    // Price, down payment and loan as L (locked) or U (typed), and the look
    // that goes with them: a locked result is read-only with its unlock key
    // showing; income and debt take part only when all are locked; a typed
    // down payment shows the percent as a disabled yellow result.
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

// The worked start example, every figure on the page at once.
void TestEcc::start()
{
    const QStringList results =
        u"edtEccCPurchasePrice edtEccCDownPayment edtEccCLoanAmount edtEccCPandI edtEccCMonthlyTax "
        u"edtEccCMonthlyInsurance edtEccCpmi edtEccCMonthlyPayment edtEccCHousingRatio "
        u"edtEccCDebtRatio edtEccCClosingCosts edtEccCEscrows edtEccCCashRequiredToClose "
        u"edtOriginationFee edtLOF edtClosingPMI edtII edtPTI edtHOIP edtHOII edtPMII "
        u"edtPMIPercent"_s.split(u' ');
    QCOMPARE(test::shown(*f, results),
             u"$146,000.00 $29,200.00 $116,800.00 $777.07 $150.00 $30.00 $0.00 $957.07 24 35 "
             u"$1,152.00 $1,206.00 $31,558.00 $0.00 $0.00 $0.00 $336.00 $450.00 $360.00 $60.00 "
             u"$0.00 0.0000"_s.split(u' '));
    QCOMPARE(locks(), u"LLL"_s);
    QVERIFY(f->host.printingAllowed && f->host.resetEnabled);
    QCOMPARE(f->failures, QStringList());
}

void TestEcc::enterCarriesRatios_data()
{
    QTest::addColumn<bool>("downPaymentTyped");
    QTest::addColumn<QStringList>("shown"); // stored ratios, actual housing ratio, focus
    // Ratios 30 and 40 allow 1150 (price 175,000); a typed down payment keeps
    // the start's figures. The focus goes to income only when all are locked.
    QTest::newRow("all locked") << false << u"30 40 28 edtEccIncome"_s.split(u' ');
    QTest::newRow("down payment typed") << true << u"30 40 24 edtEccInterest"_s.split(u' ');
}

// Entering carries the stored ratios in and calculates.
void TestEcc::enterCarriesRatios()
{
    QFETCH(bool, downPaymentTyped);
    QFETCH(QStringList, shown);
    if (downPaymentTyped)
        act({u"btnUnlockDownPayment"_s}, {});
    f->host.buyerValues().HRatio = 30;
    f->host.buyerValues().DRatio = 40;
    f->page->enter();
    QCOMPARE(
        test::shown(*f, {u"edtEccHousingRatio"_s, u"edtEccDebtRatio"_s, u"edtEccCHousingRatio"_s}) +
            QStringList{QApplication::focusWidget()->objectName()},
        shown);
}

void TestEcc::typed_data()
{
    QTest::addColumn<QStringList>("steps"); // keys clicked and fields typed into
    QTest::addColumn<QStringList>("texts"); // typed into the fields among the steps
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("locks");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("shown");

    // The page gives the term in years to the choice of premium column, and
    // one month of PMI is a closing cost.
    QTest::newRow("15% 15y: short column")
        << u"edtEccDownPaymentPercent edtEccTerm"_s.split(u' ') << u"15 15"_s.split(u' ')
        << QString() << u"LLL"_s
        << u"edtPMIPercent edtEccCPurchasePrice edtEccCpmi edtClosingPMI"_s.split(u' ')
        << u"0.0019 $102,000.00 $13.73 $13.73"_s.split(u' ');
    // No room for a payment beyond tax 150 + insurance 30 + a fee of 810.
    const QStringList none = u"edtEccCPurchasePrice edtEccCLoanAmount edtEccCPandI edtEccCpmi "
                             u"edtEccCMonthlyPayment"_s.split(u' ');
    QTest::newRow("no room: fee 810")
        << QStringList{u"edtEccAssociationFee"_s} << QStringList{u"810"_s} << QString() << u"LLL"_s
        << none << u"$0.00 $0.00 $0.00 $0.00 $990.00"_s.split(u' ');
    // Seller-paid costs lower only the cash to close.
    QTest::newRow("seller pays 500")
        << u"btnCalcClosing edtSellerPaid btnClosePnlClosing"_s.split(u' ')
        << QStringList{QString(), u"500"_s} << QString() << u"LLL"_s
        << u"edtEccCClosingCosts edtEccCEscrows edtEccCCashRequiredToClose"_s.split(u' ')
        << u"$1,152.00 $1,206.00 $31,058.00"_s.split(u' ');

    // The locks a user reaches with the keys, and the relation each keeps.
    const QStringList lock = u"edtEccCPurchasePrice edtEccCDownPayment edtEccCLoanAmount "
                             u"edtEccDownPaymentPercent edtPMIPercent"_s.split(u' ');
    const QStringList price = u"btnUnlockPurchasePrice edtEccCPurchasePrice"_s.split(u' ');
    const QStringList loan = u"btnUnlockLoanAmount edtEccCLoanAmount"_s.split(u' ');
    const QStringList down = u"btnUnlockDownPayment edtEccCDownPayment"_s.split(u' ');
    const QStringList ull = u"$200,000.00 $40,000.00 $160,000.00 20.000 0.0000"_s.split(u' ');
    const QStringList llu = u"$225,000.00 $45,000.00 $180,000.00 20.000 0.0000"_s.split(u' ');
    QTest::newRow("ULL price typed")
        << price << QStringList{QString(), u"200000"_s} << QString() << u"ULL"_s << lock << ull;
    QTest::newRow("UUL price and down payment typed")
        << price + down << QStringList{QString(), u"200000"_s, QString(), u"50000"_s} << QString()
        << u"UUL"_s << lock << u"$200,000.00 $50,000.00 $150,000.00 25.000 0.0000"_s.split(u' ');
    QTest::newRow("LUL down payment typed")
        << down << QStringList{QString(), u"21900"_s} << QString() << u"LUL"_s << lock
        << u"$146,000.00 $21,900.00 $124,100.00 15.000 0.0032"_s.split(u' ');
    QTest::newRow("LUU down payment and loan typed")
        << down + loan << QStringList{QString(), u"30000"_s, QString(), u"170000"_s} << QString()
        << u"LUU"_s << lock << u"$200,000.00 $30,000.00 $170,000.00 15.000 0.0032"_s.split(u' ');
    // Unlocking the price locks a typed loan again, and the other way round.
    QTest::newRow("LLU then price typed")
        << loan + price << QStringList{QString(), u"180000"_s, QString(), u"200000"_s} << QString()
        << u"ULL"_s << lock << ull;
    QTest::newRow("ULL then loan typed")
        << price + loan << QStringList{QString(), u"200000"_s, QString(), u"180000"_s} << QString()
        << u"LLU"_s << lock << llu;
    // Locking again returns to affordability.
    QTest::newRow("LUL locked again")
        << down + u"btnLockDownPayment edtEccIncome"_s.split(u' ')
        << QStringList{QString(), u"21900"_s, QString(), u"4000"_s} << QString() << u"LLL"_s << lock
        << u"$134,000.00 $20,100.00 $113,900.00 15.000 0.0032"_s.split(u' ');

    // Mended: a percent of no price, a loan at 100 % down, a term with no
    // month count reach the handler as unusable figures, and a failure writes
    // nothing: the loan a price of 0 gave stays, where the typed 1,000 would
    // have made it -1,000. Never "nan" or "inf".
    const QStringList price0 = price + down;
    const QStringList kept = u"edtEccCLoanAmount edtEccDownPaymentPercent"_s.split(u' ');
    QTest::newRow("price 0, down payment typed")
        << price0 << QStringList{QString(), u"0"_s, QString(), u"1000"_s} << test::kUnusableFigures
        << u"UUL"_s << kept << u"$0.00 20.000"_s.split(u' ');
    QTest::newRow("price 0, down payment 0")
        << price0 << QStringList{QString(), u"0"_s, QString(), u"0"_s} << test::kUnusableFigures
        << u"UUL"_s << kept << u"$0.00 20.000"_s.split(u' ');
    QTest::newRow("100 % down, loan typed")
        << QStringList{u"edtEccDownPaymentPercent"_s} + loan
        << QStringList{u"100"_s, QString(), u"100000"_s} << test::kUnusableFigures << u"LLU"_s
        << QStringList{u"edtEccCPurchasePrice"_s} << QStringList{u"$243,000.00"_s};
    // More years than months can count: no loan, and no wrapped-round term.
    QTest::newRow("term of 200 million years")
        << QStringList{u"edtEccTerm"_s} << QStringList{u"200000000"_s} << test::kUnusableFigures
        << u"LLL"_s << QStringList{u"edtEccCLoanAmount"_s} << QStringList{u"$116,800.00"_s};
    // A count the figures need must be whole; one whose line is 0 (no
    // insurance) is not read at all.
    QTest::newRow("empty day count")
        << u"btnCalcEscrows edtIIDays"_s.split(u' ') << QStringList{QString(), QString()}
        << test::kUnidentified << u"LLL"_s << QStringList{u"edtII"_s} << QStringList{u"$336.00"_s};
    QTest::newRow("no insurance: its counts unread")
        << u"edtEccInsurance btnCalcEscrows edtHOIPMonths edtHOIIMonths"_s.split(u' ')
        << QStringList{u"0"_s, QString(), QString(), QString()} << QString() << u"LLL"_s
        << u"edtHOIP edtHOII edtEccCMonthlyInsurance"_s.split(u' ')
        << u"$0.00 $0.00 $0.00"_s.split(u' ');
}

void TestEcc::typed()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, texts);
    QFETCH(QString, failure);
    QFETCH(QString, locks);
    QFETCH(QStringList, names);
    QFETCH(QStringList, shown);
    act(steps, texts);
    QCOMPARE(f->failures, failure.isEmpty() ? QStringList() : QStringList{failure});
    QCOMPARE(test::shown(*f, names), shown);
    QCOMPARE(this->locks(), locks);
    const QString percentAndPrice =
        f->text(u"edtEccDownPaymentPercent"_s) + f->text(u"edtEccCPurchasePrice"_s);
    QVERIFY2(!percentAndPrice.contains(QRegularExpression(u"(?i)nan|inf"_s)),
             qPrintable(percentAndPrice));
}

// Fees and counts are stored on OK; the closing-cost panel reads the file at
// each opening and reports a fee it cannot read.
void TestEcc::closingCostsInTheSettingsFile()
{
    // 20 days at 7 % on 116,800 is 448 (+ 450 + 360 + 60 escrows); fees
    // 1152 - 300 + 350 - 300 + 120.50.
    act(u"btnCalcClosing edtAF edtOF btnClosePnlClosing btnCalcEscrows edtIIDays edtHOIIMonths "
        u"btnClosePnlEscrow"_s.split(u' '),
        {QString(), u"350"_s, u"120.5"_s, QString(), QString(), u"20"_s, u"3"_s});
    QCOMPARE(test::shown(*f, u"edtII edtEccCEscrows edtEccCClosingCosts"_s.split(u' ')),
             u"$448.00 $1,348.00 $1,022.50"_s.split(u' '));
    QCOMPARE((QStringList{ini(u"ClosingCosts/AppraisalFee"_s), ini(u"ClosingCosts/OtherFees"_s),
                          ini(u"Escrows/InterimInterestDays"_s),
                          ini(u"Escrows/HomeownersRenewalMonths"_s)}),
             u"350 120.5 20 3"_s.split(u' '));

    {
        QSettings file(f->host.settingsFile().path(), QSettings::IniFormat);
        file.setValue(u"ClosingCosts/AppraisalFee"_s, u"abc"_s);
        file.setValue(u"ClosingCosts/SellerPaid"_s, 1000);
    }
    act({u"btnCalcClosing"_s}, {});
    QTRY_COMPARE(f->boxes->texts(), QStringList{ignoredKeysMessage(f->host.settingsFile().path(),
                                                                   {u"AppraisalFee"_s})});
    act({u"btnClosePnlClosing"_s}, {});
    QCOMPARE(test::shown(*f, u"edtAF edtOF edtSellerPaid edtEccCClosingCosts"_s.split(u' ')),
             u"300.00 $120.50 $1,000.00 $972.50"_s.split(u' '));
    QCOMPARE(f->failures, QStringList());
}

// Mended: an unwritable file is reported, yet the panel closes and the fees
// stay in force.
void TestEcc::unwritableSettingsFileReported()
{
    QVERIFY(QDir(f->host.folder()).mkdir(u"CLVN.INI"_s));
    act(u"btnCalcClosing edtAF btnClosePnlClosing"_s.split(u' '), {QString(), u"333"_s});
    QCOMPARE(f->failures, QStringList{test::kUnidentified});
    QVERIFY(!f->get<QFrame>(u"pnlClosing"_s)->isVisible());
    QCOMPARE(f->text(u"edtEccCClosingCosts"_s), u"$1,185.00"_s);
}

void TestEcc::panels_data()
{
    QTest::addColumn<QString>(
        "name"); // pnl<name>, opened by btnCalc<key>, closed by btnClosePnl<name>
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("other"); // another of the panel's fields
    QTest::newRow("closing costs") << u"Closing"_s << u"Closing"_s << u"edtAF"_s << u"edtSTT"_s;
    QTest::newRow("escrows") << u"Escrow"_s << u"Escrows"_s << u"edtIIDays"_s << u"edtPTIMonths"_s;
}

// An open panel disables both panel keys and keeps the keyboard until OK.
void TestEcc::panels()
{
    QFETCH(QString, name);
    QFETCH(QString, key);
    QFETCH(QString, first);
    QFETCH(QString, other);
    QPushButton *ok = button(u"btnClosePnl"_s + name);
    act({u"btnCalc"_s + key}, {});
    auto *frame = f->get<QFrame>(u"pnl"_s + name);
    QVERIFY(frame->isVisible());
    QVERIFY(!button(u"btnCalcClosing"_s)->isEnabled() && !button(u"btnCalcEscrows"_s)->isEnabled());
    QCOMPARE(QApplication::focusWidget(), f->get(first));
    for (const auto tab : {Qt::Key_Tab, Qt::Key_Backtab}) {
        bool reachedOk = false;
        for (int i = 0; i < 30; ++i) {
            QTest::keyClick(QApplication::focusWidget(), tab);
            QVERIFY2(frame->isAncestorOf(QApplication::focusWidget()),
                     qPrintable(QApplication::focusWidget()->objectName()));
            reachedOk = reachedOk || QApplication::focusWidget() == ok;
        }
        QVERIFY(reachedOk);
    }
    // Leaving OK by other means than Tab also comes back to the first field.
    ok->setFocus(Qt::TabFocusReason);
    f->get(u"edtEccInterest"_s)->setFocus(Qt::MouseFocusReason);
    QTRY_COMPARE(QApplication::focusWidget(), f->get(first));
    // A click from OK into another of the panel's fields is not taken away.
    ok->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(f->get(other), Qt::LeftButton);
    QTest::qWait(20); // time for a queued move of the focus
    QCOMPARE(QApplication::focusWidget(), f->get(other));
    QTest::mouseClick(ok, Qt::LeftButton);
    QVERIFY(!frame->isVisible());
    QVERIFY(button(u"btnCalcClosing"_s)->isEnabled() && button(u"btnCalcEscrows"_s)->isEnabled());
    QCOMPARE(f->failures, QStringList());
}

// Reset's fees (1,327) hold until the closing-cost panel next opens, then the
// file's. Ratios 28/40 allow 1120, 30 days on 136,000 is 782.47.
void TestEcc::resetFeesUntilPanelOpened()
{
    act(u"edtEccInterest btnUnlockDownPayment edtEccCDownPayment"_s.split(u' '),
        {u"8"_s, QString(), u"40000"_s});
    f->host.printingAllowed = f->host.resetEnabled = true;
    f->page->Reset();
    QCOMPARE(locks(), u"LLL"_s);
    QCOMPARE(QApplication::focusWidget(), f->get(u"edtEccIncome"_s));
    QVERIFY(!f->host.printingAllowed && !f->host.resetEnabled);
    QCOMPARE(test::shown(
                 *f, u"edtEccDebt edtEccInterest edtEccTerm edtEccDownPaymentPercent "
                     u"edtEccTax edtEccInsurance edtEccHousingRatio edtEccDebtRatio edtAF "
                     u"edtLPF edtIIDays edtEccCPurchasePrice edtII "
                     u"edtEccCCashRequiredToClose edtEccCHousingRatio edtPMIPercent"_s.split(u' ')),
             u"$450.00 7.000 30 20.000 $1,800.00 $360.00 28 40 $275.00 $525.00 30 $0.00 $0.00 "
             u"$0.00 0 0.0000"_s.split(u' '));

    f->type(u"edtEccIncome"_s, u"4000"_s);
    QCOMPARE(test::shown(*f, u"edtEccCPurchasePrice edtEccCClosingCosts edtII edtEccCEscrows "
                             u"edtEccCCashRequiredToClose"_s.split(u' ')),
             u"$170,000.00 $1,327.00 $782.47 $1,652.47 $36,979.47"_s.split(u' '));
    QVERIFY(f->host.printingAllowed);

    act({u"btnCalcClosing"_s}, {});
    QCOMPARE(test::shown(*f, {u"edtAF"_s, u"edtLPF"_s}), (QStringList{u"300.00"_s, u"$0.00"_s}));
    act({u"btnClosePnlClosing"_s}, {});
    QCOMPARE(f->text(u"edtEccCClosingCosts"_s), u"$1,152.00"_s);
    QCOMPARE(f->failures, QStringList());
}

QTEST_MAIN(TestEcc)
#include "tst_ecc.moc"
