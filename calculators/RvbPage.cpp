#include "calculators/RvbPage.h"

#include "calculators/PageControls.h"

#include "calculators/CalculatorHost.h"
#include "calculators/StateFields.h"
#include "finance/RentVsBuy.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QScopedValueRollback>

#include <type_traits>

namespace clvn {

namespace {

// Inputs down the left half, results down the right; captions wrap to two lines.
constexpr int InLabelX = 6, InLabelW = 200, InFieldX = 208, InFieldW = 78;
constexpr int OutLabelX = 300, OutLabelW = 170, OutFieldX = 474, OutFieldW = 106;
constexpr int TopY = 8, InStep = 30, OutStep = 36;

QRect inputRow(QWidget *page, const QString &caption, int row)
{
    const int y = TopY + row * InStep;
    addLabel(page, caption, QRect(InLabelX, y - 4, InLabelW, 28));
    return QRect(InFieldX, y, InFieldW, FieldHeight);
}

QRect resultRow(QWidget *page, const QString &caption, int row)
{
    const int y = TopY + 36 + row * OutStep;
    addLabel(page, caption, QRect(OutLabelX, y - 4, OutLabelW, 28));
    return QRect(OutFieldX, y, OutFieldW, FieldHeight);
}

} // namespace

RvbPage::RvbPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("RVB"), parent)
{
    buildInputs();
    buildResults();
    calculateOnLeave(numberFields(), [this] {
        if (!m_quiet)
            CalcRVB();
    });
}

void RvbPage::buildInputs()
{
    int row = 0;
    const auto money = [&](const char *name, const char *caption) {
        return addMoney(this, QLatin1String(name), inputRow(this, QLatin1String(caption), row++),
                        0);
    };
    const auto number = [&](const char *name, const char *caption, int decimals) {
        return addNumber(this, QLatin1String(name), inputRow(this, QLatin1String(caption), row++),
                         decimals, 0);
    };
    m_edtRVBMonthlyRent = money("edtRVBMonthlyRent", "Current Monthly Rent");
    m_edtRVBRentIncrease =
        number("edtRVBRentIncrease", "Estimated Annual Rent Increase Percentage", 3);
    m_edtRVBTerm = number("edtRVBTerm", "Years Before You Will Move", 0);
    m_edtRVBDownPayment = money("edtRVBDownPayment", "Cash Available for Down Payment");
    m_edtRVBEstimatedReturn =
        number("edtRVBEstimatedReturn", "Estimated Annual Return if Invested (%)", 3);
    m_edtRVBInterestRate = number("edtRVBInterestRate", "Interest Rate of Home Loan (%)", 3);
    m_edtRVBLoanTerm = number("edtRVBLoanTerm", "Term of Home Loan in Years", 0);
    m_edtRVBIncomeTax =
        number("edtRVBIncomeTax", "Personal Income Tax Rate (%) (Include Federal + State)", 3);
    m_edtRVBPropertyTax = number("edtRVBPropertyTax", "Annual Real Estate Tax Rate (%)", 3);
    m_edtRVBPropertyAppreciation =
        number("edtRVBPropertyAppreciation", "Property Appreciation Rate (%)", 3);
    m_edtRVBAnnualMaintenance =
        money("edtRVBAnnualMaintenance", "Estimated Annual Home Maintenance Expenses ($)");
    m_edtRVBSellingCostPercent =
        number("edtRVBSellingCostPercent", "Estimated Selling Costs as % of House Value", 3);
    putDefaults();
}

void RvbPage::buildResults()
{
    int row = 0;
    const auto result = [&](const char *name, const char *caption) {
        return addMoneyResult(this, QLatin1String(name),
                              resultRow(this, QLatin1String(caption), row++));
    };
    m_edtRVBRentSpent = result("edtRVBRentSpent", "Total You Will Spend on Rent");
    m_edtRVBInvestmentValue = result("edtRVBInvestmentValue", "Value of Investment ($)");
    m_edtRVBHousePrice =
        result("edtRVBHousePrice", "Price of Home You Can Afford at Your Rent Payment");
    m_edtRVBTaxDeductions = result("edtRVBTaxDeductions", "Total of Interest Tax Deductions ($)");
    m_edtRVBAppreciation = result("edtRVBAppreciation", "Appreciation of Property ($)");
    m_edtRVBValueOfPurchase = result("edtRVBValueOfPurchase", "Effective Gain of Owning");
    m_edtRVBValueOfRenting = result("edtRVBValueOfRenting", "Actual Cost of Renting");
    m_edtRVBGain = result("edtRVBGain", "Effective Gain of Owning vs. Renting");
}

void RvbPage::putDefaults()
{
    const RentVsBuyInputs defaults;
    m_edtRVBMonthlyRent->setValue(defaults.monthlyRent);
    m_edtRVBRentIncrease->setValue(defaults.rentIncrease);
    m_edtRVBTerm->setValue(defaults.years);
    m_edtRVBDownPayment->setValue(defaults.downPayment);
    m_edtRVBEstimatedReturn->setValue(defaults.estimatedReturn);
    m_edtRVBInterestRate->setValue(defaults.interestRate);
    m_edtRVBLoanTerm->setValue(defaults.loanTermYears);
    m_edtRVBIncomeTax->setValue(defaults.incomeTax);
    m_edtRVBPropertyTax->setValue(defaults.propertyTax);
    m_edtRVBPropertyAppreciation->setValue(defaults.appreciation);
    m_edtRVBAnnualMaintenance->setValue(defaults.annualMaintenance);
    m_edtRVBSellingCostPercent->setValue(defaults.sellingCostPercent);
}

void RvbPage::enter()
{
    host().AllowPrinting();
    host().setResetEnabled(true);
    const QScopedValueRollback quiet(m_quiet, true);
    m_edtRVBMonthlyRent->setFocus();
}

void RvbPage::CalcRVB()
{
    host().AllowPrinting();
    host().setResetEnabled(true);

    RentVsBuyInputs in;
    in.monthlyRent = m_edtRVBMonthlyRent->value();
    in.rentIncrease = m_edtRVBRentIncrease->value();
    in.years = wholeFigure(m_edtRVBTerm);
    in.downPayment = m_edtRVBDownPayment->value();
    in.estimatedReturn = m_edtRVBEstimatedReturn->value();
    in.interestRate = m_edtRVBInterestRate->value();
    in.loanTermYears = m_edtRVBLoanTerm->value();
    in.incomeTax = m_edtRVBIncomeTax->value();
    in.propertyTax = m_edtRVBPropertyTax->value();
    in.appreciation = m_edtRVBPropertyAppreciation->value();
    in.annualMaintenance = m_edtRVBAnnualMaintenance->value();
    in.sellingCostPercent = m_edtRVBSellingCostPercent->value();
    const RentVsBuyResults out = CalcRentVsBuy(in);

    // Written only once every figure exists, in the order the page has
    // always filled them.
    m_edtRVBHousePrice->setValue(out.housePrice);
    m_edtRVBRentSpent->setValue(out.rentSpent);
    m_edtRVBInvestmentValue->setValue(out.investmentValue);
    m_edtRVBTaxDeductions->setValue(out.taxDeductions);
    m_edtRVBAppreciation->setValue(out.appreciation);
    m_edtRVBValueOfPurchase->setValue(out.valueOfPurchase);
    m_edtRVBValueOfRenting->setValue(out.valueOfRenting);
    // The gain from the renting figure as just stored.
    m_edtRVBGain->setValue(m_edtRVBValueOfPurchase->value() - m_edtRVBValueOfRenting->value());
}

void RvbPage::Reset()
{
    const QScopedValueRollback quiet(m_quiet, true);
    putDefaults();
    for (TNumEdit *result :
         {m_edtRVBRentSpent, m_edtRVBInvestmentValue, m_edtRVBHousePrice, m_edtRVBTaxDeductions,
          m_edtRVBAppreciation, m_edtRVBValueOfPurchase, m_edtRVBValueOfRenting, m_edtRVBGain})
        result->setValue(0);
    m_edtRVBMonthlyRent->setFocus();
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<RvbPage>> RvbPage::fields()
{
    using P = RvbPage;
    static constexpr PageField<P> table[] = {
        {"MonthlyRent", at<&P::m_edtRVBMonthlyRent>, FieldKind::Number},
        {"RentIncrease", at<&P::m_edtRVBRentIncrease>, FieldKind::Number},
        {"YearsBeforeMove", at<&P::m_edtRVBTerm>, FieldKind::Number},
        {"DownPayment", at<&P::m_edtRVBDownPayment>, FieldKind::Number},
        {"EstimatedReturn", at<&P::m_edtRVBEstimatedReturn>, FieldKind::Number},
        {"Interest", at<&P::m_edtRVBInterestRate>, FieldKind::Number},
        {"LoanTerm", at<&P::m_edtRVBLoanTerm>, FieldKind::Number},
        {"IncomeTax", at<&P::m_edtRVBIncomeTax>, FieldKind::Number},
        {"PropertyTax", at<&P::m_edtRVBPropertyTax>, FieldKind::Number},
        {"Appreciation", at<&P::m_edtRVBPropertyAppreciation>, FieldKind::Number},
        {"Maintenance", at<&P::m_edtRVBAnnualMaintenance>, FieldKind::Number},
        {"SellingCost", at<&P::m_edtRVBSellingCostPercent>, FieldKind::Number},
    };
    return table;
}

void RvbPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void RvbPage::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn
