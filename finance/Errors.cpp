#include "finance/Errors.h"

#include <cfenv>
#include <cmath>

namespace clvn {

namespace {

constexpr int kTrapping = FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW;

const char *kindText(FloatError::Kind kind)
{
    switch (kind) {
    case FloatError::Kind::ZeroDivide:
        return "floating point division by zero";
    case FloatError::Kind::InvalidOp:
        return "invalid floating point operation";
    case FloatError::Kind::Overflow:
        return "floating point overflow";
    }
    return "floating point error";
}

[[noreturn]] void throwFor(int flags, double v, const char *where)
{
    // Division by zero is reported first: 0/0 raises only FE_INVALID, x/0 only FE_DIVBYZERO.
    if (flags & FE_DIVBYZERO)
        throw FloatError(FloatError::Kind::ZeroDivide, where);
    if (flags & FE_INVALID)
        throw FloatError(FloatError::Kind::InvalidOp, where);
    if (flags & FE_OVERFLOW)
        throw FloatError(FloatError::Kind::Overflow, where);
    throw FloatError(std::isnan(v) ? FloatError::Kind::InvalidOp : FloatError::Kind::Overflow,
                     where);
}

} // namespace

FloatError::FloatError(Kind kind, const std::string &where)
    : std::runtime_error(std::string(kindText(kind)) + (where.empty() ? "" : " in " + where)),
      m_kind(kind)
{
}

ConvertError ConvertError::notFloat(const std::string &text)
{
    return ConvertError("'" + text + "' is not a valid floating point value");
}

ConvertError ConvertError::notInteger(const std::string &text)
{
    return ConvertError("'" + text + "' is not a valid integer value");
}

IndexError::IndexError(int index, int count)
    : std::out_of_range("list index out of bounds (" + std::to_string(index) + ") of " +
                        std::to_string(count)),
      m_index(index)
{
}

FpeScope::FpeScope() noexcept : m_savedFlags(std::fetestexcept(FE_ALL_EXCEPT))
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

FpeScope::~FpeScope()
{
    std::feraiseexcept(m_savedFlags & kTrapping);
}

double FpeScope::check(double v, const char *where) const
{
    return fpe::checked(v, where);
}

namespace fpe {

void clearFlags() noexcept
{
    std::feclearexcept(FE_ALL_EXCEPT);
}

void raiseIfFlagged(const char *where)
{
    const int flags = std::fetestexcept(kTrapping);
    if (flags != 0)
        throwFor(flags, 0.0, where);
}

double checked(double v, const char *where)
{
    const int flags = std::fetestexcept(kTrapping);
    if (flags != 0 || !std::isfinite(v))
        throwFor(flags, v, where);
    return v;
}

} // namespace fpe

} // namespace clvn
