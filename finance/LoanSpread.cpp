#include "finance/LoanSpread.h"

#include "finance/Errors.h"
#include "finance/MortLib.h"

namespace clvn {

namespace {

constexpr const char *kWhere = "BuildSpreadTable";

// The figure of one cell for a row value and a column value.
double cellValue(const SpreadInputs &in, double row, double column)
{
    switch (in.mode) {
    case SpreadMode::Payment:
        return CalcPayment(in.term, column / 1200, row);
    case SpreadMode::LoanAmount:
        return CalcLoanAmount(in.term, row, column, 0);
    case SpreadMode::Rate:
        // Payments that never repay the loan have no rate; as in the term
        // table, such a neighbour of the borrower's own loan holds 0.
        if (in.term > 0 && row > 0 && column > 0 && in.term * column < row)
            return 0;
        return CalcInterestRate(in.term, column, 0, row);
    case SpreadMode::Term:
        return CalcNumPayments(row, column, in.ratePercent);
    }
    throw FloatError(FloatError::Kind::InvalidOp, "BuildSpreadTable: unknown mode");
}

} // namespace

SpreadTable BuildSpreadTable(const SpreadInputs &in)
{
    FpeScope scope;
    double rowCentre = in.loan;
    double rowStep = in.loanStep;
    double columnCentre = in.ratePercent;
    double columnStep = in.rateStep;
    switch (in.mode) {
    case SpreadMode::Payment:
        break;
    case SpreadMode::LoanAmount:
        rowCentre = in.payment;
        rowStep = in.paymentStep;
        break;
    case SpreadMode::Rate:
    case SpreadMode::Term:
        columnCentre = in.payment;
        columnStep = in.paymentStep;
        break;
    }

    SpreadTable t;
    for (int k = 0; k < SpreadRowCount; ++k)
        t.rows[std::size_t(k)] = scope.check(rowCentre + (k - 5) * rowStep, kWhere);
    for (int k = 0; k < SpreadColumnCount; ++k)
        t.columns[std::size_t(k)] = scope.check(columnCentre + (k - 3) * columnStep, kWhere);

    for (std::size_t c = 0; c < t.columns.size(); ++c)
        for (std::size_t r = 0; r < t.rows.size(); ++r)
            t.cells[c][r] = scope.check(cellValue(in, t.rows[r], t.columns[c]), kWhere);

    // The borrower's own figures: the same formula on the same arguments as
    // the centre cell.
    t.calculated = t.cells[3][5];
    // The borrower's own payments must repay the loan: no rate is no result.
    if (in.mode == SpreadMode::Rate)
        t.calculated = CalcInterestRate(in.term, in.payment, 0, in.loan);
    const double n = in.term;
    switch (in.mode) {
    case SpreadMode::Payment:
        t.totalPaid = n * t.calculated;
        t.interestPaid = t.totalPaid - in.loan;
        break;
    case SpreadMode::LoanAmount:
        t.totalPaid = n * in.payment;
        t.interestPaid = t.totalPaid - t.calculated;
        break;
    case SpreadMode::Rate:
        t.totalPaid = n * in.payment;
        t.interestPaid = t.totalPaid - in.loan;
        break;
    case SpreadMode::Term:
        // A payment that never repays the loan gives a term of 0, so nothing
        // is paid and the "interest" is minus the loan.
        t.totalPaid = t.calculated * in.payment;
        t.interestPaid = t.totalPaid - in.loan;
        break;
    }
    scope.check(t.totalPaid, kWhere);
    scope.check(t.interestPaid, kWhere);
    return t;
}

} // namespace clvn
