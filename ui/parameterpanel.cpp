// SPDX-License-Identifier: MIT
// The parameter fields and the listing.
#include "ui/mainform.h"

#include "model/extended.h"
#include "scenes/guard.h"
#include "scenes/numbertext.h"
#include "view/showtext.h"
#include "view/stringgrid.h"

#include <QLineEdit>
#include <array>

void TMainForm::FillListing()
{
    // What the run history shows, else the present.
    document_.WithShownState([this] { FillShownListing(); });
}

void TMainForm::FillShownListing()
{
    const bool velocity = ListingShowsVelocity;
    DaonsTable->SetCell(1, 0, velocity ? QStringLiteral("u(x)") : QStringLiteral("X"));
    DaonsTable->SetCell(2, 0, velocity ? QStringLiteral("u(y)") : QStringLiteral("Y"));
    DaonsTable->SetCell(3, 0, velocity ? QStringLiteral("u(z)") : QStringLiteral("Z"));
    using Columns = std::array<const SlotReals*, 3>;
    const Columns columns = velocity ? Columns{&system_.U, &system_.V, &system_.W}
                                     : Columns{&system_.X, &system_.Y, &system_.Z};
    const QLocale locale;
    for (int i = 1; i <= SlotsInUse(system_); ++i) {
        DaonsTable->SetCell(0, i, QString::number(i));
        for (int c = 0; c < 3; ++c)
            DaonsTable->SetCell(c + 1, i, system_.Present[i] ? FloatToText((*columns[c])[i], locale) : QString());
    }
}

void TMainForm::DaonsTableDblClick()
{
    ListingShowsVelocity = !ListingShowsVelocity;
    FillListing();
}

namespace {

// The field of each value: dt first, then the coefficients.
Real& ModelValue(TaonSystem& system, int field)
{
    return field == 0 ? system.dt : system.*CoefficientFields[field - 1];
}

} // namespace

void TMainForm::RefillParameterFields()
{
    for (int k = 0; k <= CoefficientCount; ++k) {
        fieldValues_[k] = ModelValue(system_, k);
        ShowText(k == 0 ? EditDT : CoefficientEdits[k - 1], FloatToText(fieldValues_[k]));
    }
}

// Bit for bit: a field whose value is unchanged keeps its text as typed.
void TMainForm::RefillChangedFields()
{
    for (int k = 0; k <= CoefficientCount; ++k) {
        const Real value = ModelValue(system_, k);
        if (StoredBytes(value) == StoredBytes(fieldValues_[k]))
            continue;
        fieldValues_[k] = value;
        ShowText(k == 0 ? EditDT : CoefficientEdits[k - 1], FloatToText(value));
    }
}

// A field's text goes into the model only when the user changed it since the
// program last filled it or stored it (setText clears the modified mark): a
// stale or rounded text the user merely passed through must not replace the
// value. False when the text is no number; it then stays as typed.
bool TMainForm::EditDTExit()
{
    if (!EditDT->isModified())
        return true;
    return Guarded(dialogs_, [this] {
        fieldValues_[0] = TextToFloat(EditDT->text());
        EditDT->setModified(false);
        document_.CommitDt(fieldValues_[0]);
    });
}

bool TMainForm::CoefficientExit(int index)
{
    QLineEdit* edit = CoefficientEdits[index];
    if (!edit->isModified())
        return true;
    return Guarded(dialogs_, [this, index, edit] {
        fieldValues_[index + 1] = TextToFloat(edit->text());
        edit->setModified(false);
        document_.CommitCoefficient(index, fieldValues_[index + 1]);
    });
}

bool TMainForm::StoreEditedFields()
{
    if (!EditDTExit())
        return false;
    for (int k = 0; k < CoefficientCount; ++k)
        if (!CoefficientExit(k))
            return false;
    return true;
}
