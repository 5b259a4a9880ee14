#include "calculators/BwPage.h"

#include "calculators/PageControls.h"

#include "calculators/CalculatorHost.h"
#include "calculators/StateFields.h"
#include "finance/PayPlans.h"
#include "state/BuyerValues.h"
#include "widgets/FnpNumericEdit.h"
#include "widgets/Guard.h"
#include "widgets/NumEdit.h"

#include <QLabel>

#include <type_traits>

namespace clvn {

const QString BwPage::PageText = QStringLiteral(
    "Bi-weekly mortgage payments let you build equity more quickly than with monthly payments.  "
    "Making 26 bi-weekly payments each year, each of which is 1/2 of the 'monthly' payment "
    "retires your debt sooner and reduces the total interest you pay.");

namespace {

constexpr int PageWidth = 587;
constexpr int PageHeight = 380;

// Three result columns right of the row headings.
constexpr int ColumnX[3] = {160, 302, 444};
constexpr int ColumnWidth = 130;

} // namespace

BwPage::BwPage(CalculatorHost &host, QWidget *parent)
    : CalculatorPage(host, QStringLiteral("BW"), parent)
{
    setFixedSize(PageWidth, PageHeight);
    buildInputs();
    buildResults();

    calculateOnLeave({m_edtMortgageAmount, m_edtMortgageInterest, m_edtMortgagePeriods,
                      m_edtMortgagePayments, m_edtMortgageTotalPaid, m_edtMortgageCostOfLoan,
                      m_edtMortgageHalfPayments, m_edtMortgageHalfTotalPaid,
                      m_edtMortgageHalfCostOfLoan, m_edtInterestSaved},
                     [this] { CalcBW(); });
}

void BwPage::buildInputs()
{
    constexpr int labelX = 10;
    constexpr int fieldX = 150;
    constexpr int fieldW = 110;
    constexpr int top = 14;
    constexpr int step = 30;
    addLabel(this, QStringLiteral("Loan Amount"), QRect(labelX, top, 135, FieldHeight));
    m_edtMortgageAmount = addMoney(this, QStringLiteral("edtMortgageAmount"),
                                   QRect(fieldX, top, fieldW, FieldHeight), FactoryValues.Loan);
    addLabel(this, QStringLiteral("Interest Rate"), QRect(labelX, top + step, 135, FieldHeight));
    m_edtMortgageInterest =
        addNumber(this, QStringLiteral("EdtMortgageInterest"),
                  QRect(fieldX, top + step, fieldW, FieldHeight), 3, FactoryValues.Interest);
    addLabel(this, QStringLiteral("Number of Payments"),
             QRect(labelX, top + 2 * step, 135, FieldHeight));
    m_edtMortgagePeriods =
        addNumber(this, QStringLiteral("EdtMortgagePeriods"),
                  QRect(fieldX, top + 2 * step, fieldW, FieldHeight), 0, FactoryValues.Term);

    QLabel *text = addLabel(this, PageText, QRect(290, 10, 287, 84), Qt::AlignLeft | Qt::AlignTop);
    text->setObjectName(QStringLiteral("lblBWText"));
}

void BwPage::buildResults()
{
    struct Row
    {
        const char16_t *heading;
        const char16_t *captions[3];
    };
    static constexpr Row rows[3] = {
        {u"Standard Payments", {u"Monthly Payment", u"Total Paid", u"Interest Paid"}},
        {u"Biweekly Payments", {u"Biweekly Payment", u"Total Paid", u"Interest Paid"}},
        {u"Time and Money Saved", {u"Months Saved", u"Years Saved", u"Interest Saved"}},
    };
    constexpr int firstRow = 124;
    constexpr int rowStep = 64;
    for (int r = 0; r < 3; ++r) {
        const int y = firstRow + r * rowStep;
        addHeading(this, QString::fromUtf16(rows[r].heading), QRect(10, y + 18, 145, FieldHeight));
        for (int c = 0; c < 3; ++c)
            addLabel(this, QString::fromUtf16(rows[r].captions[c]),
                     QRect(ColumnX[c], y, ColumnWidth, 16), Qt::AlignHCenter | Qt::AlignBottom);
    }
    const auto at = [](int row, int column) {
        return QRect(ColumnX[column], firstRow + row * rowStep + 18, ColumnWidth, FieldHeight);
    };
    m_edtMortgagePayments = addMoneyResult(this, QStringLiteral("edtMortgagePayments"), at(0, 0));
    m_edtMortgageTotalPaid = addMoneyResult(this, QStringLiteral("edtMortgageTotalPaid"), at(0, 1));
    m_edtMortgageCostOfLoan =
        addMoneyResult(this, QStringLiteral("edtMortgageCostOfLoan"), at(0, 2));
    m_edtMortgageHalfPayments =
        addMoneyResult(this, QStringLiteral("edtMortgageHalfPayments"), at(1, 0));
    m_edtMortgageHalfTotalPaid =
        addMoneyResult(this, QStringLiteral("edtMortgageHalfTotalPaid"), at(1, 1));
    m_edtMortgageHalfCostOfLoan =
        addMoneyResult(this, QStringLiteral("edtMortgageHalfCostOfLoan"), at(1, 2));
    // Results like every other: a printout must not show figures typed here.
    m_edtTimeSavedMonths = addNumber(this, QStringLiteral("EdtTimeSavedMonths"), at(2, 0), 2, 0);
    m_edtTimeSavedMonths->setResultField(true);
    m_edtTimeSavedYears = addNumber(this, QStringLiteral("EdtTimeSavedYears"), at(2, 1), 2, 0);
    m_edtTimeSavedYears->setResultField(true);
    m_edtInterestSaved = addMoneyResult(this, QStringLiteral("edtInterestSaved"), at(2, 2));
}

void BwPage::enter()
{
    guard([this] {
        host().AllowPrinting();
        host().setResetEnabled(true);
        putBackStoredLoan(m_edtMortgageAmount, m_edtMortgageInterest, m_edtMortgagePeriods);
        m_edtMortgageAmount->setFocus();
    });
}

void BwPage::Reset()
{
    putBackStoredLoan(m_edtMortgageAmount, m_edtMortgageInterest, m_edtMortgagePeriods);
    CalcBW();
}

void BwPage::CalcBW()
{
    host().AllowPrinting();
    BiweeklyInputs in;
    in.loan = m_edtMortgageAmount->value();
    in.ratePercent = m_edtMortgageInterest->value();
    in.term = m_edtMortgagePeriods->asInteger();
    BiweeklyResults r = CalcBiweekly(in);

    // Everything succeeded: only now is anything shown or shared.
    m_edtMortgagePayments->setValue(r.payment);
    m_edtMortgageTotalPaid->setValue(r.totalPaid);
    m_edtMortgageCostOfLoan->setValue(r.costOfLoan);
    m_edtMortgageHalfPayments->setValue(r.halfPayment);
    m_edtMortgageHalfTotalPaid->setValue(r.halfTotalPaid);
    m_edtMortgageHalfCostOfLoan->setValue(r.halfCostOfLoan);
    m_edtTimeSavedMonths->setValue(r.monthsSaved);
    m_edtTimeSavedYears->setValue(r.yearsSaved);
    m_edtInterestSaved->setValue(r.interestSaved);
    host().mortgage() = std::move(r.schedule);
}

// ---- State -----------------------------------------------------------------

std::span<const PageField<BwPage>> BwPage::fields()
{
    using P = BwPage;
    static constexpr PageField<P> table[] = {
        {"Loan", at<&P::m_edtMortgageAmount>, FieldKind::Number},
        {"Interest", at<&P::m_edtMortgageInterest>, FieldKind::Number},
        {"Term", at<&P::m_edtMortgagePeriods>, FieldKind::Number},
    };
    return table;
}

void BwPage::saveState(PageState &state) const
{
    writeFields(state, fields(), *this);
}

void BwPage::restoreState(const PageState &state)
{
    readFields(state, fields(), *this);
}

} // namespace clvn
