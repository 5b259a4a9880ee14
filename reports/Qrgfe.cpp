#include "reports/Qrgfe.h"

#include "reports/CommonParts.h"
#include "reports/PageFields.h"
#include "reports/ValueFormats.h"

#include <array>

namespace clvn {

using namespace report;

namespace {

enum class Rule
{
    None,
    Single,
    Double
};

struct Row
{
    const char16_t *caption; // empty: the caption is a label filled from the page
    const char16_t *captionLabel;
    const char16_t *valueLabel;
    bool bold;
    Rule ruleAfter;
};

// The estimate top to bottom. Values are currency unless fill() says else.
constexpr std::array<Row, 39> kRows{{
    {u"Monthly Income", u"QRLabelIncome", u"lblPQIncome", false, Rule::None},
    {u"PURCHASE PRICE", u"QRLabelPurchasePrice", u"lblPQPurchasePrice", true, Rule::None},
    {u"Down Payment", u"QRLabelDownPayment", u"lblPQDownPayment", false, Rule::Single},
    {u"LOAN AMOUNT", u"QRLabelLoanAmount", u"lblPQLoanAmount", true, Rule::None},
    {u"Interest Rate", u"QRLabelInterest", u"lblPQInterest", false, Rule::None},
    {u"Term", u"QRLabelTerm", u"lblPQTerm", false, Rule::None},
    {u"Principal & Interest", u"QRLabelPandI", u"lblPQPandI", false, Rule::None},
    {u"Real Estate Taxes", u"QRLabelMonthlyTax", u"lblPQMonthlyTax", false, Rule::None},
    {u"Homeowner's Insurance", u"QRLabelMonthlyInsurance", u"lblPQMonthlyInsurance", false,
     Rule::None},
    {u"PMI (Private Mortgage Insurance)", u"QRLabelPmi", u"lblPQPmi", false, Rule::None},
    {u"Assocation Fee", u"QRLabelAssociationFee", u"lblPQAssociationFee", false, Rule::Single},
    {u"MONTHLY PAYMENT", u"QRLabelMonthlyPayment", u"lblPQMonthlyPayment", true, Rule::None},
    {u"Other Monthly Debt", u"QRLabelMonthlyDebt", u"lblPQMonthlyDebt", false, Rule::Double},
    {u"TOTAL MONTHLY DEBT", u"QRLabelTotalDebt", u"lblPQTotalDebt", false, Rule::None},
    {u"", u"lblPQOFee", u"lblPQOriginationFee", false, Rule::None},
    {u"", u"lblPQPoints", u"lblPQDiscountPoints", false, Rule::None},
    {u"Appraisal Fee", u"QRLabelAppraisalFee", u"lblPQAppraisalFee", false, Rule::None},
    {u"Credit Report Fee", u"QRLabelCreditReportFee", u"lblPQCreditReportFee", false, Rule::None},
    {u"Tax-related Service Fee", u"QRLabelUnderwritingFee", u"lblPQUnderwritingFee", false,
     Rule::None},
    {u"Lender's Inspection Fee", u"QRLabelAttorneyFee", u"lblPQAttorneyFee", false, Rule::None},
    {u"Title Insurance", u"QRLabelTitleInsurance", u"lblPQTitleInsurance", false, Rule::None},
    {u"Title Search", u"QRLabelMortgageRecordingFee", u"lblPQMortgageRecordingFee", false,
     Rule::None},
    {u"Escrow / Closing Fee", u"QRLabelTransferTax", u"lblPQTransferTax", false, Rule::None},
    {u"Recording Fee", u"QRLabelCertifiedPlotPlan", u"lblPQCertifiedPlotPlan", false, Rule::None},
    {u"PMI", u"QRLabelPMIFirstMonth", u"lblPQPMIFirstMonth", false, Rule::None},
    {u"Other Fees", u"QRLabelOther", u"lblPQOther", false, Rule::Single},
    {u"ESTIMATED CLOSING COSTS", u"QRLabelClosingCosts", u"lblPQClosingCosts", true, Rule::None},
    {u"Prepaid Interest", u"QRLabelPrepaidInterest", u"lblPQPrepaidInterest", false, Rule::None},
    {u"Real Estate Taxes", u"QRLabelRealEstateTaxes", u"lblPQRealEstateTaxes", false, Rule::None},
    {u"Homeowner's Insurance (First Year)", u"QRLabelHomeownersInsurance",
     u"lblPQHomeownersInsurance", false, Rule::None},
    {u"Homeowner's Insurance (Renewal)", u"QRLabelInsuranceRenewal", u"lblPQInsuranceRenewal",
     false, Rule::None},
    {u"PMI", u"QRLabelPMIRenewal", u"lblPQPMIRenewal", false, Rule::Single},
    {u"ESTIMATED ESCROWS", u"QRLabelEstimatedEscrows", u"lblPQEstimatedEscrows", true, Rule::None},
    {u"Estimated Down Payment", u"QRLabelDP", u"lblPQDP", false, Rule::None},
    {u"Estimated Closing Costs", u"QRLabelCC", u"lblPQCC", false, Rule::None},
    {u"Estimated Escrows", u"QRLabelEE", u"lblPQEE", false, Rule::Single},
    {u"TOTAL FUNDS TO CLOSE", u"QRLabelTotalFundsToClose", u"lblTotalFundsToClose", true,
     Rule::None},
    {u"(Minus) Seller Paid Costs", u"QRLabelSellerPaidCosts", u"lblSellerPaidCosts", false,
     Rule::Double},
    {u"TOTAL BUYER PAID FUNDS TO CLOSE", u"QRLabelBuyerPaidTotal", u"lblBuyerPaidTotal", true,
     Rule::None},
}};

// Value labels that copy one field in currency.
constexpr std::array<std::pair<const char16_t *, const char16_t *>, 31> kCurrencyValues{{
    {u"lblPQIncome", u"edtEccIncome"},
    {u"lblPQPurchasePrice", u"edtEccCPurchasePrice"},
    {u"lblPQDownPayment", u"edtEccCDownPayment"},
    {u"lblPQLoanAmount", u"edtEccCLoanAmount"},
    {u"lblPQPandI", u"edtEccCPandI"},
    {u"lblPQMonthlyTax", u"edtEccCMonthlyTax"},
    {u"lblPQMonthlyInsurance", u"edtEccCMonthlyInsurance"},
    {u"lblPQPmi", u"edtEccCpmi"},
    {u"lblPQAssociationFee", u"edtEccAssociationFee"},
    {u"lblPQMonthlyPayment", u"edtEccCMonthlyPayment"},
    {u"lblPQMonthlyDebt", u"edtEccDebt"},
    {u"lblPQOriginationFee", u"edtOriginationFee"},
    {u"lblPQDiscountPoints", u"edtLOF"},
    {u"lblPQAppraisalFee", u"edtAF"},
    {u"lblPQCreditReportFee", u"edtCR"},
    {u"lblPQUnderwritingFee", u"edtTSF"},
    {u"lblPQAttorneyFee", u"edtLPF"},
    {u"lblPQTitleInsurance", u"edtTIF"},
    {u"lblPQMortgageRecordingFee", u"edtTS"},
    {u"lblPQTransferTax", u"edtSTT"},
    {u"lblPQCertifiedPlotPlan", u"edtRF"},
    {u"lblPQPMIFirstMonth", u"edtEccCpmi"},
    {u"lblPQOther", u"edtOF"},
    {u"lblPQClosingCosts", u"edtEccCClosingCosts"},
    {u"lblPQPrepaidInterest", u"edtII"},
    {u"lblPQRealEstateTaxes", u"edtPTI"},
    {u"lblPQHomeownersInsurance", u"edtHOIP"},
    {u"lblPQInsuranceRenewal", u"edtHOII"},
    {u"lblPQPMIRenewal", u"edtPMII"},
    {u"lblPQEstimatedEscrows", u"edtEccCEscrows"},
    {u"lblSellerPaidCosts", u"edtSellerPaid"},
}};

constexpr std::array<std::pair<const char16_t *, const char16_t *>, 3> kRecap{{
    {u"lblPQDP", u"edtEccCDownPayment"},
    {u"lblPQCC", u"edtEccCClosingCosts"},
    {u"lblPQEE", u"edtEccCEscrows"},
}};

const char16_t *const kNote[] = {
    u"These results reflect an estimate of the costs ",
    u"you are likely to incur at or prior to the closing ",
    u"of your loan.  This is only an estimate.  The ",
    u"specific estimated fees listed may include ",
    u"items you will not be required to pay.  Also, ",
    u"you may be required to pay items which are ",
    u"not listed in this generic estimate.",
    u"",
    u"In other words, expect your actual charges to ",
    u"vary.",
    u"",
    u"The REAL ESTATE SETTLEMENT ",
    u"PROCEDURES ACT contains detailed ",
    u"guidelines regarding the information you must ",
    u"receive when you purchase real estate.",
    u"",
    u"Also, specific information about your rights is ",
    u"provided in the HUD Special Information ",
    u"Booklet which you must receive at closing.",
};

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

// Geometry of the right-hand column, in points from the band's left.
constexpr qreal kCaptionRight = 398;
constexpr qreal kValueLeft = 404;
constexpr qreal kValueWidth = 76;
constexpr qreal kRatioLeft = 486;
constexpr qreal kRowHeight = 13;

} // namespace

TQRGoodFaith::TQRGoodFaith() : m_rep(QStringLiteral("QRGoodFaith"))
{
    const qreal w = m_rep.contentWidth();
    addTitleBand(m_rep, QStringLiteral("Estimated Closing Costs"));

    ReportBand *band = m_rep.addBand(BandKind::PageHeader, QStringLiteral("BandPQ"), 560);
    const QFont noteFont = reportFont(px(11));
    qreal y = 6;
    int n = 0;
    for (const char16_t *line : kNote) {
        band->addLabel(QStringLiteral("lblNote%1").arg(++n), str(line), QRectF(0, y, 200, 11),
                       noteFont);
        y += 11;
    }

    const QFont plain = reportFont(px(12));
    const QFont bold = reportFont(px(12), true);
    const QFont small = reportFont(px(9));
    const qreal ratioWidth = w - kRatioLeft;
    auto rule = [&](const QString &name) {
        band->addHLine(name, y + 1.5, kValueLeft + 16, kValueLeft + kValueWidth);
    };
    y = 6;
    for (const Row &row : kRows) {
        const QFont &font = row.bold ? bold : plain;
        const QString valueLabel = str(row.valueLabel);
        if (valueLabel == u"lblPQDownPayment") {
            // The percentage stands just left of its caption.
            const qreal cw = textWidth(font, str(row.caption));
            band->addLabel(QStringLiteral("lblPQDownPaymentPercent"), QString(),
                           QRectF(kCaptionRight - cw - 60, y, 54, kRowHeight), font,
                           Qt::AlignRight);
        }
        if (valueLabel == u"lblPQMonthlyPayment" || valueLabel == u"lblPQTotalDebt") {
            const bool housing = valueLabel == u"lblPQMonthlyPayment";
            const QString what = housing ? QStringLiteral("Housing") : QStringLiteral("Debt");
            band->addLabel(QStringLiteral("QRLabelYourCalculated") + what,
                           QStringLiteral("Your Calculated"),
                           QRectF(kRatioLeft, y - 17, ratioWidth, 8.5), small, Qt::AlignHCenter);
            band->addLabel(QStringLiteral("QRLabel") + what + QStringLiteral("Ratio"),
                           what + QStringLiteral(" Ratio"),
                           QRectF(kRatioLeft, y - 8.5, ratioWidth, 8.5), small, Qt::AlignHCenter);
            band->addLabel(
                housing ? QStringLiteral("lblPQHousingRatio") : QStringLiteral("lblPQDebtRatio"),
                QString(), QRectF(kRatioLeft, y, ratioWidth, kRowHeight), font, Qt::AlignHCenter);
        }
        band->addLabel(str(row.captionLabel), str(row.caption),
                       QRectF(kCaptionRight - 200, y, 200, kRowHeight), font, Qt::AlignRight);
        band->addLabel(valueLabel, QString(), QRectF(kValueLeft, y, kValueWidth, kRowHeight), font,
                       Qt::AlignRight);
        y += kRowHeight;
        switch (row.ruleAfter) {
        case Rule::None:
            break;
        case Rule::Single:
            rule(valueLabel + QStringLiteral("Rule"));
            y += 4;
            break;
        case Rule::Double:
            rule(valueLabel + QStringLiteral("Rule1"));
            y += 2.5;
            rule(valueLabel + QStringLiteral("Rule2"));
            y += 4;
            break;
        }
    }
    band->setHeight(y + 6);

    addPageFooter(m_rep);
    m_rep.beforePrint = [this] { RepBeforePrint(); };
}

void TQRGoodFaith::RepBeforePrint()
{
    fillFooter(m_rep);
}

void TQRGoodFaith::fill(const QWidget *page)
{
    auto value = [page](const char16_t *field) { return fieldValue(page, str(field)); };
    for (const auto &[label, field] : kCurrencyValues)
        m_rep.setText(str(label), fmt::currency(value(field)));
    for (const auto &[label, field] : kRecap)
        m_rep.setText(str(label), fmt::currency(value(field)));

    m_rep.setText(QStringLiteral("lblPQDownPaymentPercent"),
                  fmt::percent(fmt::general(value(u"edtEccDownPaymentPercent"), 3)));
    m_rep.setText(QStringLiteral("lblPQInterest"),
                  fmt::percent(fmt::general(value(u"edtEccInterest"), 5)));
    m_rep.setText(QStringLiteral("lblPQTerm"), fmt::general(value(u"edtEccTerm")));
    m_rep.setText(QStringLiteral("lblPQHousingRatio"),
                  fmt::percent(fmt::general(value(u"edtEccCHousingRatio"), 3)));
    m_rep.setText(QStringLiteral("lblPQDebtRatio"),
                  fmt::percent(fmt::general(value(u"edtEccCDebtRatio"), 3)));
    m_rep.setText(QStringLiteral("lblPQOFee"),
                  QStringLiteral("Origination Fee  ") +
                      fmt::percent(fmt::general(value(u"edtEccOriginationPoints"), 3)));
    m_rep.setText(QStringLiteral("lblPQPoints"),
                  QStringLiteral("Discount Points  ") +
                      fmt::percent(fmt::general(value(u"edtEccDiscountPoints"), 3)));

    // The three sums use the fields' full values; only the result is rounded.
    const double totalDebt = value(u"edtEccDebt") + value(u"edtEccCMonthlyPayment");
    const double fundsToClose =
        value(u"edtEccCDownPayment") + value(u"edtEccCClosingCosts") + value(u"edtEccCEscrows");
    const double buyerPaid = fundsToClose - value(u"edtSellerPaid");
    m_rep.setText(QStringLiteral("lblPQTotalDebt"), fmt::currency(totalDebt));
    m_rep.setText(QStringLiteral("lblTotalFundsToClose"), fmt::currency(fundsToClose));
    m_rep.setText(QStringLiteral("lblBuyerPaidTotal"), fmt::currency(buyerPaid));
}

} // namespace clvn
