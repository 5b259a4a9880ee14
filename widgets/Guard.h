#pragma once

// No exception may cross a Qt frame: every handler bound to a signal runs
// inside guard(), which clears the floating-point flags first and hands
// anything that escapes the handler to the application-wide handler
// (the main window installs AppOnException there).

#include <QObject>

#include <exception>
#include <functional>
#include <utility>

namespace clvn {

using ExceptionHandler = std::function<void(std::exception_ptr)>;

// Installs the application-wide handler; returns the previous one.
ExceptionHandler setExceptionHandler(ExceptionHandler handler);

// Hands an escaped exception to the installed handler (or, with none
// installed, reports it on stderr). Never throws.
void handleException(std::exception_ptr error) noexcept;

// How many failures handleException() has been handed in this run: a
// caller that runs a handler learns from it whether the handler failed.
unsigned long long handledFailures() noexcept;

// Clears the floating-point flags that earlier work may have left.
void clearFloatFlags() noexcept;

// Runs f; whatever it throws goes to the application-wide handler.
template <class F> void guard(F &&f) noexcept
{
    try {
        clearFloatFlags();
        std::forward<F>(f)();
    } catch (...) {
        handleException(std::current_exception());
    }
}

// QObject::connect with the slot wrapped in guard(). Use it for every
// handler that can fail.
template <class Sender, class Signal, class F>
QMetaObject::Connection connectGuarded(Sender *sender, Signal signal, const QObject *context, F f)
{
    return QObject::connect(sender, signal, context,
                            [f = std::move(f)](auto &&...) { guard([&] { f(); }); });
}

} // namespace clvn
