// The quick solves, the qualifier and the closing-cost estimate (bands, locks, ties, fees, cash).
// Reference figures: 40-digit decimal evaluation (mpmath) of the closed forms and the sums.

#include "finance/ClosingCosts.h"
#include "finance/Qualifier.h"
#include "finance/QuickSolve.h"
#include "tests/finance/FinanceTestUtil.h"

using namespace clvn;
using namespace clvn::test;

namespace {

const auto fixed4 = [](double x) { return fixed(x, 4); };

// Start: income 4000, debt 450, ratios 28/36, 7 % over 30 years, 20 % down, tax 1800, ins. 360.
PurchaseInputs startPurchase()
{
    const PmiPremiums table{{0.0032, 0.0052, 0.0078, 0.0090}, {0.0019, 0.0023, 0.0056, 0.0079}};
    return {{}, 0, 0, 0, 1800, 360, 0, 4000, 450, 28, 36, 7, 30, 20, table};
}

// Locks as "LLU": price, down payment, loan; L worked out, U typed.
const auto locks = [](const char *s) {
    return PurchaseLocks{s[0] == 'L', s[1] == 'L', s[2] == 'L'};
};

// price down loan, then which were worked out (P, D, L and % for the percent).
Text purchase(std::function<void(PurchaseInputs &)> change)
{
    return [change] {
        PurchaseInputs in = startPurchase();
        change(in);
        const PurchaseEstimate e = EstimatePurchase(in);
        QString solved;
        for (auto [flag, letter] : {std::pair{e.priceSolved, u'P'},
                                    {e.downPaymentSolved, u'D'},
                                    {e.loanSolved, u'L'},
                                    {e.percentSolved, u'%'}})
            solved += flag ? QString(letter) : QString();
        return words({money(e.price), money(e.downPayment), money(e.loan), solved});
    };
}

// The monthly side: P&I, PMI, total, premium and the two ratios.
Text monthly(std::function<void(PurchaseInputs &)> change)
{
    return [change] {
        PurchaseInputs in = startPurchase();
        change(in);
        const PurchaseEstimate e = EstimatePurchase(in);
        return words({money(e.principalAndInterest), money(e.monthlyPmi), money(e.monthlyPayment),
                      fixed4(e.premium), fixed4(e.housingRatio), fixed4(e.debtRatio)});
    };
}

// Fees | escrow lines and total | cash, from the start (116,800 loan, 15 days, 3, 12, 2, 1 months).
Text cost(std::function<void(PurchaseEstimate &, CostInputs &)> change)
{
    return [change] {
        PurchaseEstimate e{150, 30, 146000, 29200, 116800};
        CostInputs in{7, 0, 0, {42, 300, 85, 0, 75, 100, 200, 50, 300}, 0, {15, 3, 12, 2, 1}};
        change(e, in);
        const CostEstimate c = EstimateCosts(e, in);
        const EscrowAmounts &a = c.escrow;
        return words({money(c.originationFee), money(c.discountFee), money(c.closingCosts),
                      QStringLiteral("|"), money(a.interimInterest), money(a.taxes),
                      money(a.insuranceFirstYear), money(a.insuranceRenewal), money(a.pmi),
                      money(c.escrows), QStringLiteral("|"), money(c.cashToClose)});
    };
}

} // namespace

class TestPageFormulas : public QObject
{
    Q_OBJECT

private slots:
    void formulas_data();
    void formulas() { checkRow(); }
    void premiumBands_data();
    void premiumBands();
};

void TestPageFormulas::formulas_data()
{
    addColumns();
    using U = QuickUnknown;
    const auto solve = [](U u, double L, double r, double A, double N) -> Formula {
        return [=] { return SolveQuick(u, {L, r, A, N}); };
    };
    addRow("quick payment", "699.2145", solve(U::Payment, 1e5, 7.5, 0, 360));
    addRow("quick loan amount", "100000.00", solve(U::LoanAmount, 0, 7.5, 699.21, 360));
    addRow("quick interest rate", "7.4999", solve(U::InterestRate, 1e5, 0, 699.21, 360));
    addRow("quick count 360.009 is 360", "360", solve(U::NumPayments, 1e5, 7.5, 699.21, 0));
    // The loan goes up to the next whole unit as RoundHalfEven(L + 0.5, 0).
    addRow("loan whole odd gains one", "10002", solve(U::LoanAmount, 0, 0, 10001, 1));
    addRow("loan whole even stays", "10000", solve(U::LoanAmount, 0, 0, 10000, 1));
    addRow("loan with cents goes up", "10001", solve(U::LoanAmount, 0, 0, 10000.01, 1));
    // The count for a payment is rounded first, and a solved count after, halves to even.
    addRow("payment count 2.5 is 2", "500.00", solve(U::Payment, 1000, 0, 0, 2.5));
    addRow("payment count 3.5 is 4", "250.00", solve(U::Payment, 1000, 0, 0, 3.5));
    addRow("count 2.5 is 2", "2", solve(U::NumPayments, 1000, 0, 400, 0));
    addRow("count 3.5 is 4", "4", solve(U::NumPayments, 1400, 0, 400, 0));
    addRow("payment, rate 0, no payments", "ZeroDivide", solve(U::Payment, 1e5, 0, 0, 0));
    addRow("count, rate 0, no payment", "ZeroDivide", solve(U::NumPayments, 1e5, 0, 0, 0));
    addRow("count, rate 0, nothing at all", "InvalidOp", solve(U::NumPayments, 0, 0, 0, 0));
    addRow("loan, fractional count", "ConvertError", solve(U::LoanAmount, 0, 7.5, 699.21, 360.5));
    addRow("rate, fractional count", "ConvertError", solve(U::InterestRate, 1e5, 0, 699.21, 1.5));
    addRow("loan overflows", "Overflow", solve(U::LoanAmount, 0, 0, 1e308, 12));

    addRow("30 years", "360", [] { return TermMonths(30); });
    addRow("largest term", "2147483640", [] { return TermMonths(178956970); });
    addRow("one year more", "Overflow", [] { return TermMonths(178956971); });
    addRow("most negative term", "-2147483640", [] { return TermMonths(-178956970); });
    addRow("one year fewer", "Overflow", [] { return TermMonths(-178956971); });

    // The budget 990 less 180 repays 121,749.13; times 1.2 is 146,098.96, rounded to 146,000.
    addText("start, all locked", "146000.00 29200.00 116800.00 PDL", purchase([](auto &) {}));
    // At 15 % the first loan's PMI comes off the budget: 116,869.18 * 1.15 = 134,399.56.
    addText("15 % down, second pass", "134000.00 20100.00 113900.00 PDL",
            purchase([](auto &in) { in.downPaymentPercent = 15; }));
    addText("zero rate: budget times months", "350000.00 70000.00 280000.00 PDL",
            purchase([](auto &in) { in.rate = 0; }));
    addText("no room for a payment", "0.00 0.00 0.00 PDL",
            purchase([](auto &in) { in.income = 1000; }));
    // Ties go to the even thousand: at 0 % over a year the price is 12 x (36,000 - debt).
    const auto exact = [](double debt) {
        return purchase([debt](PurchaseInputs &in) {
            in = {{}, 0, 0, 0, 0, 0, 0, 100000, debt, 28, 36, 0, 1};
        });
    };
    addText("tie 142,500 down to 142,000", "142000.00 0.00 142000.00 PDL", exact(24125));
    addText("tie 145,500 up to 146,000", "146000.00 0.00 146000.00 PDL", exact(23875));
    const auto typed = [](const char *lockText, double price, double down, double loan,
                          double percent = 20) {
        return purchase([=](PurchaseInputs &in) {
            in.downPaymentPercent = percent;
            in.locks = locks(lockText);
            in.price = price;
            in.downPayment = down;
            in.loan = loan;
        });
    };
    addText("ULL price typed", "200000.00 40000.00 160000.00 DL", typed("ULL", 200000, 1, 1));
    addText("UUL price and down payment typed", "200000.00 50000.00 150000.00 L%",
            typed("UUL", 200000, 50000, 1));
    addText("LUL the price shown is kept", "146000.00 21900.00 124100.00 L%",
            typed("LUL", 146000, 21900, 1));
    addText("LUU down payment and loan typed", "200000.00 30000.00 170000.00 P%",
            typed("LUU", 1, 30000, 170000));
    addText("LLU loan typed", "225000.00 45000.00 180000.00 PD", typed("LLU", 1, 1, 180000));
    addText("price 0, down payment typed", "ZeroDivide", typed("UUL", 0, 1000, 0));
    addText("price 0, down payment 0", "InvalidOp", typed("UUL", 0, 0, 0));
    addText("100 % down, loan typed", "ZeroDivide", typed("LLU", 1, 1, 100000, 100));
    addText("term of 200 million years", "Overflow",
            purchase([](auto &in) { in.termYears = 200000000; }));

    // 116,800 at 7 % over 30 years is 777.07; with 150 + 30 the total is 957.07.
    addText("monthly start", "777.07 0.00 957.07 0.0000 23.9268 35.1768", monthly([](auto &) {}));
    addText("no income: no ratios", "0.00 0.00 180.00 0.0000 0.0000 0.0000",
            monthly([](auto &in) { in.income = 0; }));
    addText("15 % down: PMI of the 85 band", "757.78 30.37 968.15 0.0032 24.2038 35.4538",
            monthly([](auto &in) { in.downPaymentPercent = 15; }));
    addText("15 % down over 15 years: short column", "779.28 13.73 973.01 0.0019 24.3253 35.5753",
            monthly([](auto &in) {
                in.downPaymentPercent = 15;
                in.termYears = 15;
            }));
    addText("association fee in the total", "777.07 0.00 1057.07 0.0000 26.4268 37.6768",
            monthly([](auto &in) {
                in.associationFee = 100;
                in.locks = locks("ULL");
                in.price = 146000;
            }));
    // A worked-out percent picks the band as kept to 3 decimals, halves to even.
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
    addText("14.9994 % kept as 14.999", "14.9994 0.0052", downOf(14999.4));
    addText("14.9995 % tie up to 15", "14.9995 0.0032", downOf(14999.5));
    addText("15.0005 % tie down to 15", "15.0005 0.0032", downOf(15000.5));

    // Fees 1,152; 15 days at 7 % on 116,800 is 336.00, + 450 + 360 + 60.
    addText("costs start", "0.00 0.00 1152.00 | 336.00 450.00 360.00 60.00 0.00 1206.00 | 31558.00",
            cost([](auto &, auto &) {}));
    addText("points 1 % and 0.5 %, seller pays 500: only the cash falls by it",
            "1168.00 584.00 2904.00 | 336.00 450.00 360.00 60.00 0.00 1206.00 | 32810.00",
            cost([](auto &, CostInputs &in) {
                in.originationPoints = 1;
                in.discountPoints = 0.5;
                in.sellerPaid = 500;
            }));
    // 15 % down on 134,000: PMI 30.3733 a month, 1 to close, 2 in escrow; 15 days: 327.6575.
    addText("PMI: a month to close, two in escrow",
            "0.00 0.00 1182.37 | 327.66 450.00 360.00 60.00 60.75 1258.40 | 22540.78",
            cost([](PurchaseEstimate &e, CostInputs &in) {
                e.downPayment = 20100;
                e.loan = 113900;
                e.monthlyPmi = 0.0032 * 113900 / 12;
                in.counts.pmiMonths = 2;
            }));
    // A line with no monthly amount above 0 is 0 whatever its count says.
    addText("no insurance", "0.00 0.00 1152.00 | 336.00 450.00 0.00 0.00 0.00 786.00 | 31138.00",
            cost([](PurchaseEstimate &e, CostInputs &in) {
                e.monthlyInsurance = 0;
                in.counts.insuranceFirstYearMonths = in.counts.insuranceRenewalMonths = 999;
            }));
    addText("negative tax, no rate: no taxes, no interim interest",
            "0.00 0.00 1152.00 | 0.00 0.00 360.00 60.00 0.00 420.00 | 30772.00",
            cost([](PurchaseEstimate &e, CostInputs &in) {
                e.monthlyTax = -150;
                in.counts.taxMonths = 999;
                in.rate = 0;
            }));
    addText("fees overflow", "Overflow", cost([](auto &, CostInputs &in) {
                in.fees.other = 1e308;
                in.fees.recording = 1e308;
            }));
    addRow("escrow panel total", "1006.01", [] {
        return EscrowPanelTotal({224.75, 325.8, 394.36, 46.93, 14.17});
    });

    // Income 5000, debts 850: min(1400, 1800 - 850).
    const auto limits = [](std::function<void(QualifierInputs &)> change) -> Text {
        return [change] {
            QualifierInputs in{{{{4000, 1000, 350, 450, 50}}}, 28, 36};
            change(in);
            const QualifyingPayment q = QualifyPayment(in);
            return words({money(q.income), money(q.debts), money(q.housingLimit),
                          money(q.debtLimit), money(q.payment)});
        };
    };
    addText("qualifier start", "5000.00 850.00 1400.00 950.00 950.00", limits([](auto &) {}));
    addText("housing limit smaller", "5000.00 850.00 1400.00 1650.00 1400.00",
            limits([](auto &in) { in.debtRatio = 50; }));
    addText("co-borrower counts", "7500.00 1050.00 2100.00 1650.00 1650.00", limits([](auto &in) {
                in.borrowers[1] = {2000, 500, 100, 50, 50};
            }));
    addText("debts over the limit: negative", "5000.00 2500.00 1400.00 -700.00 -700.00",
            limits([](auto &in) { in.borrowers[0].cards = 2000; }));
    addText("income overflows", "Overflow", limits([](auto &in) {
                in.borrowers[0].income = 1e308;
                in.borrowers[1].income = 1e308;
            }));
    const auto scenario = [](double payment, double rate, int years) -> Text {
        return [=] {
            const QualifierScenario s = QualifyScenario(payment, rate, years, 20000);
            return words({money(s.payment), money(s.loan), money(s.purchasePrice)});
        };
    };
    addText("950 at 7 % over 30 years", "950.00 142792.19 162792.19", scenario(950, 7, 30));
    addText("no payment: the cash alone", "0.00 0.00 20000.00", scenario(-700, 7, 30));
    // The present value is of the payment as handed in, negative over a negative term too.
    addText("negative payment, negative term", "0.00 1239.26 21239.26", scenario(-100, 7, -1));
    addText("rate 0 is 0 / 0", "InvalidOp", scenario(950, 0, 30));
    const auto ratios = [](double payment, double debts, double income) -> Text {
        return [=] {
            const QualifierRatios r = ActualRatios(payment, debts, income);
            return words({fixed4(r.housing), fixed4(r.debt)});
        };
    };
    addText("ratios 19 and 36", "19.0000 36.0000", ratios(950, 850, 5000));
    addText("no payment: debts alone", "0.0000 50.0000", ratios(0, 2500, 5000));
    addText("no income: no ratios", "0.0000 0.0000", ratios(950, 850, 0));
    addText("ratio overflows", "Overflow", ratios(1e308, 0, 1e-10));
}

// Every band edge in both term columns (closed at the top); distinct premiums show a wrong one.
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
}

void TestPageFormulas::premiumBands()
{
    QFETCH(double, ltv);
    QFETCH(int, years);
    QFETCH(double, premium);
    const PmiPremiums distinct{{0.0011, 0.0012, 0.0013, 0.0014}, {0.0021, 0.0022, 0.0023, 0.0024}};
    QCOMPARE(DeterminePMIPremium(ltv, years, distinct), premium);
}

QTEST_GUILESS_MAIN(TestPageFormulas)
#include "tst_pageformulas.moc"
