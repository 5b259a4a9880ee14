#pragma once

// The chart view of the Loan Amortizations page: paints the chart's display
// list with the report engine's painting routine and tells, while the mouse
// hovers, the payment under it with its balance and the principal and
// interest paid to date. A report prints the same drawing (DrawingSource).

#include "calculators/AmortChart.h"
#include "engine/Drawing.h"

#include <QWidget>

namespace clvn {

class AmortChartView : public QWidget, public report::DrawingSource
{
    Q_OBJECT

public:
    explicit AmortChartView(QWidget *parent = nullptr);

    void setData(AmortChartData data);
    const AmortChartData &data() const { return m_data; }

    // DrawingSource
    std::vector<report::PageItem> drawing(const QSizeF &size) const override;

    // The widget's size in points, as the chart is laid out on screen.
    QSizeF sizeInPoints() const;
    // The display list painted now (laid out on first use).
    const std::vector<report::PageItem> &items() const;
    // The hover text at a position in widget pixels; empty outside the plot.
    QString hoverTextAt(const QPointF &pos) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    // The payment under a position in widget pixels, or 0.
    int paymentUnder(const QPointF &pos) const;
    qreal pointsPerPixel() const;

    AmortChartData m_data;
    mutable std::vector<report::PageItem> m_items;
    mutable AmortChartFrame m_frame;
    mutable bool m_laidOut = false;
    int m_hover = 0;
};

} // namespace clvn
