#pragma once

// The failure types of the financial library and of the whole program.
// Floating-point trouble is one family (FloatError) with its kind known;
// text that does not convert to a number is a ConvertError; a payment number
// outside a schedule is an IndexError. Nothing here knows about the UI.

#include <stdexcept>
#include <string>

namespace clvn {

class FloatError : public std::runtime_error
{
public:
    enum class Kind
    {
        ZeroDivide,
        InvalidOp,
        Overflow
    };

    FloatError(Kind kind, const std::string &where);
    Kind kind() const noexcept { return m_kind; }

private:
    Kind m_kind;
};

class ConvertError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;

    // "'<text>' is not a valid floating point value"
    static ConvertError notFloat(const std::string &text);
    // "'<text>' is not a valid integer value"
    static ConvertError notInteger(const std::string &text);
};

class IndexError : public std::out_of_range
{
public:
    IndexError(int index, int count);
    int index() const noexcept { return m_index; }

private:
    int m_index;
};

// The deliberate mechanism that turns IEEE exception flags into FloatError.
// C++ does not trap floating-point errors by itself, so every public formula
// opens an FpeScope: it clears the sticky flags on entry, and check() throws
// when division by zero, an invalid operation or overflow happened since
// (underflow and inexact results are ignored) or when the value handed to it
// is not finite. On leaving, the flags that were set before the scope are
// put back, so nested scopes do not hide each other's findings.
class FpeScope
{
public:
    FpeScope() noexcept;
    ~FpeScope();
    FpeScope(const FpeScope &) = delete;
    FpeScope &operator=(const FpeScope &) = delete;

    // Throws FloatError if a trapping flag is raised or v is not finite;
    // returns v otherwise. Passing the value forces it to be computed first.
    double check(double v, const char *where) const;

private:
    int m_savedFlags;
};

namespace fpe {
// Clears the sticky flags; the UI guard calls it before every handler.
void clearFlags() noexcept;
// Throws FloatError if a trapping flag is raised since the last clear.
void raiseIfFlagged(const char *where);
// raiseIfFlagged, then rejects a non-finite v; returns v.
double checked(double v, const char *where);
} // namespace fpe

} // namespace clvn
