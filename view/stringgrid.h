// SPDX-License-Identifier: MIT
#pragma once

#include <QTableWidget>

// A read-only grid of text cells addressed as (column, row) with one fixed
// header row (row 0, the table's own header, which stays put when the rows
// scroll) and one fixed column (column 0, grey and never selectable).
// Rows 1.. are the table's rows.
class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    StringGrid(int columns, int rows, int columnWidth, int rowHeight, QWidget* parent);

    // Rows past the last one read as empty text; row must not be negative.
    QString Cell(int column, int row) const;
    void SetCell(int column, int row, const QString& text);

    int Row() const; // the current row, 1..rows - 1
    void SetRow(int row);

signals:
    void SelectCell(int row);   // the current cell moved to this row
    void Clicked();             // a mouse click, after the current cell moved
    void DoubleClicked();       // anywhere on the grid, header row included

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
