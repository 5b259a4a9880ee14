#include "widgets/Guard.h"

#include "finance/Errors.h"

#include <cstdio>

namespace clvn {

namespace {
ExceptionHandler &installed()
{
    static ExceptionHandler handler;
    return handler;
}
unsigned long long failures = 0;
} // namespace

unsigned long long handledFailures() noexcept
{
    return failures;
}

ExceptionHandler setExceptionHandler(ExceptionHandler handler)
{
    return std::exchange(installed(), std::move(handler));
}

void handleException(std::exception_ptr error) noexcept
{
    ++failures;
    try {
        if (installed()) {
            installed()(error);
            return;
        }
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "Calvenor: unhandled error: %s\n", e.what());
    } catch (...) {
        std::fprintf(stderr, "Calvenor: unhandled error\n");
    }
}

void clearFloatFlags() noexcept
{
    fpe::clearFlags();
}

} // namespace clvn
