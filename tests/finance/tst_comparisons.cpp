// Keeping a loan against refinancing it, renting against buying, loan offers
// side by side with their APR, and the caps on the counts the growth formulas
// loop over.

#include "finance/Growth.h"
#include "finance/LoanOffers.h"
#include "finance/MortLib.h"
#include "finance/Refinance.h"
#include "finance/RentVsBuy.h"
#include "tests/finance/FinanceTestUtil.h"
#include "tests/support/TestSupport.h"

#include <QMap>

#include <limits>

using namespace clvn;
using namespace clvn::test;

namespace {

// Cents as a person reads them: "-882.14", "0.00" (never "-0.00").
QString money(double x)
{
    const qint64 c = qRound64(x * 100);
    const qint64 a = c < 0 ? -c : c;
    return QStringLiteral("%1%2.%3")
        .arg(c < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

// "oldLoan oldTerm made oldRate newLoan newTerm newRate sell closingCosts"
RefinanceInputs refi(const QString &figures)
{
    const QStringList f = figures.split(u' ');
    RefinanceInputs in;
    in.oldLoan = f[0].toDouble();
    in.oldTerm = f[1].toLongLong();
    in.oldPaymentsMade = f[2].toLongLong();
    in.oldRate = f[3].toDouble();
    in.newLoan = f[4].toDouble();
    in.newTerm = f[5].toLongLong();
    in.newRate = f[6].toDouble();
    in.monthsUntilSell = f[7].toLongLong();
    in.closingCosts = f[8].toDouble();
    return in;
}

QString describe(const RefinanceResults &r)
{
    return QStringLiteral("rem=%1 S=%2 op=%3 np=%4 ms=%5 tps=%6 oe=%7 ne=%8 es=%9 ts=%10")
        .arg(r.oldPaymentsRemaining)
        .arg(r.monthsCounted)
        .arg(money(r.oldPayment), money(r.newPayment), money(r.paymentSaved),
             money(r.totalPaymentSaved), money(r.oldEquity), money(r.newEquity),
             money(r.equitySavings))
        .arg(money(r.totalSaved));
}

// "name=value ..." over the defaults; names as in RentVsBuyInputs' symbols.
RentVsBuyInputs rvb(const QString &changes)
{
    RentVsBuyInputs in;
    const QMap<QString, double *> fields{
        {QStringLiteral("M"), &in.monthlyRent},
        {QStringLiteral("g"), &in.rentIncrease},
        {QStringLiteral("Y"), &in.years},
        {QStringLiteral("D"), &in.downPayment},
        {QStringLiteral("e"), &in.estimatedReturn},
        {QStringLiteral("R"), &in.interestRate},
        {QStringLiteral("T"), &in.loanTermYears},
        {QStringLiteral("t"), &in.incomeTax},
        {QStringLiteral("p"), &in.propertyTax},
        {QStringLiteral("a"), &in.appreciation},
        {QStringLiteral("K"), &in.annualMaintenance},
        {QStringLiteral("s"), &in.sellingCostPercent},
    };
    for (const QString &change : changes.split(u' ', Qt::SkipEmptyParts))
        *fields.value(change.section(u'=', 0, 0)) = change.section(u'=', 1).toDouble();
    return in;
}

QString describe(const RentVsBuyResults &r)
{
    QStringList parts;
    const std::pair<const char *, double> values[] = {
        {"S", r.rentSpent},         {"I", r.investmentValue},   {"H", r.affordableLoan},
        {"price", r.housePrice},    {"Q", r.equityBuilt},       {"X", r.propertyTaxPaid},
        {"Z", r.taxDeductions},     {"P", r.appreciation},      {"C", r.sellingCosts},
        {"own", r.valueOfPurchase}, {"rent", r.valueOfRenting}, {"gain", r.gain},
    };
    for (const auto &[name, value] : values)
        parts << QString::fromLatin1(name) + u'=' + money(value);
    return parts.join(u' ');
}

// "homeValue; loan rate term points fees other insurance; ..." (one group per offer)
LoanOffersInputs offers(const QString &figures)
{
    const QStringList groups = figures.split(u';');
    LoanOffersInputs in;
    in.homeValue = groups[0].toDouble();
    for (qsizetype g = 1; g < groups.size(); ++g) {
        const QStringList f = groups[g].split(u' ', Qt::SkipEmptyParts);
        in.offers.push_back({f[0].toDouble(), f[1].toDouble(), f[2].toLongLong(), f[3].toDouble(),
                             f[4].toDouble(), f[5].toDouble(), f[6].toDouble()});
    }
    return in;
}

// Offer `which` (0-based), or with which = -1 the break-even pairs as
// "costlier>cheaper extra@payment" (0: never).
QString describe(const LoanOffersResults &r, int which)
{
    QStringList parts;
    if (which < 0) {
        for (const OfferBreakEven &e : r.breakEvens)
            parts << QStringLiteral("%1>%2 %3@%4")
                         .arg(QChar(u'A' + e.costlier))
                         .arg(QChar(u'A' + e.cheaper))
                         .arg(money(e.extraAtClosing))
                         .arg(e.payment);
        return parts.join(u' ');
    }
    const LoanOfferResults &o = r.offers[std::size_t(which)];
    return QStringLiteral("pay=%1 final=%2 apr=%3 fc=%4 af=%5 top=%6 tip=%7 5y=%8 5yp=%9 ")
               .arg(money(o.payment), money(o.finalPayment), QString::number(o.apr, 'f', 3),
                    money(o.financeCharge), money(o.amountFinanced), money(o.totalOfPayments),
                    QString::number(o.totalInterestPercent, 'f', 3), money(o.fiveYearTotal),
                    money(o.fiveYearPrincipal)) +
           QStringLiteral("cash=%1 mi=%2").arg(money(o.cashAtClosing)).arg(o.insuredPayments);
}

// What `f` gives, or the name of the failure it throws.
QString outcomeOf(const std::function<QString()> &f)
{
    try {
        return f();
    } catch (const FloatError &e) {
        static const char *const kinds[] = {"ZeroDivide", "InvalidOp", "Overflow"};
        return QString::fromLatin1(kinds[static_cast<int>(e.kind())]);
    } catch (const ConvertError &) {
        return QStringLiteral("ConvertError");
    }
}

} // namespace

class TestComparisons : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { pinLocale(); }
    void refinance_data();
    void refinance();
    void rentVsBuy_data();
    void rentVsBuy();
    void loanOffers_data();
    void loanOffers();
    void actuarialApr_data();
    void actuarialApr() { checkRow(); }
    void caps_data();
    void caps() { checkRow(); }
    void errorsNameTheValue();
};

void TestComparisons::refinance_data()
{
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<QString>("expected");
    // Figures: the same steps in 40-digit decimal arithmetic (mpmath), rounded to cents.
    const QString start = QStringLiteral(
        "rem=360 S=240 op=786.70 np=790.38 ms=-3.68 tps=-882.14 oe=37228.05 ne=100000.00 "
        "es=62771.95 ts=61889.81");
    // The total payment saving is 240 x -3.6756..., not 240 x -3.68 = -883.20.
    QTest::newRow("start values") << "100000 360 0 8.75 100000 240 7.25 240 0" << start;
    QTest::newRow("sale after the new term counts the term")
        << "100000 360 0 8.75 100000 240 7.25 300 0" << start;
    // Old loan ends after 60 more payments: its equity and the payment saving
    // stop there, the new loan's equity counts all 240 months.
    QTest::newRow("sale after the old loan ends")
        << "100000 360 300 8.75 100000 240 7.25 240 0"
        << "rem=60 S=240 op=2063.72 np=790.38 ms=1273.35 tps=76400.84 oe=100000.00 "
           "ne=100000.00 es=0.00 ts=76400.84";
    QTest::newRow("zero payments remaining")
        << "100000 360 360 8.75 100000 240 7.25 120 0"
        << "rem=0 S=120 op=0.00 np=790.38 ms=-790.38 tps=0.00 oe=0.00 ne=32677.26 es=32677.26 "
           "ts=32677.26";
    QTest::newRow("zero rates, closing costs")
        << "100000 360 0 0 100000 240 0 120 1500"
        << "rem=360 S=120 op=277.78 np=416.67 ms=-138.89 tps=-16666.67 oe=33333.33 "
           "ne=50000.00 es=16666.67 ts=-1500.00";
    QTest::newRow("part-paid loan, shorter new loan")
        << "250000 360 120 6.5 180000 180 5.125 84 3250.5"
        << "rem=240 S=84 op=1863.93 np=1435.18 ms=428.76 tps=36015.51 oe=54042.05 "
           "ne=67167.35 es=13125.30 ts=45890.31";
    QTest::newRow("terms at the cap")
        << "100000 1200 0 8.75 100000 1200 7.25 1200 0"
        << "rem=1200 S=1200 op=729.29 np=604.61 ms=124.68 tps=149616.54 oe=100000.00 "
           "ne=100000.00 es=0.00 ts=149616.54";
    // Counts that make the savings nonsense are refused, not computed.
    QTest::newRow("payments made above the term") << "100000 360 361 8.75 100000 240 7.25 240 0"
                                                  << "Overflow";
    QTest::newRow("negative payments made") << "100000 360 -1 8.75 100000 240 7.25 240 0"
                                            << "InvalidOp";
    QTest::newRow("negative old term") << "100000 -360 0 8.75 100000 240 7.25 240 0"
                                       << "InvalidOp";
    QTest::newRow("negative new term") << "100000 360 0 8.75 100000 -240 7.25 240 0"
                                       << "InvalidOp";
    QTest::newRow("negative months until sale") << "100000 360 0 8.75 100000 240 7.25 -1 0"
                                                << "InvalidOp";
    QTest::newRow("months until sale above the cap") << "100000 360 0 8.75 100000 240 7.25 1201 0"
                                                     << "Overflow";
    QTest::newRow("old term above the cap") << "100000 1201 0 8.75 100000 240 7.25 240 0"
                                            << "Overflow";
    QTest::newRow("new term above the cap") << "100000 360 0 8.75 100000 1201 7.25 240 0"
                                            << "Overflow";
    QTest::newRow("huge new term, no hang")
        << "100000 360 0 8.75 100000 9223372036854775807 7.25 9223372036854775807 0"
        << "Overflow";
    QTest::newRow("old rate without a payment") << "100000 360 0 -1200 100000 240 7.25 240 0"
                                                << "InvalidOp";
}

void TestComparisons::refinance()
{
    QFETCH(QString, inputs);
    QFETCH(QString, expected);
    QCOMPARE(outcomeOf([&] { return describe(CalcRefinance(refi(inputs))); }), expected);
}

void TestComparisons::rentVsBuy_data()
{
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QString>("expected");
    // Figures: the same steps in 40-digit decimal arithmetic (mpmath), rounded to cents.
    QTest::newRow("defaults") << ""
                              << "S=61132.11 I=6258.98 H=142792.19 price=147793.00 Q=8379.63 "
                                 "X=8775.63 Z=20304.28 P=57481.24 C=14019.14 own=8870.38 "
                                 "rent=-59873.13 gain=68743.51";
    // Equity and payments stop once the loan is repaid: 40 years on a 30-year
    // loan pay 360 payments, not 480. Rows with Y > T: the figures above less
    // 12 (Y - T) M of payments in own and gain; "own" of 15 and 20 years is
    // also what an independent re-computation gave.
    QTest::newRow("move after the loan is repaid")
        << "Y=40"
        << "S=963873.17 I=30146.58 H=142792.19 price=147793.00 Q=142792.19 X=87312.23 "
           "Z=299769.76 P=1995443.43 C=149676.49 own=1844016.66 rent=-938726.59 gain=2782743.25";
    QTest::newRow("move 5 years after a 15-year loan ends")
        << "T=15 Y=20"
        << "S=322388.37 I=12277.33 H=105693.16 price=110694.00 Q=105693.16 X=28477.37 "
           "Z=80906.95 P=303306.02 C=28629.94 own=256798.82 rent=-315111.04 gain=571909.86";
    // No loan: no equity and no payments.
    QTest::newRow("loan term of 0, no loan and no equity")
        << "T=0"
        << "S=61132.11 I=6258.98 H=0.00 price=5000.00 Q=0.00 X=0.00 Z=20173.60 P=0.00 C=0.00 "
           "own=22673.60 rent=-59873.13 gain=82546.73";
    // H = 360 x 950; 342000.5 is a tie and goes to the even 342000.
    QTest::newRow("zero loan rate")
        << "R=0"
        << "S=61132.11 I=6258.98 H=342000.00 price=347000.00 Q=57000.00 X=21018.43 Z=8299.68 "
           "P=137672.69 C=33577.09 own=93876.86 rent=-59873.13 gain=153749.99";
    QTest::newRow("zero increase, return and appreciation")
        << "g=0 e=0 a=0"
        << "S=57000.00 I=5000.00 H=142792.19 price=147793.00 Q=8379.63 X=8775.63 Z=18940.68 "
           "P=0.00 C=9995.45 own=-45950.78 rent=-57000.00 gain=11049.22";
    QTest::newRow("one year") << "Y=1"
                              << "S=11400.00 I=5229.70 H=142792.19 price=147793.00 Q=1450.50 "
                                 "X=1713.51 Z=3848.79 P=9995.45 C=10695.13 own=-4013.90 "
                                 "rent=-11170.30 gain=7156.40";
    QTest::newRow("half-year loan term is 366 months")
        << "T=30.5"
        << "S=61132.11 I=6258.98 H=143480.34 price=148481.00 Q=8092.24 X=8817.93 Z=20413.07 "
           "P=57758.26 C=14086.70 own=8858.95 rent=-59873.13 gain=68732.08";
    QTest::newRow("horizon at the cap")
        << "Y=100"
        << "S=9833772.89 I=446313.42 H=142792.19 price=147793.00 Q=142792.19 X=327920.28 "
           "Z=3306237.32 P=123760321.85 C=8673217.98 own=117821213.10 rent=-9392459.46 "
           "gain=127213672.56";
    // The house price: H + 0.5 to the nearest whole, a tie to the even one.
    // Rounding halves away from zero would give 12007 for H = 12006.
    const QString tie = QStringLiteral("R=0 T=1 D=0 M=");
    QTest::newRow("price of an odd whole loan goes up one")
        << tie + u"1000.25"
        << "S=64365.68 I=0.00 H=12003.00 price=12004.00 Q=12003.00 X=737.67 Z=17523.12 "
           "P=4831.83 C=1178.44 own=17938.83 rent=-64365.68 gain=82304.51";
    QTest::newRow("price of an even whole loan stays")
        << tie + u"1000.5"
        << "S=64381.77 I=0.00 H=12006.00 price=12006.00 Q=12006.00 X=737.86 Z=17527.50 "
           "P=4833.04 C=1178.73 own=17943.94 rent=-64381.77 gain=82325.71";
    QTest::newRow("price of a fractional loan goes up")
        << tie + u"1000.3"
        << "S=64368.90 I=0.00 H=12003.60 price=12004.00 Q=12003.60 X=737.71 Z=17523.99 "
           "P=4832.07 C=1178.50 own=17939.85 rent=-64368.90 gain=82308.75";
    QTest::newRow("horizon of 0 years") << "Y=0"
                                        << "InvalidOp";
    QTest::newRow("negative horizon") << "Y=-3"
                                      << "InvalidOp";
    QTest::newRow("horizon above the cap") << "Y=101"
                                           << "Overflow";
    QTest::newRow("horizon of 1e300 years, no hang") << "Y=1e300"
                                                     << "Overflow";
    QTest::newRow("fractional horizon") << "Y=2.5"
                                        << "ConvertError";
    QTest::newRow("negative loan term") << "T=-1"
                                        << "InvalidOp";
    QTest::newRow("loan term above the cap") << "T=101"
                                             << "Overflow";
    QTest::newRow("loan term of 1e18 years, no hang") << "T=1e18"
                                                      << "Overflow";
    QTest::newRow("loan term not a whole month") << "T=30.1"
                                                 << "ConvertError";
    QTest::newRow("rent too large to total") << "M=1e307"
                                             << "Overflow";
}

void TestComparisons::rentVsBuy()
{
    QFETCH(QString, changes);
    QFETCH(QString, expected);
    QCOMPARE(outcomeOf([&] { return describe(CalcRentVsBuy(rvb(changes))); }), expected);
}

void TestComparisons::loanOffers_data()
{
    QTest::addColumn<QString>("inputs");
    QTest::addColumn<int>("which");
    QTest::addColumn<QString>("expected");
    const QString a = QStringLiteral("300000 6.875 360 0 1500 2000 0");
    const QString b = QStringLiteral("300000 6.5 360 1.5 1200 2000 0");
    const QString c = QStringLiteral("285000 6.75 360 0 1000 2000 95");
    const QString ab = u"320000;" + a + u';' + b;
    QTest::newRow("offer A") << ab << 0
                             << "pay=1970.79 final=1966.47 apr=6.924 fc=410980.08 af=298500.00 "
                                "top=709480.08 tip=136.493 5y=121747.40 5yp=17986.04 cash=3500.00 "
                                "mi=0";
    QTest::newRow("offer B with points") << ab << 1
                                         << "pay=1896.20 final=1900.91 apr=6.685 fc=388336.71 "
                                            "af=294300.00 top=682636.71 tip=127.546 5y=121472.00 "
                                            "5yp=19166.74 cash=7700.00 mi=0";
    QTest::newRow("B pays for its points after payment 57") << ab << -1 << "B>A 4200.00@57";
    QTest::newRow("order of the offers does not matter")
        << u"320000;" + b + u';' + a << -1 << "A>B 4200.00@57";
    // Insurance ends after payment 106, when the balance first falls to 78 % of
    // 320,000. Month 1's interest, 1,603.125, is a tie that the schedule rounds
    // up, so the total is 3 cents above a half-even schedule's 675,535.48.
    QTest::newRow("offer C with insurance")
        << u"320000;" + c << 0
        << "pay=1848.50 final=1854.01 apr=7.047 fc=391535.51 af=284000.00 top=675535.51 "
           "tip=133.497 5y=119610.00 5yp=17453.86 cash=3000.00 mi=106";
    QTest::newRow("insurance to the middle of the term when the value is small")
        << u"200000;" + c << 0
        << "pay=1848.50 final=1854.01 apr=7.156 fc=398565.51 af=284000.00 top=682565.51 "
           "tip=133.497 5y=119610.00 5yp=17453.86 cash=3000.00 mi=180";
    QTest::newRow("no insurance on a loan at 80 % of the value or less")
        << u"1000000;" + c << 0
        << "pay=1848.50 final=1854.01 apr=6.784 fc=381465.51 af=284000.00 top=665465.51 "
           "tip=133.497 5y=113910.00 5yp=17453.86 cash=3000.00 mi=0";
    QTest::newRow("rate 0, no costs: APR 0")
        << "0;1000 0 3 0 0 0 0" << 0
        << "pay=333.33 final=333.34 apr=0.000 fc=0.00 af=1000.00 top=1000.00 tip=0.000 "
           "5y=1000.00 5yp=1000.00 cash=0.00 mi=0";
    QTest::newRow("rate 0 with a fee")
        << "0;12000 0 12 0 120 0 0" << 0
        << "pay=1000.00 final=1000.00 apr=1.860 fc=120.00 af=11880.00 top=12000.00 tip=0.000 "
           "5y=12120.00 5yp=12000.00 cash=120.00 mi=0";
    QTest::newRow("term at the cap of 1200")
        << "0;100000 7.5 1200 0 0 0 0" << 0
        << "pay=625.35 final=1827.97 apr=7.500 fc=651622.62 af=100000.00 top=751622.62 "
           "tip=651.623 5y=37521.00 5yp=25.37 cash=0.00 mi=0";
    QTest::newRow("never pays for itself within the term")
        << "0;100000 6 360 0 0 0 0;100000 6 360 1 0 0 0" << -1 << "B>A 1000.00@0";
    QTest::newRow("same cash at closing: no pair") << QString(u"0;" + a + u';' + a) << -1 << "";
    QTest::newRow("four offers, six pairs")
        << QString(u"320000;" + a + u';' + b + u';' + c + u";300000 6.25 360 2.5 0 2000 0") << -1
        << "B>A 4200.00@57 A>C 500.00@0 D>A 6000.00@49 B>C 4700.00@100 D>B 1800.00@37 "
           "D>C 6500.00@68";
    const char *const refusals[][2] = {
        {"loan of 0", "0;0 6 360 0 0 0 0"},
        {"negative loan", "0;-1 6 360 0 0 0 0"},
        {"term of 0", "0;1000 6 0 0 0 0 0"},
        {"negative term", "0;1000 6 -12 0 0 0 0"},
        {"term over the schedule's limit", "0;1000 6 1201 0 0 0 0"},
        {"negative rate", "0;1000 -0.5 360 0 0 0 0"},
        {"negative points", "0;1000 6 360 -1 0 0 0"},
        {"negative fees", "0;1000 6 360 0 -1 0 0"},
        {"negative other costs", "0;1000 6 360 0 0 -1 0"},
        {"negative insurance", "0;1000 6 360 0 0 0 -1"},
        {"costs leave no amount financed", "0;1000 6 360 50 500 0 0"},
        {"negative home value", "-1;1000 6 360 0 0 0 0"},
        {"rate not a number", "0;1000 nan 360 0 0 0 0"},
        {"loan too large for cents", "0;1e307 6 360 0 0 0 0"},
    };
    for (const auto &[name, inputs] : refusals)
        QTest::newRow(name) << QString::fromLatin1(inputs) << 0 << "InvalidOp";
}

void TestComparisons::loanOffers()
{
    QFETCH(QString, inputs);
    QFETCH(int, which);
    QFETCH(QString, expected);
    QCOMPARE(outcomeOf([&] { return describe(CompareLoanOffers(offers(inputs)), which); }),
             expected);
}

void TestComparisons::actuarialApr_data()
{
    addColumns();
    const auto apr = [](double amount, std::vector<double> payments) {
        return [=] { return ActuarialApr(amount, payments); };
    };
    const auto level = [](int n, double p, double last) {
        std::vector<double> v(std::size_t(n), p);
        v.back() = last;
        return v;
    };
    // Figures of the loanOffers and actuarialApr rows: the same steps written
    // independently in Python, the APR by bisection to 1e-14 a month.
    // The actuarial method's own examples: 5,000 repaid monthly.
    addRow("24 payments of 230.00", "9.69", apr(5000, level(24, 230, 230)));
    addRow("23 of 230.00 and a final 280.00", "10.50", apr(5000, level(24, 230, 280)));
    // Solved to 1e-9, not to a handful of decimals.
    addRow("24 payments of 230.00 to 1e-9", "9.68570806", apr(5000, level(24, 230, 230)));
    addRow("payments worth the amount at 0 %", "0.000", apr(1000, level(4, 250, 250)));
    addRow("payments worth less than the amount", "0.000", apr(1000, level(4, 200, 200)));
    addRow("one payment, a rate far above the first bracket", "1200.000",
           apr(100, level(1, 200, 200)));
    addRow("no amount financed", "InvalidOp", apr(0, level(4, 250, 250)));
    addRow("negative payment", "InvalidOp", apr(1000, level(4, 250, -1)));
    addRow("no rate can discount it", "Overflow", apr(1e-300, level(2, 1e300, 1e300)));
}

void TestComparisons::caps_data()
{
    addColumns();
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    // Beyond the caps the loops would run for seconds or hours; they are refused at once.
    addRow("repaid at the cap", "250000.00",
           [] { return PrincipalRepaid(1200, CalcPayment(1200, 7.5 / 1200, 25e4), 7.5, 25e4); });
    addRow("repaid above the cap", "Overflow", [] { return PrincipalRepaid(1201, 700, 7.5, 1e5); });
    addRow("repaid 64-bit count", "Overflow", [] { return PrincipalRepaid(kMax, 0, 0, 0); });
    addRow("rent at the cap", "1200000.00", [] { return TotalRent(100, 0, 1000); });
    addRow("rent above the cap", "Overflow", [] { return TotalRent(101, 0, 1000); });
    addRow("rent int32 years at 0%", "Overflow", [] { return TotalRent(2147483647, 0, 1); });
    addRow("compounded above the cap", "Overflow", [] { return CompoundedTotal(101, 0, 1); });
    addRow("compounded int32 years at 0%", "Overflow",
           [] { return CompoundedTotal(2147483647, 0, 1); });
    addRow("count in range", "42", [] { return double(WholeCount(42, 0, 100, "count")); });
    addRow("count negative zero", "0", [] { return double(WholeCount(-0.0, 0, 100, "count")); });
    addRow("count below", "InvalidOp", [] { return double(WholeCount(-1, 0, 100, "count")); });
    addRow("count above", "Overflow", [] { return double(WholeCount(101, 0, 100, "count")); });
    addRow("count beyond 64 bits", "Overflow",
           [] { return double(WholeCount(1e300, 0, 100, "count")); });
    addRow("count fractional", "ConvertError",
           [] { return double(WholeCount(12.5, 0, 100, "count")); });
    addRow("count infinite", "ConvertError",
           [] { return double(WholeCount(qInf(), 0, 100, "count")); });
}

// The refusal says what was refused and why, for whoever reads the error.
void TestComparisons::errorsNameTheValue()
{
    try {
        CalcRefinance(refi(QStringLiteral("100000 360 400 8.75 100000 240 7.25 240 0")));
        QFAIL("no error");
    } catch (const FloatError &e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QStringLiteral("floating point overflow in CalcRefinance: payments made 400 "
                                "outside 0..360"));
    }
    try {
        WholeCount(0, 1, 100, "years before the move");
        QFAIL("no error");
    } catch (const FloatError &e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QStringLiteral("invalid floating point operation in years before the move 0 "
                                "outside 1..100"));
    }
}

QTEST_GUILESS_MAIN(TestComparisons)
#include "tst_comparisons.moc"
