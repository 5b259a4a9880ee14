#include "reports/Qrgrid.h"

#include "reports/CommonParts.h"
#include "reports/PageFields.h"

#include <QAbstractItemModel>
#include <QTableView>

#include <array>
#include <stdexcept>

namespace clvn {

using namespace report;

namespace {

struct Column
{
    const char16_t *heading;
    const char16_t *label;
    qreal width;
};

// Widths in points; together the width between Letter's half-inch margins.
constexpr std::array<Column, TQRAmortization::ColumnCount> kColumns{{
    {u"Payment Number", u"LblPaymentNumber", 60},
    {u"Principal", u"LblPrincipal", 80},
    {u"Interest", u"LblInterest", 70},
    {u"Principal Paid To Date", u"LblPrincipalSoFar", 85},
    {u"Interest Paid To Date", u"LblInterestSoFar", 85},
    {u"Extra Principal", u"LblExtraPrincipal", 75},
    {u"BALANCE", u"LblBalance", 85},
}};

struct Figure
{
    const char16_t *caption;
    const char16_t *label;
    const char16_t *field;
    qreal valueWidth;
};

constexpr std::array<Figure, 4> kFigures{{
    {u"Loan Amount:", u"lblMortgageAmt", u"edtMortAmt", 74},
    {u"Interest Rate:", u"lblIRate", u"EdtIRate", 42},
    {u"Number of Payments:", u"lblNumPmts", u"EdtNumPmts", 32},
    {u"Payment Amount:", u"lblPaymentAmt", u"edtAmortPayment", 66},
}};

constexpr qreal kDetailHeight = 11.5;

QString str(const char16_t *s)
{
    return QString::fromUtf16(s);
}

} // namespace

void addLoanFigures(ReportBand *band, qreal y)
{
    const QFont caption = reportFont(px(11));
    const QFont value = reportFont(px(13), true);
    // The four figures flow from the left, each caption as wide as its text.
    qreal x = 0;
    for (const Figure &f : kFigures) {
        const qreal cw = textWidth(caption, str(f.caption));
        band->addLabel(str(f.caption) + QStringLiteral("Caption"), str(f.caption),
                       QRectF(x, y, cw, 16), caption);
        band->addLabel(str(f.label), QString(), QRectF(x + cw + 4, y, f.valueWidth, 16), value);
        x += cw + 4 + f.valueWidth + 14;
    }
}

void addMortgageInsuranceBlock(Report &report)
{
    // Room for three lines: the longest block (with extra payments) takes them.
    ReportBand *band = report.addBand(BandKind::Title, QStringLiteral("MortgageInsurance"), 48);
    ReportElement *text = band->addLabel(QStringLiteral("lblMISummary"), QString(),
                                         QRectF(0, 6, report.contentWidth(), 40),
                                         reportFont(px(12)), Qt::AlignLeft | Qt::AlignTop);
    text->wordWrap = true;
}

void fillMortgageInsuranceBlock(Report &report, const QWidget *amortPage)
{
    const QString summary =
        amortPage ? amortPage->property(kMortgageInsuranceSummary).toString() : QString();
    report.setText(QStringLiteral("lblMISummary"), summary);
    report.band(QStringLiteral("MortgageInsurance"))->setEnabled(!summary.isEmpty());
}

void fillLoanFigures(Report &report, const QWidget *amortPage)
{
    // The figures as the page shows them, separators and decimals included.
    for (const Figure &f : kFigures)
        report.setText(str(f.label), fieldText(amortPage, str(f.field)));
}

TQRAmortization::TQRAmortization() : m_rep(QStringLiteral("QRAmortization"))
{
    const qreal w = m_rep.contentWidth();
    addTitleBand(m_rep, QStringLiteral("Loan Amortization Schedule"));
    addMortgageInsuranceBlock(m_rep);

    ReportBand *header = m_rep.addBand(BandKind::PageHeader, QStringLiteral("PageHeader"), 58);
    header->addHLine(QStringLiteral("HeaderRule1"), 1, 0, w);
    const QFont caption = reportFont(px(11));
    addLoanFigures(header, 5);
    header->addHLine(QStringLiteral("HeaderRule2"), 25, 0, w);
    qreal x = 0;
    for (const Column &c : kColumns) {
        ReportElement *e =
            header->addLabel(str(c.label) + QStringLiteral("Heading"), str(c.heading),
                             QRectF(x, 28, c.width, 24), caption, Qt::AlignCenter);
        e->wordWrap = true;
        x += c.width;
    }
    header->addHLine(QStringLiteral("HeaderRule3"), 55, 0, w);
    header->beforePrint = [this] { PageHeaderBeforePrint(); };

    ReportBand *detail = m_rep.addBand(BandKind::Detail, QStringLiteral("Detail"), kDetailHeight);
    x = 0;
    for (const Column &c : kColumns) {
        // Figures end a little short of the column's edge, under the heading.
        detail->addLabel(str(c.label), QString(), QRectF(x, 0, c.width - 8, kDetailHeight), caption,
                         Qt::AlignRight);
        x += c.width;
    }

    addPageFooter(m_rep, true);
    m_rep.beforePrint = [this] { RepBeforePrint(); };
    m_rep.needData = [this] { return RepNeedData(); };
}

void TQRAmortization::RepBeforePrint()
{
    // The grid's headings are its header, not a row: the first row to print
    // is row 0.
    m_row = 0;
    fillFooter(m_rep);
    fillMortgageInsuranceBlock(m_rep, m_page);
}

void TQRAmortization::PageHeaderBeforePrint()
{
    fillLoanFigures(m_rep, m_page);
}

bool TQRAmortization::RepNeedData()
{
    const auto *grid =
        qobject_cast<const QTableView *>(pageWidget(m_page, QStringLiteral("grdAmortization")));
    if (!grid || !grid->model())
        throw std::runtime_error("the amortization page has no grid grdAmortization");
    const QAbstractItemModel *model = grid->model();
    const int rows = model->rowCount();
    for (int c = 0; c < ColumnCount; ++c) {
        const QString text =
            m_row < rows ? model->index(m_row, c).data(Qt::DisplayRole).toString() : QString();
        m_rep.setText(str(kColumns[std::size_t(c)].label), text);
    }
    ++m_row;
    return rows >= m_row;
}

} // namespace clvn
