// SPDX-License-Identifier: MIT
#pragma once

#include "model/taonsystem.h"
#include "scenes/dialogs.h"
#include "scenes/filenames.h"

#include <QDialog>

#include <array>
#include <functional>
#include <utility>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class StringGrid;
struct Point3;

// The point editor: edits single points, the time step and the coefficients,
// saves the scene, and carries the geometry calculators. Created once and
// reused, so its grid row, display mode and calculator fields outlive each
// opening. "New" runs exec(); Accepted means OK, also after an error or a
// cancelled file choice.
class TEditDlg : public QDialog {
    Q_OBJECT
public:
    TEditDlg(TaonSystem& system, FileNames& names, UserDialogs& dialogs,
             std::function<bool()> taoscopeChecked, QWidget* parent = nullptr);

    // The point the next opening shows, as if its grid row had been clicked.
    void SetCurrentPoint(int slot);

    // Each store of the editor ("&Yes", "OK", "Save As") runs through the
    // hook, which makes it one change of the scene under the caption given;
    // without a hook it only stores.
    using StoreHook = std::function<void(const QString& caption, const std::function<void()>& store)>;
    void SetStoreHook(StoreHook hook) { storeHook_ = std::move(hook); }

protected:
    // Each opening loads the fields from the model; repaints do not, so
    // typing survives the dialog being covered and uncovered.
    void showEvent(QShowEvent* event) override;

private:
    struct DistanceCalculator {
        QLineEdit* part1;
        QLineEdit* part2;
        QLineEdit* result;
    };

    // Construction, one block of the window each.
    void BuildCoefficients();
    void BuildPointFields();
    void BuildGridAndButtons();
    void BuildDistanceCalculators();
    void BuildFourthPointCalculator();
    void Connect(QPushButton* button, void (TEditDlg::*handler)());

    // The editor proper.
    void LoadFields();
    void ShowCurrentPoint(int r);
    void FillEditorTable();
    void DaonsTableClick();
    void DaonsTableDblClick();
    void SubmitClick();
    void OKBtnClick();
    void SaveasClick();
    void StoreTimeAndCoefficients();
    void Store(const QString& caption, const std::function<void()>& store);

    // The calculators.
    Point3 ReadPoint(const QLineEdit* numberField) const;
    void CalculateDistance(const DistanceCalculator& calculator);
    void ResetDistance(const DistanceCalculator& calculator);
    void Calculate5Click();
    void Reset5Click();
    void DataToCelClick();
    void PlaceComputedPoint(const std::array<QString, 3>& coordinates);

    TaonSystem& system_;
    FileNames& names_;
    UserDialogs& dialogs_;
    std::function<bool()> taoscopeChecked_;
    StoreHook storeHook_;
    bool EditorShowsVelocity_ = false;

    std::array<QLineEdit*, CoefficientCount> coefficientFields_{}; // file order A1 .. G3
    QLineEdit* EditDT_ = nullptr;
    QLabel* NumberOfTaon_ = nullptr;
    QLineEdit* EditX_ = nullptr;
    QLineEdit* EditY_ = nullptr;
    QLineEdit* EditZ_ = nullptr;
    QLineEdit* EditV_ = nullptr; // holds U, the x velocity
    QLineEdit* EditU_ = nullptr; // holds V, the y velocity
    QLineEdit* EditW_ = nullptr;
    QCheckBox* DaoTrue_ = nullptr;
    StringGrid* DaonsTable_ = nullptr;
    QLineEdit* EditFileName_ = nullptr;

    std::array<DistanceCalculator, 4> distanceCalculators_{};
    std::array<QLineEdit*, 3> fourthPointNumbers_{}; // EditCal5Part1 .. 3
    std::array<QLineEdit*, 3> fourthPointResults_{}; // EditResultX4 .. Z4
    QCheckBox* Del_ = nullptr;
    QLineEdit* ToCel_ = nullptr;
};
