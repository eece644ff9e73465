// SPDX-License-Identifier: MIT
#include "ui/sweepmap.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int Margin = 8;
constexpr int LeftLabels = 70;   // the y values
constexpr int BottomLabels = 40; // the x values and the x name
constexpr int LegendWidth = 90;

// Blue through green to red, by t from 0 to 1.
QColor Ramp(double t)
{
    return QColor::fromHsvF(float(0.66 * (1 - std::clamp(t, 0.0, 1.0))), 0.85f, 0.95f);
}

} // namespace

SweepMap::SweepMap(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(320, 240);
}

void SweepMap::Show(const SummaryTable& table, const std::string& xName, const std::string& yName, int column)
{
    table_ = table;
    xName_ = xName;
    yName_ = yName;
    column_ = column;
    grid_ = GridOf(table_, xName, yName);
    update();
}

QRect SweepMap::GridRect() const
{
    return QRect(Margin + LeftLabels, Margin, width() - 2 * Margin - LeftLabels - LegendWidth,
                 height() - 2 * Margin - BottomLabels);
}

QRect SweepMap::CellRect(std::size_t x, std::size_t y) const
{
    const QRect area = GridRect();
    const int columns = int(grid_.X.size()), rows = int(grid_.Y.size());
    const int left = area.left() + area.width() * int(x) / columns;
    const int right = area.left() + area.width() * int(x + 1) / columns;
    // The least y at the bottom.
    const int top = area.bottom() - area.height() * int(y + 1) / rows;
    const int bottom = area.bottom() - area.height() * int(y) / rows;
    return QRect(QPoint(left, top + 1), QPoint(right - 1, bottom));
}

int SweepMap::RowAt(const QPoint& point) const
{
    for (std::size_t y = 0; y < grid_.Y.size(); ++y)
        for (std::size_t x = 0; x < grid_.X.size(); ++x)
            if (CellRect(x, y).contains(point))
                return grid_.Cells[y * grid_.X.size() + x];
    return -1;
}

void SweepMap::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    if (grid_.X.empty() || grid_.Y.empty() || column_ < 0)
        return;
    double least = INFINITY, most = -INFINITY;
    for (const int row : grid_.Cells)
        if (row >= 0)
            if (const auto figure = FieldFigure(table_, std::size_t(row), column_)) {
                least = std::min(least, *figure);
                most = std::max(most, *figure);
            }
    const QFontMetrics metrics(font());
    for (std::size_t y = 0; y < grid_.Y.size(); ++y)
        for (std::size_t x = 0; x < grid_.X.size(); ++x) {
            const QRect cell = CellRect(x, y);
            const int row = grid_.Cells[y * grid_.X.size() + x];
            painter.setPen(palette().mid().color());
            if (row < 0) {
                painter.drawRect(cell.adjusted(0, 0, -1, -1));
                continue;
            }
            const auto figure = FieldFigure(table_, std::size_t(row), column_);
            if (!figure) {
                painter.fillRect(cell, Qt::darkGray);
                painter.setPen(QPen(Qt::white, 2));
                painter.drawLine(cell.topLeft(), cell.bottomRight());
                painter.drawLine(cell.topRight(), cell.bottomLeft());
                continue;
            }
            painter.fillRect(cell, Ramp(most > least ? (*figure - least) / (most - least) : 0.5));
        }
    painter.setPen(palette().windowText().color());
    const QRect area = GridRect();
    for (std::size_t x = 0; x < grid_.X.size(); ++x) {
        const QRect cell = CellRect(x, 0);
        painter.drawText(QRect(cell.left(), area.bottom() + 2, cell.width(), metrics.height()), Qt::AlignHCenter,
                         metrics.elidedText(QString::fromStdString(grid_.X[x]), Qt::ElideRight, cell.width()));
    }
    painter.drawText(QRect(area.left(), area.bottom() + 4 + metrics.height(), area.width(), metrics.height()),
                     Qt::AlignHCenter, QString::fromStdString(xName_));
    for (std::size_t y = 0; y < grid_.Y.size(); ++y) {
        const QRect cell = CellRect(0, y);
        painter.drawText(QRect(Margin, cell.top(), LeftLabels - 4, cell.height()), Qt::AlignRight | Qt::AlignVCenter,
                         metrics.elidedText(QString::fromStdString(grid_.Y[y]), Qt::ElideRight, LeftLabels - 4));
    }
    painter.drawText(QRect(Margin, Margin, LeftLabels - 4, metrics.height()), Qt::AlignRight,
                     QString::fromStdString(yName_));

    // The legend: the column's name, the ramp from its least to its most.
    const QRect legend(area.right() + 16, area.top() + metrics.height() + 4, 18,
                       area.height() - 2 * metrics.height() - 8);
    painter.drawText(QRect(area.right() + 8, area.top(), LegendWidth, metrics.height()), Qt::AlignLeft,
                     QString::fromStdString(table_.Columns[std::size_t(column_)]));
    for (int k = 0; k < legend.height(); ++k) {
        painter.setPen(Ramp(1 - double(k) / std::max(1, legend.height() - 1)));
        painter.drawLine(legend.left(), legend.top() + k, legend.right(), legend.top() + k);
    }
    painter.setPen(palette().windowText().color());
    if (std::isfinite(least)) {
        const auto label = [&](double value, int y) {
            painter.drawText(QRect(legend.right() + 4, y - metrics.height() / 2, LegendWidth - 30, metrics.height()),
                             Qt::AlignLeft | Qt::AlignVCenter, QString::number(value, 'g', 4));
        };
        label(most, legend.top());
        label(least, legend.bottom());
    }
    painter.fillRect(QRect(legend.left(), area.bottom() - metrics.height() + 2, 18, metrics.height() - 4),
                     Qt::darkGray);
    painter.drawText(QRect(legend.right() + 4, area.bottom() - metrics.height(), LegendWidth - 30, metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("fault"));
}

void SweepMap::mouseDoubleClickEvent(QMouseEvent* event)
{
    const int row = RowAt(event->position().toPoint());
    if (row >= 0)
        emit RowDoubleClicked(row);
}
