#include "finance/Rounding.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace clvn {

DecimalDigits ShortestDecimal(double x)
{
    DecimalDigits d;
    d.negative = std::signbit(x);
    char buf[64];
    const auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific);
    const std::string s(buf, res.ptr); // "d.ddde+XX"
    const auto e = s.find('e');
    std::string mantissa = s.substr(0, e);
    mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
    int exponent = 0;
    const char *first = s.data() + e + 1;
    if (*first == '+')
        ++first;
    std::from_chars(first, s.data() + s.size(), exponent);
    d.exponent = exponent + 1;
    while (!mantissa.empty() && mantissa.back() == '0')
        mantissa.pop_back();
    d.digits = mantissa; // a zero mantissa "0" is trimmed to ""
    return d;
}

void RoundDigits(DecimalDigits &d, int digits, int decimals, RoundMode mode)
{
    // Kept digits, as a wide count: the exponent may be near +-324 and the
    // limits far larger.
    const long long keep =
        std::min<long long>(std::max(digits, 1), static_cast<long long>(d.exponent) + decimals);
    if (d.digits.empty() || keep >= static_cast<long long>(d.digits.size()))
        return;
    if (keep < 0) {
        d.digits.clear(); // below half a unit of the last place kept
        return;
    }
    const auto k = static_cast<std::size_t>(keep);
    const char next = d.digits[k];
    const bool restNonZero = d.digits.find_first_not_of('0', k + 1) != std::string::npos;
    const bool lastOdd = k > 0 && (d.digits[k - 1] - '0') % 2 == 1;
    d.digits.resize(k);
    bool up = false;
    if (mode == RoundMode::HalfEven)
        up = next > '5' || (next == '5' && (restNonZero || lastOdd));
    else if (mode == RoundMode::HalfAwayFromZero)
        up = next >= '5';
    if (up) {
        std::size_t i = k;
        while (i > 0 && d.digits[i - 1] == '9')
            d.digits[--i] = '0';
        if (i > 0) {
            ++d.digits[i - 1];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.exponent;
        }
    }
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
}

double ToDouble(const DecimalDigits &d)
{
    if (d.digits.empty())
        return 0.0;
    const std::string s = "0." + d.digits + "e" + std::to_string(d.exponent);
    double v = 0.0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec == std::errc::result_out_of_range)
        v = d.exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    return d.negative ? -v : v;
}

std::string FixedText(const DecimalDigits &d, int decimals)
{
    decimals = std::max(decimals, 0);
    std::string integer;
    std::string fraction;
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent > 0) {
        integer = d.digits.substr(0, static_cast<std::size_t>(std::min(n, d.exponent)));
        integer.append(static_cast<std::size_t>(std::max(0, d.exponent - n)), '0');
        if (n > d.exponent)
            fraction = d.digits.substr(static_cast<std::size_t>(d.exponent));
    } else {
        integer = "0";
        fraction = std::string(static_cast<std::size_t>(-d.exponent), '0') + d.digits;
    }
    if (d.digits.empty())
        integer = "0";
    fraction.resize(static_cast<std::size_t>(decimals), '0'); // the caller rounded it first
    std::string out = d.negative && !d.digits.empty() ? "-" : "";
    out += integer;
    if (decimals > 0)
        out += '.' + fraction;
    return out;
}

double RoundDecimal(double x, int digits, int decimals, RoundMode mode)
{
    if (!std::isfinite(x))
        return x;
    DecimalDigits d = ShortestDecimal(x);
    RoundDigits(d, digits, decimals, mode);
    return ToDouble(d);
}

} // namespace clvn
