// Refinancing, renting against buying, and loan offers with their APR. Reference figures: the
// same steps in 40-digit decimal Python (mpmath), the APR by bisection to 1e-14 a month.

#include "finance/LoanOffers.h"
#include "finance/Refinance.h"
#include "finance/RentVsBuy.h"
#include "tests/finance/FinanceTestUtil.h"

using namespace clvn;
using namespace clvn::test;

namespace {

// Payments remaining, months counted, payments, savings, equities and total saved.
Text refi(RefinanceInputs in)
{
    return [in]() -> QString {
        const RefinanceResults r = CalcRefinance(in);
        return QStringLiteral("%1 %2 ").arg(r.oldPaymentsRemaining).arg(r.monthsCounted) +
               moneys({r.oldPayment, r.newPayment, r.paymentSaved, r.totalPaymentSaved, r.oldEquity,
                       r.newEquity, r.equitySavings, r.totalSaved});
    };
}

// S I H price Q X Z P C own rent gain, from the page's defaults with a change.
Text rvb(std::function<void(RentVsBuyInputs &)> change)
{
    return [change] {
        RentVsBuyInputs in;
        change(in);
        const RentVsBuyResults r = CalcRentVsBuy(in);
        return moneys({r.rentSpent, r.investmentValue, r.affordableLoan, r.housePrice,
                       r.equityBuilt, r.propertyTaxPaid, r.taxDeductions, r.appreciation,
                       r.sellingCosts, r.valueOfPurchase, r.valueOfRenting, r.gain});
    };
}

// The first offer's figures, or the break-even pairs as "costlier>cheaper extra@payment/within".
Text offers(double homeValue, std::vector<LoanOffer> list, bool pairs = false)
{
    return [=]() -> QString {
        const LoanOffersResults r = CompareLoanOffers({list, homeValue});
        QStringList parts;
        for (const OfferBreakEven &e : r.breakEvens)
            parts << QStringLiteral("%1>%2 %3@%4/%5")
                         .arg(QChar(u'A' + e.costlier), QChar(u'A' + e.cheaper),
                              money(e.extraAtClosing))
                         .arg(e.payment)
                         .arg(e.within);
        if (pairs)
            return words(parts);
        const LoanOfferResults &o = r.offers.front();
        return words({moneys({o.payment, o.finalPayment}), fixed(o.apr, 3),
                      moneys({o.financeCharge, o.amountFinanced, o.totalOfPayments}),
                      fixed(o.totalInterestPercent, 3),
                      moneys({o.fiveYearTotal, o.fiveYearPrincipal, o.cashAtClosing}),
                      QString::number(o.insuredPayments)});
    };
}

} // namespace

class TestComparisons : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures() { checkRow(); }
};

void TestComparisons::figures_data()
{
    addColumns();
    // The total payment saving is 240 x -3.6756..., not 240 x -3.68 = -883.20.
    const char *start = "360 240 786.70 790.38 -3.68 -882.14 37228.05 100000.00 62771.95 61889.81";
    addText("refinance start", start, refi({1e5, 360, 0, 8.75, 1e5, 240, 7.25, 240, 0}));
    addText("sale after the new term counts the term", start,
            refi({1e5, 360, 0, 8.75, 1e5, 240, 7.25, 300, 0}));
    // The old loan ends after 60 more payments: its equity and savings stop, the new one's go on.
    addText("sale after the old loan ends",
            "60 240 2063.72 790.38 1273.35 76400.84 100000.00 100000.00 0.00 76400.84",
            refi({1e5, 360, 300, 8.75, 1e5, 240, 7.25, 240, 0}));
    addText("zero payments remaining",
            "0 120 0.00 790.38 -790.38 0.00 0.00 32677.26 32677.26 32677.26",
            refi({1e5, 360, 360, 8.75, 1e5, 240, 7.25, 120, 0}));
    addText("zero rates, closing costs",
            "360 120 277.78 416.67 -138.89 -16666.67 33333.33 50000.00 16666.67 -1500.00",
            refi({1e5, 360, 0, 0, 1e5, 240, 0, 120, 1500}));
    addText("part-paid loan, shorter new loan",
            "240 84 1863.93 1435.18 428.76 36015.51 54042.05 67167.35 13125.30 45890.31",
            refi({250000, 360, 120, 6.5, 180000, 180, 5.125, 84, 3250.5}));
    addText("terms at the cap",
            "1200 1200 729.29 604.61 124.68 149616.54 100000.00 100000.00 0.00 149616.54",
            refi({1e5, 1200, 0, 8.75, 1e5, 1200, 7.25, 1200, 0}));
    // Counts that make the savings nonsense are refused, not computed.
    addText("payments made above the term", "Overflow",
            refi({1e5, 360, 361, 8.75, 1e5, 240, 7.25, 240, 0}));
    addText("negative payments made", "InvalidOp", refi({1e5, 360, -1, 8.75, 1e5, 240, 7.25, 240}));
    addText("negative months until sale", "InvalidOp",
            refi({1e5, 360, 0, 8.75, 1e5, 240, 7.25, -1}));
    addText("months until sale above the cap", "Overflow",
            refi({1e5, 360, 0, 8.75, 1e5, 240, 7.25, 1201}));
    addText("old term above the cap", "Overflow", refi({1e5, 1201, 0, 8.75, 1e5, 240, 7.25, 240}));
    addText("new term above the cap", "Overflow", refi({1e5, 360, 0, 8.75, 1e5, 1201, 7.25, 240}));
    addText("old rate without a payment", "InvalidOp",
            refi({1e5, 360, 0, -1200, 1e5, 240, 7.25, 240}));
    addText("refusal names the value",
            "floating point overflow in CalcRefinance: payments made 400 outside 0..360", [] {
                return message([] { CalcRefinance({1e5, 360, 400, 8.75, 1e5, 240, 7.25, 240}); });
            });

    addText("rent vs buy defaults",
            "61132.11 6258.98 142792.19 147793.00 8379.63 8775.63 20304.28 57481.24 14019.14 "
            "8870.38 -59873.13 68743.51",
            rvb([](auto &) {}));
    // Equity and payments stop once the loan is repaid: 180 payments of a 15-year loan, not 240.
    addText("move 5 years after a 15-year loan ends",
            "322388.37 12277.33 105693.16 110694.00 105693.16 28477.37 80906.95 303306.02 "
            "28629.94 256798.82 -315111.04 571909.86",
            rvb([](auto &in) { in.loanTermYears = 15, in.years = 20; }));
    addText("loan term of 0, no loan and no equity",
            "61132.11 6258.98 0.00 5000.00 0.00 0.00 20173.60 0.00 0.00 22673.60 -59873.13 "
            "82546.73",
            rvb([](auto &in) { in.loanTermYears = 0; }));
    // H = 360 x 950; 342000.5 is a tie and goes to the even 342000.
    addText("zero loan rate",
            "61132.11 6258.98 342000.00 347000.00 57000.00 21018.43 8299.68 137672.69 33577.09 "
            "93876.86 -59873.13 153749.99",
            rvb([](auto &in) { in.interestRate = 0; }));
    addText("zero increase, return and appreciation",
            "57000.00 5000.00 142792.19 147793.00 8379.63 8775.63 18940.68 0.00 9995.45 "
            "-45950.78 -57000.00 11049.22",
            rvb([](auto &in) { in.rentIncrease = in.estimatedReturn = in.appreciation = 0; }));
    addText("one year",
            "11400.00 5229.70 142792.19 147793.00 1450.50 1713.51 3848.79 9995.45 10695.13 "
            "-4013.90 -11170.30 7156.40",
            rvb([](auto &in) { in.years = 1; }));
    addText("half-year loan term is 366 months",
            "61132.11 6258.98 143480.34 148481.00 8092.24 8817.93 20413.07 57758.26 14086.70 "
            "8858.95 -59873.13 68732.08",
            rvb([](auto &in) { in.loanTermYears = 30.5; }));
    addText("horizon at the cap",
            "9833772.89 446313.42 142792.19 147793.00 142792.19 327920.28 3306237.32 "
            "123760321.85 8673217.98 117821213.10 -9392459.46 127213672.56",
            rvb([](auto &in) { in.years = 100; }));
    // The price is H + 0.5 to the nearest whole, a tie to even (half away from zero: 12007).
    const auto tie = [](double rent) {
        return rvb([rent](auto &in) {
            in.interestRate = in.downPayment = 0;
            in.loanTermYears = 1;
            in.monthlyRent = rent;
        });
    };
    addText("price of an odd whole loan goes up one",
            "64365.68 0.00 12003.00 12004.00 12003.00 737.67 17523.12 4831.83 1178.44 17938.83 "
            "-64365.68 82304.51",
            tie(1000.25));
    addText("price of an even whole loan stays",
            "64381.77 0.00 12006.00 12006.00 12006.00 737.86 17527.50 4833.04 1178.73 17943.94 "
            "-64381.77 82325.71",
            tie(1000.5));
    addText("horizon of 0 years", "InvalidOp", rvb([](auto &in) { in.years = 0; }));
    addText("horizon above the cap", "Overflow", rvb([](auto &in) { in.years = 101; }));
    addText("fractional horizon", "ConvertError", rvb([](auto &in) { in.years = 2.5; }));
    addText("negative loan term", "InvalidOp", rvb([](auto &in) { in.loanTermYears = -1; }));
    addText("loan term above the cap", "Overflow", rvb([](auto &in) { in.loanTermYears = 101; }));
    addText("loan term not a whole month", "ConvertError",
            rvb([](auto &in) { in.loanTermYears = 30.1; }));
    addText("rent too large to total", "Overflow", rvb([](auto &in) { in.monthlyRent = 1e307; }));

    const LoanOffer a{300000, 6.875, 360, 0, 1500, 2000, 0},
        b{300000, 6.5, 360, 1.5, 1200, 2000, 0}, c{285000, 6.75, 360, 0, 1000, 2000, 95},
        d{300000, 6.25, 360, 2.5, 0, 2000, 0};
    addText("offer A",
            "1970.79 1966.47 6.924 410980.08 298500.00 709480.08 136.493 121747.40 17986.04 "
            "3500.00 0",
            offers(320000, {a, b}));
    addText("offer B with points",
            "1896.20 1900.91 6.685 388336.71 294300.00 682636.71 127.546 121472.00 19166.74 "
            "7700.00 0",
            offers(320000, {b, a}));
    // Break-even by cost (closing costs, interest, insurance), not by cash paid: B after 45,
    // not 57.
    addText("four offers, six pairs",
            "B>A 4200.00@45/360 A>C 500.00@0/360 D>A 6000.00@39/360 B>C 4700.00@62/360 "
            "D>B 1800.00@29/360 D>C 6500.00@48/360",
            offers(320000, {a, b, c, d}, true));
    addText("order of the offers does not matter", "A>B 4200.00@45/360",
            offers(320000, {b, a}, true));
    // Cash paid says after payment 3: the 30-year loan's lower payment is mostly interest.
    const LoanOffer short15{320000, 6, 180, 0, 0, 0, 0}, long30{320000, 6.5, 360, 0, 2000, 0, 0};
    addText("longer loan at a higher rate never pays for itself", "B>A 2000.00@0/180",
            offers(0, {short15, long30}, true));
    const auto costs = [](std::vector<LoanOffer> list) -> Text {
        return [=]() -> QString {
            const std::vector<double> cost = CompareLoanOffers({list, 0}).offers.front().cost;
            return QString::number(cost.size() - 1) + u' ' +
                   moneys({cost[0], cost[180], cost[181], cost.back()});
        };
    };
    addText("months after the shorter loan ends add nothing to its cost",
            "360 0.00 158316.59 158316.59 158316.59",
            costs({{320000, 5.75, 180, 0, 0, 0, 0}, long30}));
    // B costs no more than A after payments 56 to 103 only: A's insurance ended after 89.
    addText(
        "a lead lost when the other's insurance ends is no break-even", "B>A 1000.00@0/360",
        offers(115000, {{100000, 6.5, 360, 0, 0, 0, 60}, {100000, 7, 360, 0, 1000, 0, 0}}, true));
    // Insurance ends after payment 106 (78 % of 320,000); month 1's interest 1,603.125 is a tie
    // the schedule rounds up: 3 cents above a half-even schedule's 675,535.48.
    addText("offer C with insurance",
            "1848.50 1854.01 7.047 391535.51 284000.00 675535.51 133.497 119610.00 17453.86 "
            "3000.00 106",
            offers(320000, {c}));
    addText("no insurance on a loan at 80 % of the value or less",
            "1848.50 1854.01 6.784 381465.51 284000.00 665465.51 133.497 113910.00 17453.86 "
            "3000.00 0",
            offers(1e6, {c}));
    addText("rate 0 with a fee",
            "1000.00 1000.00 1.860 120.00 11880.00 12000.00 0.000 12120.00 12000.00 120.00 0",
            offers(0, {{12000, 0, 12, 0, 120, 0, 0}}));
    addText("term at the cap of 1200",
            "625.35 1828.03 7.500 651622.68 100000.00 751622.68 651.623 37521.00 25.37 0.00 0",
            offers(0, {{100000, 7.5, 1200, 0, 0, 0, 0}}));
    addText("never pays for itself within the term", "B>A 1000.00@0/360",
            offers(0, {{100000, 6, 360, 0, 0, 0, 0}, {100000, 6, 360, 1, 0, 0, 0}}, true));
    addText("same cash at closing: no pair", "", offers(0, {a, a}, true));
    // 120 more at closing, 120 less interest: the costs meet after payment 1, which counts.
    addText("costs equal at a payment: break-even there", "B>A 120.00@1/1",
            offers(0, {{12000, 12, 1, 0, 0, 0, 0}, {12000, 0, 1, 0, 120, 0, 0}}, true));
    const std::pair<const char *, LoanOffer> refusals[] = {
        {"loan of 0", {0, 6, 360, 0, 0, 0, 0}},
        {"term of 0", {1000, 6, 0, 0, 0, 0, 0}},
        {"term over the schedule's limit", {1000, 6, 1201, 0, 0, 0, 0}},
        {"negative rate", {1000, -0.5, 360, 0, 0, 0, 0}},
        {"negative insurance", {1000, 6, 360, 0, 0, 0, -1}},
        {"costs leave no amount financed", {1000, 6, 360, 50, 500, 0, 0}},
        {"rate not a number", {1000, qQNaN(), 360, 0, 0, 0, 0}},
        {"insurance without a home value", {1000, 6, 360, 0, 0, 0, 5}},
    };
    for (const auto &[name, offer] : refusals)
        addText(name, "InvalidOp", offers(0, {offer}));
    addText("loan too large for cents", "Overflow", offers(0, {{1e307, 6, 360, 0, 0, 0, 0}}));
    addText("negative home value", "InvalidOp", offers(-1, {{1000, 6, 360, 0, 0, 0, 0}}));

    const auto apr = [](double amount, int n, double p, double last) -> Formula {
        return [=] {
            std::vector<double> v(std::size_t(n), p);
            v.back() = last;
            return ActuarialApr(amount, v);
        };
    };
    // The actuarial method's own examples, 5,000 repaid monthly, solved to 1e-9.
    addRow("24 payments of 230.00", "9.68570806", apr(5000, 24, 230, 230));
    addRow("23 of 230.00 and a final 280.00", "10.50", apr(5000, 24, 230, 280));
    addRow("payments worth the amount at 0 %", "0.000", apr(1000, 4, 250, 250));
    addRow("one payment, far above the first bracket", "1200.000", apr(100, 1, 200, 200));
    addRow("no amount financed", "InvalidOp", apr(0, 4, 250, 250));
    addRow("negative payment", "InvalidOp", apr(1000, 4, 250, -1));
    addRow("no rate can discount it", "Overflow", apr(1e-300, 2, 1e300, 1e300));
}

QTEST_GUILESS_MAIN(TestComparisons)
#include "tst_comparisons.moc"
