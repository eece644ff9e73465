// SPDX-License-Identifier: MIT
// The main menu. The "Manager" menu is not on the menu bar; its commands
// work through their shortcut keys alone.
#include "ui/mainform.h"

#include "view/drawingarea.h"
#include "view/drawingareaitems.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction* Item(QMenu* menu, const char* name, const QString& caption, const QKeySequence& shortcut = {})
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

} // namespace

void TMainForm::BuildMenu()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("File1"));
    New1 = Item(file, "New1", QStringLiteral("New"), Qt::Key_F2);
    Open1 = Item(file, "Open1", QStringLiteral("Open"), Qt::Key_F3);
    OpenExample1 = Item(file, "OpenExample1", QStringLiteral("Open Example..."));
    Save1 = Item(file, "Save1", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    Saveas1 = Item(file, "Saveas1", QStringLiteral("Save As ..."));
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    SavePicture1 = Item(file, "SavePicture1", QStringLiteral("Save Picture..."), QKeySequence(Qt::CTRL | Qt::Key_E));
    RecordFrames1 = Item(file, "RecordFrames1", QStringLiteral("Record Frames..."), QKeySequence(Qt::CTRL | Qt::Key_R));
    Exit1 = Item(file, "Exit1", QStringLiteral("Exit"), QKeySequence(Qt::ALT | Qt::Key_X));

    QMenu* edit = menuBar()->addMenu(QStringLiteral("Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    Undo1 = Item(edit, "Undo1", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    Redo1 = Item(edit, "Redo1", QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    Redo1->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addSeparator();
    RunHistory1 = Item(edit, "RunHistory1", QStringLiteral("Run History..."), QKeySequence(Qt::CTRL | Qt::Key_H));

    QMenu* view = menuBar()->addMenu(QStringLiteral("View"));
    view->setObjectName(QStringLiteral("View1"));
    Images = view->addMenu(QStringLiteral("Show Images"));
    Images->setObjectName(QStringLiteral("Images"));
    Daons1 = Item(Images, "Daons1", QStringLiteral("Taons"), Qt::Key_F5);
    Spiral1 = Item(Images, "Spiral1", QStringLiteral("Spiral"));
    ShowSpin = Item(view, "ShowSpin", QStringLiteral("ShowSpin"), Qt::Key_F6);
    ShowNumbersOfPoints = Item(view, "ShowNumbersOfPoints", QStringLiteral("Show Numbers of Points"), Qt::Key_F7);
    MoveToCenter = Item(view, "MoveToCenter", QStringLiteral("Move to center"), Qt::Key_F8);
    QMenu* lookAlong = view->addMenu(QStringLiteral("Look Along"));
    lookAlong->setObjectName(QStringLiteral("LookAlong1"));
    LookAlongX1 = Item(lookAlong, "LookAlongX1", QStringLiteral("X"), QKeySequence(Qt::CTRL | Qt::Key_1));
    LookAlongY1 = Item(lookAlong, "LookAlongY1", QStringLiteral("Y"), QKeySequence(Qt::CTRL | Qt::Key_2));
    LookAlongZ1 = Item(lookAlong, "LookAlongZ1", QStringLiteral("Z"), QKeySequence(Qt::CTRL | Qt::Key_3));
    ResetView1 = Item(view, "ResetView1", QStringLiteral("Reset View"), QKeySequence(Qt::CTRL | Qt::Key_0));
    Fit1 = Item(view, "Fit1", QStringLiteral("Fit"), Qt::Key_F9);
    FollowCentroid1 = Item(view, "FollowCentroid1", QStringLiteral("Follow Centroid"), QKeySequence(Qt::CTRL | Qt::Key_F));
    view->addSeparator();
    InteractionLaw1 = Item(view, "InteractionLaw1", QStringLiteral("Interaction Law..."),
                           QKeySequence(Qt::CTRL | Qt::Key_L));
    RunMonitor1 = Item(view, "RunMonitor1", QStringLiteral("Run Monitor..."), QKeySequence(Qt::CTRL | Qt::Key_M));
    Structure1 = Item(view, "Structure1", QStringLiteral("Structure..."), QKeySequence(Qt::CTRL | Qt::Key_J));
    Sweep1 = Item(view, "Sweep1", QStringLiteral("Sweep..."), QKeySequence(Qt::CTRL | Qt::Key_G));
    Trails1 = Item(view, "Trails1", QStringLiteral("Trails"), QKeySequence(Qt::CTRL | Qt::Key_T));
    Axes1 = Item(view, "Axes1", QStringLiteral("Axes"));
    AddDrawingAreaItems(view, *Drawing);
    RecordFrames1->setCheckable(true);
    ShowSpin->setCheckable(true);
    ShowNumbersOfPoints->setCheckable(true);
    Trails1->setCheckable(true);
    Axes1->setCheckable(true);
    FollowCentroid1->setCheckable(true);

    auto* manager = new QMenu(QStringLiteral("Manager"), this);
    manager->setObjectName(QStringLiteral("Manager1"));
    Left1 = Item(manager, "Left1", QStringLiteral("Left"), QKeySequence(Qt::CTRL | Qt::Key_Left));
    Right1 = Item(manager, "Right1", QStringLiteral("Right"), QKeySequence(Qt::CTRL | Qt::Key_Right));
    Up1 = Item(manager, "Up1", QStringLiteral("Up"), QKeySequence(Qt::CTRL | Qt::Key_Up));
    Down1 = Item(manager, "Down1", QStringLiteral("Down"), QKeySequence(Qt::CTRL | Qt::Key_Down));
    addActions(manager->actions());

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help0"));
    Help1 = Item(help, "Help1", QStringLiteral("English Help"), Qt::Key_F1);
    RusHelp = Item(help, "RusHelp", QStringLiteral("Russian Help"), QKeySequence(Qt::CTRL | Qt::Key_F1));
    PolHelp = Item(help, "PolHelp", QStringLiteral("Poland Help"), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    About1 = Item(help, "About1", QStringLiteral("About"));

    connect(New1, &QAction::triggered, this, &TMainForm::New1Click);
    connect(Open1, &QAction::triggered, this, &TMainForm::Open1Click);
    connect(OpenExample1, &QAction::triggered, this, &TMainForm::OpenExample1Click);
    connect(Save1, &QAction::triggered, this, &TMainForm::Save1Click);
    connect(Saveas1, &QAction::triggered, this, &TMainForm::Saveas1Click);
    connect(Exit1, &QAction::triggered, this, &TMainForm::Exit1Click);
    connect(Daons1, &QAction::triggered, this, &TMainForm::Daons1Click);
    connect(Spiral1, &QAction::triggered, this, &TMainForm::Spiral1Click);
    connect(InteractionLaw1, &QAction::triggered, this, &TMainForm::InteractionLaw1Click);
    connect(RunMonitor1, &QAction::triggered, this, &TMainForm::RunMonitor1Click);
    connect(Structure1, &QAction::triggered, this, &TMainForm::Structure1Click);
    connect(Sweep1, &QAction::triggered, this, &TMainForm::Sweep1Click);
    connect(About1, &QAction::triggered, this, &TMainForm::About1Click);
}
