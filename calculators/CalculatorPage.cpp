#include "calculators/CalculatorPage.h"

namespace clvn {

CalculatorPage::CalculatorPage(CalculatorHost &host, const QString &pageName, QWidget *parent)
    : QWidget(parent), m_host(host)
{
    setObjectName(pageName);
}

void CalculatorPage::recoverFromFloatError(bool /*active*/)
{
}

void CalculatorPage::saveOwnSettings()
{
}

} // namespace clvn
