#include "calculators/AmortChart.h"

#include "engine/Drawing.h"
#include "widgets/Format.h"

#include <QColor>

#include <algorithm>
#include <cmath>

namespace clvn {

using report::PageItem;
using report::draw::line;
using report::draw::niceStep;
using report::draw::text;

namespace {

const QColor kBalanceColor(0, 84, 166);
const QColor kPrincipalColor(46, 139, 87);
const QColor kInterestColor(204, 85, 0);
const QColor kAxisColor(64, 64, 64);
const QColor kGridColor(216, 216, 216);
const QColor kMarkColor(128, 0, 128);

constexpr qreal kLabelPoints = 7;
constexpr qreal kGap = 4;

QString money(double v, int decimals)
{
    return formatCurrency(v, 15, decimals);
}

struct Series
{
    QString name;
    QString legend;
    QColor color;
    Qt::PenStyle style;
    qreal width;
};

} // namespace

std::vector<PageItem> drawAmortChart(const AmortChartData &data, const QSizeF &size,
                                     AmortChartFrame *frame)
{
    std::vector<PageItem> items;
    const QFont font = report::reportFont(kLabelPoints);
    const qreal lh = report::lineHeight(font);
    if (data.rows.empty()) {
        items.push_back(text(chart::Empty, QStringLiteral("No schedule to chart."),
                             QRectF(QPointF(0, 0), size), font, Qt::AlignCenter, kAxisColor));
        if (frame)
            *frame = {};
        return items;
    }
    const bool extras = !data.withoutExtras.empty();

    // The money axis reaches the largest figure of either schedule, and below
    // zero only when a figure does (negative "extra" amounts).
    double yMax = data.loan;
    double yMin = 0;
    for (const std::vector<TPayment> *rows : {&data.rows, &data.withoutExtras}) {
        for (const TPayment &p : *rows) {
            yMax = std::max({yMax, p.Balance, p.PrincipalToDate, p.InterestToDate});
            yMin = std::min({yMin, p.Balance, p.PrincipalToDate, p.InterestToDate});
        }
    }
    if (!(yMax > yMin) || !std::isfinite(yMax - yMin)) {
        yMin = 0;
        yMax = 1;
    }
    const double yStep = niceStep(yMax - yMin, 5);
    const double yTop = std::ceil(yMax / yStep - 1e-9) * yStep;
    const double yBottom = std::floor(yMin / yStep + 1e-9) * yStep;
    const int ySteps = std::clamp(int(std::lround((yTop - yBottom) / yStep)), 1, 12);
    const int xPayments = int(std::max(data.rows.size(), data.withoutExtras.size()));

    // Margins: the widest money label at the left, the legend above, two
    // lines of payment and year labels below.
    qreal left = 0;
    for (int k = 0; k <= ySteps; ++k)
        left = std::max(left, report::textWidth(font, money(yBottom + k * yStep, 0)));
    left += 2 * kGap;
    const qreal top = lh + 2 * kGap;
    const qreal bottom = 2 * lh + kGap;
    const qreal right = 2 * kGap + report::textWidth(font, QStringLiteral("0000")) / 2;
    const QRectF plot(left, top, std::max<qreal>(size.width() - left - right, 10),
                      std::max<qreal>(size.height() - top - bottom, 10));
    if (frame)
        *frame = {plot, xPayments};
    auto px = [&](double payment) { return plot.left() + payment / xPayments * plot.width(); };
    auto py = [&](double v) {
        return plot.bottom() - (v - yBottom) / (yTop - yBottom) * plot.height();
    };

    // Money grid lines and labels.
    for (int k = 0; k <= ySteps; ++k) {
        const double v = yBottom + k * yStep;
        const qreal y = py(v);
        if (k > 0 || yBottom < 0)
            items.push_back(line(QStringLiteral("chtGrid"), QPointF(plot.left(), y),
                                 QPointF(plot.right(), y), kGridColor));
        items.push_back(text(chart::MoneyLabel, money(v, 0), QRectF(0, y - lh / 2, left - kGap, lh),
                             font, Qt::AlignRight | Qt::AlignVCenter, kAxisColor));
    }

    // A tick at every year; labels every few years so that they never touch.
    const int years = xPayments / 12;
    const qreal yearWidth = plot.width() * 12 / xPayments;
    const qreal labelWidth = report::textWidth(font, QStringLiteral("yr 888")) + 2 * kGap;
    int every = 1;
    for (int step : {1, 2, 5, 10, 20, 25, 50, 100}) {
        every = step;
        if (step * yearWidth >= labelWidth)
            break;
    }
    for (int year = 1; year <= years; ++year) {
        const qreal x = px(12.0 * year);
        const bool labelled = year % every == 0;
        if (labelled)
            items.push_back(line(QStringLiteral("chtGrid"), QPointF(x, plot.top()),
                                 QPointF(x, plot.bottom()), kGridColor));
        items.push_back(line(QStringLiteral("chtTick"), QPointF(x, plot.bottom()),
                             QPointF(x, plot.bottom() + (labelled ? 3 : 1.5)), kAxisColor));
        if (!labelled)
            continue;
        const QRectF cell(x - labelWidth / 2, plot.bottom() + 3, labelWidth, lh);
        items.push_back(text(chart::PaymentLabel, QString::number(12 * year), cell, font,
                             Qt::AlignHCenter | Qt::AlignTop, kAxisColor));
        items.push_back(text(chart::YearLabel, QStringLiteral("yr ") + QString::number(year),
                             cell.translated(0, lh - 1), font, Qt::AlignHCenter | Qt::AlignTop,
                             kAxisColor));
    }

    // The axes.
    items.push_back(
        line(QStringLiteral("chtAxis"), plot.topLeft(), plot.bottomLeft(), kAxisColor, 0.75));
    items.push_back(
        line(QStringLiteral("chtAxis"), plot.bottomLeft(), plot.bottomRight(), kAxisColor, 0.75));

    // The curves, one point per payment; the dashed line first, beneath.
    const Series balance{chart::Balance, QStringLiteral("Balance"), kBalanceColor, Qt::SolidLine,
                         1.5};
    const Series principal{chart::PrincipalToDate, QStringLiteral("Principal to date"),
                           kPrincipalColor, Qt::SolidLine, 1.25};
    const Series interest{chart::InterestToDate, QStringLiteral("Interest to date"), kInterestColor,
                          Qt::SolidLine, 1.25};
    const Series without{chart::BalanceWithoutExtras, QStringLiteral("Balance without extras"),
                         kBalanceColor, Qt::DashLine, 1.0};
    auto curve = [&](const Series &s, const std::vector<TPayment> &rows, double TPayment::*figure) {
        PageItem item;
        item.kind = PageItem::Kind::Polyline;
        item.name = s.name;
        item.color = s.color;
        item.penStyle = s.style;
        item.penWidth = s.width;
        item.points.reserve(qsizetype(rows.size()));
        for (std::size_t i = 0; i < rows.size(); ++i)
            item.points.append(QPointF(px(double(i + 1)), py(rows[i].*figure)));
        items.push_back(std::move(item));
    };
    if (extras)
        curve(without, data.withoutExtras, &TPayment::Balance);
    curve(interest, data.rows, &TPayment::InterestToDate);
    curve(principal, data.rows, &TPayment::PrincipalToDate);
    curve(balance, data.rows, &TPayment::Balance);

    // Marked payments: a dotted line through the plot, the caption beside it
    // near the top, one caption under the other, on the side that has room.
    for (std::size_t k = 0; k < data.marks.size(); ++k) {
        const AmortChartMark &mark = data.marks[k];
        if (mark.payment < 1 || mark.payment > xPayments)
            continue;
        const qreal x = px(mark.payment);
        items.push_back(line(chart::Mark, QPointF(x, plot.top()), QPointF(x, plot.bottom()),
                             kMarkColor, 1.0, Qt::DotLine));
        const qreal w = report::textWidth(font, mark.caption);
        const qreal y = plot.top() + kGap + qreal(k) * lh;
        const bool toRight = x + kGap + w <= plot.right();
        const QRectF cell = toRight ? QRectF(x + kGap, y, w, lh) : QRectF(x - kGap - w, y, w, lh);
        items.push_back(text(chart::MarkLabel, mark.caption, cell, font,
                             (toRight ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter,
                             kMarkColor));
    }

    // The legend across the top, a short stroke before each name.
    qreal x = plot.left();
    std::vector<const Series *> legend{&balance, &principal, &interest};
    if (extras)
        legend.push_back(&without);
    for (const Series *s : legend) {
        const qreal y = kGap + lh / 2;
        items.push_back(
            line(chart::Legend, QPointF(x, y), QPointF(x + 16, y), s->color, s->width, s->style));
        const qreal w = report::textWidth(font, s->legend);
        items.push_back(text(chart::Legend, s->legend, QRectF(x + 20, kGap, w, lh), font,
                             Qt::AlignLeft | Qt::AlignVCenter));
        x += 20 + w + 12;
    }
    return items;
}

int paymentAt(const AmortChartFrame &frame, int rows, qreal x)
{
    if (rows <= 0 || frame.xPayments <= 0 || x < frame.plot.left() - 2 ||
        x > frame.plot.right() + 2)
        return 0;
    const double payment = (x - frame.plot.left()) / frame.plot.width() * frame.xPayments;
    return std::clamp(int(std::lround(payment)), 1, rows);
}

QString paymentSummary(const TPayment &row)
{
    const int year = (row.Number - 1) / 12 + 1;
    const int month = (row.Number - 1) % 12 + 1;
    return QStringLiteral("Payment %1 (year %2, month %3)\nBalance: %4\nPrincipal to date: %5\n"
                          "Interest to date: %6")
        .arg(row.Number)
        .arg(year)
        .arg(month)
        .arg(money(row.Balance, 2), money(row.PrincipalToDate, 2), money(row.InterestToDate, 2));
}

namespace {

QString count(int n, const char *one, const char *many)
{
    return QString::number(n) + u' ' + QLatin1String(n == 1 ? one : many);
}

// "4 years 9 months", "1 year", "7 months".
QString duration(int payments)
{
    const int years = payments / 12;
    const int months = payments % 12;
    QStringList parts;
    if (years > 0)
        parts << count(years, "year", "years");
    if (months > 0 || years == 0)
        parts << count(months, "month", "months");
    return parts.join(u' ');
}

} // namespace

QString savingsCaption(const ExtraPaymentSavings &savings)
{
    const double cents = savings.interestSavedCents;
    const QString interest =
        cents >= 0
            ? QStringLiteral("The extra payments save %1 in interest").arg(money(cents / 100, 2))
            : QStringLiteral("The extra payments cost %1 more in interest")
                  .arg(money(-cents / 100, 2));
    const int n = savings.paymentsSooner;
    if (n == 0)
        return interest + QStringLiteral("; the loan ends with the same payment.");
    const int m = n > 0 ? n : -n;
    return interest + QStringLiteral(" and end the loan %1 (%2) %3.")
                          .arg(count(m, "payment", "payments"), duration(m),
                               n > 0 ? QStringLiteral("sooner") : QStringLiteral("later"));
}

} // namespace clvn
