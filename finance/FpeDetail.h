#pragma once

// Small helpers private to the financial library.

#include "finance/Errors.h"

#include <cmath>

namespace clvn::detail {

// Natural logarithm that treats an argument not above zero as an invalid
// operation (the hardware would call log(0) a division by zero). A trapping
// flag raised by an earlier step is reported first, as a trap would have.
inline double lnPositive(double x, const char *where)
{
    fpe::raiseIfFlagged(where);
    if (x <= 0)
        throw FloatError(FloatError::Kind::InvalidOp, where);
    return std::log(x);
}

} // namespace clvn::detail
