#include "finance/MortLib.h"

#include "finance/Cents.h"
#include "finance/Errors.h"
#include "finance/FpeDetail.h"
#include "finance/Rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

namespace clvn {

using detail::lnPositive;

namespace {

// Newton's method on the rate stops when the present value of the payments
// matches the loan to within the rounding of that sum (relative to the loan),
// or when the bracket cannot narrow; a loan needs about five steps.
constexpr double kRateResidual = 4 * std::numeric_limits<double>::epsilon();
constexpr int kMaxRateSteps = 200;

// Unchecked cents rounding for the schedule loop; the loop checks the flags
// once at its end.
inline double roundCentsRaw(double x)
{
    return std::trunc(x * 100 + 0.5) / 100;
}

double paymentFormula(std::int32_t n, double i, double L, const char *where)
{
    FpeScope scope;
    if (i == 0)
        return scope.check(L / n, where);
    // The discount factor (1 + i)^-n is held as a double before use.
    const double F = std::exp(-static_cast<double>(n) * lnPositive(1 + i, where));
    return scope.check(L * i / (1 - F), where);
}

// Fills `rows` (their ExtraPrincipal already set) from the loan figures and
// returns the regular payment in cents. Throws before the caller commits.
double computeSchedule(std::int32_t n, double principal, double rate, std::int32_t periodsPerYear,
                       std::vector<TPayment> &rows)
{
    static constexpr const char *kWhere = "TMortgage::Calculate";
    double paymentValue = 0;
    {
        FpeScope scope;
        const double i = scope.check(rate / periodsPerYear, kWhere);
        paymentValue = scope.check(roundCentsRaw(SchedulePayment(n, i, principal)), kWhere);
    }
    const std::int64_t payment = ToCents(paymentValue, kWhere);
    const ExactRate exactRate = ToExactRate(rate, kWhere);

    std::int64_t balance = ToCents(principal, kWhere);
    std::int64_t principalToDate = 0;
    std::int64_t interestToDate = 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        TPayment &row = rows[k];
        row.Number = static_cast<std::int32_t>(k + 1);
        std::int64_t paid = 0;
        std::int64_t interest = 0;
        if (balance != 0) {
            interest = PeriodInterestCents(balance, exactRate, periodsPerYear, kWhere);
            const std::int64_t t = AddCents(SubtractCents(payment, interest, kWhere),
                                            ToCents(row.ExtraPrincipal, kWhere), kWhere);
            // The paying-off row repays only what is left.
            paid = t <= balance ? t : balance;
            balance = SubtractCents(balance, paid, kWhere);
        }
        // Already repaid: the row keeps only its extra amount.
        principalToDate = AddCents(principalToDate, paid, kWhere);
        interestToDate = AddCents(interestToDate, interest, kWhere);
        row.Principal = FromCents(paid);
        row.Interest = FromCents(interest);
        row.Balance = FromCents(balance);
        row.PrincipalToDate = FromCents(principalToDate);
        row.InterestToDate = FromCents(interestToDate);
    }
    return FromCents(payment);
}

void requireFinite(double a, const char *where)
{
    // An infinite or NaN extra amount would silently "repay" the loan.
    if (!std::isfinite(a))
        throw FloatError(FloatError::Kind::InvalidOp, where);
}

void appendPadded(std::string &out, std::string_view text, std::size_t width)
{
    if (text.size() < width)
        out.append(width - text.size(), ' ');
    out.append(text);
}

std::string fixedField(double v, std::size_t width)
{
    // to_chars is independent of the C locale, so "." stays the point.
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, v + 0.0, std::chars_format::fixed, 2);
    std::string out;
    appendPadded(out, std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)), width);
    return out;
}

} // namespace

double CalcPayment(std::int32_t n, double i, double L)
{
    if (n == 0)
        return 0;
    return paymentFormula(n, i, L, "CalcPayment");
}

double SchedulePayment(std::int32_t n, double i, double L)
{
    return paymentFormula(n, i, L, "SchedulePayment");
}

double CalcLoanAmount(std::int32_t n, double A, double R, double B)
{
    static constexpr const char *kWhere = "CalcLoanAmount";
    FpeScope scope;
    const double dn = n;
    if (R == 0)
        return scope.check(dn * A, kWhere);
    const double r = R / 1200;
    const double q = 1 + r;
    const double lnq = lnPositive(q, kWhere);
    const double F = std::exp(-dn * lnq);
    const double G = std::exp(dn * lnq);
    fpe::raiseIfFlagged(kWhere); // an overflow of G must not turn into 0 * inf below
    const double T = -A * G + (B * r + A);
    return scope.check(-(F * T) / r, kWhere);
}

double CalcNumPayments(double L, double A, double R)
{
    static constexpr const char *kWhere = "CalcNumPayments";
    FpeScope scope;
    const double r = R / 1200;
    if (r == 0)
        return scope.check(L / A, kWhere);
    const double t = 1 - r * L / A;
    fpe::raiseIfFlagged(kWhere); // A = 0 is a division by zero, not "impossible"
    if (!(t > 0))
        return 0; // the payment never repays the loan
    const double years = lnPositive(t, kWhere) / (-12 * lnPositive(1 + r, kWhere));
    return scope.check(12 * years, kWhere);
}

RateSolution SolveInterestRate(std::int32_t n, double A, double D, double V)
{
    static constexpr const char *kWhere = "CalcInterestRate";
    FpeScope scope;
    const double L = scope.check((1 - D) * V, kWhere);
    scope.check(A, kWhere);
    if (n == 0 || L == 0)
        return {};
    const double total = scope.check(n * A, kWhere);
    // n level payments repay exactly the loan only at 0 %; less never repays it.
    if (n > 0 && L > 0 && total == L)
        return {};
    if (n < 0 || !(L > 0) || !(total > L))
        throw FloatError(FloatError::Kind::InvalidOp,
                         std::string(kWhere) + " (" + std::to_string(n) +
                             " payments do not repay the loan at any positive rate)");

    const double dn = n;
    // Present value of the payments at periodic rate i, less the loan; it
    // falls as i rises. log1p and expm1 keep low rates exact.
    const auto excess = [&](double i) { return -std::expm1(-dn * std::log1p(i)) * A / i - L; };
    const auto slope = [&](double i) {
        const double a = -std::expm1(-dn * std::log1p(i));
        const double da = dn * std::exp(-(dn + 1) * std::log1p(i));
        return A * (da * i - a) / (i * i);
    };

    // The root lies in (0, A / L): at 0 the payments are worth n * A > L, and
    // at A / L each is worth less than its share of the loan.
    double low = 0;
    double high = scope.check(A / L, kWhere);
    // Start from the simple-interest estimate, which is close at every rate
    // a loan is offered at; Newton then doubles the correct digits a step.
    double i = std::min(2 * (total - L) / ((dn + 1) * L), high / 2);
    if (!(i > low && i < high))
        i = high / 2;
    int steps = 0;
    while (steps < kMaxRateSteps) {
        ++steps;
        const double g = excess(i);
        if (g == 0)
            break;
        (g > 0 ? low : high) = i;
        if (std::fabs(g) <= kRateResidual * L)
            break;
        const double d = slope(i);
        double next = low + (high - low) / 2;
        // A Newton step is taken only when it stays inside the bracket
        // (which also keeps g / d from overflowing); otherwise bisect.
        if (d < 0 && std::fabs(g) < -d * (high - low)) {
            const double newton = i - g / d;
            if (newton > low && newton < high)
                next = newton;
        }
        if (next == i || !(next > low && next < high))
            break; // the bracket is as narrow as doubles allow
        i = next;
    }
    return {scope.check(i * 1200, kWhere), steps};
}

double CalcInterestRate(std::int32_t n, double A, double D, double V)
{
    return SolveInterestRate(n, A, D, V).rate;
}

double RoundCents(double x)
{
    FpeScope scope;
    return scope.check(roundCentsRaw(scope.check(x, "RoundCents")), "RoundCents");
}

double RoundHalfEven(double x, int decimals)
{
    static constexpr const char *kWhere = "RoundHalfEven";
    FpeScope scope;
    scope.check(x, kWhere);
    if (x == 0)
        return x;
    // No limit of significant digits: only the decimals count.
    DecimalDigits d = ShortestDecimal(x);
    RoundDigits(d, std::numeric_limits<int>::max(), decimals, RoundMode::HalfEven);
    const double value = ToDouble(d);
    if (!std::isfinite(value))
        throw FloatError(FloatError::Kind::Overflow, kWhere);
    return value;
}

std::array<std::string, 7> TPayment::GetStrings() const
{
    char buf[16];
    const auto res = std::to_chars(buf, buf + sizeof buf, Number);
    std::array<std::string, 7> out;
    appendPadded(out[0], std::string_view(buf, static_cast<std::size_t>(res.ptr - buf)), 5);
    out[1] = fixedField(Principal, 12);
    out[2] = fixedField(Interest, 12);
    out[3] = fixedField(PrincipalToDate, 12);
    out[4] = fixedField(InterestToDate, 12);
    out[5] = fixedField(ExtraPrincipal, 12);
    out[6] = fixedField(Balance, 12);
    return out;
}

void TMortgage::Create(std::int32_t numPayments, double principal, double rate,
                       std::int32_t periodsPerYear)
{
    // Refuse an absurd term before taking memory for it.
    if (numPayments < 0 || numPayments > MaxPayments)
        throw FloatError(FloatError::Kind::InvalidOp,
                         "TMortgage::Create (a term of " + std::to_string(numPayments) +
                             " payments is outside 0.." + std::to_string(MaxPayments) + ")");
    std::vector<TPayment> rows(static_cast<std::size_t>(numPayments));
    const double payment = computeSchedule(numPayments, principal, rate, periodsPerYear, rows);
    m_numPayments = numPayments;
    m_principal = principal;
    m_rate = rate;
    m_periodsPerYear = periodsPerYear;
    m_payment = payment;
    m_payments = std::move(rows);
}

void TMortgage::Calculate()
{
    // Never created (a failed Create leaves no empty schedule behind): nothing to compute.
    if (m_numPayments == 0 && m_payments.empty())
        return;
    std::vector<TPayment> rows = m_payments;
    m_payment = computeSchedule(m_numPayments, m_principal, m_rate, m_periodsPerYear, rows);
    m_payments = std::move(rows);
}

bool TMortgage::SetExtraPayment(std::int32_t p, double a)
{
    if (p < 1 || p > m_numPayments)
        return false;
    requireFinite(a, "TMortgage::SetExtraPayment");
    std::vector<TPayment> rows = m_payments;
    rows[static_cast<std::size_t>(p - 1)].ExtraPrincipal = a;
    m_payment = computeSchedule(m_numPayments, m_principal, m_rate, m_periodsPerYear, rows);
    m_payments = std::move(rows);
    return true;
}

bool TMortgage::SetExtraPaymentRange(std::int32_t first, std::int32_t last, double a)
{
    // Row `first` is always set, so a range with last < first is that row alone.
    // Any number outside the schedule refuses the whole range: setting the
    // rows before it would list extras whose balances were never recalculated.
    if (first < 1 || first > m_numPayments || last > m_numPayments)
        return false;
    requireFinite(a, "TMortgage::SetExtraPaymentRange");
    std::vector<TPayment> rows = m_payments;
    for (std::int32_t j = first; j <= std::max(first, last); ++j)
        rows[static_cast<std::size_t>(j - 1)].ExtraPrincipal = a;
    m_payment = computeSchedule(m_numPayments, m_principal, m_rate, m_periodsPerYear, rows);
    m_payments = std::move(rows);
    cleanUp(a);
    return true;
}

void TMortgage::SetExtraPaymentsFrom(std::int32_t first, double a)
{
    if (first < 1 || first > m_numPayments)
        throw IndexError(first, m_numPayments);
    requireFinite(a, "TMortgage::SetExtraPaymentsFrom");
    std::vector<TPayment> rows = m_payments;
    for (std::size_t j = static_cast<std::size_t>(first - 1); j < rows.size(); ++j)
        rows[j].ExtraPrincipal = a;
    m_payment = computeSchedule(m_numPayments, m_principal, m_rate, m_periodsPerYear, rows);
    m_payments = std::move(rows);
    cleanUp(a);
}

void TMortgage::ClearExtraPayments()
{
    if (m_numPayments == 0 && m_payments.empty())
        return;
    std::vector<TPayment> rows = m_payments;
    for (TPayment &row : rows)
        row.ExtraPrincipal = 0;
    m_payment = computeSchedule(m_numPayments, m_principal, m_rate, m_periodsPerYear, rows);
    m_payments = std::move(rows);
}

void TMortgage::cleanUp(double a)
{
    // Extra amounts on rows that are repaid, or whose balance is below the
    // amount, are dropped; the figures are not recomputed until the next
    // Calculate, so the rows still show the effect of the cleared amounts.
    for (TPayment &row : m_payments)
        if (row.Balance <= 0 || row.Balance < a)
            row.ExtraPrincipal = 0;
}

} // namespace clvn
