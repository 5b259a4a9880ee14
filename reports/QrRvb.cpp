#include "reports/QrRvb.h"

#include "reports/CommonParts.h"
#include "reports/PageFields.h"
#include "reports/ValueFormats.h"

#include <QList>

#include <array>
#include <utility>

namespace clvn {

using namespace report;

namespace {

enum class Form
{
    Currency,
    General,
    PercentGeneral3
};

struct Row
{
    const char16_t *caption;
    const char16_t *label;
    const char16_t *field;
    Form form;
};

// The worksheet top to bottom. Its captions are its own, not the page's.
constexpr std::array<Row, TQRRentVsBuy::RowCount> kRows{{
    {u"Current Monthly Rent:", u"lblRVBMonthlyRent", u"edtRVBMonthlyRent", Form::Currency},
    {u"Estimated Annual Rent Increase Percentage:", u"lblRVBRentIncrease", u"edtRVBRentIncrease",
     Form::PercentGeneral3},
    {u"Years Before You Will Move:", u"lblRVBTerm", u"edtRVBTerm", Form::General},
    {u"Total You Will Spend on Rent:", u"lblRVBRentSpent", u"edtRVBRentSpent", Form::Currency},
    {u"Cash Available for Downpayment:", u"lblRVBDownpayment", u"edtRVBDownPayment",
     Form::Currency},
    {u"Estimated Annual Return if Invested:", u"lblRVBEstimatedReturn", u"edtRVBEstimatedReturn",
     Form::PercentGeneral3},
    {u"Value of Investment:", u"lblRVBInvestmentValue", u"edtRVBInvestmentValue", Form::Currency},
    {u"Interest Rate of Home Loan:", u"lblRVBInterestRate", u"edtRVBInterestRate",
     Form::PercentGeneral3},
    {u"Term of Home Loan in Years:", u"lblRVBLoanTerm", u"edtRVBLoanTerm", Form::General},
    {u"Price of Home You Can Afford at Your Current Rent Payment:", u"lblRVBHousePrice",
     u"edtRVBHousePrice", Form::Currency},
    {u"Personal Income Tax Rate % (Include Federal + State):", u"lblRVBIncomeTax",
     u"edtRVBIncomeTax", Form::PercentGeneral3},
    {u"Annual Real Estate Tax Rate:", u"lblRVBPropertyTax", u"edtRVBPropertyTax",
     Form::PercentGeneral3},
    {u"Total of Interest Tax Deductions:", u"lblRVBTaxDeductions", u"edtRVBTaxDeductions",
     Form::Currency},
    {u"Property Appreciation Rate:", u"lblRVBPropertyAppreciation", u"edtRVBPropertyAppreciation",
     Form::PercentGeneral3},
    {u"Appreciation of Property:", u"lblRVBAppreciation", u"edtRVBAppreciation", Form::Currency},
    {u"Estimated Annual Home Maintenance Expenses:", u"lblRVBAnnualMaintenance",
     u"edtRVBAnnualMaintenance", Form::Currency},
    {u"Estimated Selling Costs as a Percentage of House Value:", u"lblRVBSellingCostPercent",
     u"edtRVBSellingCostPercent", Form::PercentGeneral3},
    {u"Effective Gain of Owning:", u"lblRVBValueOfPurchase", u"edtRVBValueOfPurchase",
     Form::Currency},
    {u"Actual Cost of Renting:", u"lblRVBValueOfRenting", u"edtRVBValueOfRenting", Form::Currency},
    {u"Effective Gain of Owning vs. Renting:", u"lblRVBGain", u"edtRVBGain", Form::Currency},
}};

QString u16(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// Where the captions end and the values begin, in points from the left.
constexpr qreal kCaptionRight = 380;
constexpr qreal kValueWidth = 110;
constexpr qreal kRowStep = 27;

} // namespace

TQRRentVsBuy::TQRRentVsBuy() : m_rep(QStringLiteral("QRRentVsBuy"))
{
    addTitleBand(m_rep, QStringLiteral("Rent vs. Buy Comparison"));
    ReportBand *band =
        m_rep.addBand(BandKind::PageHeader, QStringLiteral("BandRVB"), kRowStep * RowCount + 20);
    const QFont plain = reportFont(px(12));
    const QFont bold = reportFont(px(12), true);
    qreal y = 12;
    int n = 0;
    for (const Row &row : kRows) {
        band->addLabel(QStringLiteral("QRLabelRVB%1").arg(++n), u16(row.caption),
                       QRectF(0, y, kCaptionRight, 15), plain, Qt::AlignRight);
        band->addLabel(u16(row.label), QString(), QRectF(kCaptionRight + 8, y, kValueWidth, 15),
                       bold, Qt::AlignRight);
        y += kRowStep;
    }
    addPageFooter(m_rep);
    m_rep.beforePrint = [this] { RepBeforePrint(); };
}

void TQRRentVsBuy::RepBeforePrint()
{
    fillFooter(m_rep);
}

void TQRRentVsBuy::fill(const QWidget *page)
{
    QList<std::pair<QString, QString>> texts;
    for (const Row &row : kRows) {
        const double v = fieldValue(page, u16(row.field));
        QString text;
        switch (row.form) {
        case Form::Currency:
            text = fmt::currency(v);
            break;
        case Form::General:
            text = fmt::general(v);
            break;
        case Form::PercentGeneral3:
            text = fmt::percent(fmt::general(v, 3));
            break;
        }
        texts.append({u16(row.label), text});
    }
    for (const auto &[label, text] : texts)
        m_rep.setText(label, text);
}

} // namespace clvn
