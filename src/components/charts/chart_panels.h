#pragma once

// Chart panels over Qt Charts. Each keeps what it shows so a screen's tests
// can check it offscreen.
#include "chart_data.h"

#include <QChartView>

namespace corvane::components {

// One bar series with the series' labels on a category axis and a value axis
// from 0 (or the lowest negative value) to the highest value, 0 to 1 when
// every value is 0. The panel is
// hidden while it has no series: from its construction, after clear() and
// after setSeries() with an empty series; a series with values shows it.
class BarChartPanel : public QChartView {
    Q_OBJECT
public:
    explicit BarChartPanel(QWidget* parent = nullptr);

    // Titles of the category (horizontal) and value (vertical) axes, e.g.
    // "Armazens" and "Quantidade"; empty for none. Kept across series.
    void setAxisTitles(const QString& categories, const QString& values);

    // Draws `series` (an empty one clears the panel).
    void setSeries(const ChartSeries& series);
    // Removes the bars and hides the panel.
    void clear();

    // The series drawn; empty when none.
    const ChartSeries& shown() const { return shown_; }
    bool isDrawn() const { return !shown_.isEmpty(); }
    QString categoryTitle() const { return categoryTitle_; }
    QString valueTitle() const { return valueTitle_; }

private:
    void removeSeries();

    ChartSeries shown_;
    QString categoryTitle_;
    QString valueTitle_;
};

// A pie with one slice per value; the legend shows each slice's label and
// value (pieLegend()). A series pieSlices() refuses (total 0, a negative
// value) draws no pie: the chart stays empty.
class PieChartPanel : public QChartView {
    Q_OBJECT
public:
    explicit PieChartPanel(QWidget* parent = nullptr);

    void setSeries(const ChartSeries& series);
    // Removes the pie.
    void clear();

    // The series last given (empty after clear()), whether it was drawn, and
    // the slices drawn (empty when none).
    const ChartSeries& shown() const { return shown_; }
    bool isDrawn() const { return !slices_.isEmpty(); }
    const QList<PieSlice>& slices() const { return slices_; }

private:
    ChartSeries shown_;
    QList<PieSlice> slices_;
};

} // namespace corvane::components
