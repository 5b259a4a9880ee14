#pragma once

// An adjustable-rate loan: its schedules on several index paths, with the
// figures of a Loan Estimate (12 CFR 1026.37): the adjustable interest rate
// table, the principal-and-interest row of the projected payments, the loan
// terms lines, the APR on the composite path of the commentary to
// 1026.17(c)(1), and a comparison with a fixed-rate loan.
//
// Amounts going in are currency; amounts coming out are EXACT CENTS
// (std::int64_t). Rates and caps are ANNUAL PERCENT (or percentage points);
// terms and periods are MONTHS; payment numbers are 1-based.

#include "finance/Errors.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace clvn {

// The input a refusal names.
enum class ArmField
{
    Loan,
    Term,
    InitialRate,
    FixedMonths,
    AdjustMonths,
    Index,
    Margin,
    FirstCap,
    PeriodicCap,
    LifetimeCap,
    Floor,
    InterestOnly,
    Prepaid,
    OwnPath,
    FixedRate,
    FixedPrepaid
};

// A figure CalcArm refuses: a FloatError (InvalidOp) that also says which
// input it concerns and why, so a page can point at the field.
class ArmInputError : public FloatError
{
public:
    ArmInputError(ArmField field, const std::string &reason);
    ArmField field() const noexcept { return m_field; }
    // "loan amount must be more than 0"
    const std::string &reason() const noexcept { return m_reason; }

private:
    ArmField m_field;
    std::string m_reason;
};

enum class ArmRounding
{
    None,
    NearestEighth, // index + margin to the nearest 1/8 point, a tie up
    UpToEighth     // index + margin up to the next 1/8 point
};

struct ArmInputs
{
    double loan = 0;
    std::int32_t term = 0;         // months
    double initialRate = 0;        // percent
    std::int32_t fixedMonths = 0;  // months at the initial rate
    std::int32_t adjustMonths = 0; // months between later changes
    double index = 0;              // percent, at closing
    double margin = 0;             // points
    ArmRounding rounding = ArmRounding::None;
    double firstCap = 0;                 // points, first change
    double periodicCap = 0;              // points, each later change
    std::optional<double> lifetimeCap;   // points above the initial rate; required
    std::optional<double> floor;         // percent; none means the margin
    std::int32_t interestOnlyMonths = 0; // payments of interest only
    double prepaid = 0;                  // prepaid finance charges
    std::vector<double> ownPath;         // index at the successive changes; the last holds
    std::optional<double> fixedRate;     // percent; none means no comparison
    double fixedPrepaid = 0;
};

enum class ArmPathKind
{
    IndexUnchanged,
    WorstCase,
    BestCase,
    OwnPath
};

struct ArmRow
{
    std::int32_t number = 0;
    double rate = 0;           // percent
    std::int64_t payment = 0;  // cents; the last row clears the balance
    std::int64_t interest = 0; // cents, half up on the exact balance
    std::int64_t principal = 0;
    std::int64_t balance = 0; // after this payment
};

struct ArmPath
{
    ArmPathKind kind = ArmPathKind::IndexUnchanged;
    std::vector<ArmRow> rows;
    std::int64_t totalInterest = 0;
    std::int64_t totalPayments = 0;
    // The highest payment in force (the final payment's clearing adjustment
    // aside), the first payment at that figure, and the highest rate with
    // the first payment at it.
    std::int64_t highestPayment = 0;
    std::int32_t highestAt = 0;
    double highestRate = 0;
    std::int32_t highestRateAt = 0;
    // The first payment after which closing costs plus interest so far
    // exceed the fixed loan's; 0 when never, or with no fixed loan.
    std::int32_t breakEven = 0;
};

// One column of the projected payments' principal-and-interest row.
struct ArmProjectedColumn
{
    std::int32_t firstYear = 0;
    std::int32_t lastYear = 0;
    std::int64_t minimum = 0; // cents
    std::int64_t maximum = 0;
    std::string heading; // "Years 1-5", "Year 6"
    std::string text;    // "$2,431.53", or "$2,147 min / $2,986 max"
};

struct ArmTableRow
{
    std::string label;
    std::string value; // empty on a heading row
};

struct ArmResults
{
    double fullyIndexed = 0; // percent, index + margin rounded
    double lifetimeMaximum = 0;
    double floor = 0;
    std::int64_t firstPayment = 0;
    std::int64_t paymentAfterChange = 0; // index unchanged, from the first change
    std::int64_t highestPayment = 0;     // worst case
    std::int32_t highestAt = 0;
    double highestRate = 0;
    std::int64_t balanceAtChange = 0; // just before the first change
    double apr = 0;                   // percent, the index-unchanged path
    std::int64_t financeCharge = 0;
    std::int64_t amountFinanced = 0;
    double totalInterestPercent = 0; // TIP, percent of the loan
    std::int64_t fiveYearTotal = 0;  // payments and prepaid charges in 60 months
    std::int64_t fiveYearPrincipal = 0;
    // IndexUnchanged, WorstCase, BestCase, then OwnPath when one was given.
    std::vector<ArmPath> paths;
    std::vector<ArmTableRow> rateTable;
    std::vector<ArmProjectedColumn> projected; // at most four
    std::string rateTermsLine;                 // can the interest rate increase
    std::string paymentTermsLine;              // can the principal and interest increase
    // The fixed loan, when one was given.
    bool hasFixed = false;
    std::int64_t fixedPayment = 0;
    std::vector<ArmRow> fixedRows;
    std::int64_t monthlyDifference = 0; // fixed payment less the ARM's first payment
};

// Every path, table and comparison of the loan. Throws ArmInputError
// naming the field, returning nothing, for a loan, term or change
// period of 0 or less, a term over 1200, no months at the initial rate or a
// fixed period not shorter than the term, a negative cap, margin, floor or
// rate, no lifetime cap, an interest-only period longer than the term, a
// prepaid charge leaving no amount financed, or a figure that is not finite.
ArmResults CalcArm(const ArmInputs &in);

// The own index path typed as "3.5; 4; 4.25" with `decimalPoint` as the
// point. Empty text gives no path. Throws ConvertError naming the field for
// a value that does not read as a number.
std::vector<double> ParseArmIndexPath(std::string_view text, char decimalPoint);

// Cents as whole dollars the way a Loan Estimate shows them: "$3,885".
std::string ArmWholeDollars(std::int64_t cents);
// Cents as "$2,431.53".
std::string ArmDollars(std::int64_t cents);
// A rate in percent with the decimals it needs, up to 3: "8.375%", "2%".
std::string ArmPercent(double percent);

} // namespace clvn
