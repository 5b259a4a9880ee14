#include "app/Pages.h"

#include "calculators/AmortPage.h"
#include "calculators/BwPage.h"
#include "calculators/CmpPage.h"
#include "calculators/EccPage.h"
#include "calculators/HspPage.h"
#include "calculators/LsPage.h"
#include "calculators/MqPage.h"
#include "calculators/PpcPage.h"
#include "calculators/QuickCalcPage.h"
#include "calculators/RefiPage.h"
#include "calculators/RvbPage.h"

namespace clvn {

std::vector<CalculatorPage *> makeCalculatorPages(CalculatorHost &host)
{
    return {new QuickCalcPage(host), new EccPage(host), new MqPage(host),   new AmortPage(host),
            new BwPage(host),        new PpcPage(host), new RefiPage(host), new RvbPage(host),
            new LsPage(host),        new HspPage(host), new CmpPage(host)};
}

} // namespace clvn
