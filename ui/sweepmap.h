// SPDX-License-Identifier: MIT
#pragma once

#include "sweep/summarytable.h"

#include <QWidget>

// The colour map of a two-name sweep: one cell per job on the grid of the two
// names' values, coloured by one column from blue (least) to red (most),
// faulted jobs grey with a cross, jobs not yet done blank, and a legend.
class SweepMap : public QWidget {
    Q_OBJECT

public:
    explicit SweepMap(QWidget* parent = nullptr);

    void Show(const SummaryTable& table, const std::string& xName, const std::string& yName, int column);
    // The table row of the cell under a point of the widget, or -1.
    int RowAt(const QPoint& point) const;

signals:
    void RowDoubleClicked(int row);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QRect CellRect(std::size_t x, std::size_t y) const;
    QRect GridRect() const;

    SummaryTable table_;
    SweepGrid grid_;
    std::string xName_, yName_;
    int column_ = -1;
};
