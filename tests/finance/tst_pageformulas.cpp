// The calculators' own arithmetic, headless: the quick calculator's four
// solves, the mortgage qualifier, and the closing-cost estimate (premium
// bands, the lock modes, price and percent rounding, fees, escrows, cash).
//
// Reference figures: 40-digit decimal evaluation in Python of the closed-form
// annuity L = A (1 - (1 + r/1200)^-n) / (r/1200) and of the sums as written,
// independent of this code.

#include "finance/ClosingCosts.h"
#include "finance/Qualifier.h"
#include "finance/QuickSolve.h"
#include "tests/finance/FinanceTestUtil.h"
#include "tests/support/TestSupport.h"

#include <functional>

using namespace clvn;
using namespace clvn::test;
using namespace Qt::StringLiterals;

using Text = std::function<QString()>;
Q_DECLARE_METATYPE(Text)

namespace {

// Money as exact cents, "1234.50".
QString money(double x)
{
    return QString::number(qRound64(x * 100) / 100.0, 'f', 2);
}

// Texts joined by spaces.
QString words(const QStringList &parts)
{
    return parts.join(u' ');
}

// Four decimals, for ratios, percents and premiums.
QString fixed4(double x)
{
    return QString::number(x, 'f', 4);
}

// What f gives, or the name of what it throws.
QString textOutcome(const Text &f)
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

void addTextColumns()
{
    QTest::addColumn<Text>("f");
    QTest::addColumn<QString>("expected");
}
void addTextRow(const char *name, const char *expected, Text f)
{
    QTest::newRow(name) << std::move(f) << QString::fromLatin1(expected);
}

// The stored defaults' premium table, and one whose eight premiums differ so
// that a wrong band or column shows.
PmiPremiums defaultPremiums()
{
    return {{0.0032, 0.0052, 0.0078, 0.0090}, {0.0019, 0.0023, 0.0056, 0.0079}};
}
PmiPremiums distinctPremiums()
{
    return {{0.0011, 0.0012, 0.0013, 0.0014}, {0.0021, 0.0022, 0.0023, 0.0024}};
}

// The page's start figures: income 4000, debt 450, ratios 28 and 36, 7 % over
// 30 years, 20 % down, tax 1800, insurance 360, no association fee.
PurchaseInputs startPurchase()
{
    PurchaseInputs in;
    in.annualTax = 1800;
    in.annualInsurance = 360;
    in.income = 4000;
    in.monthlyDebt = 450;
    in.housingRatio = 28;
    in.debtRatio = 36;
    in.rate = 7;
    in.termYears = 30;
    in.downPaymentPercent = 20;
    in.premiums = defaultPremiums();
    return in;
}

// Locks as "LLU": price, down payment, loan; L worked out, U typed.
PurchaseLocks locks(const char *text)
{
    return {text[0] == 'L', text[1] == 'L', text[2] == 'L'};
}

// price down loan, then which were worked out (P, D, L and % for the percent).
QString amounts(const PurchaseEstimate &e)
{
    QString solved;
    if (e.priceSolved)
        solved += u'P';
    if (e.downPaymentSolved)
        solved += u'D';
    if (e.loanSolved)
        solved += u'L';
    if (e.percentSolved)
        solved += u'%';
    return words({money(e.price), money(e.downPayment), money(e.loan), solved});
}

// The monthly side: P&I, PMI, total, premium and the two ratios (4 decimals).
QString monthly(const PurchaseEstimate &e)
{
    return words({money(e.principalAndInterest), money(e.monthlyPmi), money(e.monthlyPayment),
                  fixed4(e.premium), fixed4(e.housingRatio), fixed4(e.debtRatio)});
}

Text purchase(std::function<void(PurchaseInputs &)> change)
{
    return [change] {
        PurchaseInputs in = startPurchase();
        change(in);
        return amounts(EstimatePurchase(in));
    };
}

// The start estimate as the cost step receives it: 29,200 down on 116,800,
// tax 150 and insurance 30 a month, no PMI.
PurchaseEstimate startEstimate()
{
    PurchaseEstimate e;
    e.monthlyTax = 150;
    e.monthlyInsurance = 30;
    e.price = 146000;
    e.downPayment = 29200;
    e.loan = 116800;
    return e;
}

// The start fees (1,152 in all) and counts: 15 days, 3, 12 and 2 months, 1
// month of PMI.
CostInputs startCosts()
{
    CostInputs in;
    in.rate = 7;
    in.fees.creditReport = 42;
    in.fees.appraisal = 300;
    in.fees.taxService = 85;
    in.fees.titleInsurance = 200;
    in.fees.titleSearch = 100;
    in.fees.escrowClosing = 75;
    in.fees.recording = 50;
    in.fees.other = 300;
    in.counts = {15, 3, 12, 2, 1};
    return in;
}

// origination discount closing | interest taxes first-year renewal PMI escrows | cash
QString costs(const CostEstimate &c)
{
    const EscrowAmounts &e = c.escrow;
    return words({money(c.originationFee), money(c.discountFee), money(c.closingCosts), u"|"_s,
                  money(e.interimInterest), money(e.taxes), money(e.insuranceFirstYear),
                  money(e.insuranceRenewal), money(e.pmi), money(c.escrows), u"|"_s,
                  money(c.cashToClose)});
}

Text cost(std::function<void(PurchaseEstimate &, CostInputs &)> change)
{
    return [change] {
        PurchaseEstimate e = startEstimate();
        CostInputs in = startCosts();
        change(e, in);
        return costs(EstimateCosts(e, in));
    };
}

QualifierInputs startQualifier()
{
    QualifierInputs in;
    in.borrowers[0] = {4000, 1000, 350, 450, 50};
    in.housingRatio = 28;
    in.debtRatio = 36;
    return in;
}

} // namespace

class TestPageFormulas : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { pinLocale(); }
    void quickSolve_data();
    void quickSolve() { checkRow(); }
    void premiumBands_data();
    void premiumBands();
    void termMonths_data();
    void termMonths() { checkRow(); }
    void purchaseAmounts_data();
    void purchaseAmounts() { checkText(); }
    void purchaseMonthly_data();
    void purchaseMonthly() { checkText(); }
    void costEstimate_data();
    void costEstimate() { checkText(); }
    void escrowTotals();
    void qualifier_data();
    void qualifier() { checkText(); }

private:
    static void checkText()
    {
        QFETCH(Text, f);
        QFETCH(QString, expected);
        QCOMPARE(textOutcome(f), expected);
    }
};

void TestPageFormulas::quickSolve_data()
{
    addColumns();
    using U = QuickUnknown;
    const auto solve = [](U u, double L, double r, double A, double N) {
        return [=] { return SolveQuick(u, {L, r, A, N}); };
    };
    // 100000 * 0.00625 / (1 - 1.00625^-360) = 699.2145.
    addRow("payment", "699.2145", solve(U::Payment, 1e5, 7.5, 0, 360));
    addRow("loan amount", "100000.00", solve(U::LoanAmount, 0, 7.5, 699.21, 360));
    addRow("interest rate", "7.5002", solve(U::InterestRate, 1e5, 0, 699.21, 360));
    addRow("payment below a month's interest", "0", solve(U::NumPayments, 1e5, 7.5, 600, 0));
    addRow("loan amount at 0 %", "60000.00", solve(U::LoanAmount, 0, 0, 500, 120));
    addRow("payment at 0 %", "333.3333", solve(U::Payment, 1000, 0, 0, 3));
    addRow("count at 0 %", "4", solve(U::NumPayments, 1000, 0, 250, 0));
    // The loan goes up to the next whole unit as RoundHalfEven(L + 0.5, 0):
    // a whole odd loan gains one, a whole even one stays.
    addRow("loan whole odd gains one", "10002", solve(U::LoanAmount, 0, 0, 10001, 1));
    addRow("loan whole even stays", "10000", solve(U::LoanAmount, 0, 0, 10000, 1));
    addRow("loan with cents goes up", "10001", solve(U::LoanAmount, 0, 0, 10000.01, 1));
    addRow("loan half goes up", "10001", solve(U::LoanAmount, 0, 0, 10000.5, 1));
    // The count for a payment is rounded first, halves to even.
    addRow("payment count 360.5 is 360", "699.2145", solve(U::Payment, 1e5, 7.5, 0, 360.5));
    addRow("payment count 2.5 is 2", "500.00", solve(U::Payment, 1000, 0, 0, 2.5));
    addRow("payment count 3.5 is 4", "250.00", solve(U::Payment, 1000, 0, 0, 3.5));
    // A solved count is rounded, halves to even: 2.5 to 2, 3.5 to 4.
    addRow("count 2.5 is 2", "2", solve(U::NumPayments, 1000, 0, 400, 0));
    addRow("count 3.5 is 4", "4", solve(U::NumPayments, 1400, 0, 400, 0));
    addRow("count 360.009 is 360", "360", solve(U::NumPayments, 1e5, 7.5, 699.21, 0));
    // Failures.
    addRow("payment, rate 0, no payments", "ZeroDivide", solve(U::Payment, 1e5, 0, 0, 0));
    addRow("payment, count 0.5 rounds to 0", "ZeroDivide", solve(U::Payment, 1e5, 0, 0, 0.5));
    addRow("count, rate 0, no payment", "ZeroDivide", solve(U::NumPayments, 1e5, 0, 0, 0));
    addRow("count, rate 0, nothing at all", "InvalidOp", solve(U::NumPayments, 0, 0, 0, 0));
    addRow("count, no payment", "ZeroDivide", solve(U::NumPayments, 1e5, 7.5, 0, 0));
    addRow("loan, fractional count", "ConvertError", solve(U::LoanAmount, 0, 7.5, 699.21, 360.5));
    addRow("rate, fractional count", "ConvertError", solve(U::InterestRate, 1e5, 0, 699.21, 1.5));
    addRow("loan overflows", "Overflow", solve(U::LoanAmount, 0, 0, 1e308, 12));
}

// Every band edge in both term columns: bands are closed at the top.
void TestPageFormulas::premiumBands_data()
{
    QTest::addColumn<double>("ltv");
    QTest::addColumn<int>("years");
    QTest::addColumn<double>("premium");
    const double edges[] = {80, 85, 90, 95, 97};
    const double longTerm[] = {0, 0.0011, 0.0012, 0.0013, 0.0014, 0};
    const double shortTerm[] = {0, 0.0021, 0.0022, 0.0023, 0.0024, 0};
    for (int years : {16, 15}) {
        const double *column = years > 15 ? longTerm : shortTerm;
        for (int i = 0; i < 5; ++i) {
            QTest::addRow("ltv %g, %d years", edges[i], years) << edges[i] << years << column[i];
            QTest::addRow("ltv %g + 0.001, %d years", edges[i], years)
                << edges[i] + 0.001 << years << column[i + 1];
        }
    }
    QTest::newRow("ltv 0") << 0.0 << 30 << 0.0;
    QTest::newRow("ltv 120") << 120.0 << 30 << 0.0;
    QTest::newRow("ltv 85, 0 years") << 85.0 << 0 << 0.0021;
    QTest::newRow("ltv 85, 40 years") << 85.0 << 40 << 0.0011;
}

void TestPageFormulas::premiumBands()
{
    QFETCH(double, ltv);
    QFETCH(int, years);
    QFETCH(double, premium);
    QCOMPARE(DeterminePMIPremium(ltv, years, distinctPremiums()), premium);
}

void TestPageFormulas::termMonths_data()
{
    addColumns();
    addRow("30 years", "360", [] { return TermMonths(30); });
    addRow("no term", "0", [] { return TermMonths(0); });
    addRow("negative term", "-12", [] { return TermMonths(-1); });
    addRow("largest", "2147483640", [] { return TermMonths(178956970); });
    addRow("one year more", "Overflow", [] { return TermMonths(178956971); });
    addRow("most negative", "-2147483640", [] { return TermMonths(-178956970); });
    addRow("one year fewer", "Overflow", [] { return TermMonths(-178956971); });
}

void TestPageFormulas::purchaseAmounts_data()
{
    addTextColumns();
    // Affordability: the budget of 990 less 180 repays 121,749.13; times 1.2
    // is 146,098.96, rounded to 146,000.
    addTextRow("start, all locked", "146000.00 29200.00 116800.00 PDL", purchase([](auto &) {}));
    // At 15 % the first loan's PMI comes off the budget: 116,869.18 * 1.15 =
    // 134,399.56, rounded to 134,000.
    addTextRow("15 % down, second pass", "134000.00 20100.00 113900.00 PDL",
               purchase([](PurchaseInputs &in) { in.downPaymentPercent = 15; }));
    addTextRow("zero rate: budget times months", "350000.00 70000.00 280000.00 PDL",
               purchase([](PurchaseInputs &in) { in.rate = 0; }));
    addTextRow("no down payment", "122000.00 0.00 122000.00 PDL",
               purchase([](PurchaseInputs &in) { in.downPaymentPercent = 0; }));
    addTextRow("no room for a payment", "0.00 0.00 0.00 PDL",
               purchase([](PurchaseInputs &in) { in.income = 1000; }));
    // Price rounding ties go to the even thousand: at 0 % over a year with
    // nothing else to pay the price is 12 times what 36 % of 100,000 leaves.
    const auto exact = [](double debt) {
        return purchase([debt](PurchaseInputs &in) {
            in = PurchaseInputs{};
            in.income = 100000;
            in.monthlyDebt = debt;
            in.housingRatio = 28;
            in.debtRatio = 36;
            in.termYears = 1;
        });
    };
    addTextRow("tie 142,500 down to 142,000", "142000.00 0.00 142000.00 PDL", exact(24125));
    addTextRow("tie 145,500 up to 146,000", "146000.00 0.00 146000.00 PDL", exact(23875));
    addTextRow("142,501 up to 143,000", "143000.00 0.00 143000.00 PDL", exact(24124.9166666667));
    addTextRow("tie 1,500 up to 2,000", "2000.00 0.00 2000.00 PDL", exact(35875));

    // Each lock combination.
    const auto typed = [](const char *lockText, double price, double down, double loan) {
        return purchase([=](PurchaseInputs &in) {
            in.locks = locks(lockText);
            in.price = price;
            in.downPayment = down;
            in.loan = loan;
        });
    };
    addTextRow("ULL price typed", "200000.00 40000.00 160000.00 DL", typed("ULL", 200000, 1, 1));
    addTextRow("UUL price and down payment typed", "200000.00 50000.00 150000.00 L%",
               typed("UUL", 200000, 50000, 1));
    addTextRow("LUL the price shown is kept", "146000.00 21900.00 124100.00 L%",
               typed("LUL", 146000, 21900, 1));
    addTextRow("LUU down payment and loan typed", "200000.00 30000.00 170000.00 P%",
               typed("LUU", 1, 30000, 170000));
    addTextRow("LLU loan typed", "225000.00 45000.00 180000.00 PD", typed("LLU", 1, 1, 180000));
    addTextRow("LLU at no down payment", "180000.00 0.00 180000.00 PD", purchase([](auto &in) {
                   in.locks = locks("LLU");
                   in.loan = 180000;
                   in.downPaymentPercent = 0;
               }));
    // Failures.
    addTextRow("price 0, down payment typed", "ZeroDivide", typed("UUL", 0, 1000, 0));
    addTextRow("price 0, down payment 0", "InvalidOp", typed("UUL", 0, 0, 0));
    addTextRow("100 % down, loan typed", "ZeroDivide", purchase([](auto &in) {
                   in.locks = locks("LLU");
                   in.loan = 100000;
                   in.downPaymentPercent = 100;
               }));
    addTextRow("term of 200 million years", "Overflow",
               purchase([](auto &in) { in.termYears = 200000000; }));
}

void TestPageFormulas::purchaseMonthly_data()
{
    addTextColumns();
    const auto monthlyOf = [](std::function<void(PurchaseInputs &)> change) -> Text {
        return [change] {
            PurchaseInputs in = startPurchase();
            change(in);
            return monthly(EstimatePurchase(in));
        };
    };
    // 116,800 at 7 % over 30 years is 777.07; with 150 + 30 the total is 957.07.
    addTextRow("start", "777.07 0.00 957.07 0.0000 23.9268 35.1768", monthlyOf([](auto &) {}));
    addTextRow("no income: no ratios", "0.00 0.00 180.00 0.0000 0.0000 0.0000",
               monthlyOf([](auto &in) { in.income = 0; }));
    addTextRow("15 % down: PMI of the 85 band", "757.78 30.37 968.15 0.0032 24.2038 35.4538",
               monthlyOf([](auto &in) { in.downPaymentPercent = 15; }));
    addTextRow("15 % down over 15 years: short column", "0.0019", [] {
        PurchaseInputs in = startPurchase();
        in.downPaymentPercent = 15;
        in.termYears = 15;
        return fixed4(EstimatePurchase(in).premium);
    });
    addTextRow("association fee in the total", "777.07 0.00 1057.07 0.0000 26.4268 37.6768",
               monthlyOf([](auto &in) {
                   in.associationFee = 100;
                   in.locks = locks("ULL");
                   in.price = 146000;
               }));
    // A worked-out percent picks the band as kept to 3 decimals, halves to
    // even: 14.9996 is kept as 15.000 (LTV 85, 0.0032), 14.9994 as 14.999
    // (LTV 85.001, 0.0052); 2.9996 as 3.000 (LTV 97, 0.0090).
    const auto downOf = [](double down) -> Text {
        return [down] {
            PurchaseInputs in = startPurchase();
            in.locks = locks("UUL");
            in.price = 100000;
            in.downPayment = down;
            const PurchaseEstimate e = EstimatePurchase(in);
            return words({fixed4(e.downPaymentPercent), fixed4(e.premium)});
        };
    };
    addTextRow("14.9996 % kept as 15", "14.9996 0.0032", downOf(14999.6));
    addTextRow("14.9994 % kept as 14.999", "14.9994 0.0052", downOf(14999.4));
    addTextRow("14.9995 % tie up to 15", "14.9995 0.0032", downOf(14999.5));
    addTextRow("15.0005 % tie down to 15", "15.0005 0.0032", downOf(15000.5));
    addTextRow("2.9996 % kept as 3", "2.9996 0.0090", downOf(2999.6));
    addTextRow("2.9994 % kept as 2.999", "2.9994 0.0000", downOf(2999.4));
}

void TestPageFormulas::costEstimate_data()
{
    addTextColumns();
    // Fees 1,152; 15 days at 7 % on 116,800 is 336.00, + 450 + 360 + 60.
    addTextRow("start", "0.00 0.00 1152.00 | 336.00 450.00 360.00 60.00 0.00 1206.00 | 31558.00",
               cost([](auto &, auto &) {}));
    addTextRow("points: 1 % and 0.5 %",
               "1168.00 584.00 2904.00 | 336.00 450.00 360.00 60.00 0.00 1206.00 | 33310.00",
               cost([](auto &, CostInputs &in) {
                   in.originationPoints = 1;
                   in.discountPoints = 0.5;
               }));
    addTextRow("seller pays 500: only the cash falls",
               "0.00 0.00 1152.00 | 336.00 450.00 360.00 60.00 0.00 1206.00 | 31058.00",
               cost([](auto &, CostInputs &in) { in.sellerPaid = 500; }));
    // 15 % down on 134,000: PMI 30.3733 a month, one month a closing cost,
    // two months in escrow; 15 days on 113,900 is 327.6575.
    addTextRow("PMI: a month to close, two in escrow",
               "0.00 0.00 1182.37 | 327.66 450.00 360.00 60.00 60.75 1258.40 | 22540.78",
               cost([](PurchaseEstimate &e, CostInputs &in) {
                   e.downPayment = 20100;
                   e.loan = 113900;
                   e.monthlyPmi = 0.0032 * 113900 / 12;
                   in.counts.pmiMonths = 2;
               }));
    // A line with no monthly amount is 0 whatever its count says.
    addTextRow("no insurance", "0.00 0.00 1152.00 | 336.00 450.00 0.00 0.00 0.00 786.00 | 31138.00",
               cost([](PurchaseEstimate &e, CostInputs &in) {
                   e.monthlyInsurance = 0;
                   in.counts.insuranceFirstYearMonths = in.counts.insuranceRenewalMonths = 999;
               }));
    addTextRow("negative tax",
               "0.00 0.00 1152.00 | 336.00 0.00 360.00 60.00 0.00 756.00 | 31108.00",
               cost([](PurchaseEstimate &e, CostInputs &in) {
                   e.monthlyTax = -150;
                   in.counts.taxMonths = 999;
               }));
    addTextRow("no rate: no interim interest",
               "0.00 0.00 1152.00 | 0.00 450.00 360.00 60.00 0.00 870.00 | 31222.00",
               cost([](auto &, CostInputs &in) { in.rate = 0; }));
    addTextRow("fees overflow", "Overflow", cost([](auto &, CostInputs &in) {
                   in.fees.other = 1e308;
                   in.fees.recording = 1e308;
               }));
}

// The panel adds the same five lines in its own order. Figures that add
// exactly give one total; otherwise each order is kept to the last bit.
void TestPageFormulas::escrowTotals()
{
    const EscrowAmounts exact{336.25, 450.5, 360.125, 60.0625, 0.03125};
    QVERIFY(EscrowTotal(exact) == 1206.96875);
    QVERIFY(EscrowPanelTotal(exact) == 1206.96875);
    // interest, taxes, first year, renewal, PMI
    const EscrowAmounts e{224.75, 325.8, 394.36, 46.93, 14.17};
    QVERIFY(EscrowTotal(e) != EscrowPanelTotal(e));
    QCOMPARE(money(EscrowTotal(e)), QStringLiteral("1006.01"));
}

void TestPageFormulas::qualifier_data()
{
    addTextColumns();
    const auto limits = [](std::function<void(QualifierInputs &)> change) -> Text {
        return [change] {
            QualifierInputs in = startQualifier();
            change(in);
            const QualifyingPayment q = QualifyPayment(in);
            return words({money(q.income), money(q.debts), money(q.housingLimit),
                          money(q.debtLimit), money(q.payment)});
        };
    };
    // Income 5000, debts 850: min(1400, 1800 - 850).
    addTextRow("start", "5000.00 850.00 1400.00 950.00 950.00", limits([](auto &) {}));
    addTextRow("housing limit smaller", "5000.00 850.00 1400.00 1650.00 1400.00",
               limits([](auto &in) { in.debtRatio = 50; }));
    addTextRow("co-borrower counts", "7500.00 1050.00 2100.00 1650.00 1650.00",
               limits([](QualifierInputs &in) {
                   in.borrowers[1] = {2000, 500, 100, 50, 50};
               }));
    addTextRow("debts over the limit: negative", "5000.00 2500.00 1400.00 -700.00 -700.00",
               limits([](QualifierInputs &in) { in.borrowers[0].cards = 2000; }));
    addTextRow("income overflows", "Overflow", limits([](QualifierInputs &in) {
                   in.borrowers[0].income = 1e308;
                   in.borrowers[1].income = 1e308;
               }));

    const auto scenario = [](double payment, double rate, int years) -> Text {
        return [=] {
            const QualifierScenario s = QualifyScenario(payment, rate, years, 20000);
            return words({money(s.payment), money(s.loan), money(s.purchasePrice)});
        };
    };
    addTextRow("950 at 7 % over 30 years", "950.00 142792.19 162792.19", scenario(950, 7, 30));
    addTextRow("950 at 7 % over 20 years", "950.00 122533.38 142533.38", scenario(950, 7, 20));
    addTextRow("950 at 7 % over 15 years", "950.00 105693.16 125693.16", scenario(950, 7, 15));
    addTextRow("no payment: the cash alone", "0.00 0.00 20000.00", scenario(-700, 7, 30));
    // The present value is of the payment as handed in: a negative payment
    // over a negative term carries a loan (the page hands later scenarios the
    // payment the first showed, 0).
    addTextRow("negative payment, negative term", "0.00 1239.26 21239.26", scenario(-100, 7, -1));
    addTextRow("shown payment, negative term", "0.00 0.00 20000.00", scenario(0, 7, -1));
    addTextRow("rate 0 is 0 / 0", "InvalidOp", scenario(950, 0, 30));

    const auto ratios = [](double payment, double debts, double income) -> Text {
        return [=] {
            const QualifierRatios r = ActualRatios(payment, debts, income);
            return words({fixed4(r.housing), fixed4(r.debt)});
        };
    };
    addTextRow("ratios 19 and 36", "19.0000 36.0000", ratios(950, 850, 5000));
    addTextRow("no payment: debts alone", "0.0000 50.0000", ratios(0, 2500, 5000));
    addTextRow("no income: no ratios", "0.0000 0.0000", ratios(950, 850, 0));
    addTextRow("ratio overflows", "Overflow", ratios(1e308, 0, 1e-10));
}

QTEST_MAIN(TestPageFormulas)
#include "tst_pageformulas.moc"
