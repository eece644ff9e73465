// SPDX-License-Identifier: MIT
// The view commands on their buttons, menu items, track bar and timer.
#include "ui/mainform.h"

#include "scenes/guard.h"
#include "editor/editdlg.h"
#include "view/drawingarea.h"
#include "view/stringgrid.h"
#include "view/showtext.h"
#include "view/viewcommands.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

#include <utility>

void TMainForm::WireViewCommands()
{
    // A view command on a button's click or a menu item's trigger.
    const auto wire = [this](auto* control, auto signal, void (*command)(ViewState&, ViewRenderer&)) {
        connect(control, signal, this, [this, command] { command(view_, *Drawing); });
    };
    wire(DaoTeta, &QPushButton::clicked, DaoTetaClick);
    wire(DaoTeta1, &QPushButton::clicked, DaoTeta1Click);
    wire(DaoPsi, &QPushButton::clicked, DaoPsiClick);
    wire(DaoPsi1, &QPushButton::clicked, DaoPsi1Click);
    wire(DaoPhi, &QPushButton::clicked, DaoPhiClick);
    wire(DaoPhi1, &QPushButton::clicked, DaoPhi1Click);
    wire(DaoStop, &QPushButton::clicked, DaoStopClick);
    wire(DaoBack, &QPushButton::clicked, DaoBackClick);
    wire(DaoForvard, &QPushButton::clicked, DaoForvardClick);
    wire(Left1, &QAction::triggered, Left1Click);
    wire(Right1, &QAction::triggered, Right1Click);
    wire(Up1, &QAction::triggered, Up1Click);
    wire(Down1, &QAction::triggered, Down1Click);
    wire(MoveToCenter, &QAction::triggered, MoveToCenterClick);
    wire(ShowNumbersOfPoints, &QAction::triggered, ShowNumbersOfPointsClick);
    connect(ShowSpin, &QAction::triggered, this, [this] {
        ShowSpinClick(view_);
        ShowSpin->setChecked(view_.SpinOn);
    });
    connect(ShowNumbersOfPoints, &QAction::triggered, this,
            [this] { ShowNumbersOfPoints->setChecked(view_.ShowNumbers); });
    wire(ResetView1, &QAction::triggered, ResetViewClick);
    wire(FollowCentroid1, &QAction::triggered, FollowCentroidClick);
    connect(FollowCentroid1, &QAction::triggered, this,
            [this] { FollowCentroid1->setChecked(view_.FollowCentroid); });
    const std::pair<QAction*, ViewAxis> lookAlong[] = {
        {LookAlongX1, ViewAxis::X}, {LookAlongY1, ViewAxis::Y}, {LookAlongZ1, ViewAxis::Z}};
    for (const auto& [item, axis] : lookAlong)
        connect(item, &QAction::triggered, this, [this, axis = axis] { LookAlongClick(view_, *Drawing, axis); });
    connect(Fit1, &QAction::triggered, this, [this] { FitClick(view_, system_, *Drawing, Drawing->CoveredTop()); });
    connect(TrackBar, &QSlider::valueChanged, this, [this](int position) { TrackBarChange(view_, position); });

    Timer = new QTimer(this);
    Timer->setInterval(300);
    connect(Timer, &QTimer::timeout, this, [this] { TimerTimer(view_, *Drawing); });
    Timer->start();

    Drawing->SetWindowRepaintHook([this] { FormPaint(); });
    Drawing->SetScopeSource([this] { return Taoscope->isChecked(); });
    Drawing->SetLawSource([this] { return CurrentSwitches().Law; });
    connect(Drawing, &DrawingArea::PointPicked, this, [this](int slot) {
        if (slot == 0)
            return;
        DaonsTable->SetRow(slot);
        DaonsTable->scrollTo(DaonsTable->currentIndex());
    });
    // Queued: the editor opens once the double click is over.
    connect(
        Drawing, &DrawingArea::PointDoubleClicked, this,
        [this](int slot) {
            EditDlg->SetCurrentPoint(slot);
            New1Click();
        },
        Qt::QueuedConnection);

    connect(Go, &QPushButton::clicked, this, &TMainForm::GoClick);
    connect(Null00, &QPushButton::clicked, this, &TMainForm::Null00Click);
}

void TMainForm::Daons1Click()
{
    Guarded(dialogs_, [this] {
        document_.Change(QStringLiteral("Taons"),
                         [this] { ::Daons1Click(system_, view_, names_, dialogs_, *Drawing, *this); });
    });
}

void TMainForm::Spiral1Click()
{
    ::Spiral1Click(system_, view_, *Drawing, *this);
}

void TMainForm::ShowFileName(const QString& name)
{
    ShowText(FName, name);
}
