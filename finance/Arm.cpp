#include "finance/Arm.h"

#include "finance/Cents.h"
#include "finance/Errors.h"
#include "finance/LoanOffers.h"
#include "finance/MortLib.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <functional>
#include <string>

namespace clvn {

namespace {

constexpr const char *kWhere = "CalcArm";

// Rates are held as ExactRate units, billionths of a percent, so caps, margins
// and the eighth-point rounding add and compare exactly.
constexpr std::int64_t kUnitsPerPercent = 1'000'000'000;
constexpr std::int64_t kEighthPoint = kUnitsPerPercent / 8;
constexpr double kUnitsPerFraction = 1e11;
constexpr std::int32_t kFiveYears = 60;

[[noreturn]] void refuse(ArmField field, const char *name, const char *why)
{
    throw ArmInputError(field, std::string(name) + " " + why);
}

// Each input's name in a refusal.
const char *fieldName(ArmField f)
{
    static constexpr const char *kNames[] = {"loan amount",
                                             "term",
                                             "initial rate",
                                             "months at the initial rate",
                                             "months between changes",
                                             "index",
                                             "margin",
                                             "first change cap",
                                             "periodic cap",
                                             "lifetime cap",
                                             "floor",
                                             "interest-only months",
                                             "prepaid charges",
                                             "own index path",
                                             "fixed rate",
                                             "fixed prepaid charges"};
    return kNames[static_cast<int>(f)];
}

[[noreturn]] void refuse(ArmField field, const char *why)
{
    refuse(field, fieldName(field), why);
}

double finite(double x, ArmField field)
{
    if (!std::isfinite(x))
        refuse(field, "is not a number");
    return x;
}

double nonNegative(double x, ArmField field)
{
    if (finite(x, field) < 0)
        refuse(field, "is negative");
    return x;
}

std::int64_t units(double percent, ArmField field)
{
    return ToExactRate(finite(percent, field) / 100, fieldName(field)).units;
}

double percentOf(std::int64_t rateUnits)
{
    return static_cast<double>(rateUnits) / kUnitsPerPercent;
}

// a / b rounded toward minus infinity; b > 0.
std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    const std::int64_t q = a / b;
    return a % b < 0 ? q - 1 : q;
}

std::int64_t roundIndexed(std::int64_t r, ArmRounding rounding)
{
    switch (rounding) {
    case ArmRounding::NearestEighth:
        return floorDiv(2 * r + kEighthPoint, 2 * kEighthPoint) * kEighthPoint;
    case ArmRounding::UpToEighth:
        return -floorDiv(-r, kEighthPoint) * kEighthPoint;
    case ArmRounding::None:
        break;
    }
    return r;
}

// The level payment that repays `balance` in `remaining` months, rounded half
// up to the cent exactly as the fixed-rate schedule rounds its payment.
std::int64_t levelPayment(std::int32_t remaining, std::int64_t rateUnits, std::int64_t balance)
{
    double payment = 0;
    {
        FpeScope scope;
        const double i =
            scope.check(static_cast<double>(rateUnits) / kUnitsPerFraction / 12, kWhere);
        const double raw = SchedulePayment(remaining, i, FromCents(balance));
        payment = scope.check(std::trunc(raw * 100 + 0.5) / 100, kWhere);
    }
    return ToCents(payment, kWhere);
}

struct Limits
{
    std::int64_t initial = 0, floor = 0, maximum = 0, firstCap = 0, periodicCap = 0;
    std::int32_t fixedMonths = 0, adjustMonths = 0;
};

// The rate of every month: at each change the target (already within the
// floor and the lifetime maximum) is reached as far as that change's cap
// allows. The cap is applied last, so a rate below the floor climbs to it by
// the caps rather than jumping.
std::vector<std::int64_t> ratePath(std::int32_t term, const Limits &l,
                                   const std::function<std::int64_t(std::size_t)> &target)
{
    std::vector<std::int64_t> rates(static_cast<std::size_t>(term), l.initial);
    std::int64_t rate = l.initial;
    for (std::int32_t m = l.fixedMonths + 1; m <= term; ++m) {
        const std::int32_t since = m - l.fixedMonths - 1;
        if (since % l.adjustMonths == 0) {
            const auto change = static_cast<std::size_t>(since / l.adjustMonths);
            const std::int64_t cap = change == 0 ? l.firstCap : l.periodicCap;
            const std::int64_t wanted = std::min(std::max(target(change), l.floor), l.maximum);
            rate = std::clamp(wanted, rate - cap, rate + cap);
        }
        rates[static_cast<std::size_t>(m - 1)] = rate;
    }
    return rates;
}

// The schedule on a rate path: the payment is recomputed over the remaining
// term only when the rate changes or the interest-only period ends; the last
// payment clears the balance.
std::vector<ArmRow> schedule(std::int64_t loan, const std::vector<std::int64_t> &rates,
                             std::int32_t interestOnly)
{
    const auto term = static_cast<std::int32_t>(rates.size());
    std::vector<ArmRow> rows(rates.size());
    std::int64_t balance = loan;
    std::int64_t payment = 0;
    for (std::int32_t m = 1; m <= term; ++m) {
        const std::int64_t rate = rates[static_cast<std::size_t>(m - 1)];
        const bool changed = m == 1 || rate != rates[static_cast<std::size_t>(m - 2)];
        if (m > interestOnly && (changed || m == interestOnly + 1))
            payment = levelPayment(term - m + 1, rate, balance);
        const std::int64_t interest = PeriodInterestCents(balance, ExactRate{rate}, 12, kWhere);
        std::int64_t principal = m <= interestOnly ? 0 : SubtractCents(payment, interest, kWhere);
        if (m == term || principal > balance)
            principal = balance;
        ArmRow &row = rows[static_cast<std::size_t>(m - 1)];
        row.number = m;
        row.rate = percentOf(rate);
        row.interest = interest;
        row.principal = principal;
        row.payment = AddCents(interest, principal, kWhere);
        balance = SubtractCents(balance, principal, kWhere);
        row.balance = balance;
    }
    return rows;
}

ArmPath summarize(ArmPathKind kind, std::vector<ArmRow> rows)
{
    ArmPath p;
    p.kind = kind;
    p.rows = std::move(rows);
    // The final payment's clearing adjustment is not a payment in force.
    const std::size_t regular = p.rows.size() > 1 ? p.rows.size() - 1 : 1;
    for (std::size_t k = 0; k < p.rows.size(); ++k) {
        const ArmRow &r = p.rows[k];
        p.totalInterest = AddCents(p.totalInterest, r.interest, kWhere);
        p.totalPayments = AddCents(p.totalPayments, r.payment, kWhere);
        if (k < regular && r.payment > p.highestPayment) {
            p.highestPayment = r.payment;
            p.highestAt = r.number;
        }
        if (r.rate > p.highestRate || p.highestRateAt == 0) {
            p.highestRate = r.rate;
            p.highestRateAt = r.number;
        }
    }
    return p;
}

std::int32_t yearOf(std::int32_t payment)
{
    return (payment - 1) / 12 + 1;
}

std::string ordinal(std::int32_t n)
{
    const std::int32_t tens = n % 100, ones = n % 10;
    const char *suffix = tens >= 11 && tens <= 13 ? "th"
                         : ones == 1              ? "st"
                         : ones == 2              ? "nd"
                         : ones == 3              ? "rd"
                                                  : "th";
    return std::to_string(n) + suffix;
}

std::string every(std::int32_t months)
{
    if (months % 12 != 0)
        return months == 1 ? "every month" : "every " + std::to_string(months) + " months";
    const std::int32_t years = months / 12;
    return years == 1 ? "every year" : "every " + std::to_string(years) + " years";
}

std::string grouped(std::int64_t whole)
{
    std::string digits = std::to_string(whole);
    for (auto k = static_cast<std::ptrdiff_t>(digits.size()) - 3; k > 0; k -= 3)
        digits.insert(static_cast<std::size_t>(k), 1, ',');
    return digits;
}

std::vector<ArmTableRow> rateTable(const ArmInputs &in, const Limits &l, const ArmResults &r)
{
    double low = percentOf(l.maximum), high = percentOf(l.initial);
    const auto &best = r.paths[2].rows, &worst = r.paths[1].rows;
    // The minimum and maximum after the introductory period.
    for (std::size_t k = static_cast<std::size_t>(l.fixedMonths); k < best.size(); ++k) {
        low = std::min(low, best[k].rate);
        high = std::max(high, worst[k].rate);
    }
    // Subtracted, not added: the months between changes may be any positive count.
    const bool subsequent = l.adjustMonths < in.term - l.fixedMonths;
    const std::string frequency =
        l.adjustMonths == 1
            ? std::string("Every month after first change")
            : "Every " + std::to_string(l.adjustMonths) + " months after first change";
    return {{"Index + Margin", ArmPercent(in.index) + " + " + ArmPercent(in.margin)},
            {"Initial Interest Rate", ArmPercent(in.initialRate)},
            {"Minimum/Maximum Interest Rate", ArmPercent(low) + "/" + ArmPercent(high)},
            {"Change Frequency", ""},
            {"First Change", "Beginning of " + ordinal(l.fixedMonths + 1) + " month"},
            {"Subsequent Changes", subsequent ? frequency : std::string("None")},
            {"Limits on Interest Rate Changes", ""},
            {"First Change", ArmPercent(in.firstCap)},
            {"Subsequent Changes", ArmPercent(in.periodicCap)}};
}

// A column per year whose range of payments differs from the year before;
// beyond four, the fourth column holds every later year.
std::vector<ArmProjectedColumn> projected(const std::vector<ArmPath> &paths, std::int32_t term)
{
    constexpr std::size_t kColumns = 4;
    // The final payment's clearing adjustment is left out of every range.
    const std::int32_t regular = term > 1 ? term - 1 : 1;
    std::vector<ArmProjectedColumn> years;
    for (std::int32_t m = 1; m <= regular; ++m) {
        const std::int32_t year = yearOf(m);
        if (years.empty() || years.back().lastYear != year) {
            const std::int64_t first = paths.front().rows[static_cast<std::size_t>(m - 1)].payment;
            years.push_back({year, year, first, first, {}, {}});
        }
        for (const ArmPath &p : paths) {
            const std::int64_t pay = p.rows[static_cast<std::size_t>(m - 1)].payment;
            years.back().minimum = std::min(years.back().minimum, pay);
            years.back().maximum = std::max(years.back().maximum, pay);
        }
    }
    std::vector<ArmProjectedColumn> columns;
    for (const ArmProjectedColumn &y : years) {
        ArmProjectedColumn *last = columns.empty() ? nullptr : &columns.back();
        if (last && ((last->minimum == y.minimum && last->maximum == y.maximum) ||
                     columns.size() == kColumns)) {
            last->lastYear = y.lastYear;
            last->minimum = std::min(last->minimum, y.minimum);
            last->maximum = std::max(last->maximum, y.maximum);
        } else {
            columns.push_back(y);
        }
    }
    // A last year holding only the final payment belongs to the last column.
    columns.back().lastYear = yearOf(term);
    for (ArmProjectedColumn &c : columns) {
        c.heading = c.firstYear == c.lastYear
                        ? "Year " + std::to_string(c.firstYear)
                        : "Years " + std::to_string(c.firstYear) + "-" + std::to_string(c.lastYear);
        c.text = c.minimum == c.maximum
                     ? ArmDollars(c.minimum)
                     : ArmWholeDollars(c.minimum) + " min / " + ArmWholeDollars(c.maximum) + " max";
    }
    return columns;
}

void loanTerms(const ArmInputs &in, const Limits &l, ArmResults &r)
{
    const ArmPath &worst = r.paths[1];
    const std::string adjusts = "Adjusts " + every(l.adjustMonths) + " starting in year " +
                                std::to_string(yearOf(l.fixedMonths + 1));
    r.rateTermsLine = worst.highestRate > percentOf(l.initial)
                          ? adjusts + "; Can go as high as " + ArmPercent(worst.highestRate) +
                                " in year " + std::to_string(yearOf(worst.highestRateAt))
                          : std::string("Cannot increase");
    std::string payment;
    if (in.interestOnlyMonths > 0)
        payment = "Includes only interest and no principal until year " +
                  std::to_string(yearOf(in.interestOnlyMonths + 1)) + "; ";
    r.paymentTermsLine = worst.highestPayment > r.firstPayment
                             ? payment + adjusts + "; Can go as high as " +
                                   ArmWholeDollars(worst.highestPayment) + " in year " +
                                   std::to_string(yearOf(worst.highestAt))
                             : std::string("Cannot increase");
}

// The first payment after which closing costs plus interest so far exceed
// the fixed loan's; 0 when that never happens.
std::int32_t breakEven(const ArmPath &arm, std::int64_t prepaid, const std::vector<ArmRow> &fixed,
                       std::int64_t fixedPrepaid)
{
    std::int64_t a = prepaid, f = fixedPrepaid;
    for (std::size_t k = 0; k < arm.rows.size(); ++k) {
        a = AddCents(a, arm.rows[k].interest, kWhere);
        f = AddCents(f, fixed[k].interest, kWhere);
        if (a > f)
            return arm.rows[k].number;
    }
    return 0;
}

Limits readLimits(const ArmInputs &in)
{
    using F = ArmField;
    if (finite(in.loan, F::Loan) <= 0)
        refuse(F::Loan, "must be more than 0");
    if (in.term <= 0 || in.term > TMortgage::MaxPayments)
        refuse(F::Term, "must be 1..1200 months");
    if (in.adjustMonths <= 0)
        refuse(F::AdjustMonths, "must be more than 0");
    if (in.fixedMonths <= 0 || in.fixedMonths >= in.term)
        refuse(F::FixedMonths, "must be more than 0 and less than the term");
    if (in.interestOnlyMonths < 0 || in.interestOnlyMonths > in.term)
        refuse(F::InterestOnly, "must be 0..the term");
    if (!in.lifetimeCap)
        refuse(F::LifetimeCap, "is required");
    finite(in.index, F::Index); // an index may be negative; the floor bounds the rate
    Limits l;
    l.initial = units(nonNegative(in.initialRate, F::InitialRate), F::InitialRate);
    l.firstCap = units(nonNegative(in.firstCap, F::FirstCap), F::FirstCap);
    l.periodicCap = units(nonNegative(in.periodicCap, F::PeriodicCap), F::PeriodicCap);
    l.maximum = l.initial + units(nonNegative(*in.lifetimeCap, F::LifetimeCap), F::LifetimeCap);
    const std::int64_t margin = units(nonNegative(in.margin, F::Margin), F::Margin);
    l.floor = in.floor ? units(nonNegative(*in.floor, F::Floor), F::Floor) : margin;
    l.fixedMonths = in.fixedMonths;
    l.adjustMonths = in.adjustMonths;
    nonNegative(in.prepaid, F::Prepaid);
    for (const double x : in.ownPath)
        finite(x, F::OwnPath);
    if (in.fixedRate)
        nonNegative(*in.fixedRate, F::FixedRate);
    nonNegative(in.fixedPrepaid, F::FixedPrepaid);
    return l;
}

} // namespace

ArmInputError::ArmInputError(ArmField field, const std::string &reason)
    : FloatError(Kind::InvalidOp, std::string(kWhere) + ": " + reason), m_field(field),
      m_reason(reason)
{
}

ArmResults CalcArm(const ArmInputs &in)
{
    const Limits l = readLimits(in);
    const std::int64_t margin = units(in.margin, ArmField::Margin);
    const std::int64_t loan = ToCents(in.loan, "loan amount");
    const std::int64_t prepaid = ToCents(in.prepaid, "prepaid charges");
    const auto indexed = [&](double index) {
        return roundIndexed(units(index, ArmField::Index) + margin, in.rounding);
    };

    ArmResults r;
    r.fullyIndexed = percentOf(indexed(in.index));
    r.lifetimeMaximum = percentOf(l.maximum);
    r.floor = percentOf(l.floor);
    const std::int64_t unchanged = indexed(in.index);
    const auto path = [&](ArmPathKind kind,
                          const std::function<std::int64_t(std::size_t)> &target) {
        r.paths.push_back(
            summarize(kind, schedule(loan, ratePath(in.term, l, target), in.interestOnlyMonths)));
    };
    path(ArmPathKind::IndexUnchanged, [&](std::size_t) { return unchanged; });
    path(ArmPathKind::WorstCase, [&](std::size_t) { return l.maximum; });
    path(ArmPathKind::BestCase, [&](std::size_t) { return l.floor; });
    if (!in.ownPath.empty()) {
        std::vector<std::int64_t> own;
        for (const double x : in.ownPath)
            own.push_back(indexed(x));
        path(ArmPathKind::OwnPath, [&](std::size_t k) { return own[std::min(k, own.size() - 1)]; });
    }

    const ArmPath &index = r.paths[0], &worst = r.paths[1];
    const auto fixed = static_cast<std::size_t>(in.fixedMonths);
    r.firstPayment = index.rows.front().payment;
    r.paymentAfterChange = index.rows[fixed].payment;
    r.balanceAtChange = index.rows[fixed - 1].balance;
    r.highestPayment = worst.highestPayment;
    r.highestAt = worst.highestAt;
    r.highestRate = worst.highestRate;

    r.amountFinanced = SubtractCents(loan, prepaid, kWhere);
    if (r.amountFinanced <= 0)
        refuse(ArmField::Prepaid, "leave no amount financed");
    r.financeCharge = SubtractCents(index.totalPayments, r.amountFinanced, kWhere);
    std::vector<double> stream;
    stream.reserve(index.rows.size());
    for (const ArmRow &row : index.rows)
        stream.push_back(FromCents(row.payment));
    r.apr = ActuarialApr(FromCents(r.amountFinanced), stream);
    r.totalInterestPercent = fpe::checked(
        static_cast<double>(index.totalInterest) / static_cast<double>(loan) * 100, kWhere);
    r.fiveYearTotal = prepaid;
    for (std::size_t k = 0; k < index.rows.size() && k < kFiveYears; ++k) {
        r.fiveYearTotal = AddCents(r.fiveYearTotal, index.rows[k].payment, kWhere);
        r.fiveYearPrincipal = AddCents(r.fiveYearPrincipal, index.rows[k].principal, kWhere);
    }

    r.rateTable = rateTable(in, l, r);
    r.projected = projected(r.paths, in.term);
    loanTerms(in, l, r);

    if (in.fixedRate) {
        r.hasFixed = true;
        const std::int64_t fixedRate = units(*in.fixedRate, ArmField::FixedRate);
        r.fixedRows = schedule(
            loan, std::vector<std::int64_t>(static_cast<std::size_t>(in.term), fixedRate), 0);
        r.fixedPayment = levelPayment(in.term, fixedRate, loan);
        r.monthlyDifference = SubtractCents(r.fixedPayment, r.firstPayment, kWhere);
        const std::int64_t fixedPrepaid = ToCents(in.fixedPrepaid, "fixed prepaid charges");
        for (ArmPath &p : r.paths)
            p.breakEven = breakEven(p, prepaid, r.fixedRows, fixedPrepaid);
    }
    return r;
}

std::vector<double> ParseArmIndexPath(std::string_view text, char decimalPoint)
{
    std::vector<double> values;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(';'), text.size());
        std::string item(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t first = item.find_first_not_of(" \t");
        if (first == std::string::npos)
            continue; // an empty entry, such as after a trailing ";"
        item = item.substr(first, item.find_last_not_of(" \t") - first + 1);
        std::string plain = item;
        std::replace(plain.begin(), plain.end(), decimalPoint, '.');
        double x = 0;
        const char *b = plain.data(), *e = b + plain.size();
        const auto [ptr, ec] = std::from_chars(b, e, x);
        if (ec != std::errc() || ptr != e || !std::isfinite(x))
            throw ConvertError("own index path: '" + item +
                               "' is not a valid floating point value");
        values.push_back(x);
    }
    return values;
}

std::string ArmWholeDollars(std::int64_t cents)
{
    const std::int64_t a = cents < 0 ? -cents : cents;
    return std::string(cents < 0 ? "-$" : "$") + grouped((a + 50) / 100);
}

std::string ArmDollars(std::int64_t cents)
{
    const std::int64_t a = cents < 0 ? -cents : cents;
    const std::int64_t c = a % 100;
    return std::string(cents < 0 ? "-$" : "$") + grouped(a / 100) + (c < 10 ? ".0" : ".") +
           std::to_string(c);
}

std::string ArmPercent(double percent)
{
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, percent + 0.0, std::chars_format::fixed, 3);
    std::string text(buf, res.ptr);
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.')
        text.pop_back();
    return text + "%";
}

} // namespace clvn
