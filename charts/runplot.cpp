#include "charts/runplot.h"

#include "charts/ticksteps.h"

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
    valueAxis_ = new QValueAxis(chart);
    valueAxis_->setLabelFormat(QStringLiteral("%.4g"));
    chart->addAxis(stepAxis_, Qt::AlignBottom);
    chart->addAxis(valueAxis_, Qt::AlignLeft);
    // setChart releases the view's own first chart without deleting it.
    QChart* const first = this->chart();
    setChart(chart);
    delete first;
    setRenderHint(QPainter::Antialiasing);
}

void RunPlot::ShowFigures(const QString& title, const std::vector<Line>& lines)
{
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
    const std::size_t every = samples.size() / PointsPerLine + 1;
    for (std::size_t k = 0; k < lines_.size(); ++k) {
        QList<QPointF> points;
        points.reserve(qsizetype(samples.size() / every + 1));
        for (std::size_t i = 0; i < samples.size(); ++i) {
            if (i % every != 0 && i + 1 != samples.size())
                continue;
            const Real value = lines_[k].Value(samples[i]);
            if (std::isfinite(value)) // a line has no place for NaN or infinity
                points.append(QPointF(double(samples[i].Step), double(value)));
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
    double low = std::numeric_limits<double>::infinity(), high = -low;
    for (const RunSample& sample : samples)
        for (const Line& line : lines_)
            if (const double value = double(line.Value(sample)); std::isfinite(value)) {
                low = std::min(low, value);
                high = std::max(high, value);
            }
    if (!std::isfinite(low))
        low = high = 0;
    // A flat line sits in the middle of a band of its own size.
    if (high - low <= std::abs(high) * 1e-12) {
        const double band = high != 0 ? std::abs(high) * 0.05 : 1;
        low -= band;
        high += band;
    }
    const double first = samples.front().Step, last = std::max<double>(samples.back().Step, first + 1);
    stepAxis_->setRange(first, last);
    // Ticks at whole steps, 1, 2 or 5 times a power of ten apart, six or fewer.
    const double span = last - first;
    stepAxis_->setTickInterval(std::max(1.0, RoundStep(span / 6)));
    stepAxis_->setTickAnchor(0);
    valueAxis_->setRange(low, high);
}
