#include "finance/Growth.h"

#include "finance/Errors.h"
#include "finance/FpeDetail.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string>

namespace clvn {

using detail::lnPositive;

namespace {

// x in the shortest decimal form that reads back as x, for messages.
std::string formatCount(double x)
{
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x);
    return std::string(buf, res.ptr);
}

// A year count past the cap would loop for ages: refused before looping.
void checkYears(double Y, const char *where)
{
    if (Y > double(kMaxHorizonYears))
        throw FloatError(FloatError::Kind::Overflow,
                         std::string(where) + ": " + formatCount(Y) + " years");
}

} // namespace

std::int32_t WholeNumber(double x)
{
    // Fixed notation, so that 1000000 reads "1000000" and not "1e+06".
    char buf[400];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed);
    const std::string text(buf, res.ptr);
    std::int32_t value = 0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size())
        throw ConvertError("'" + text + "' is not a valid whole number");
    return value;
}

std::int64_t WholeCount(double x, std::int64_t lowest, std::int64_t highest, const char *what)
{
    if (!std::isfinite(x) || std::trunc(x) != x) {
        WholeNumber(x); // throws the conversion error a fractional count gives
        throw ConvertError("'" + formatCount(x) + "' is not a valid whole number");
    }
    // Compared as doubles: x may lie far outside the 64-bit range.
    if (x < double(lowest) || x > double(highest)) {
        std::string where = std::string(what) + " " + formatCount(x) + " outside " +
                            std::to_string(lowest) + ".." + std::to_string(highest);
        throw FloatError(
            x < double(lowest) ? FloatError::Kind::InvalidOp : FloatError::Kind::Overflow, where);
    }
    return static_cast<std::int64_t>(x);
}

double PrincipalRepaid(std::int64_t k, double A, double R, double B)
{
    static constexpr const char *kWhere = "PrincipalRepaid";
    if (k > kMaxLoanMonths)
        throw FloatError(FloatError::Kind::Overflow,
                         "PrincipalRepaid: " + std::to_string(k) + " payments");
    FpeScope scope;
    const double r = R / 1200;
    double sum = 0;
    for (std::int64_t j = 0; j < k; ++j) {
        const double interest = r * B;
        const double principal = A - interest;
        sum += principal;
        B -= principal;
        if (!std::isfinite(sum) || !std::isfinite(B))
            break; // already overflowed: report it now, as a trap would
    }
    scope.check(B, kWhere);
    return scope.check(sum, kWhere);
}

double TotalRent(double Y, double g, double M)
{
    static constexpr const char *kWhere = "TotalRent";
    checkYears(Y, kWhere);
    const std::int32_t w = WholeNumber(Y);
    FpeScope scope;
    double rent = 12 * M;
    double total = 12 * M;
    if (Y != 1) {
        for (std::int32_t j = 1; j < w; ++j) {
            rent = rent * g / 100 + rent;
            total += rent;
            if (!std::isfinite(total))
                break;
        }
    }
    return scope.check(total, kWhere);
}

double CompoundedTotal(double Y, double c, double V)
{
    static constexpr const char *kWhere = "CompoundedTotal";
    checkYears(Y, kWhere);
    const std::int32_t w = WholeNumber(Y);
    FpeScope scope;
    const double f = c / 100;
    double sum = 0;
    for (std::int32_t j = 0; j < w; ++j) {
        const double x = V * f;
        sum += x;
        V += x;
        if (!std::isfinite(sum) || !std::isfinite(V))
            break;
    }
    return scope.check(sum, kWhere);
}

double FutureValueAt(const std::string &name, double deposit, double months, double rate,
                     double principal)
{
    static constexpr const char *kWhere = "FutureValueAt";
    FpeScope scope;
    double p = 0; // an unknown name divides by zero below
    if (name == "Annually")
        p = 1;
    else if (name == "Quarterly")
        p = 4;
    else if (name == "Monthly")
        p = 12;
    else if (name == "Daily")
        p = 365;
    const double i = rate / 100;
    const double t = months / 12;
    const double N = p * t;
    const double q = scope.check(1 + i / p, kWhere);
    const double qN = std::exp(N * lnPositive(q, kWhere));
    fpe::raiseIfFlagged(kWhere);
    // The deposits grow at the annual rate on a yearly deposit, whatever the frequency.
    return scope.check(principal * qN + (qN - 1) / i * (12 * deposit), kWhere);
}

double PaymentPresentValue(double y, double r, double M)
{
    static constexpr const char *kWhere = "PaymentPresentValue";
    FpeScope scope;
    const double m = r / 1200;
    const double n = 12 * y;
    const double growth = std::exp(n * lnPositive(1 + m, kWhere));
    fpe::raiseIfFlagged(kWhere);
    return scope.check((1 - 1 / growth) / m * M, kWhere);
}

} // namespace clvn
