#include "reports/Qrchart.h"

#include "reports/CommonParts.h"
#include "reports/PageFields.h"
#include "reports/ValueFormats.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <QVariant>

#include <algorithm>
#include <stdexcept>

namespace clvn {

using namespace report;

namespace {

constexpr qreal kFirstBoxWidth = 72;
constexpr qreal kBoxWidth = 66;
constexpr qreal kDetailHeight = 16;
constexpr qreal kCaptionWidth = 96;
constexpr qreal kLineStep = 15;

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

QString property(const QWidget *page, const char *name)
{
    return page ? page->property(name).toString() : QString();
}

} // namespace

TQRPaymentChart::TQRPaymentChart() : m_rep(QStringLiteral("QRPaymentChart"))
{
    const qreal w = m_rep.contentWidth();
    ReportBand *title = addTitleBand(m_rep, QStringLiteral("Chart of Monthly Payments"));
    title->beforePrint = [this] { TitleBeforePrint(); };

    ReportBand *header = m_rep.addBand(BandKind::PageHeader, QStringLiteral("PageHeader"), 82);
    const QFont plain = reportFont(px(13));
    const QFont bold = reportFont(px(13), true);
    const char16_t *captions[] = {u"lbl1", u"lbl2", u"lbl3"};
    const char16_t *values[] = {u"lblOne", u"lblTwo", u"lblThree"};
    for (int k = 0; k < 3; ++k) {
        const qreal y = 4 + k * kLineStep;
        header->addLabel(str(captions[k]), QString(), QRectF(0, y, kCaptionWidth, 13), plain,
                         Qt::AlignRight);
        header->addLabel(str(values[k]), QString(), QRectF(kCaptionWidth + 5, y, 150, 13), bold);
    }
    const qreal valueWidth = 100;
    const qreal captionRight = w - valueWidth - 5;
    header->addLabel(QStringLiteral("lblInterestPaidCaption"),
                     QStringLiteral("Total Interest Paid:"), QRectF(captionRight - 130, 4, 130, 13),
                     plain, Qt::AlignRight);
    header->addLabel(QStringLiteral("lblInterestPaid"), QString(),
                     QRectF(w - valueWidth, 4, valueWidth, 13), bold, Qt::AlignRight);
    header->addLabel(QStringLiteral("lblTotalPaidCaption"), QStringLiteral("Total Amount Paid:"),
                     QRectF(captionRight - 130, 4 + kLineStep, 130, 13), plain, Qt::AlignRight);
    header->addLabel(QStringLiteral("lblTotalPaid"), QString(),
                     QRectF(w - valueWidth, 4 + kLineStep, valueWidth, 13), bold, Qt::AlignRight);
    header->addHLine(QStringLiteral("HeaderRule"), 52, 0, w);
    // Two 300-pixel captions, each centred on its half of the page.
    const qreal half = w / 2;
    const qreal captionWidth = px(300);
    header->addLabel(QStringLiteral("lblX"), QString(),
                     QRectF((half - captionWidth) / 2, 58, captionWidth, 14), plain,
                     Qt::AlignHCenter);
    header->addLabel(QStringLiteral("lblY"), QString(),
                     QRectF(half + (half - captionWidth) / 2, 58, captionWidth, 14), plain,
                     Qt::AlignHCenter);
    header->beforePrint = [this] { PageHeaderBeforePrint(); };

    ReportBand *detail = m_rep.addBand(BandKind::Detail, QStringLiteral("Detail"), kDetailHeight);
    const QFont cell = reportFont(px(12));
    qreal x = (w - kFirstBoxWidth - (ColumnCount - 1) * kBoxWidth) / 2;
    for (int c = 0; c < ColumnCount; ++c) {
        const qreal bw = c == 0 ? kFirstBoxWidth : kBoxWidth;
        detail->addRect(QStringLiteral("shpColumn%1").arg(c + 1), QRectF(x, 0, bw, kDetailHeight));
        detail->addLabel(QStringLiteral("lblColumn%1").arg(c + 1), QString(),
                         QRectF(x + 1, 0, bw - 2, kDetailHeight), cell, Qt::AlignCenter);
        x += bw;
    }

    addPageFooter(m_rep);
    m_rep.beforePrint = [this] { RepBeforePrint(); };
    m_rep.needData = [this] { return RepNeedData(); };
}

int TQRPaymentChart::chartKind() const
{
    const int kind = m_page ? m_page->property("SpreadMode").toInt() : 0;
    return std::clamp(kind, 0, 3);
}

void TQRPaymentChart::RepBeforePrint()
{
    // The grid's heading row prints too: the first row is row 0.
    m_row = 0;
    fillFooter(m_rep);
}

void TQRPaymentChart::TitleBeforePrint()
{
    static const char16_t *titles[] = {u"Chart of Monthly Payments", u"Chart of Loan Amounts",
                                       u"Chart of Interest Rates", u"Chart of Terms in Months"};
    m_rep.setText(QStringLiteral("lblTitle"), str(titles[chartKind()]));
}

void TQRPaymentChart::PageHeaderBeforePrint()
{
    const QWidget *page = m_page;
    const auto loan = [page] {
        return std::pair<QString, QString>(
            QStringLiteral("Loan Amount:"),
            fmt::currency(fieldValue(page, QStringLiteral("edtLoan"))));
    };
    const auto rate = [page] {
        return std::pair<QString, QString>(
            QStringLiteral("Interest Rate:"),
            fmt::percent(fmt::general(fieldValue(page, QStringLiteral("EdtInterest")))));
    };
    const auto term = [page] {
        return std::pair<QString, QString>(
            QStringLiteral("Term:"),
            fmt::general(fieldValue(page, QStringLiteral("EdtTerm"))) + QStringLiteral(" months"));
    };
    const auto payment = [page] {
        return std::pair<QString, QString>(
            QStringLiteral("Payment:"),
            fmt::currency(fieldValue(page, QStringLiteral("edtPayment"))));
    };
    const QString loans =
        QStringLiteral("Loan Amounts incremented by ") + property(page, "LoanIncrementText");
    const QString rates =
        QStringLiteral("Interest Rates incremented by ") + property(page, "RateIncrementText");
    const QString payments =
        QStringLiteral("Payment Amounts incremented by ") + property(page, "PaymentIncrementText");

    std::pair<QString, QString> lines[3];
    QString x;
    QString y;
    switch (chartKind()) {
    case 0:
        lines[0] = loan();
        lines[1] = rate();
        lines[2] = term();
        x = loans;
        y = rates;
        break;
    case 1:
        lines[0] = term();
        lines[1] = rate();
        lines[2] = payment();
        x = payments;
        y = rates;
        break;
    case 2:
        lines[0] = loan();
        lines[1] = payment();
        lines[2] = term();
        x = loans;
        y = payments;
        break;
    default:
        lines[0] = loan();
        lines[1] = rate();
        lines[2] = payment();
        x = loans;
        y = payments;
        break;
    }
    const char16_t *captions[] = {u"lbl1", u"lbl2", u"lbl3"};
    const char16_t *values[] = {u"lblOne", u"lblTwo", u"lblThree"};
    for (int k = 0; k < 3; ++k) {
        m_rep.setText(str(captions[k]), lines[k].first);
        m_rep.setText(str(values[k]), lines[k].second);
    }
    m_rep.setText(QStringLiteral("lblX"), x);
    m_rep.setText(QStringLiteral("lblY"), y);
    m_rep.setText(QStringLiteral("lblInterestPaid"),
                  fmt::currency(fieldValue(page, QStringLiteral("edtInterestPaid"))));
    m_rep.setText(QStringLiteral("lblTotalPaid"),
                  fmt::currency(fieldValue(page, QStringLiteral("edtTotalPaid"))));
}

bool TQRPaymentChart::RepNeedData()
{
    const auto *grid =
        qobject_cast<const QTableView *>(pageWidget(m_page, QStringLiteral("grdLS")));
    if (!grid || !grid->model())
        throw std::runtime_error("the loan spread page has no grid grdLS");
    const QAbstractItemModel *model = grid->model();
    const int rows = model->rowCount();
    for (int c = 0; c < ColumnCount; ++c) {
        const QString text =
            m_row < rows ? model->index(m_row, c).data(Qt::DisplayRole).toString() : QString();
        m_rep.setText(QStringLiteral("lblColumn%1").arg(c + 1), text);
    }
    ++m_row;
    return rows >= m_row;
}

} // namespace clvn
