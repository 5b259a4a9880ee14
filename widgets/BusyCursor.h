#pragma once

#include <QGuiApplication>

namespace clvn {

// The hourglass for as long as it lives: while a page lists its results, a
// report prints or the update window asks the server. Put back even when
// the work throws.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor &) = delete;
    BusyCursor &operator=(const BusyCursor &) = delete;
};

} // namespace clvn
