#pragma once

// The loan offers' chart: for each offer what it has cost so far (its loan
// costs at closing, then the interest and insurance of each payment),
// month by month, with a mark where an offer that costs more at closing has
// paid for itself.
// Drawn as the report engine's display-list items, so the page and the
// printed report show the same chart. Coordinates are points.

#include "engine/Drawing.h"
#include "engine/Report.h"

#include <QSizeF>
#include <QString>
#include <QWidget>

#include <vector>

namespace clvn {

struct CompareChartData
{
    struct Series
    {
        QString name;
        std::vector<double> cost; // index k: after payment k, 0 = at closing
    };
    struct Mark
    {
        int series = 0; // the offer that pays for itself
        int payment = 0;
    };
    std::vector<Series> series;
    std::vector<Mark> marks;
};

namespace chart {
inline const QString CompareLine = QStringLiteral("chtCompareLine");
inline const QString CompareMark = QStringLiteral("chtCompareMark");
inline const QString CompareLegend = QStringLiteral("chtCompareLegend");
inline const QString CompareEmpty = QStringLiteral("chtCompareEmpty");
} // namespace chart

std::vector<report::PageItem> drawCompareChart(const CompareChartData &data, const QSizeF &size);

// The chart on the page, painted with the report engine as the report prints it.
class CompareChartView : public QWidget, public report::DrawingSource
{
    Q_OBJECT

public:
    explicit CompareChartView(QWidget *parent = nullptr);

    void setData(CompareChartData data);
    const CompareChartData &data() const { return m_data; }

    std::vector<report::PageItem> drawing(const QSizeF &size) const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CompareChartData m_data;
};

} // namespace clvn
