// SPDX-License-Identifier: MIT
#pragma once

#include "charts/ticksteps.h"
#include "model/samplerecord.h"

#include <QChartView>
#include <QColor>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class QCategoryAxis;
class QLineSeries;
class QValueAxis;

// The samples a line of at most `most` points shows out of `count`: every
// n-th from the first, and the last.
std::vector<std::size_t> ShownSamples(std::size_t count, std::size_t most);

// One chart of run figures against the step, a line per figure, fed from a
// SampleRecord; the lines are redrawn only when the record or the figures
// changed.
class RunPlot : public QChartView {
public:
    using Figure = Real (*)(const RunSample&);
    struct Line {
        QString Name;
        QColor Colour;
        Figure Value;
    };

    explicit RunPlot(QWidget* parent = nullptr);

    // `neverNegative`: the figures are sizes, and the value axis stays at or above 0.
    void ShowFigures(const QString& title, const std::vector<Line>& lines, bool neverNegative);
    void Update(const SampleRecord& record);

    // The points the lines hold now, and the value axis's tick labels, for the tests.
    int PointsOfLine(int line) const;
    const TickedRange& ValueRange() const { return range_; }

private:
    void FitAxes(const std::vector<RunSample>& samples);

    std::vector<Line> lines_;
    std::vector<QLineSeries*> series_;
    QValueAxis* stepAxis_ = nullptr;
    QCategoryAxis* valueAxis_ = nullptr; // in tick intervals from range_.Low, labelled with the values
    TickedRange range_;
    bool neverNegative_ = false;
    std::size_t shown_ = 0;
    std::uint64_t generation_ = 0;
    bool stale_ = true; // the figures changed since the last update
};
