#include "reports/QrHsp.h"

#include "reports/CommonParts.h"
#include "reports/PageFields.h"
#include "reports/ValueFormats.h"

#include <QComboBox>

#include <array>
#include <stdexcept>

namespace clvn {

using namespace report;

namespace {

struct Row
{
    const char16_t *caption;
    const char16_t *label;
    const char16_t *field; // a money field printed in currency unless fill() says else
};

constexpr std::array<Row, TQRHomeSellersProceeds::RowCount> kRows{{
    {u"House Sales Price:", u"qrlblHouseSalesPrice", u"edtHSPHouseSalesPrice"},
    {u"First Loan Balance:", u"qrlblFirstLoanBalance", u"edtHSPFirstLoanBalance"},
    {u"Second Loan Balance:", u"qrlblSecondLoanBalance", u"edtHSPSecondLoanBalance"},
    {u"Other Loans:", u"qrlblOtherLoans", u"edtHSPOtherLoans"},
    {u"Estimated Closing Month:", u"qrlblEstimatedClosingMonth", u"cbHSPClosingMonth"},
    {u"Annual Property Taxes:", u"qrlblAnnualPropertyTaxes", u"edtHSPPropertyTaxes"},
    {u"Property Taxes Paid:", u"qrlblPropertyTaxesPaid", u"edtHSPPropertyTaxesPaid"},
    {u"Transfer Taxes:", u"qrlblTransferTaxes", u"edtHSPTransferTaxPercent"},
    {u"Transfer Taxes Paid:", u"qrlblTransferTaxesPaid", u"edtHSPTransferTaxesPaid"},
    {u"Sales Commission:", u"qrlblSalesCommission", u"edtHSPSalesCommission"},
    {u"Other Sales Commission:", u"qrlblOtherSalesCommission", u"edtHSPOtherSalesCommission"},
    {u"Other Fees:", u"qrlblOtherFees", u"edtHSPOtherFees"},
    {u"COSTS:", u"qrlblCosts", u"edtHSPCosts"},
    {u"NET GAIN:", u"qrlblNetGain", u"edtHSPNetGain"},
}};

constexpr qreal kRowHeight = 14;
constexpr qreal kRowStep = 20;
constexpr qreal kCaptionRight = 300;
constexpr qreal kValueLeft = 306;
constexpr qreal kValueWidth = 110;

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

} // namespace

TQRHomeSellersProceeds::TQRHomeSellersProceeds() : m_rep(QStringLiteral("QRHomeSellersProceeds"))
{
    const qreal w = m_rep.contentWidth();
    addTitleBand(m_rep, QStringLiteral("Home Seller's Proceeds"));

    ReportBand *band = m_rep.addBand(BandKind::PageHeader, QStringLiteral("PageHeader"), 400);
    const QFont text = reportFont(px(13));
    const QString lines[] = {
        QStringLiteral("Before selling a home, the primary question for the seller is, ") +
            QStringLiteral("\"What will I have when the deal is complete?\""),
        QString(),
        QStringLiteral("This is an estimate of the Net Gain after the costs of selling a home have "
                       "been subtracted from the Sales Price."),
    };
    qreal y = 6;
    for (int k = 0; k < 3; ++k) {
        band->addLabel(QStringLiteral("lblText%1").arg(k + 1), lines[k], QRectF(0, y, w, 14), text,
                       Qt::AlignHCenter);
        y += 15;
    }
    y += 14;
    band->addLabel(QStringLiteral("lblHeading"),
                   QStringLiteral("What's the Net Gain After the Sale?"), QRectF(0, y, w, 18),
                   reportFont(px(16), true), Qt::AlignHCenter);
    y += 34;

    const QFont caption = reportFont(px(13));
    const QFont value = reportFont(px(13), true);
    const qreal bracketLeft = kValueLeft + kValueWidth + 8;
    const qreal bracketRight = bracketLeft + 14;
    qreal bracketTop = 0;
    for (std::size_t k = 0; k < kRows.size(); ++k) {
        const Row &row = kRows[k];
        const QString label = str(row.label);
        // The net gain sits in a frame just around its caption and value.
        const bool framed = label == u"qrlblNetGain";
        const qreal captionWidth = framed ? 100 : 200;
        if (framed) {
            y += 8;
            const qreal left = kCaptionRight - captionWidth - 6;
            band->addRect(QStringLiteral("shpNetGain"),
                          QRectF(left, y - 4, kValueLeft + kValueWidth + 6 - left, kRowHeight + 8));
        }
        band->addLabel(label + QStringLiteral("Caption"), str(row.caption),
                       QRectF(kCaptionRight - captionWidth, y, captionWidth, kRowHeight), caption,
                       Qt::AlignRight);
        band->addLabel(label, QString(), QRectF(kValueLeft, y, kValueWidth, kRowHeight), value,
                       Qt::AlignRight);
        const qreal middle = y + kRowHeight / 2;
        if (k == 0) {
            bracketTop = middle;
            band->addHLine(QStringLiteral("shpBracketTop"), middle, bracketLeft, bracketRight);
        }
        if (label == u"qrlblCosts") {
            band->addHLine(QStringLiteral("shpBracketBottom"), middle, bracketLeft, bracketRight);
            // A rectangle without width draws the bracket's upright.
            band->addRect(QStringLiteral("shpBracketSide"),
                          QRectF(bracketRight, bracketTop, 0, middle - bracketTop));
        }
        y += kRowStep;
    }
    band->setHeight(y + 10);

    addPageFooter(m_rep);
    m_rep.beforePrint = [this] { repBeforePrint(); };
}

void TQRHomeSellersProceeds::repBeforePrint()
{
    fillFooter(m_rep);
}

void TQRHomeSellersProceeds::fill(const QWidget *page)
{
    // Every value is read before any label changes.
    std::array<QString, RowCount> texts;
    for (std::size_t k = 0; k < kRows.size(); ++k) {
        const QString field = str(kRows[k].field);
        if (field == u"cbHSPClosingMonth") {
            const auto *box = qobject_cast<const QComboBox *>(pageWidget(page, field));
            if (!box)
                throw std::runtime_error("the seller's page has no month list cbHSPClosingMonth");
            texts[k] = box->currentText();
        } else if (field == u"edtHSPTransferTaxPercent") {
            texts[k] = fmt::percent(fmt::general(fieldValue(page, field), 10));
        } else {
            texts[k] = fmt::currency(fieldValue(page, field));
        }
    }
    for (std::size_t k = 0; k < kRows.size(); ++k)
        m_rep.setText(str(kRows[k].label), texts[k]);
}

} // namespace clvn
