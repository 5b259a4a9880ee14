#include "calculators/CalculatorPage.h"

#include "calculators/CalculatorHost.h"
#include "state/BuyerValues.h"
#include "widgets/Guard.h"
#include "widgets/NumberField.h"

namespace clvn {

CalculatorPage::CalculatorPage(CalculatorHost &host, const QString &pageName, QWidget *parent)
    : QWidget(parent), m_host(host)
{
    setObjectName(pageName);
}

void CalculatorPage::setIdentity(const QString &title, int helpTopic)
{
    m_title = title;
    m_helpTopic = helpTopic;
}

QList<NumberField *> CalculatorPage::numberFields() const
{
    return findChildren<NumberField *>();
}

void CalculatorPage::calculateOnLeave(const QList<NumberField *> &fields,
                                      const std::function<void()> &calculate)
{
    for (NumberField *field : fields)
        connectGuarded(field, &NumberField::left, this, calculate);
}

void CalculatorPage::putBackStoredLoan(NumberField *loan, NumberField *interest, NumberField *term,
                                       NumberField *payment)
{
    const BuyerValues &values = m_host.buyerValues();
    loan->setValue(values.Loan);
    interest->setValue(values.Interest);
    term->setValue(values.Term);
    if (payment)
        payment->setValue(values.Payment);
}

void CalculatorPage::recoverFromFloatError(bool /*active*/)
{
}

void CalculatorPage::saveState(PageState & /*state*/) const
{
}

void CalculatorPage::restoreState(const PageState & /*state*/)
{
}

} // namespace clvn
