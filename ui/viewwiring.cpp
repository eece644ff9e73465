// The view commands on their buttons, menu items, track bar and timer.
#include "ui/mainform.h"

#include "scenes/guard.h"
#include "view/drawingarea.h"
#include "view/viewcommands.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

void TMainForm::WireViewCommands()
{
    const auto onClick = [this](QPushButton* button, void (*command)(ViewState&, ViewRenderer&)) {
        connect(button, &QPushButton::clicked, this, [this, command] { command(view_, *Drawing); });
    };
    onClick(DaoTeta, DaoTetaClick);
    onClick(DaoTeta1, DaoTeta1Click);
    onClick(DaoPsi, DaoPsiClick);
    onClick(DaoPsi1, DaoPsi1Click);
    onClick(DaoPhi, DaoPhiClick);
    onClick(DaoPhi1, DaoPhi1Click);
    onClick(DaoStop, DaoStopClick);
    onClick(DaoBack, DaoBackClick);
    onClick(DaoForvard, DaoForvardClick);

    const auto onTrigger = [this](QAction* action, void (*command)(ViewState&, ViewRenderer&)) {
        connect(action, &QAction::triggered, this, [this, command] { command(view_, *Drawing); });
    };
    onTrigger(Left1, Left1Click);
    onTrigger(Right1, Right1Click);
    onTrigger(Up1, Up1Click);
    onTrigger(Down1, Down1Click);
    onTrigger(MoveToCenter, MoveToCenterClick);
    onTrigger(ShowNumbersOfPoints, ShowNumbersOfPointsClick);
    connect(ShowSpin, &QAction::triggered, this, [this] {
        ShowSpinClick(view_);
        ShowSpin->setChecked(view_.SpinOn);
    });
    connect(ShowNumbersOfPoints, &QAction::triggered, this,
            [this] { ShowNumbersOfPoints->setChecked(view_.ShowNumbers); });
    connect(TrackBar, &QSlider::valueChanged, this, [this](int position) { TrackBarChange(view_, position); });

    Timer = new QTimer(this);
    Timer->setInterval(300);
    connect(Timer, &QTimer::timeout, this, [this] { TimerTimer(view_, *Drawing); });
    Timer->start();

    Drawing->SetWindowRepaintHook([this] { FormPaint(); });
    Drawing->SetScopeSource([this] { return Taoscope->isChecked(); });

    connect(Go, &QPushButton::clicked, this, &TMainForm::GoClick);
    connect(Null00, &QPushButton::clicked, this, &TMainForm::Null00Click);
}

void TMainForm::Daons1Click()
{
    Guarded(dialogs_, [this] { ::Daons1Click(system_, view_, names_, dialogs_, *Drawing, *this); });
}

void TMainForm::Spiral1Click()
{
    ::Spiral1Click(system_, view_, *Drawing, *this);
}

void TMainForm::ShowFileName(const QString& name)
{
    FName->setText(name);
}
