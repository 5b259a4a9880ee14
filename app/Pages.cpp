#include "app/Pages.h"

#include "app/help/HelpTopics.h"
#include "calculators/AmortPage.h"
#include "calculators/ArmPage.h"
#include "calculators/BwPage.h"
#include "calculators/CmpPage.h"
#include "calculators/EccPage.h"
#include "calculators/HspPage.h"
#include "calculators/LecPage.h"
#include "calculators/LsPage.h"
#include "calculators/MqPage.h"
#include "calculators/PpcPage.h"
#include "calculators/QuickCalcPage.h"
#include "calculators/RefiPage.h"
#include "calculators/RvbPage.h"
#include "reports/Print.h"

#include <QWidget>

using namespace Qt::StringLiterals;

namespace clvn {

namespace {

template <class Page> CalculatorPage *make(CalculatorHost &host)
{
    return new Page(host);
}

} // namespace

const std::vector<PageDescriptor> &pageDescriptors()
{
    static const std::vector<PageDescriptor> pages = {
        {.name = u"QC"_s,
         .title = u"Quick Calculator"_s,
         .helpTopic = help::TopicQC,
         .menuItem = u"&Quick Calculator"_s,
         .menuItemName = u"MnuCalculatorsQC"_s,
         .key = u"QC"_s,
         .button = u"  Quick Calculator"_s,
         .buttonHint = u"Go to Quick Calculator"_s,
         .make = make<QuickCalcPage>},
        {.name = u"MQ"_s,
         .title = u"Mortgage Qualifier"_s,
         .helpTopic = help::TopicMQ,
         .menuItem = u"&Mortgage Qualifier"_s,
         .menuItemName = u"MnuCalculatorsMQ"_s,
         .key = u"MQ"_s,
         .button = u"  Mortgage Qualifier"_s,
         .buttonHint = u"Go to Mortgage Qualifier"_s,
         .print = &PrintDispatcher::PrintMQ,
         .make = make<MqPage>},
        {.name = u"LS"_s,
         .title = u"Loan Spread Calculator"_s,
         .helpTopic = help::TopicLS,
         .menuItem = u"Loan &Spread Calculator"_s,
         .menuItemName = u"mnuCalculatorsLSC"_s,
         .key = u"LSC"_s,
         .button = u"  Loan Spread Calculator"_s,
         .buttonHint = u"Go to Loan Spread Calculator"_s,
         .print = &PrintDispatcher::PrintLSC,
         .make = make<LsPage>},
        {.name = u"Amort"_s,
         .title = u"Loan Amortizations"_s,
         .helpTopic = help::TopicAmort,
         .menuItem = u"Loan &Amortizations"_s,
         .menuItemName = u"MnuCalculatorsAmort"_s,
         .key = u"Amort"_s,
         .button = u"  Loan Amortizations"_s,
         .buttonHint = u"Go to Amortizations"_s,
         .print = &PrintDispatcher::PrintAmortizer,
         .make = make<AmortPage>},
        {.name = u"ECC"_s,
         .title = u"Estimated Closing Costs"_s,
         .helpTopic = help::TopicECC,
         .menuItem = u"&Estimated Closing Costs"_s,
         .menuItemName = u"MnuCalculatorsECC"_s,
         .key = u"ECC"_s,
         .button = u"  Estimated Closing Costs"_s,
         .buttonHint = u"Go to Estimated Closing Costs"_s,
         .print = &PrintDispatcher::PrintECC,
         .make = make<EccPage>},
        {.name = u"RC"_s,
         .title = u"Refinancing Calculator"_s,
         .helpTopic = help::TopicRC,
         .menuItem = u"&Refinancing Calculator"_s,
         .menuItemName = u"MnuCalculatorsRC"_s,
         .key = u"RC"_s,
         .button = u"  Refinancing Calculator"_s,
         .buttonHint = u"Go to Refinancing Calculator"_s,
         .print = &PrintDispatcher::PrintRefi,
         .make = make<RefiPage>},
        {.name = u"RVB"_s,
         .title = u"Rent vs. Buy Calculator"_s,
         .helpTopic = help::TopicRVB,
         .menuItem = u"Rent &vs Buy Calculator"_s,
         .menuItemName = u"mnuCalculatorsRVB"_s,
         .key = u"RVB"_s,
         .button = u"  Rent vs. Buy Calculator"_s,
         .buttonHint = u"Go to Rent vs. Buy Calculator"_s,
         .print = &PrintDispatcher::PrintRVB,
         .make = make<RvbPage>},
        {.name = u"BW"_s,
         .title = u"Bi-weekly Payments"_s,
         .helpTopic = help::TopicBW,
         .menuItem = u"&Biweekly Payments"_s,
         .menuItemName = u"MnuCalculatorsBW"_s,
         .key = u"BW"_s,
         .button = u"  Biweekly Payments"_s,
         .buttonHint = u"Go to Biweekly Payments"_s,
         .print = &PrintDispatcher::PrintBW,
         .make = make<BwPage>},
        {.name = u"PPC"_s,
         .title = u"Prepayment Calculator"_s,
         .helpTopic = help::TopicPPC,
         .menuItem = u"&Prepayment Calculator"_s,
         .menuItemName = u"mnuCalculatorsPPC"_s,
         .key = u"PPC"_s,
         .button = u"  Prepayment Calculator"_s,
         .buttonHint = u"Go to Prepayment Calculator"_s,
         .print = &PrintDispatcher::PrintPPC,
         .make = make<PpcPage>},
        {.name = u"HSP"_s,
         .title = u"Home Seller's Proceeds"_s,
         .helpTopic = help::TopicHSP,
         .menuItem = u"&Home Seller's Proceeds"_s,
         .menuItemName = u"mnuCalculatorsHSP"_s,
         .key = u"HSP"_s,
         .button = u"  Home Seller's Proceeds"_s,
         .buttonHint = u"Go to Home Seller's Proceeds Calculator"_s,
         .print = &PrintDispatcher::PrintHSP,
         .make = make<HspPage>},
        {.name = u"CMP"_s,
         .title = u"Compare Loan Offers"_s,
         .helpTopic = help::TopicCMP,
         .menuItem = u"&Compare Loan Offers"_s,
         .menuItemName = u"mnuCalculatorsCMP"_s,
         .key = u"CMP"_s,
         .button = u"  Compare Loan Offers"_s,
         .buttonHint = u"Go to Compare Loan Offers"_s,
         .print = &PrintDispatcher::PrintCMP,
         .make = make<CmpPage>,
         .apart = true,
         .keptSection = CmpPage::SettingsSection},
        {.name = u"ARM"_s,
         .title = u"Adjustable Rate"_s,
         .helpTopic = help::TopicARM,
         .menuItem = u"A&djustable Rate"_s,
         .menuItemName = u"mnuCalculatorsARM"_s,
         .key = u"ARM"_s,
         .button = u"  Adjustable Rate"_s,
         .buttonHint = u"Go to Adjustable Rate"_s,
         .print = &PrintDispatcher::PrintARM,
         .make = make<ArmPage>,
         .apart = true,
         .keptSection = ArmPage::SettingsSection},
        {.name = u"LEC"_s,
         .title = u"Check a Loan Estimate"_s,
         .helpTopic = help::TopicLEC,
         .menuItem = u"Check a &Loan Estimate"_s,
         .menuItemName = u"mnuCalculatorsLEC"_s,
         .key = u"LEC"_s,
         .button = u"  Check a Loan Estimate"_s,
         .buttonHint = u"Go to Check a Loan Estimate"_s,
         .print = &PrintDispatcher::PrintLEC,
         .make = make<LecPage>,
         .apart = true,
         .keptSection = LecPage::SettingsSection},
    };
    return pages;
}

const PageDescriptor *findPage(const QString &name)
{
    for (const PageDescriptor &d : pageDescriptors())
        if (d.name == name)
            return &d;
    return nullptr;
}

bool canPrint(const QString &name)
{
    const PageDescriptor *d = findPage(name);
    return d && d->print;
}

void printPage(PrintDispatcher &printer, QWidget *page)
{
    if (!page || !page->isVisible())
        return;
    const PageDescriptor *d = findPage(page->objectName());
    if (d && d->print)
        d->print(printer, page);
}

std::vector<CalculatorPage *> makeCalculatorPages(CalculatorHost &host)
{
    std::vector<CalculatorPage *> pages;
    for (const PageDescriptor &d : pageDescriptors())
        pages.push_back(d.make(host));
    return pages;
}

} // namespace clvn
