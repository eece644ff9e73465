#include "charts/runplot.h"

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <limits>

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
    valueAxis_ = new QValueAxis(chart);
    valueAxis_->setLabelFormat(QStringLiteral("%.4g"));
    chart->addAxis(stepAxis_, Qt::AlignBottom);
    chart->addAxis(valueAxis_, Qt::AlignLeft);
    setChart(chart);
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
        series->setColor(line.Colour);
        chart()->addSeries(series);
        series->attachAxis(stepAxis_);
        series->attachAxis(valueAxis_);
        series_.push_back(series);
    }
    chart()->legend()->setVisible(lines_.size() > 1);
    whole_ = true;
}

void RunPlot::Update(const SampleRecord& record)
{
    const std::vector<RunSample>& samples = record.Samples();
    if (record.Generation() != generation_ || samples.size() < shown_) {
        generation_ = record.Generation();
        whole_ = true;
    }
    const std::size_t from = whole_ ? 0 : shown_;
    if (from == samples.size() && !whole_)
        return;
    for (std::size_t k = 0; k < lines_.size(); ++k) {
        QList<QPointF> points;
        points.reserve(qsizetype(samples.size() - from));
        for (std::size_t i = from; i < samples.size(); ++i) {
            const Real value = lines_[k].Value(samples[i]);
            if (std::isfinite(value)) // a line has no place for NaN or infinity
                points.append(QPointF(double(samples[i].Step), double(value)));
        }
        if (whole_)
            series_[k]->replace(points);
        else
            series_[k]->append(points);
    }
    shown_ = samples.size();
    whole_ = false;
    FitAxes(samples);
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
    const double first = samples.front().Step, last = samples.back().Step;
    stepAxis_->setRange(first, std::max(last, first + 1));
    valueAxis_->setRange(low, high);
}
