#include "chart_panels.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QPieSeries>
#include <QPieSlice>
#include <QValueAxis>

#include <algorithm>

namespace corvane::components {

namespace {

// The title of a chart with nothing to draw.
const QString kNoData = QStringLiteral("Sem dados");

// A chart without animation, drawn smoothly.
void prepare(QChartView* view) {
    view->setRenderHint(QPainter::Antialiasing);
    view->chart()->setAnimationOptions(QChart::NoAnimation);
}

// Removes every series and axis of the view's chart.
void emptyChart(QChartView* view) {
    QChart* chart = view->chart();
    chart->removeAllSeries();
    const auto axes = chart->axes();
    for (QAbstractAxis* axis : axes) {
        chart->removeAxis(axis);
        delete axis;
    }
}

} // namespace

BarChartPanel::BarChartPanel(QWidget* parent) : QChartView(parent) {
    prepare(this);
    chart()->legend()->hide();
    setHidden(true);
}

void BarChartPanel::setAxisTitles(const QString& categories, const QString& values) {
    categoryTitle_ = categories;
    valueTitle_ = values;
    const auto horizontal = chart()->axes(Qt::Horizontal);
    for (QAbstractAxis* axis : horizontal)
        axis->setTitleText(categories);
    const auto vertical = chart()->axes(Qt::Vertical);
    for (QAbstractAxis* axis : vertical)
        axis->setTitleText(values);
}

void BarChartPanel::removeSeries() {
    emptyChart(this);
    shown_ = {};
}

void BarChartPanel::setSeries(const ChartSeries& series) {
    removeSeries();
    if (series.isEmpty()) {
        setHidden(true);
        return;
    }
    shown_ = series;
    auto* set = new QBarSet(QString());
    QStringList labels;
    for (qsizetype i = 0; i < series.size(); ++i) {
        set->append(series.values.at(i));
        labels.append(series.label(i));
    }
    auto* bars = new QBarSeries;
    bars->append(set);
    chart()->addSeries(bars);

    auto* categories = new QBarCategoryAxis;
    categories->append(labels);
    categories->setTitleText(categoryTitle_);
    // Many bars or long labels: the labels upright, so none is cut short.
    qsizetype longest = 0;
    for (const QString& l : labels)
        longest = std::max(longest, l.size());
    if (labels.size() > kRecentPeriods || longest > 5) {
        categories->setLabelsAngle(-90);
        QFont small = categories->labelsFont();
        small.setPointSizeF(small.pointSizeF() * 0.85);
        categories->setLabelsFont(small);
    }
    chart()->addAxis(categories, Qt::AlignBottom);
    bars->attachAxis(categories);

    auto* values = new QValueAxis;
    const auto [low, high] = std::minmax_element(series.values.cbegin(), series.values.cend());
    // From 0 or below to 0 or above; 0 to 1 when every bar is 0.
    const double bottom = std::min(0.0, *low);
    const double top = std::max(0.0, *high);
    values->setRange(bottom, top > bottom ? top : 1.0);
    values->applyNiceNumbers();
    values->setTitleText(valueTitle_);
    chart()->addAxis(values, Qt::AlignLeft);
    bars->attachAxis(values);
    setHidden(false);
}

void BarChartPanel::clear() {
    removeSeries();
    setHidden(true);
}

PieChartPanel::PieChartPanel(QWidget* parent) : QChartView(parent) {
    prepare(this);
    chart()->legend()->setAlignment(Qt::AlignRight);
    chart()->setTitle(kNoData);
}

void PieChartPanel::setSeries(const ChartSeries& series) {
    clear();
    shown_ = series;
    const auto slices = pieSlices(series);
    if (!slices)
        return;
    slices_ = *slices;
    chart()->setTitle(QString());
    auto* pie = new QPieSeries;
    for (const PieSlice& slice : slices_)
        pie->append(pieLegend(slice), slice.value);
    chart()->addSeries(pie);
}

void PieChartPanel::clear() {
    emptyChart(this);
    shown_ = {};
    slices_.clear();
    chart()->setTitle(kNoData);
}

} // namespace corvane::components
