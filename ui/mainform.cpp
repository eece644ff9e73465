// SPDX-License-Identifier: MIT
#include "ui/mainform.h"

#include "editor/editdlg.h"
#include "ui/aboutbox.h"
#include "ui/helpmenu.h"
#include "ui/historydrawingarea.h"
#include "ui/programicon.h"
#include "ui/widgetdialogs.h"
#include "view/drawingarea.h"
#include "view/framerecorder.h"
#include "view/standinfont.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

namespace {

constexpr int ClientWidth = 854;
constexpr int ClientHeight = 470; // below the menu bar

} // namespace

TMainForm::TMainForm(TaonSystem& system, UserDialogs* dialogs, QWidget* parent)
    : QMainWindow(parent),
      system_(system),
      document_(system),
      names_(document_.Names()),
      ownDialogs_(dialogs != nullptr ? nullptr : std::make_unique<WidgetDialogs>(this)),
      dialogs_(dialogs != nullptr ? *dialogs : *ownDialogs_)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Zarvitone"));
    setWindowIcon(ProgramIcon());
    setFont(StandInFont(QStringLiteral("MS Sans Serif"), 8));

    Drawing = new HistoryDrawingArea(document_, view_, this);
    Drawing->setObjectName(QStringLiteral("DrawingArea"));
    setCentralWidget(Drawing);
    BuildModeSwitches();
    BuildBottomPanel();
    BuildControlPanel();
    BuildMenu();
    WirePictureCommands();
    WireViewCommands();
    WireDocument();
    Drawing->installEventFilter(this);
    for (QLineEdit* field : findChildren<QLineEdit*>())
        field->installEventFilter(this);

    Drawing->setMinimumSize(MinimumDrawingSize());
    resize(ClientWidth, menuBar()->sizeHint().height() + ClientHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    FormCreate();

    EditDlg = new TEditDlg(system_, names_, dialogs_, [this] { return Taoscope->isChecked(); }, this);
    EditDlg->SetStoreHook(
        [this](const QString& caption, const std::function<void()>& store) { document_.Change(caption, store); });
    AboutBox = new TAboutBox(this);
    Help = std::make_unique<HelpMenu>(this);
    connect(Help1, &QAction::triggered, this, [this] { Help->Help1Click(); });
    connect(RusHelp, &QAction::triggered, this, [this] { Help->RusHelpClick(); });
    connect(PolHelp, &QAction::triggered, this, [this] { Help->PolHelpClick(); });
}

TMainForm::~TMainForm() = default;

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::About1Click()
{
    AboutBox->exec();
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    // The run loop only ever ends through Stopped: stop it, and close once
    // it has returned (GoClick does that).
    if (runLoopActive_) {
        closeRequested_ = true;
        if (!system_.Stopped)
            GoClick();
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        QApplication::closeAllWindows(); // the help viewer goes with the program
}

void TMainForm::keyPressEvent(QKeyEvent* event)
{
    // A main window has no default or cancel button of its own: Enter acts on
    // the focused push button, else on Go in its "OK" look; Escape on Go in
    // its "Cancel" look. The look decides, not Stopped: after a failed
    // start-up the two disagree. Keys a field needs never get here.
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* focused = qobject_cast<QPushButton*>(focusWidget()); focused != nullptr && focused->isEnabled())
            focused->click();
        else if (!goShowsCancelLook_ && Go->isEnabled())
            Go->click();
        return;
    case Qt::Key_Escape:
        if (goShowsCancelLook_ && Go->isEnabled())
            Go->click();
        return;
    default:
        QMainWindow::keyPressEvent(event);
    }
}

bool TMainForm::IsLeaveFieldEvent(const QEvent* event) const
{
    if (event->type() != QEvent::FocusOut)
        return false;
    // The focus going to a menu, a dialog or another program is no leaving.
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason &&
           reason != Qt::MenuBarFocusReason;
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == Drawing)
            FormResize();
        break;
    case QEvent::MouseButtonDblClick:
        if (watched == LTime)
            LTimeDblClick();
        break;
    case QEvent::FocusOut:
        if (!IsLeaveFieldEvent(event))
            break;
        if (watched == EditDT)
            EditDTExit();
        else if (watched == Comment)
            CommentExit();
        else if (const auto index = std::find(CoefficientEdits.begin(), CoefficientEdits.end(), watched);
                 index != CoefficientEdits.end())
            CoefficientExit(int(index - CoefficientEdits.begin()));
        break;
    case QEvent::ShortcutOverride: {
        // The menu's shortcuts come before the keys a field would use itself;
        // Undo's and Redo's even while there is nothing to undo or redo, so
        // a field never takes back typing of its own.
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        for (const QAction* action : findChildren<QAction*>())
            if ((action->isEnabled() || action == Undo1 || action == Redo1) && action->shortcuts().contains(pressed))
                return true;
        break;
    }
    case QEvent::KeyPress: {
        const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
        if (watched != Drawing && (Undo1->shortcuts().contains(pressed) || Redo1->shortcuts().contains(pressed)))
            return true;
        break;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}
