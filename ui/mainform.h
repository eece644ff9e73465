// SPDX-License-Identifier: MIT
#pragma once

#include "document/scenedocument.h"
#include "model/runloop.h"
#include "model/taonsystem.h"
#include "scenes/filenames.h"
#include "view/showimages.h"
#include "view/viewstate.h"

#include <QMainWindow>

#include <array>
#include <memory>

class DrawingArea;
class FrameRecorder;
class HelpMenu;
class InteractionLawWindow;
class Lamp;
class StringGrid;
class TrailHistory;
class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTimer;
class RunHistoryWindow;
class RunMonitor;
class StructureWindow;
class SweepWindow;
class TAboutBox;
class TEditDlg;
class UserDialogs;

// The main window: the drawing area with the mode switches over it, the
// listing and commentary pages, the control panel, and the menus. Its handlers
// translate events into commands of the scene document, the view and the
// files; what the document reports changed, the window shows.
class TMainForm : public QMainWindow, private RunHost, private ShowImagesWindow {
    Q_OBJECT
public:
    // `dialogs` answers every box and file dialog; the window makes real ones
    // when none is given.
    explicit TMainForm(TaonSystem& system, UserDialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~TMainForm() override;

    TaonSystem& System() { return system_; }
    ViewState& View() { return view_; }
    FileNames& Names() { return names_; }
    SceneDocument& Document() { return document_; }
    bool RunInProgress() const { return runLoopActive_; }

    // Handlers, named after their control and event.
    void GoClick();
    void Null00Click();
    void LTimeDblClick();
    void DaonsTableDblClick();
    // False when the field's text is no number (reported).
    bool EditDTExit();
    bool CoefficientExit(int index);
    void New1Click();
    void Open1Click();
    void OpenExample1Click();
    // The file step of Open, for a name chosen elsewhere (the command line).
    void OpenScene(const QString& path);
    void Save1Click();
    void Saveas1Click();
    void Exit1Click();
    void CommentChange();
    void CommentExit();
    void Undo1Click();
    void Redo1Click();
    void RunHistory1Click();
    void Daons1Click();
    void Spiral1Click();
    void InteractionLaw1Click();
    void RunMonitor1Click();
    void Structure1Click();
    void Sweep1Click();
    void About1Click();
    void SavePicture1Click();
    void RecordFrames1Click();
    void Trails1Click();
    void Axes1Click();

    // The work of those commands once the dialogs have answered.
    void SavePicture(const QString& path);
    void StartRecording(const QString& folder, int every);
    void StopRecording();
    bool Recording() const { return recorder_ != nullptr; }

    void FillListing() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Window building (mainformlayout.cpp, mainmenu.cpp).
    void BuildModeSwitches();
    void BuildBottomPanel();
    void BuildControlPanel();
    void BuildCoefficientGrid();
    void BuildMenu();
    void WireViewCommands();
    void WirePictureCommands();
    // What the window shows when the document reports a change (documentwiring.cpp).
    void WireDocument();
    void ShowEditMenu();
    void ShowTravelled();
    void ShowRecordedState();
    // The trails as the kept states up to this one draw them.
    void TrailsUpTo(int index);
    void FormResize();
    // The smallest drawing area in which no control covers another.
    QSize MinimumDrawingSize() const;

    // Start-up and the window's repaint (startup.cpp).
    void FormCreate();
    void FormPaint();
    void LoadCommentaryPage();
    void ShowCommentary(const QString& text);
    void LoadStartScene();
    void ShowThetraSpiral();

    // Picture commands (picturecommands.cpp): each drawn step of a run goes
    // to the recorder.
    void RecordStep();
    void EndRecording();

    // Parameter panel (parameterpanel.cpp).
    void RefillParameterFields();
    void FillShownListing();
    // Refills only the fields whose value the model no longer holds.
    void RefillChangedFields();
    // Stores every field edited since it was filled or stored, as leaving it
    // does; false at the first text that is no number.
    bool StoreEditedFields();

    // Run control (runcontrol.cpp).
    void ShowRunningLook(bool running);
    void EnableSceneButtons(bool enabled) override;
    void ShowFileName(const QString& name) override;
    // Show Images put another scene in place: the document hears of it.
    void SceneReplaced() override;

    // RunHost: the window's duties between two steps.
    RunSwitches CurrentSwitches() override;
    void ShowStepCount(std::int32_t stepCount) override;
    void DrawScene() override;
    bool ShowListChecked() override;
    void ProcessEvents() override;

    bool IsLeaveFieldEvent(const QEvent* event) const;

    static constexpr int PanHeight = 182;

    TaonSystem& system_;
    ViewState view_;
    SceneDocument document_;
    FileNames& names_;
    std::unique_ptr<UserDialogs> ownDialogs_;
    UserDialogs& dialogs_;
    StepEngine engine_;
    // What the fields stand for: the value each was last filled with or
    // stored, dt first, then the coefficients in file order.
    std::array<Real, 1 + CoefficientCount> fieldValues_{};
    // The present's trails while the run history shows another step.
    std::unique_ptr<TrailHistory> presentTrails_;
    std::unique_ptr<FrameRecorder> recorder_;
    bool runLoopActive_ = false;
    bool goShowsCancelLook_ = false;
    bool closeRequested_ = false;
    bool ListingShowsVelocity = false;
    bool CommentChanged = false;

    // Controls, under the names the handlers refer to. Tests reach them as a
    // user does, by object name.
    DrawingArea* Drawing = nullptr;
    QRadioButton* RadioButton3 = nullptr;
    QGroupBox* RadioGroup3 = nullptr;
    QRadioButton* HotContact = nullptr;
    QRadioButton* ColdContact = nullptr;
    QRadioButton* ElecCurrent1 = nullptr;
    QRadioButton* ElecCurrent2 = nullptr;
    QCheckBox* Functions3X1 = nullptr;
    QCheckBox* Blockade = nullptr;
    QLineEdit* Edit4 = nullptr;

    QWidget* Pan = nullptr;
    QTabWidget* PageControl = nullptr;
    StringGrid* DaonsTable = nullptr;
    QPlainTextEdit* Comment = nullptr;
    QLineEdit* FName = nullptr;
    QGroupBox* RadioGroup2 = nullptr;
    QRadioButton* Gravoscope = nullptr;
    QRadioButton* Taoscope = nullptr;

    QFrame* Panel1 = nullptr;
    QCheckBox* ShowList = nullptr;
    QLabel* LTime = nullptr;
    QLineEdit* EditDT = nullptr;
    QCheckBox* Cool = nullptr;
    QSlider* TrackBar = nullptr;
    QPushButton* DaoBack = nullptr;
    QPushButton* DaoTeta = nullptr;
    QPushButton* DaoPsi = nullptr;
    QPushButton* Null00 = nullptr;
    QPushButton* DaoPhi = nullptr;
    QPushButton* DaoStop = nullptr;
    QPushButton* DaoPhi1 = nullptr;
    QPushButton* DaoForvard = nullptr;
    QPushButton* DaoTeta1 = nullptr;
    QPushButton* DaoPsi1 = nullptr;
    Lamp* ShapeRed = nullptr;
    Lamp* ShapeLime = nullptr;
    QPushButton* Go = nullptr;
    std::array<QLineEdit*, CoefficientCount> CoefficientEdits{}; // EditA1 .. EditG3, in file order

    QMenu* Images = nullptr;
    QAction* New1 = nullptr;
    QAction* Open1 = nullptr;
    QAction* OpenExample1 = nullptr;
    QAction* Save1 = nullptr;
    QAction* Saveas1 = nullptr;
    QAction* Exit1 = nullptr;
    QAction* Undo1 = nullptr;
    QAction* Redo1 = nullptr;
    QAction* RunHistory1 = nullptr;
    QAction* Daons1 = nullptr;
    QAction* Spiral1 = nullptr;
    QAction* ShowSpin = nullptr;
    QAction* ShowNumbersOfPoints = nullptr;
    QAction* MoveToCenter = nullptr;
    QAction* LookAlongX1 = nullptr;
    QAction* LookAlongY1 = nullptr;
    QAction* LookAlongZ1 = nullptr;
    QAction* ResetView1 = nullptr;
    QAction* Fit1 = nullptr;
    QAction* FollowCentroid1 = nullptr;
    QAction* InteractionLaw1 = nullptr;
    QAction* RunMonitor1 = nullptr;
    QAction* Structure1 = nullptr;
    QAction* Sweep1 = nullptr;
    QAction* SavePicture1 = nullptr;
    QAction* RecordFrames1 = nullptr;
    QAction* Trails1 = nullptr;
    QAction* Axes1 = nullptr;
    QAction* Left1 = nullptr;
    QAction* Right1 = nullptr;
    QAction* Up1 = nullptr;
    QAction* Down1 = nullptr;
    QAction* Help1 = nullptr;
    QAction* RusHelp = nullptr;
    QAction* PolHelp = nullptr;
    QAction* About1 = nullptr;
    QTimer* Timer = nullptr;

    TEditDlg* EditDlg = nullptr;
    TAboutBox* AboutBox = nullptr;
    InteractionLawWindow* LawWindow = nullptr; // made at its first opening
    RunMonitor* Monitor = nullptr; // made at its first opening
    StructureWindow* Structure = nullptr; // made at its first opening
    SweepWindow* Sweeper = nullptr; // likewise
    RunHistoryWindow* HistoryWindow = nullptr; // made at its first opening
    std::unique_ptr<HelpMenu> Help;
};
