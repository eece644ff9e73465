// SPDX-License-Identifier: MIT
#include "view/stringgrid.h"

#include <QHeaderView>
#include <QMouseEvent>

StringGrid::StringGrid(int columns, int rows, int columnWidth, int rowHeight, QWidget* parent)
    : QTableWidget(rows - 1, columns, parent)
{
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setSelectionBehavior(SelectItems);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabKeyNavigation(false);
    // Long numbers are cut at the cell's edge, on one line.
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(rowHeight);

    QHeaderView* header = horizontalHeader();
    header->setMinimumSectionSize(1);
    header->setSectionResizeMode(QHeaderView::Fixed);
    header->setDefaultSectionSize(columnWidth);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setFixedHeight(rowHeight);
    connect(header, &QHeaderView::sectionDoubleClicked, this, [this] { emit DoubleClicked(); });

    for (int column = 0; column < columns; ++column)
        setHorizontalHeaderItem(column, new QTableWidgetItem);
    const QBrush fixedBackground = palette().button();
    const QBrush fixedText = palette().buttonText();
    for (int row = 0; row < rowCount(); ++row) {
        for (int column = 0; column < columns; ++column) {
            auto* item = new QTableWidgetItem;
            if (column == 0) {
                // Disabled items are skipped by the arrow keys and ignore clicks.
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(fixedBackground);
                item->setForeground(fixedText);
            } else {
                item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            }
            setItem(row, column, item);
        }
    }
    setCurrentCell(0, 1);

    connect(this, &QTableWidget::currentCellChanged, this, [this](int currentRow, int) {
        if (currentRow >= 0)
            emit SelectCell(currentRow + 1);
    });
    connect(this, &QTableWidget::cellClicked, this, [this] { emit Clicked(); });
}

QString StringGrid::Cell(int column, int row) const
{
    if (row == 0)
        return horizontalHeaderItem(column)->text();
    if (row > rowCount())
        return {};
    return item(row - 1, column)->text();
}

void StringGrid::SetCell(int column, int row, const QString& text)
{
    if (row == 0)
        horizontalHeaderItem(column)->setText(text);
    else
        item(row - 1, column)->setText(text);
}

int StringGrid::Row() const
{
    return qMax(currentRow(), 0) + 1;
}

void StringGrid::SetRow(int row)
{
    setCurrentCell(row - 1, qMax(currentColumn(), 1));
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    QTableWidget::mouseDoubleClickEvent(event);
    emit DoubleClicked();
}
