#include "app/Pages.h"

#include "calculators/AmortPage.h"
#include "calculators/BwPage.h"
#include "calculators/EccPage.h"
#include "calculators/MqPage.h"
#include "calculators/PpcPage.h"
#include "calculators/QuickCalcPage.h"

namespace clvn {

std::vector<CalculatorPage *> makeCalculatorPages(CalculatorHost &host)
{
    return {new QuickCalcPage(host), new EccPage(host), new MqPage(host),
            new AmortPage(host),     new BwPage(host),  new PpcPage(host)};
}

} // namespace clvn
