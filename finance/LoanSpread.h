#pragma once

// The loan spread table: one quantity (payment, loan amount, interest rate or
// term) over eleven values of one input (the rows) and seven of another (the
// columns), each stepped by an increment around the borrower's own figures.
// The centre (row index 5, column index 3) is the borrower's own loan.

#include <array>
#include <cstdint>

namespace clvn {

// What the table holds; the number is the page's mode index.
enum class SpreadMode : int
{
    Payment = 0,    // rows loan, columns rate: monthly payments
    LoanAmount = 1, // rows payment, columns rate: loan amounts
    Rate = 2,       // rows loan, columns payment: annual rates in percent (0: never repaid)
    Term = 3        // rows loan, columns payment: terms in months (unrounded)
};

inline constexpr int SpreadRowCount = 11;   // row values c - 5 step ... c + 5 step
inline constexpr int SpreadColumnCount = 7; // column values c - 3 step ... c + 3 step

// Inputs; a mode reads only the three figures it needs and the steps of its
// two axes (Payment: loan, rate, term; LoanAmount: rate, term, payment;
// Rate: loan, term, payment; Term: loan, rate, payment).
struct SpreadInputs
{
    SpreadMode mode = SpreadMode::Payment;
    double loan = 0;        // L, currency units
    double ratePercent = 0; // R, ANNUAL PERCENT (8.75 means 8.75 % a year)
    std::int32_t term = 0;  // n, months
    double payment = 0;     // P, monthly principal and interest
    double loanStep = 0;    // currency units between loan rows
    double rateStep = 0;    // percentage points between rate columns
    double paymentStep = 0; // currency units between payment rows or columns
};

struct SpreadTable
{
    std::array<double, SpreadRowCount> rows{};       // row axis values, top to bottom
    std::array<double, SpreadColumnCount> columns{}; // column axis values, left to right
    // cells[column][row], unrounded: a payment, a loan amount, a rate in
    // percent or a term in months by the mode.
    std::array<std::array<double, SpreadRowCount>, SpreadColumnCount> cells{};
    double calculated = 0;   // the centre figure: the page's calculated field
    double totalPaid = 0;    // every payment of the borrower's own loan, unrounded
    double interestPaid = 0; // totalPaid less the loan, unrounded
};

// Builds the whole table. Throws FloatError when any axis value, cell or
// total is not a usable number (a division by zero such as a payment column
// of exactly 0 in the term table, an overflow of a huge loan or term); the
// caller then has nothing to show, never a partial table.
SpreadTable BuildSpreadTable(const SpreadInputs &in);

} // namespace clvn
