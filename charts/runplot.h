#pragma once

#include "model/samplerecord.h"

#include <QChartView>
#include <QColor>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

class QLineSeries;
class QValueAxis;

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

    void ShowFigures(const QString& title, const std::vector<Line>& lines);
    void Update(const SampleRecord& record);

    // The points the lines hold now, for the tests.
    int PointsOfLine(int line) const;

private:
    void FitAxes(const std::vector<RunSample>& samples);

    std::vector<Line> lines_;
    std::vector<QLineSeries*> series_;
    QValueAxis* stepAxis_ = nullptr;
    QValueAxis* valueAxis_ = nullptr;
    std::size_t shown_ = 0;
    std::uint64_t generation_ = 0;
    bool stale_ = true; // the figures changed since the last update
};
