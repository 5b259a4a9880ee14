// The loan spread table and the home seller's proceeds, headless. Reference figures: 40-digit
// mpmath evaluation of the closed forms; the rates by bisection on the payment formula.

#include "finance/LoanSpread.h"
#include "finance/SellerProceeds.h"
#include "tests/finance/FinanceTestUtil.h"

using namespace clvn;
using namespace clvn::test;
using M = SpreadMode;

class TestLoanSpread : public QObject
{
    Q_OBJECT

private slots:
    void figures_data();
    void figures() { checkRow(); }
};

void TestLoanSpread::figures_data()
{
    addColumns();
    // From the page's start figures: first and last row and column | top-right, bottom-left
    // and centre cells | total paid and interest.
    const auto table = [](M mode, int decimals, auto change) -> Text {
        return [=] {
            SpreadInputs in{mode, 100000, 8.75, 360, 786.7, 1000, 0.5, 75};
            change(in);
            const SpreadTable t = BuildSpreadTable(in);
            return words(
                {moneys({t.rows.front(), t.rows.back(), t.columns.front(), t.columns.back()}),
                 QStringLiteral("|"), fixed(t.cells[6][0], decimals),
                 fixed(t.cells[0][10], decimals), fixed(t.calculated, decimals),
                 QStringLiteral("|"), moneys({t.totalPaid, t.interestPaid})});
        };
    };
    const auto start = [](SpreadInputs &) {};
    addText("payments: loans by rates",
            "95000.00 105000.00 7.25 10.25 | 851.30 716.29 786.70 | 283212.15 183212.15",
            table(M::Payment, 2, start));
    addText("loans: payments by rates",
            "411.70 1161.70 7.25 10.25 | 45943.47 170293.23 99999.95 | 283212.00 183212.05",
            table(M::LoanAmount, 2, start));
    // The rates to the sixth decimal: 12.470218, 4.969389 and 8.749994 by bisection.
    addText("rates: loans by payments",
            "95000.00 105000.00 561.70 1011.70 | 12.470218 4.969389 8.749994 | 283212.00 183212.00",
            table(M::Rate, 6, start));
    // Payments of $186.70 never repay $105,000: that neighbour holds 0; the borrower's own
    // payments must repay the loan.
    addText("rates: a payment that never repays",
            "95000.00 105000.00 186.70 1386.70 | 17.418 "
            "0.000 8.750 | 283212.00 183212.00",
            table(M::Rate, 3, [](auto &in) { in.paymentStep = 200; }));
    addText("rates: own payments never repay", "InvalidOp",
            table(M::Rate, 3, [](auto &in) { in.payment = 250; }));
    addText("terms: loans by payments",
            "95000.00 105000.00 561.70 1011.70 | 158.8698 0.0000 360.0009 | 283212.71 183212.71",
            table(M::Term, 4, start));
    // A payment below a month's interest: term 0, nothing paid, "interest" minus the loan.
    addText("never repays: term 0, interest minus the loan", "0.00 -100000.00", [] {
        const SpreadTable t = BuildSpreadTable({M::Term, 1e5, 8.75, 360, 700, 1000, 0.5, 75});
        return moneys({t.calculated, t.interestPaid});
    });
    // A rate of exactly 0 uses the zero-rate branches: L / n and n A.
    addText("zero rate payment and loan", "277.78 283212.00", [=] {
        SpreadInputs in{M::Payment, 100000, 1.5, 360, 786.7, 1000, 0.5, 75};
        const double payment = BuildSpreadTable(in).cells[0][5];
        in.mode = M::LoanAmount;
        return moneys({payment, BuildSpreadTable(in).cells[0][5]});
    });
    // A payment column of exactly 0 (150 - 3 x 50) is a division by zero; overflows raise.
    addText("terms with a zero payment column", "ZeroDivide", table(M::Term, 2, [](auto &in) {
                in.payment = 150;
                in.paymentStep = 50;
            }));
    addText("huge loan overflows the total", "Overflow",
            table(M::Payment, 2, [](auto &in) { in.loan = 1.7e308; }));
    addText("very long term overflows the loan amounts", "Overflow",
            table(M::LoanAmount, 2, [](auto &in) { in.term = 2000000000; }));
    addText("axis beyond the largest double", "Overflow", table(M::Rate, 2, [](auto &in) {
                in.loan = 1e308;
                in.loanStep = 1e308;
            }));

    // Taxes paid (7 x 580 / 12), transfer tax, costs and net gain.
    const auto proceeds = [](auto change) -> Text {
        return [=] {
            SellerInputs in{100000, 0, 0, 0, 7, 580, 2, 1000, 5000, 0, 750};
            change(in);
            const SellerProceeds p = CalcSellerProceeds(in);
            return moneys({p.propertyTaxesPaid, p.transferTax, p.costs, p.netGain});
        };
    };
    addText("proceeds", "338.33 2000.00 9088.33 90911.67", proceeds([](auto &) {}));
    addText("January: one twelfth", "48.33 2000.00 8798.33 91201.67",
            proceeds([](auto &in) { in.closingMonth = 1; }));
    // 90000 + 15000 + 5000 of loans and 250 more commission: 110000 + 9338.33 of costs.
    addText("loans above the price", "338.33 2000.00 119338.33 -19338.33", proceeds([](auto &in) {
                in.firstLoanBalance = 90000;
                in.secondLoanBalance = 15000;
                in.otherLoans = 5000;
                in.otherSalesCommission = 250;
            }));
    addText("overflowing costs", "Overflow", proceeds([](auto &in) {
                in.firstLoanBalance = 1.7e308;
                in.secondLoanBalance = 1.7e308;
            }));
}

QTEST_GUILESS_MAIN(TestLoanSpread)
#include "tst_loanspread.moc"
