#pragma once

// The amortization schedule as a chart: the balance after each payment, the
// principal and interest paid to date, and with extra payments the same
// loan's balance without them as a dashed line. Drawn as the report engine's
// display-list items, so the page, the preview, the printer and PDF draw the
// very same chart. Coordinates are points.

#include "engine/Report.h"
#include "finance/MortLib.h"
#include "finance/Savings.h"

#include <QRectF>
#include <QSizeF>
#include <QString>

#include <vector>

namespace clvn {

// A payment drawn as a vertical line with a caption (where mortgage
// insurance may be cancelled, where it ends).
struct AmortChartMark
{
    int payment = 0;
    QString caption;
};

struct AmortChartData
{
    std::vector<TPayment> rows;          // the listed schedule, one row per payment
    std::vector<TPayment> withoutExtras; // the same loan without extras; empty when there are none
    double loan = 0;                     // the amount borrowed
    std::vector<AmortChartMark> marks;   // in the order their captions stack
};

// Where the plot landed, to map a position back to a payment.
struct AmortChartFrame
{
    QRectF plot;       // the plotting area, points
    int xPayments = 0; // payments across the x axis
};

// Names of the items, for whoever reads a display list.
namespace chart {
inline const QString Balance = QStringLiteral("chtBalance");
inline const QString PrincipalToDate = QStringLiteral("chtPrincipalToDate");
inline const QString InterestToDate = QStringLiteral("chtInterestToDate");
inline const QString BalanceWithoutExtras = QStringLiteral("chtBalanceWithoutExtras");
inline const QString YearLabel = QStringLiteral("chtYearLabel");
inline const QString PaymentLabel = QStringLiteral("chtPaymentLabel");
inline const QString MoneyLabel = QStringLiteral("chtMoneyLabel");
inline const QString Legend = QStringLiteral("chtLegend");
inline const QString Empty = QStringLiteral("chtEmpty");
inline const QString Mark = QStringLiteral("chtMark");
inline const QString MarkLabel = QStringLiteral("chtMarkLabel");
} // namespace chart

// The chart in a box of `size` points; `frame` receives the plot's place.
// With no rows it says so in the middle of the box.
std::vector<report::PageItem> drawAmortChart(const AmortChartData &data, const QSizeF &size,
                                             AmortChartFrame *frame = nullptr);

// The payment (1..rows) nearest to x in the frame's plot, or 0 outside it.
int paymentAt(const AmortChartFrame &frame, int rows, qreal x);

// "Payment 121 (year 11, month 1)" and the balance, principal and interest to
// date, one to a line, in the locale's currency.
QString paymentSummary(const TPayment &row);

// What extra payments change, in a sentence: interest saved to the cent and
// how many payments (years and months) sooner the loan ends.
QString savingsCaption(const ExtraPaymentSavings &savings);

} // namespace clvn
