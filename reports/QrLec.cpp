#include "reports/QrLec.h"

#include "reports/CommonParts.h"
#include "reports/PageFields.h"

#include <QLabel>
#include <QTableWidget>

#include <array>
#include <stdexcept>

namespace clvn {

using namespace report;

namespace {

constexpr qreal kRowH = 11;
constexpr qreal kVerdictH = 30;
// The columns' shares of the width: figure, as typed, recomputed, verdict, rule.
constexpr std::array<qreal, TQRLec::Columns> kShares = {0.28, 0.12, 0.17, 0.1, 0.33};

QString cellName(int row, int column)
{
    return QStringLiteral("lblLecCheck%1_%2").arg(row).arg(column);
}

} // namespace

TQRLec::TQRLec() : m_rep(QStringLiteral("QRLec"))
{
    const qreal w = m_rep.contentWidth();
    addTitleBand(m_rep, QStringLiteral("Check a Loan Estimate"));
    ReportBand *detail = m_rep.addBand(BandKind::Detail, QStringLiteral("Detail"),
                                       kVerdictH + (MaxRows + 1) * kRowH + 8);
    ReportElement *verdict =
        detail->addLabel(QStringLiteral("lblLecVerdict"), QString(), QRectF(0, 0, w, kVerdictH),
                         reportFont(px(12)), Qt::AlignLeft | Qt::AlignTop);
    verdict->wordWrap = true;
    const QFont plain = reportFont(px(9));
    const QFont bold = reportFont(px(9), true);
    for (int r = 0; r <= MaxRows; ++r) {
        qreal x = 0;
        for (int c = 0; c < Columns; ++c) {
            const qreal cw = w * kShares[std::size_t(c)];
            detail->addLabel(cellName(r, c), QString(),
                             QRectF(x, kVerdictH + r * kRowH, cw - 4, kRowH), r == 0 ? bold : plain,
                             c == 1 || c == 2 ? Qt::AlignRight | Qt::AlignVCenter
                                              : Qt::AlignLeft | Qt::AlignVCenter);
            x += cw;
        }
    }
    detail->beforePrint = [this] { DetailBeforePrint(); };

    addPageFooter(m_rep);
    m_rep.beforePrint = [this] { fillFooter(m_rep); };
}

void TQRLec::DetailBeforePrint()
{
    const auto *grid =
        qobject_cast<const QTableWidget *>(pageWidget(m_page, QStringLiteral("grdLecCheck")));
    const auto *verdict =
        qobject_cast<const QLabel *>(pageWidget(m_page, QStringLiteral("lblLecVerdict")));
    if (!grid || !verdict)
        throw std::runtime_error("the Loan Estimate page lacks its checks");
    m_rep.setText(QStringLiteral("lblLecVerdict"), verdict->text());
    for (int c = 0; c < Columns; ++c) {
        const QTableWidgetItem *head = grid->horizontalHeaderItem(c);
        m_rep.setText(cellName(0, c), head ? head->text() : QString());
    }
    for (int r = 0; r < MaxRows; ++r)
        for (int c = 0; c < Columns; ++c) {
            const QTableWidgetItem *item = r < grid->rowCount() ? grid->item(r, c) : nullptr;
            m_rep.setText(cellName(r + 1, c), item ? item->text() : QString());
        }
}

} // namespace clvn
