#pragma once

#include <vector>

namespace clvn {

class CalculatorHost;
class CalculatorPage;

// Builds the calculator pages this program has, each bound to `host`.
// The main window owns them once it has put them on its page stack.
std::vector<CalculatorPage *> makeCalculatorPages(CalculatorHost &host);

} // namespace clvn
