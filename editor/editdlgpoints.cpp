// SPDX-License-Identifier: MIT
// The point editor's own work: showing the model, storing a point, saving.
#include "editor/editdlg.h"

#include "view/showtext.h"
#include "view/stringgrid.h"
#include "scenes/numbertext.h"
#include "scenes/scenefile.h"
#include "scenes/startfile.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace {

void ShowReal(QLineEdit* field, Real value)
{
    ShowText(field, FloatToText(value));
}

} // namespace

void TEditDlg::LoadFields()
{
    ShowText(EditFileName_, SceneName(names_));
    ShowCurrentPoint(DaonsTable_->Row());
    ShowReal(EditDT_, system_.dt);
    for (int i = 0; i < CoefficientCount; ++i)
        ShowReal(coefficientFields_[i], system_.*CoefficientFields[i]);
    FillEditorTable();
}

void TEditDlg::ShowCurrentPoint(int r)
{
    NumberOfTaon_->setText(QString::number(r));
    ShowReal(EditX_, system_.X[r]);
    ShowReal(EditY_, system_.Y[r]);
    ShowReal(EditZ_, system_.Z[r]);
    ShowReal(EditV_, system_.U[r]);
    ShowReal(EditU_, system_.V[r]);
    ShowReal(EditW_, system_.W[r]);
    DaoTrue_->setChecked(system_.Present[r] != 0);
}

void TEditDlg::FillEditorTable()
{
    if (EditorShowsVelocity_)
        DaonsTable_->SetCell(0, 0, QStringLiteral("Velo"));
    else
        DaonsTable_->SetCell(0, 0, taoscopeChecked_() ? QStringLiteral("Taons") : QStringLiteral("Gravons"));
    static const std::array<QString, 3> positionHeaders = {QStringLiteral("X"), QStringLiteral("Y"),
                                                           QStringLiteral("Z")};
    static const std::array<QString, 3> velocityHeaders = {QStringLiteral("u(x)"), QStringLiteral("u(y)"),
                                                           QStringLiteral("u(z)")};
    const std::array<QString, 3>& headers = EditorShowsVelocity_ ? velocityHeaders : positionHeaders;
    const std::array<const SlotReals*, 3> values =
        EditorShowsVelocity_ ? std::array<const SlotReals*, 3>{&system_.U, &system_.V, &system_.W}
                             : std::array<const SlotReals*, 3>{&system_.X, &system_.Y, &system_.Z};
    for (int column = 1; column <= 3; ++column)
        DaonsTable_->SetCell(column, 0, headers[column - 1]);

    const int count = SlotsInUse(system_);
    for (int i = 1; i <= count; ++i)
        DaonsTable_->SetCell(0, i, QString::number(i));
    for (int i = 1; i <= count; ++i) {
        for (int column = 1; column <= 3; ++column)
            DaonsTable_->SetCell(column, i, system_.Present[i] ? FloatToText((*values[column - 1])[i]) : QString());
    }
}

void TEditDlg::SetCurrentPoint(int slot)
{
    DaonsTable_->SetRow(slot);
}

void TEditDlg::DaonsTableClick()
{
    ShowCurrentPoint(DaonsTable_->Row());
    FillEditorTable();
}

void TEditDlg::DaonsTableDblClick()
{
    EditorShowsVelocity_ = !EditorShowsVelocity_;
    FillEditorTable();
}

void TEditDlg::SubmitClick()
{
    // One field after the other: what converted before a bad field stays stored.
    const int n = TextToInt(NumberOfTaon_->text());
    Store(QStringLiteral("Point %1").arg(n), [&] {
        system_.X[n] = TextToFloat(EditX_->text());
        system_.Y[n] = TextToFloat(EditY_->text());
        system_.Z[n] = TextToFloat(EditZ_->text());
        system_.U[n] = TextToFloat(EditV_->text());
        system_.V[n] = TextToFloat(EditU_->text());
        system_.W[n] = TextToFloat(EditW_->text());
        system_.Present[n] = DaoTrue_->isChecked() ? 1 : 0;
    });
    FillEditorTable();
}

void TEditDlg::StoreTimeAndCoefficients()
{
    system_.dt = TextToFloat(EditDT_->text());
    for (int i = 0; i < CoefficientCount; ++i)
        system_.*CoefficientFields[i] = TextToFloat(coefficientFields_[i]->text());
}

void TEditDlg::Store(const QString& caption, const std::function<void()>& store)
{
    if (storeHook_)
        storeHook_(caption, store);
    else
        store();
}

void TEditDlg::OKBtnClick()
{
    const std::optional<QString> path = dialogs_.ChooseSceneToSave();
    if (!path)
        return;
    Store(QStringLiteral("Point Editor OK"), [&] {
        StoreTimeAndCoefficients();
        WriteSceneFile(system_, *path);
        names_.SceneFileName = *path;
        names_.StartSceneName = *path;
        WriteStartFile(names_);

        // The run integrates from the working copies: give them the edited points.
        const int count = SlotsInUse(system_);
        for (int i = 1; i <= count; ++i)
            if (system_.Present[i])
                SyncCopies(system_, i);
    });
}

void TEditDlg::SaveasClick()
{
    const std::optional<QString> path = dialogs_.ChooseSceneToSave();
    if (!path)
        return;
    ShowText(EditFileName_, *path); // until the next opening shows the current scene again
    Store(QStringLiteral("Point Editor Save As"), [&] {
        StoreTimeAndCoefficients();
        WriteSceneFile(system_, *path);
    });
}
