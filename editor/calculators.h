// SPDX-License-Identifier: MIT
#pragma once

#include "model/point3.h"

#include <QString>

#include <functional>

// The geometry calculators of the point editor, free of widgets: they see the
// editor's grid only through the text of its cells.

// Euclidean distance, the squares summed in the order x, y, z. Throws
// UserError "Floating point overflow" beyond the largest real.
Real Distance(const Point3& a, const Point3& b);

// The apex over the base p1 p2 p3 on the normal through its centroid, at
// distance |p1 p2| from p1: for an equilateral base the fourth vertex of the
// regular tetrahedron. `upper` picks the root with the larger z.
// Throws UserError "Floating point division by zero" or "Invalid floating
// point operation" when the normal has no z component, and any fault of the
// arithmetic as a run step does ("Floating point overflow" and the others).
Point3 FourthPoint(const Point3& p1, const Point3& p2, const Point3& p3, bool upper);

// Text of the grid cell (column, row); rows beyond the grid read as empty.
using CellText = std::function<QString(int column, int row)>;

// The point whose number is numberText, read from cells (1..3, number):
// row 0 is the header row, so number 0 fails on the header text.
// Throws UserError for a number that is no integer, a negative number
// ("List index out of bounds (n)") or a cell that holds no real.
Point3 ReadGridPoint(const CellText& cell, const QString& numberText);
