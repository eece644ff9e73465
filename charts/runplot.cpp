// SPDX-License-Identifier: MIT
#include "charts/runplot.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr std::size_t PointsPerLine = 800;

} // namespace

std::vector<std::size_t> ShownSamples(std::size_t count, std::size_t most)
{
    const std::size_t every = count / most + 1;
    std::vector<std::size_t> shown;
    for (std::size_t i = 0; i < count; i += every)
        shown.push_back(i);
    if (count > 0 && shown.back() != count - 1)
        shown.push_back(count - 1);
    return shown;
}

RunPlot::RunPlot(QWidget* parent) : QChartView(parent)
{
    auto* chart = new QChart;
    // A dark ground, as the drawing area's, so the group colours read as there.
    chart->setTheme(QChart::ChartThemeDark);
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setMargins(QMargins(4, 4, 4, 4));
    stepAxis_ = new QValueAxis(chart);
    stepAxis_->setTitleText(QStringLiteral("step"));
    stepAxis_->setLabelFormat(QStringLiteral("%.0f"));
    stepAxis_->setTickType(QValueAxis::TicksDynamic);
    valueAxis_ = new QCategoryAxis(chart);
    valueAxis_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(stepAxis_, Qt::AlignBottom);
    chart->addAxis(valueAxis_, Qt::AlignLeft);
    // setChart releases the view's own first chart without deleting it.
    QChart* const first = this->chart();
    setChart(chart);
    delete first;
    setRenderHint(QPainter::Antialiasing);
}

void RunPlot::ShowFigures(const QString& title, const std::vector<Line>& lines, bool neverNegative)
{
    neverNegative_ = neverNegative;
    for (QLineSeries* series : series_) {
        chart()->removeSeries(series);
        delete series;
    }
    series_.clear();
    lines_ = lines;
    chart()->setTitle(title);
    for (const Line& line : lines_) {
        auto* series = new QLineSeries;
        series->setName(line.Name);
        // A thin cosmetic pen: a wider one is stroked as an outline, whose cost
        // grows far faster than the number of points.
        QPen pen(line.Colour, 0);
        series->setPen(pen);
        chart()->addSeries(series);
        series->attachAxis(stepAxis_);
        series->attachAxis(valueAxis_);
        series_.push_back(series);
    }
    chart()->legend()->setVisible(lines_.size() > 1);
    stale_ = true;
}

void RunPlot::Update(const SampleRecord& record)
{
    const std::vector<RunSample>& samples = record.Samples();
    if (!stale_ && record.Generation() == generation_ && samples.size() == shown_)
        return;
    // The axes first: a change of range lays out every point already there.
    FitAxes(samples);
    // Each line is handed over whole (appending point by point costs time in
    // proportion to the points already there, for every point), and with no
    // more points than the chart has pixels to show them: every n-th sample
    // and the last.
    const std::vector<std::size_t> shown = ShownSamples(samples.size(), PointsPerLine);
    for (std::size_t k = 0; k < lines_.size(); ++k) {
        QList<QPointF> points;
        points.reserve(qsizetype(shown.size()));
        for (std::size_t i : shown) {
            const Real value = lines_[k].Value(samples[i]);
            if (std::isfinite(value)) // a line has no place for NaN or infinity
                points.append(QPointF(double(samples[i].Step), range_.Plotted(value)));
        }
        series_[k]->replace(points);
    }
    generation_ = record.Generation();
    shown_ = samples.size();
    stale_ = false;
}

int RunPlot::PointsOfLine(int line) const
{
    return int(series_.at(std::size_t(line))->count());
}

void RunPlot::FitAxes(const std::vector<RunSample>& samples)
{
    if (samples.empty())
        return;
    Real low = std::numeric_limits<Real>::infinity(), high = -low;
    for (const RunSample& sample : samples)
        for (const Line& line : lines_)
            if (const Real value = line.Value(sample); std::isfinite(value)) {
                low = std::min(low, value);
                high = std::max(high, value);
            }
    // Both axes end on ticks, so they change (and Qt lays out their labels
    // anew) only when the data passes a tick, not at every refresh.
    TickedRange range = FitRange(low, high, neverNegative_);
    if (range.Labels != range_.Labels || range.Step != range_.Step) {
        range_ = std::move(range);
        for (const QString& label : valueAxis_->categoriesLabels())
            valueAxis_->remove(label);
        valueAxis_->setStartValue(-1);
        for (std::size_t k = 0; k < range_.Labels.size(); ++k)
            valueAxis_->append(range_.Labels[k], double(k));
        valueAxis_->setRange(0, double(range_.Labels.size() - 1));
    }
    // Ticks at whole steps, 1, 2 or 5 times a power of ten apart, six or fewer.
    const double first = samples.front().Step;
    const double span = std::max<double>(samples.back().Step - first, 1);
    const double interval = std::max<double>(1, RoundStep(span / 6));
    stepAxis_->setRange(first, std::ceil((first + span) / interval) * interval);
    stepAxis_->setTickInterval(interval);
    stepAxis_->setTickAnchor(0);
}
