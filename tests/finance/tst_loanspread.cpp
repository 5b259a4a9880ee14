// The loan spread table and the home seller's proceeds, headless.

#include "finance/LoanSpread.h"
#include "finance/SellerProceeds.h"
#include "tests/finance/FinanceTestUtil.h"
#include "tests/support/TestSupport.h"

#include <cmath>

using namespace clvn;
using namespace clvn::test;

namespace {

// The page's start figures: loan 100000, 8.75 %, 360 months, payment 786.70,
// increments $1000, 1/2 % and $75.
SpreadInputs start(SpreadMode mode)
{
    SpreadInputs in;
    in.mode = mode;
    in.loan = 100000;
    in.ratePercent = 8.75;
    in.term = 360;
    in.payment = 786.7;
    in.loanStep = 1000;
    in.rateStep = 0.5;
    in.paymentStep = 75;
    return in;
}

Formula cell(SpreadInputs in, int column, int row)
{
    return [in, column, row] {
        return BuildSpreadTable(in).cells[std::size_t(column)][std::size_t(row)];
    };
}

template <class Change> SpreadInputs with(SpreadMode mode, Change change)
{
    SpreadInputs in = start(mode);
    change(in);
    return in;
}

} // namespace

class TestLoanSpread : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { pinLocale(); }
    void table_data();
    void table() { checkRow(); }
    void axes_data();
    void axes();
    void rateCornersAgainstBisection_data();
    void rateCornersAgainstBisection();
    void proceeds_data();
    void proceeds() { checkRow(); }
};

void TestLoanSpread::table_data()
{
    addColumns();
    using M = SpreadMode;
    // Corners and centres: 40-digit mpmath evaluation of the closed forms,
    // payment L i / (1 - (1 + i)^-n), loan A (1 - (1 + r)^-n) / r and term
    // -ln(1 - r L / A) / ln(1 + r), at the start figures.
    addRow("payments top left 95000 at 7.25", "648.07", cell(start(M::Payment), 0, 0));
    addRow("payments top right 95000 at 10.25", "851.30", cell(start(M::Payment), 6, 0));
    addRow("payments bottom left 105000 at 7.25", "716.29", cell(start(M::Payment), 0, 10));
    addRow("payments bottom right 105000 at 10.25", "940.91", cell(start(M::Payment), 6, 10));
    addRow("payments centre", "786.70",
           [] { return BuildSpreadTable(start(M::Payment)).calculated; });
    addRow("payments total", "283212.15",
           [] { return BuildSpreadTable(start(M::Payment)).totalPaid; });
    addRow("payments interest", "183212.15",
           [] { return BuildSpreadTable(start(M::Payment)).interestPaid; });
    addRow("loans top left 411.70 at 7.25", "60350.97", cell(start(M::LoanAmount), 0, 0));
    addRow("loans top right 411.70 at 10.25", "45943.47", cell(start(M::LoanAmount), 6, 0));
    addRow("loans bottom left 1161.70 at 7.25", "170293.23", cell(start(M::LoanAmount), 0, 10));
    addRow("loans bottom right 1161.70 at 10.25", "129639.36", cell(start(M::LoanAmount), 6, 10));
    addRow("loans centre", "99999.95",
           [] { return BuildSpreadTable(start(M::LoanAmount)).calculated; });
    addRow("loans total is n P", "283212.00",
           [] { return BuildSpreadTable(start(M::LoanAmount)).totalPaid; });
    addRow("loans interest is total less the loan found", "183212.05",
           [] { return BuildSpreadTable(start(M::LoanAmount)).interestPaid; });
    // The rate iteration stops after 7 updates, a little above 8.75.
    addRow("rates centre", "8.7502", [] { return BuildSpreadTable(start(M::Rate)).calculated; });
    addRow("rates total is n P", "283212.00",
           [] { return BuildSpreadTable(start(M::Rate)).totalPaid; });
    addRow("terms top left never repays", "0.0000", cell(start(M::Term), 0, 0));
    addRow("terms top right 95000 at 1011.70", "158.8698", cell(start(M::Term), 6, 0));
    addRow("terms bottom left never repays", "0.0000", cell(start(M::Term), 0, 10));
    addRow("terms bottom right 105000 at 1011.70", "194.5919", cell(start(M::Term), 6, 10));
    addRow("terms centre", "360.0009", [] { return BuildSpreadTable(start(M::Term)).calculated; });
    addRow("terms total is term times P", "283212.71",
           [] { return BuildSpreadTable(start(M::Term)).totalPaid; });
    // A payment below a month's interest: term 0, nothing paid, "interest" minus the loan.
    const SpreadInputs low = with(M::Term, [](SpreadInputs &in) { in.payment = 700; });
    addRow("never repays: term 0", "0.00", [low] { return BuildSpreadTable(low).calculated; });
    addRow("never repays: interest is minus the loan", "-100000.00",
           [low] { return BuildSpreadTable(low).interestPaid; });
    // A payment column of exactly 0 (150 - 3 x 50) is a division by zero.
    addRow("terms with a zero payment column", "ZeroDivide", [] {
        return BuildSpreadTable(with(M::Term,
                                     [](SpreadInputs &in) {
                                         in.payment = 150;
                                         in.paymentStep = 50;
                                     }))
            .calculated;
    });
    // Overflows raise instead of handing on inf or nan.
    addRow("huge loan overflows the total", "Overflow", [] {
        return BuildSpreadTable(with(M::Payment, [](SpreadInputs &in) { in.loan = 1.7e308; }))
            .totalPaid;
    });
    addRow("very long term overflows the loan amounts", "Overflow", [] {
        return BuildSpreadTable(with(M::LoanAmount, [](SpreadInputs &in) { in.term = 2000000000; }))
            .calculated;
    });
    addRow("axis beyond the largest double", "Overflow", [] {
        return BuildSpreadTable(with(M::Rate,
                                     [](SpreadInputs &in) {
                                         in.loan = 1e308;
                                         in.loanStep = 1e308;
                                     }))
            .calculated;
    });
    // A rate of exactly 0 uses the zero-rate branches: L / n and n A.
    addRow("zero rate payment", "277.78", [] {
        return BuildSpreadTable(with(M::Payment, [](SpreadInputs &in) { in.ratePercent = 1.5; }))
            .cells[0][5];
    });
    addRow("zero rate loan", "283212.00", [] {
        return BuildSpreadTable(with(M::LoanAmount, [](SpreadInputs &in) { in.ratePercent = 1.5; }))
            .cells[0][5];
    });
}

// Rows step by the row increment around the centre, columns by the column one.
void TestLoanSpread::axes_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<double>("firstRow");
    QTest::addColumn<double>("lastRow");
    QTest::addColumn<double>("firstColumn");
    QTest::addColumn<double>("lastColumn");
    QTest::newRow("payments: loans by rates") << 0 << 95000.0 << 105000.0 << 7.25 << 10.25;
    QTest::newRow("loans: payments by rates") << 1 << 411.7 << 1161.7 << 7.25 << 10.25;
    QTest::newRow("rates: loans by payments") << 2 << 95000.0 << 105000.0 << 561.7 << 1011.7;
    QTest::newRow("terms: loans by payments") << 3 << 95000.0 << 105000.0 << 561.7 << 1011.7;
}

void TestLoanSpread::axes()
{
    QFETCH(int, mode);
    QFETCH(double, firstRow);
    QFETCH(double, lastRow);
    QFETCH(double, firstColumn);
    QFETCH(double, lastColumn);
    const SpreadTable t = BuildSpreadTable(start(SpreadMode(mode)));
    QCOMPARE(cents(t.rows.front()), cents(firstRow));
    QCOMPARE(cents(t.rows.back()), cents(lastRow));
    QCOMPARE(cents(t.columns.front()), cents(firstColumn));
    QCOMPARE(cents(t.columns.back()), cents(lastColumn));
    // The centre cell is the borrower's own figure.
    QCOMPARE(t.cells[3][5], t.calculated);
}

// The rate corners against a bisection on the payment formula (mpmath,
// 40 digits). The iteration stops when an update moves the monthly rate by
// less than 0.000001, so it may stand up to 0.0012 points a year off.
void TestLoanSpread::rateCornersAgainstBisection_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::addColumn<double>("rate");
    QTest::newRow("95000 at 561.70") << 0 << 0 << 5.870702907;
    QTest::newRow("95000 at 1011.70") << 6 << 0 << 12.47021847;
    QTest::newRow("105000 at 561.70") << 0 << 10 << 4.969389212;
    QTest::newRow("105000 at 1011.70") << 6 << 10 << 11.14800606;
}

void TestLoanSpread::rateCornersAgainstBisection()
{
    QFETCH(int, column);
    QFETCH(int, row);
    QFETCH(double, rate);
    static constexpr double kIterationTolerance = 0.0012; // absolute, percentage points
    const double got =
        BuildSpreadTable(start(SpreadMode::Rate)).cells[std::size_t(column)][std::size_t(row)];
    QVERIFY2(std::fabs(got - rate) <= kIterationTolerance,
             qPrintable(QString::number(got, 'f', 6)));
}

void TestLoanSpread::proceeds_data()
{
    addColumns();
    const auto startInputs = [] {
        SellerInputs in;
        in.salePrice = 100000;
        in.closingMonth = 7;
        in.annualPropertyTaxes = 580;
        in.transferTaxPercent = 2;
        in.prepaymentPenalty = 1000;
        in.salesCommission = 5000;
        in.otherFees = 750;
        return in;
    };
    // Worked by hand: 7 x 580 / 12 = 338.33; 2 % of 100000; 1000 + 5750 + 2338.33.
    addRow("July taxes", "338.33",
           [=] { return CalcSellerProceeds(startInputs()).propertyTaxesPaid; });
    addRow("transfer tax", "2000.00",
           [=] { return CalcSellerProceeds(startInputs()).transferTax; });
    addRow("costs", "9088.33", [=] { return CalcSellerProceeds(startInputs()).costs; });
    addRow("net gain", "90911.67", [=] { return CalcSellerProceeds(startInputs()).netGain; });
    addRow("reset: no penalty", "91911.67", [=] {
        SellerInputs in = startInputs();
        in.prepaymentPenalty = 0;
        return CalcSellerProceeds(in).netGain;
    });
    addRow("December: the whole year", "580.00", [=] {
        SellerInputs in = startInputs();
        in.closingMonth = 12;
        return CalcSellerProceeds(in).propertyTaxesPaid;
    });
    addRow("January: one twelfth", "48.33", [=] {
        SellerInputs in = startInputs();
        in.closingMonth = 1;
        return CalcSellerProceeds(in).propertyTaxesPaid;
    });
    addRow("no month: no taxes", "0.00", [=] {
        SellerInputs in = startInputs();
        in.closingMonth = 0;
        return CalcSellerProceeds(in).propertyTaxesPaid;
    });
    // 90000 + 15000 + 5000 of loans: 110000 + 9088.33 of costs.
    addRow("loans above the price", "-19088.33", [=] {
        SellerInputs in = startInputs();
        in.firstLoanBalance = 90000;
        in.secondLoanBalance = 15000;
        in.otherLoans = 5000;
        return CalcSellerProceeds(in).netGain;
    });
    addRow("percent 1.25 of 200000", "2500.00", [=] {
        SellerInputs in = startInputs();
        in.salePrice = 200000;
        in.transferTaxPercent = 1.25;
        return CalcSellerProceeds(in).transferTax;
    });
    addRow("overflowing costs", "Overflow", [=] {
        SellerInputs in = startInputs();
        in.firstLoanBalance = 1.7e308;
        in.secondLoanBalance = 1.7e308;
        return CalcSellerProceeds(in).costs;
    });
}

QTEST_GUILESS_MAIN(TestLoanSpread)
#include "tst_loanspread.moc"
