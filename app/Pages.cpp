#include "app/Pages.h"

#include "app/help/HelpTopics.h"
#include "calculators/AmortPage.h"
#include "calculators/ArmPage.h"
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
        {u"QC"_s,
         u"Quick Calculator"_s,
         help::TopicQC,
         u"&Quick Calculator"_s,
         u"MnuCalculatorsQC"_s,
         u"QC"_s,
         u"  Quick Calculator"_s,
         u"Go to Quick Calculator"_s,
         1,
         {},
         make<QuickCalcPage>},
        {u"MQ"_s, u"Mortgage Qualifier"_s, help::TopicMQ, u"&Mortgage Qualifier"_s,
         u"MnuCalculatorsMQ"_s, u"MQ"_s, u"  Mortgage Qualifier"_s, u"Go to Mortgage Qualifier"_s,
         3, &PrintDispatcher::PrintMQ, make<MqPage>},
        {u"LS"_s, u"Loan Spread Calculator"_s, help::TopicLS, u"Loan &Spread Calculator"_s,
         u"mnuCalculatorsLSC"_s, u"LSC"_s, u"  Loan Spread Calculator"_s,
         u"Go to Loan Spread Calculator"_s, 6, &PrintDispatcher::PrintLSC, make<LsPage>},
        {u"Amort"_s, u"Loan Amortizations"_s, help::TopicAmort, u"Loan &Amortizations"_s,
         u"MnuCalculatorsAmort"_s, u"Amort"_s, u"  Loan Amortizations"_s, u"Go to Amortizations"_s,
         7, &PrintDispatcher::PrintAmortizer, make<AmortPage>},
        {u"ECC"_s, u"Estimated Closing Costs"_s, help::TopicECC, u"&Estimated Closing Costs"_s,
         u"MnuCalculatorsECC"_s, u"ECC"_s, u"  Estimated Closing Costs"_s,
         u"Go to Estimated Closing Costs"_s, 2, &PrintDispatcher::PrintECC, make<EccPage>},
        {u"RC"_s, u"Refinancing Calculator"_s, help::TopicRC, u"&Refinancing Calculator"_s,
         u"MnuCalculatorsRC"_s, u"RC"_s, u"  Refinancing Calculator"_s,
         u"Go to Refinancing Calculator"_s, 5, &PrintDispatcher::PrintRefi, make<RefiPage>},
        {u"RVB"_s, u"Rent vs. Buy Calculator"_s, help::TopicRVB, u"Rent &vs Buy Calculator"_s,
         u"mnuCalculatorsRVB"_s, u"RVB"_s, u"  Rent vs. Buy Calculator"_s,
         u"Go to Rent vs. Buy Calculator"_s, 8, &PrintDispatcher::PrintRVB, make<RvbPage>},
        {u"BW"_s, u"Bi-weekly Payments"_s, help::TopicBW, u"&Biweekly Payments"_s,
         u"MnuCalculatorsBW"_s, u"BW"_s, u"  Biweekly Payments"_s, u"Go to Biweekly Payments"_s, 4,
         &PrintDispatcher::PrintBW, make<BwPage>},
        {u"PPC"_s, u"Prepayment Calculator"_s, help::TopicPPC, u"&Prepayment Calculator"_s,
         u"mnuCalculatorsPPC"_s, u"PPC"_s, u"  Prepayment Calculator"_s,
         u"Go to Prepayment Calculator"_s, 9, &PrintDispatcher::PrintPPC, make<PpcPage>},
        {u"HSP"_s, u"Home Seller's Proceeds"_s, help::TopicHSP, u"&Home Seller's Proceeds"_s,
         u"mnuCalculatorsHSP"_s, u"HSP"_s, u"  Home Seller's Proceeds"_s,
         u"Go to Home Seller's Proceeds Calculator"_s, 10, &PrintDispatcher::PrintHSP,
         make<HspPage>},
        {u"CMP"_s, u"Compare Loan Offers"_s, help::TopicCMP, u"&Compare Loan Offers"_s,
         u"mnuCalculatorsCMP"_s, u"CMP"_s, u"  Compare Loan Offers"_s,
         u"Go to Compare Loan Offers"_s, 11, &PrintDispatcher::PrintCMP, make<CmpPage>, true},
        {.name = u"ARM"_s,
         .title = u"Adjustable Rate"_s,
         .helpTopic = help::TopicARM,
         .menuItem = u"A&djustable Rate"_s,
         .menuItemName = u"mnuCalculatorsARM"_s,
         .key = u"ARM"_s,
         .button = u"  Adjustable Rate"_s,
         .buttonHint = u"Go to Adjustable Rate"_s,
         .stackPosition = 12,
         .print = &PrintDispatcher::PrintARM,
         .make = make<ArmPage>,
         .apart = true},
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
