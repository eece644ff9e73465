// SPDX-License-Identifier: MIT
// The geometry calculators on the left of the point editor. They read the
// points from the grid's text, so they see what the grid shows: stored
// positions, or velocities in the velocity mode.
#include "editor/calculators.h"
#include "editor/editdlg.h"
#include "view/showtext.h"
#include "view/stringgrid.h"

#include "model/usererror.h"
#include "scenes/numbertext.h"

#include <QCheckBox>
#include <QLineEdit>

#include <string>

Point3 TEditDlg::ReadPoint(const QLineEdit* numberField) const
{
    return ReadGridPoint([this](int column, int row) { return DaonsTable_->Cell(column, row); }, numberField->text());
}

void TEditDlg::CalculateDistance(const DistanceCalculator& calculator)
{
    const Point3 p = ReadPoint(calculator.part1);
    const Point3 q = ReadPoint(calculator.part2);
    ShowText(calculator.result, FloatToText(Distance(p, q)));
}

void TEditDlg::ResetDistance(const DistanceCalculator& calculator)
{
    for (QLineEdit* field : {calculator.part1, calculator.part2, calculator.result})
        ShowText(field, QStringLiteral("0"));
}

void TEditDlg::PlaceComputedPoint(const std::array<QString, 3>& coordinates)
{
    ShowText(EditX_, coordinates[0]);
    ShowText(EditY_, coordinates[1]);
    ShowText(EditZ_, coordinates[2]);
    for (QLineEdit* field : {EditV_, EditU_, EditW_})
        ShowText(field, QStringLiteral("0"));
}

void TEditDlg::Calculate5Click()
{
    const Point3 p1 = ReadPoint(fourthPointNumbers_[0]);
    const Point3 p2 = ReadPoint(fourthPointNumbers_[1]);
    const Point3 p3 = ReadPoint(fourthPointNumbers_[2]);
    const Point3 apex = FourthPoint(p1, p2, p3, Del_->isChecked());
    const std::array<QString, 3> texts = {FloatToText(apex.x), FloatToText(apex.y), FloatToText(apex.z)};
    for (int i = 0; i < 3; ++i)
        ShowText(fourthPointResults_[i], texts[i]);
    PlaceComputedPoint(texts);
}

void TEditDlg::Reset5Click()
{
    // The velocity fields stay as they are.
    for (QLineEdit* field : fourthPointNumbers_)
        ShowText(field, QStringLiteral("0"));
    for (QLineEdit* field : fourthPointResults_)
        ShowText(field, QStringLiteral("0"));
    for (QLineEdit* field : {EditX_, EditY_, EditZ_})
        ShowText(field, QStringLiteral("0"));
}

// Puts the last computed point into the slot numbered in ToCel, ready for
// "&Yes": selects that slot's row, then replaces the slot's shown values
// with the result, at rest and marked present.
void TEditDlg::DataToCelClick()
{
    const int slot = TextToInt(ToCel_->text());
    if (slot < 1 || slot > SlotsInUse(system_))
        throw UserError("List index out of bounds (" + std::to_string(slot) + ")");
    DaonsTable_->SetRow(slot);
    ShowCurrentPoint(slot);
    PlaceComputedPoint(
        {fourthPointResults_[0]->text(), fourthPointResults_[1]->text(), fourthPointResults_[2]->text()});
    DaoTrue_->setChecked(true);
}
