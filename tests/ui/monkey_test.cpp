// SPDX-License-Identifier: MIT
// A monkey at the main window: a fixed-seed random stream of user actions on
// the real window (offscreen) - clicks on every control, shortcut keys, menu
// commands, typing into every field (digits, letters, huge and tiny numbers,
// empty text), drags in the drawing area, runs started and stopped, the point
// editor and the about box worked from inside while they are modal, the
// window closed and started again - with scripted answers to every question.
// After each action it checks that the program is alive and that what always
// holds does: TaonCount is 100, no exception got out, no question went
// unanswered, the start file is unchanged or names a scene file that exists,
// an open or a start-up that reported nothing loaded the file with all its
// copies, a save that reported nothing wrote the model and one that failed
// left the old file whole.
//
// It prints its seed and counts. Another or a longer stream:
//   ZARVITONE_MONKEY_SEED=7 ZARVITONE_MONKEY_ACTIONS=20000 build/tests/monkey_test
// (defaults 20240909 and 2000). A hang - no action completing within
// ZARVITONE_MONKEY_HANG_SECONDS, default 60 - aborts with the last actions.
#include "mainformfixture.h"
#include "monkeyguard.h"
#include "monkeyscenes.h"

#include "editor/editdlg.h"
#include "model/extended.h"
#include "scenes/filesizelimit.h"
#include "ui/aboutbox.h"
#include "view/drawingarea.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

#include <cstring>
#include <sys/resource.h>

namespace {

using namespace monkey;

int EnvironmentNumber(const char* name, int fallback)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : fallback;
}

bool SameReal(Real a, Real b)
{
    std::uint8_t x[ExtendedSize], y[ExtendedSize];
    StoreExtended(a, x);
    StoreExtended(b, y);
    return std::memcmp(x, y, ExtendedSize) == 0;
}

// The working and display copies of the slot equal its state.
bool CopiesAgree(const TaonSystem& s, int i)
{
    return SameReal(s.NewX[i], s.X[i]) && SameReal(s.NewY[i], s.Y[i]) && SameReal(s.NewZ[i], s.Z[i]) &&
           SameReal(s.NewU[i], s.U[i]) && SameReal(s.NewV[i], s.V[i]) && SameReal(s.NewW[i], s.W[i]) &&
           SameReal(s.DrawX[i], s.X[i]) && SameReal(s.DrawY[i], s.Y[i]) && SameReal(s.DrawZ[i], s.Z[i]);
}

QByteArray RecordOf(const TaonSystem& system)
{
    const auto copy = std::make_unique<TaonSystem>(system);
    return SceneBytes(*copy);
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return QFileInfo(path).isFile() && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A scene file: a file the program reads whole.
bool IsSceneFile(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.size() >= SceneRecordSize;
}

// A smaller file-size limit for one action: writes past it fail as on a full disk.
class FullDisk {
public:
    explicit FullDisk(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FullDisk() { setrlimit(RLIMIT_FSIZE, &saved_); }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

private:
    rlimit saved_{};
};

// Texts a user can drop or paste into a field, past the key filter.
const QStringList& NastyTexts()
{
    static const QStringList texts = {
        QString(), QStringLiteral("-"), QStringLiteral("1e"), QStringLiteral("NaN"), QStringLiteral("INF"),
        QStringLiteral("1e4000"), QStringLiteral("-1e4000"), QStringLiteral("-1e-4950"), QStringLiteral("1e-4951"),
        QStringLiteral("1.18973149535723176502e4932"), QStringLiteral("0"), QStringLiteral("-0"),
        QStringLiteral("0.000"), QStringLiteral("1,5"), QStringLiteral("1.5.5"), QStringLiteral(" 7 "),
        QStringLiteral("+3"), QStringLiteral("--1"), QStringLiteral("1e+99999"), QStringLiteral("1e-99999"),
        QStringLiteral("0x10"), QStringLiteral("\u0661\u0662"), QStringLiteral("\u00a0"), QStringLiteral("\t1"),
        QString(5000, QLatin1Char('9')), QStringLiteral("0.") + QString(5000, QLatin1Char('0')) + QStringLiteral("1"),
        QString(40000, QLatin1Char('x')), QStringLiteral("1e") + QString(300, QLatin1Char('9')),
        QStringLiteral("12345678901234567890123"), QStringLiteral("0.001"), QStringLiteral("2.5"),
        QStringLiteral("100"), QStringLiteral("101"), QStringLiteral("-3"), QStringLiteral("\U0001F600"),
    };
    return texts;
}

// Scripted answers that also note how many errors were shown when each file
// question came, so that an error is laid to the file command it followed and
// not to a field left on the way.
class MonkeyDialogs : public ScriptedDialogs {
public:
    std::optional<QString> ChooseSceneToOpen() override
    {
        errorsAtOpen = int(errors.size());
        return ScriptedDialogs::ChooseSceneToOpen();
    }
    std::optional<QString> ChooseSceneToSave() override
    {
        errorsAtSave = int(errors.size());
        return ScriptedDialogs::ChooseSceneToSave();
    }
    int errorsAtOpen = 0;
    int errorsAtSave = 0;
};

struct Action {
    enum Kind { Other, Save, EditorOk, VelocityReset };
    std::string name;
    std::function<void()> run;
    // May start a run or open a modal dialog: the stream must go on inside it.
    bool mayBlock = false;
    Kind kind = Other;
};

// What an action's outcome is judged against.
struct Before {
    int errors = 0;
    int openDialogs = 0;
    int saveDialogs = 0;
    std::optional<QString> nextOpen;
    std::optional<QString> nextSave;
    QByteArray saveTarget;
    QByteArray startFile;
    bool spiral = false;
    bool resetPossible = false; // the velocity reset acts: scene view, at rest
    QString sceneFileName;
    QByteArray sceneFile;
};

class Monkey : public QObject {
public:
    Monkey(std::uint32_t seed, int actions)
        : random_(seed), watchdog_(log_, std::chrono::seconds(EnvironmentNumber("ZARVITONE_MONKEY_HANG_SECONDS", 60))),
          budget_(actions)
    {
    }

    // Runs the stream to its end; the first fault found, or nothing.
    QString Run()
    {
        // Relative names (the spiral's "ThetraSpiral", commentary of no scene)
        // land in the scratch folder too.
        const QString previousFolder = QDir::currentPath();
        const QLocale previousLocale;
        QDir::setCurrent(f_.config.Path(QString()));
        files_ = WriteSceneFiles(f_.config.Path(QString()).chopped(1), random_);
        for (int k = 1; k <= 4; ++k)
            saveTargets_ << f_.config.Path(QStringLiteral("saved-%1.ato").arg(k));
        f_.config.WriteStartFile(files_.readable.front().toUtf8());
        startFileSeen_ = StartFile();
        Restart();

        QTimer::singleShot(0, this, [this] { Step(); });
        loop_.exec();

        // Alive at the end: it still closes as asked.
        if (failure_.isEmpty()) {
            if (!f_.form->isVisible())
                Restart();
            f_.Find<QAction>("Exit1")->trigger();
            if (f_.form->isVisible() || f_.form->RunInProgress())
                Fail(QStringLiteral("Exit did not close the window at the end"));
        }
        f_.form.reset();
        QDir::setCurrent(previousFolder);
        QLocale::setDefault(previousLocale);
        return failure_;
    }

    QString Summary() const
    {
        // Number texts vary without end: one line for each kind.
        std::map<QString, int> errors;
        for (const QString& error : dialogs_.errors) {
            const qsizetype quoteEnd = error.lastIndexOf(QLatin1String("' is not a valid"));
            ++errors[quoteEnd > 0 ? QStringLiteral("'...") + error.mid(quoteEnd) : error];
        }
        QString text = QStringLiteral("%1 actions (%2 on the main window, %3 in the point editor, %4 in the about box), "
                                      "%5 runs with %6 steps (%11 checked), %7 starts, %8 scenes opened, %9 scenes saved, "
                                      "%10 error boxes:")
                           .arg(done_).arg(mainActions_).arg(editorActions_).arg(aboutActions_).arg(runs_)
                           .arg(steps_).arg(starts_).arg(opened_).arg(saved_).arg(dialogs_.errors.size()).arg(stepsChecked_);
        for (const auto& [error, count] : errors)
            text += QStringLiteral("\n  %1 x %2").arg(count, 4).arg(error);
        return text;
    }
    int Runs() const { return runs_; }
    int EditorActions() const { return editorActions_; }
    int Starts() const { return starts_; }
    int Opened() const { return opened_; }
    int Saved() const { return saved_; }

private:
    // ---- chance ----------------------------------------------------------

    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(random_) < p; }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    int Weighted(const std::vector<int>& weights)
    {
        return std::discrete_distribution<int>(weights.begin(), weights.end())(random_);
    }
    template <class List>
    const auto& PickFrom(const List& list)
    {
        return list[Below(int(list.size()))];
    }

    // ---- the stream --------------------------------------------------------

    void ScheduleNext()
    {
        QTimer::singleShot(0, this, [this] { Step(); });
    }

    // One action, from whatever event loop runs: the test's own, a run's
    // pause between two steps, or a modal dialog's.
    void Step()
    {
        if (finished_)
            return;
        ++depth_;
        ++stepsEntered_;
        CountRunning();
        CheckRunStep();
        if (done_ >= budget_ || !failure_.isEmpty()) {
            ScheduleNext();
            WindDown();
        } else {
            Act();
        }
        stepCountSeen_ = f_.system.StepCount;
        --depth_;
    }

    // Closes what is open, stops what runs, and ends the stream from the
    // outermost level.
    void WindDown()
    {
        if (++windDownSteps_ > 10000) {
            std::fprintf(stderr, "monkey: the window cannot be brought to rest. Last actions:\n%s", log_.Tail().c_str());
            std::abort();
        }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->reject();
            else
                modal->close();
        } else if (f_.form && f_.form->RunInProgress()) {
            if (!f_.system.Stopped)
                f_.Find<QPushButton>("Go")->click();
        } else if (depth_ == 1) {
            finished_ = true;
            loop_.quit();
        }
    }

    void Act()
    {
        TopUpAnswers();
        Action action = Choose();
        const Before before = Snapshot();
        const int stepsBefore = stepsEntered_;
        std::optional<FullDisk> fullDisk;
        if (!action.mayBlock && Chance(0.04)) {
            fullDisk.emplace(4000);
            action.name += " on a full disk";
        }
        log_.Add(std::to_string(done_) + ": " + action.name);
        if (action.mayBlock)
            ScheduleNext();
        try {
            action.run();
        } catch (const std::exception& error) {
            Fail(QStringLiteral("an exception got out of the window: ") + QString::fromUtf8(error.what()));
        } catch (...) {
            Fail(QStringLiteral("an unknown exception got out of the window"));
        }
        fullDisk.reset();
        ++done_;
        watchdog_.Progress();
        Check(action, before, stepsEntered_ != stepsBefore);
        if (!action.mayBlock)
            ScheduleNext();
    }

    Action Choose()
    {
        TMainForm* form = f_.form.get();
        if (!form->isVisible()) {
            if (depth_ == 1)
                return {"start the program again", [this] { Restart(); }};
            return {"wait for the run to end and the window to close", [] {}};
        }
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == f_.Window<TEditDlg>())
            return EditorAction();
        if (modal == f_.Window<TAboutBox>())
            return AboutAction();
        if (modal)
            return {"close a window nobody expected", [this, modal] {
                        Fail(QStringLiteral("an unexpected modal window: ") + modal->metaObject()->className() +
                             QLatin1Char(' ') + modal->objectName());
                        modal->close();
                    }};
        if (QApplication::activeWindow() != form) {
            QWidget* other = QApplication::activeWindow();
            if (other && Chance(0.5))
                return {"close the " + other->objectName().toStdString() + " window", [other] { other->close(); }};
            return {"bring the main window to the front", [form] { form->activateWindow(); }};
        }
        return MainAction();
    }

    // ---- the main window ---------------------------------------------------

    Action MainAction()
    {
        ++mainActions_;
        editorSession_ = 0; // the next editor opening is a new session
        TMainForm* form = f_.form.get();
        // Runs last a few dozen steps: a stop comes now and then.
        auto* go = f_.Find<QPushButton>("Go");
        if (form->RunInProgress() && !f_.system.Stopped && Chance(0.04))
            return Chance(0.5) ? Action{"click Stop", [go] { QTest::mouseClick(go, Qt::LeftButton); }, true}
                               : Action{"press Escape", [this] { Key(Qt::Key_Escape); }, true};
        switch (Weighted({8, 6, 8, 12, 8, 8, 14, 4, 2, 3, 1, 6, 2, 2, 2, 1})) {
        case 0:
            return {"click " + go->text().toStdString(), [go] { QTest::mouseClick(go, Qt::LeftButton); }, true};
        case 1: {
            static const std::vector<std::pair<Qt::Key, const char*>> keys = {
                {Qt::Key_Return, "Return"}, {Qt::Key_Enter, "Enter"}, {Qt::Key_Escape, "Escape"},
                {Qt::Key_Space, "Space"},   {Qt::Key_Tab, "Tab"},     {Qt::Key_Backtab, "Backtab"},
                {Qt::Key_Up, "Up"},         {Qt::Key_Right, "Right"}, {Qt::Key_Delete, "Delete"},
                {Qt::Key_Backspace, "Backspace"}, {Qt::Key_Home, "Home"}, {Qt::Key_PageDown, "PageDown"}};
            const auto& [key, name] = PickFrom(keys);
            return {std::string("press ") + name + " in " + FocusName(), [this, key = key] { Key(key); }, true};
        }
        case 2: {
            static const std::vector<const char*> buttons = {"DaoBack", "DaoTeta", "DaoPsi",     "Null00",   "DaoPhi",
                                                             "DaoStop", "DaoPhi1", "DaoForvard", "DaoTeta1", "DaoPsi1"};
            auto* button = f_.Find<QPushButton>(PickFrom(buttons));
            return {"click " + button->objectName().toStdString(),
                    [button] { QTest::mouseClick(button, Qt::LeftButton); }, false,
                    button->objectName() == QLatin1String("Null00") ? Action::VelocityReset : Action::Other};
        }
        case 3:
            return ShortcutAction();
        case 4:
            return MenuAction();
        case 5: {
            static const std::vector<const char*> switches = {
                "ShowList",    "Cool",         "Functions3X1", "Blockade",   "RadioButton3", "HotContact",
                "ColdContact", "ElecCurrent1", "ElecCurrent2", "Gravoscope", "Taoscope"};
            auto* button = f_.Find<QAbstractButton>(PickFrom(switches));
            return {"click " + button->objectName().toStdString(), [button] { button->click(); }};
        }
        case 6: {
            std::vector<QLineEdit*> fields = f_.CoefficientEdits();
            for (const char* name : {"EditDT", "EditDT", "EditDT", "Edit4", "FName", "Edit1", "Edit3"})
                fields.push_back(f_.Find(name));
            QLineEdit* field = PickFrom(fields);
            return {"type into " + field->objectName().toStdString(), [this, field] { TypeInto(field, true); }};
        }
        case 7:
            return {"edit the commentary", [this] { EditCommentary(); }};
        case 8:
            return {"switch the page",
                    [this, pages = f_.Find<QTabWidget>("PageControl")] { pages->setCurrentIndex(Below(2)); }};
        case 9:
            return {"click the listing",
                    [this, grid = f_.Find<StringGrid>("DaonsTable")] { ClickGrid(grid, Chance(0.4)); }};
        case 10:
            return {"double-click the time",
                    [time = f_.Find<QLabel>("LTime")] { QTest::mouseDClick(time, Qt::LeftButton); }};
        case 11:
            return {"drag in the drawing area", [this] { Drag(); }};
        case 12:
            return {"move the track bar", [this, bar = f_.Find<QSlider>("TrackBar")] {
                        if (Chance(0.5))
                            bar->setValue(Below(11));
                        else
                            QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(Below(bar->width() + 1), 10));
                    }};
        case 13:
            return {"resize the window", [this, form] {
                        form->resize(Chance(0.2) ? QSize(40 + Below(200), 40 + Below(200))
                                                 : QSize(300 + Below(1400), 200 + Below(1000)));
                    }};
        case 14:
            return {"wait", [this] { QTest::qWait(Below(350)); }};
        default:
            return {"press Alt+X", [this] { Key(Qt::Key_X, Qt::AltModifier); }, true};
        }
    }

    Action ShortcutAction()
    {
        struct Shortcut {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            const char* name;
            int weight;
            Action::Kind kind;
        };
        static const std::vector<Shortcut> shortcuts = {
            {Qt::Key_F2, {}, "F2 (New)", 6, Action::Other},
            {Qt::Key_F3, {}, "F3 (Open)", 8, Action::Other},
            {Qt::Key_S, Qt::ControlModifier, "Ctrl+S (Save)", 6, Action::Save},
            {Qt::Key_F5, {}, "F5 (Taons)", 3, Action::Other},
            {Qt::Key_F6, {}, "F6 (ShowSpin)", 2, Action::Other},
            {Qt::Key_F7, {}, "F7 (numbers)", 2, Action::Other},
            {Qt::Key_F8, {}, "F8 (centre)", 2, Action::Other},
            {Qt::Key_Left, Qt::ControlModifier, "Ctrl+Left", 1, Action::Other},
            {Qt::Key_Right, Qt::ControlModifier, "Ctrl+Right", 1, Action::Other},
            {Qt::Key_Up, Qt::ControlModifier, "Ctrl+Up", 1, Action::Other},
            {Qt::Key_Down, Qt::ControlModifier, "Ctrl+Down", 1, Action::Other},
            {Qt::Key_F1, {}, "F1 (help)", 1, Action::Other},
        };
        std::vector<int> weights;
        for (const Shortcut& shortcut : shortcuts)
            weights.push_back(shortcut.weight);
        const Shortcut& shortcut = shortcuts[std::size_t(Weighted(weights))];
        return {std::string("press ") + shortcut.name + " in " + FocusName(),
                [this, &shortcut] { Key(shortcut.key, shortcut.modifiers); }, true, shortcut.kind};
    }

    Action MenuAction()
    {
        static const std::pair<const char*, int> always[] = {
            {"New1", 6},         {"Open1", 8},    {"Save1", 6},
            {"Saveas1", 6},      {"ShowSpin", 2}, {"ShowNumbersOfPoints", 2},
            {"MoveToCenter", 2}, {"About1", 2},   {"RusHelp", 1},
            {"PolHelp", 1},      {"Exit1", 1}};
        std::vector<std::pair<QAction*, int>> items;
        for (const auto& [name, weight] : always)
            items.emplace_back(f_.Find<QAction>(name), weight);
        // The Show Images commands only while their menu can be reached.
        if (f_.Find<QMenu>("Images")->isEnabled()) {
            items.emplace_back(f_.Find<QAction>("Daons1"), 3);
            items.emplace_back(f_.Find<QAction>("Spiral1"), 3);
        }
        std::vector<int> weights;
        for (const auto& item : items)
            weights.push_back(item.second);
        QAction* item = items[std::size_t(Weighted(weights))].first;
        return {"menu " + item->objectName().toStdString(), [item] { item->trigger(); }, true,
                item->objectName() == QLatin1String("Save1") ? Action::Save : Action::Other};
    }

    // ---- the modal dialogs -------------------------------------------------

    Action EditorAction()
    {
        ++editorActions_;
        TEditDlg* editor = f_.Window<TEditDlg>();
        if (++editorSession_ > 40 || Chance(0.07)) {
            switch (Weighted({11, 4, 3, 2})) {
            case 0:
                return {"editor: OK", [editor] { QTest::mouseClick(Button(editor, "OKBtn"), Qt::LeftButton); }, false,
                        Action::EditorOk};
            case 1:
                return {"editor: Cancel",
                        [editor] { QTest::mouseClick(Button(editor, "CancelBtn"), Qt::LeftButton); }};
            case 2:
                return {"editor: Escape", [editor] { QTest::keyClick(FocusIn(editor), Qt::Key_Escape); }};
            default:
                return {"editor: close", [editor] { editor->close(); }};
            }
        }
        switch (Weighted({9, 5, 3, 1, 2, 1})) {
        case 0: {
            const QList<QLineEdit*> fields = editor->findChildren<QLineEdit*>();
            QLineEdit* field = fields[Below(int(fields.size()))];
            return {"editor: type into " + field->objectName().toStdString(),
                    [this, field] { TypeInto(field, false); }};
        }
        case 1: {
            QList<QPushButton*> buttons = editor->findChildren<QPushButton*>();
            buttons.removeIf([](const QPushButton* button) {
                return button->objectName() == QLatin1String("OKBtn") ||
                       button->objectName() == QLatin1String("CancelBtn");
            });
            QPushButton* button = buttons[Below(int(buttons.size()))];
            return {"editor: click " + button->objectName().toStdString(),
                    [button] { QTest::mouseClick(button, Qt::LeftButton); }};
        }
        case 2:
            return {"editor: click the grid",
                    [this, editor] { ClickGrid(editor->findChild<StringGrid*>(QStringLiteral("DaonsTable")), false); }};
        case 3:
            return {"editor: double-click the grid",
                    [this, editor] { ClickGrid(editor->findChild<StringGrid*>(QStringLiteral("DaonsTable")), true); }};
        case 4: {
            // On a focused button Return presses that button, elsewhere OK.
            QWidget* target = FocusIn(editor);
            return {"editor: Return in " + target->objectName().toStdString(),
                    [target] { QTest::keyClick(target, Qt::Key_Return); }, false,
                    qobject_cast<QPushButton*>(target) ? Action::Other : Action::EditorOk};
        }
        default: {
            auto* box = editor->findChild<QCheckBox*>(Chance(0.5) ? QStringLiteral("DaoTrue") : QStringLiteral("Del"));
            return {"editor: click " + box->objectName().toStdString(), [box] { box->click(); }};
        }
        }
    }

    Action AboutAction()
    {
        ++aboutActions_;
        TAboutBox* about = f_.Window<TAboutBox>();
        if (Chance(0.5))
            return {"about: OK", [about] { QTest::mouseClick(Button(about, "OKButton"), Qt::LeftButton); }};
        return {"about: Escape", [about] { QTest::keyClick(FocusIn(about), Qt::Key_Escape); }};
    }

    static QPushButton* Button(QWidget* dialog, const char* name)
    {
        auto* button = dialog->findChild<QPushButton*>(QLatin1String(name));
        if (!button)
            qFatal("no button %s", name);
        return button;
    }

    static QWidget* FocusIn(QWidget* window)
    {
        QWidget* focused = QApplication::focusWidget();
        return focused && window->isAncestorOf(focused) ? focused : window;
    }

    // ---- gestures ----------------------------------------------------------

    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(FocusIn(f_.form.get()), key, modifiers);
    }

    std::string FocusName() const
    {
        const QWidget* focused = FocusIn(f_.form.get());
        return focused->objectName().isEmpty() ? focused->metaObject()->className()
                                               : focused->objectName().toStdString();
    }

    // Clicks into the field, replaces or extends its text by keys (through the
    // key filter) or by a drop (past it), and leaves it now and then.
    void TypeInto(QLineEdit* field, bool mayLeave)
    {
        QTest::mouseClick(field, Qt::LeftButton);
        if (Chance(0.7))
            field->selectAll();
        if (Chance(0.6)) {
            static const QString keys = QStringLiteral("0123456789012345678901234567890.,-+eEaN ");
            QString typed;
            for (int n = Below(14); n > 0; --n)
                typed += keys[Below(int(keys.size()))];
            QTest::keyClicks(field, typed);
        } else {
            field->insert(PickFrom(NastyTexts()));
        }
        if (mayLeave && Chance(0.6)) {
            if (Chance(0.5))
                QTest::keyClick(field, Qt::Key_Tab);
            else
                QTest::mouseClick(f_.Find("EditDT") == field ? f_.CoefficientEdits()[0] : f_.Find("EditDT"),
                                  Qt::LeftButton);
        }
    }

    void EditCommentary()
    {
        f_.Find<QTabWidget>("PageControl")->setCurrentIndex(1);
        auto* comment = f_.Find<QPlainTextEdit>("Comment");
        QTest::mouseClick(comment->viewport(), Qt::LeftButton);
        if (Chance(0.1)) {
            comment->setPlainText(QString(20000, QLatin1Char('z')) + QStringLiteral("\n\u00e9\U0001F600"));
        } else {
            static const QString keys = QStringLiteral("abc xyz 123");
            for (int n = Below(10); n > 0; --n)
                QTest::keyClicks(comment, QString(keys[Below(int(keys.size()))]));
            if (Chance(0.2))
                comment->insertPlainText(QStringLiteral("\u00e9\u0416"));
            if (Chance(0.3))
                QTest::keyClick(comment, Qt::Key_Return);
        }
        if (Chance(0.7))
            QTest::mouseClick(f_.CoefficientEdits()[std::size_t(Below(CoefficientCount))], Qt::LeftButton);
    }

    void ClickGrid(StringGrid* grid, bool twice)
    {
        QTableWidgetItem* item = grid->item(Below(SlotCount), 1 + Below(3));
        if (!item)
            return;
        grid->scrollToItem(item);
        const QPoint centre = grid->visualItemRect(item).center();
        if (twice)
            QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, centre);
        else
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre);
    }

    void Drag()
    {
        QWidget* area = f_.Find<DrawingArea>("DrawingArea");
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton button = buttons[Below(3)];
        const auto point = [&] {
            return Chance(0.1) ? QPoint(Below(20001) - 10000, Below(20001) - 10000)
                               : QPoint(Below(area->width() + 1), Below(area->height() + 1));
        };
        if (!Chance(0.05))
            QTest::mousePress(area, button, {}, point());
        if (!Chance(0.05))
            QTest::mouseRelease(area, button, {}, point());
    }

    // ---- starting ----------------------------------------------------------

    // Closes what is left of the window and starts the program afresh, now
    // and then from another start file, for a user whose decimal separator
    // is the full stop or the comma.
    void Restart()
    {
        f_.form.reset();
        f_.system = TaonSystem{};
        QLocale::setDefault(Chance(0.3) ? QLocale(QLocale::German, QLocale::Germany) : QLocale::c());
        switch (Below(10)) {
        case 0:
        case 1:
            f_.config.WriteStartFile(PickFrom(files_.readable).toUtf8());
            break;
        case 2:
            f_.config.WriteStartFile(PickFrom(files_.missing).toUtf8());
            break;
        case 3:
            QFile::remove(f_.config.StartFile());
            break;
        default:
            break;
        }
        const QByteArray startFile = StartFile();
        const bool hadStartFile = QFileInfo::exists(f_.config.StartFile());
        const int errors = int(dialogs_.errors.size());
        f_.form = std::make_unique<TMainForm>(f_.system, &dialogs_);
        f_.form->show();
        ++starts_;
        f_.form->activateWindow();
        startFileSeen_ = StartFile();

        if (!hadStartFile) {
            if (startFileSeen_ != QByteArray() || !f_.form->View().SpiralMode)
                Fail(QStringLiteral("a start without a start file did not create it empty and show the spiral"));
            return;
        }
        if (startFileSeen_ != startFile)
            Fail(QStringLiteral("the start-up changed the start file"));
        const QString name = QString::fromUtf8(startFile.left(startFile.indexOf('\n')));
        if (IsSceneFile(name) && int(dialogs_.errors.size()) == errors) {
            if (f_.form->View().SpiralMode || f_.Find("FName")->text() != name)
                Fail(QStringLiteral("the start scene %1 was not opened").arg(name));
            ExpectLoaded(name, false);
        }
    }

    // ---- what must hold ----------------------------------------------------

    QByteArray StartFile() const
    {
        return QFileInfo::exists(f_.config.StartFile()) ? f_.config.ReadFile(f_.config.StartFile()) : QByteArray("\0absent", 7);
    }

    Before Snapshot() const
    {
        const MonkeyDialogs& d = dialogs_;
        Before before;
        before.errors = int(d.errors.size());
        before.openDialogs = d.openDialogs;
        before.saveDialogs = d.saveDialogs;
        before.nextOpen = d.openAnswers.front();
        before.nextSave = d.saveAnswers.front();
        if (before.nextSave)
            before.saveTarget = FileBytes(*before.nextSave);
        before.startFile = StartFile();
        if (f_.form) {
            before.spiral = f_.form->View().SpiralMode;
            before.resetPossible = !before.spiral && f_.system.Stopped && f_.Find<QPushButton>("Null00")->isEnabled();
            before.sceneFileName = f_.form->Names().SceneFileName;
            before.sceneFile = FileBytes(before.sceneFileName);
        }
        return before;
    }

    void Check(const Action& action, const Before& before, bool nested)
    {
        if (f_.system.TaonCount != SlotCount)
            Fail(QStringLiteral("TaonCount is %1").arg(f_.system.TaonCount));
        if (!dialogs_.unexpected.isEmpty())
            Fail(QStringLiteral("unanswered question: ") + dialogs_.unexpected.join(QStringLiteral(", ")));
        if (const QString critical = messages_.Critical(); !critical.isEmpty())
            Fail(QStringLiteral("Qt reported: ") + critical);
        if (depth_ > 12)
            Fail(QStringLiteral("actions nest %1 deep").arg(depth_));
        CheckStartFile();
        if (f_.form && f_.form->isVisible() && f_.form->View().SpiralMode == f_.Find<QPushButton>("Go")->isEnabled())
            Fail(QStringLiteral("Go is %1 in the %2 view")
                     .arg(f_.Find<QPushButton>("Go")->isEnabled() ? QStringLiteral("enabled")
                                                                  : QStringLiteral("disabled"),
                          f_.form->View().SpiralMode ? QStringLiteral("spiral") : QStringLiteral("scene")));
        // Runs and dialogs in between: the single action is not to be judged.
        if (nested || !f_.form)
            return;

        const MonkeyDialogs& d = dialogs_;
        const int errors = int(d.errors.size());
        if (d.openDialogs == before.openDialogs + 1 && before.nextOpen) {
            const QString& path = *before.nextOpen;
            if (errors > d.errorsAtOpen) {
                if (StartFile() != before.startFile)
                    Fail(QStringLiteral("a failed open of %1 changed the start file").arg(path));
            } else {
                ++opened_;
                if (StartFile() != path.toUtf8() || f_.Find("FName")->text() != path || f_.system.StepCount != 0)
                    Fail(QStringLiteral("the open of %1 did not make it the start scene").arg(path));
                ExpectLoaded(path, true);
            }
        }
        if (d.saveDialogs == before.saveDialogs + 1 && before.nextSave)
            ExpectSaved(*before.nextSave, errors > d.errorsAtSave, before.saveTarget, action.kind == Action::EditorOk);
        if (action.kind == Action::VelocityReset && before.resetPossible) {
            const TaonSystem& s = f_.system;
            for (int i = 1; i <= SlotCount; ++i)
                if (s.U[i] != 0 || s.V[i] != 0 || s.W[i] != 0 || s.NewU[i] != 0 || s.NewV[i] != 0 || s.NewW[i] != 0)
                    return Fail(QStringLiteral("the velocity reset left slot %1 moving").arg(i));
        }
        if (action.kind == Action::Save && d.saveDialogs == before.saveDialogs && !before.spiral &&
            !before.sceneFileName.isEmpty())
            ExpectSaved(before.sceneFileName, errors > before.errors, before.sceneFile, false);
    }

    // Right after a step of a run without walls and blocks the commit has made
    // every copy of every slot equal. The switches are as the step saw them:
    // nothing acted between that step and this check.
    void CheckRunStep()
    {
        if (!f_.form || !f_.form->RunInProgress() || f_.system.StepCount == stepCountSeen_ ||
            !f_.Find<QRadioButton>("RadioButton3")->isChecked() || f_.Find<QCheckBox>("Blockade")->isChecked())
            return;
        const TaonSystem& s = f_.system;
        for (int i = 1; i <= SlotCount; ++i)
            if (!CopiesAgree(s, i))
                return Fail(QStringLiteral("after step %1 the copies of slot %2 differ").arg(s.StepCount).arg(i));
        ++stepsChecked_;
    }

    // Unchanged, or naming a scene file that is there.
    void CheckStartFile()
    {
        const QByteArray now = StartFile();
        if (now == startFileSeen_)
            return;
        const QString name = QString::fromUtf8(now);
        if (!IsSceneFile(name))
            Fail(QStringLiteral("the start file names no scene file: '%1'").arg(name.left(200)));
        startFileSeen_ = now;
    }

    // A save that reported nothing wrote the model; one that failed left the file as it was.
    void ExpectSaved(const QString& path, bool failed, const QByteArray& old, bool fromEditorOk)
    {
        const QByteArray now = FileBytes(path);
        if (failed) {
            if (now != old)
                Fail(QStringLiteral("a failed save changed %1").arg(path));
            return;
        }
        ++saved_;
        if (now != RecordOf(f_.system))
            Fail(QStringLiteral("the save to %1 did not write the model").arg(path));
        if (!fromEditorOk)
            return;
        if (StartFile() != path.toUtf8())
            Fail(QStringLiteral("the editor's OK did not make %1 the start scene").arg(path));
        const TaonSystem& s = f_.system;
        for (int i = 1; i <= SlotCount; ++i)
            if (s.Present[i] && !CopiesAgree(s, i))
                return Fail(QStringLiteral("after the editor's OK the copies of slot %1 differ").arg(i));
    }

    // The model holds the file's scene, every copy equal to the state.
    void ExpectLoaded(const QString& path, bool withDt)
    {
        const auto file = std::make_unique<TaonSystem>();
        file->TaonCount = SlotCount;
        const QByteArray bytes = FileBytes(path).left(SceneRecordSize);
        std::memcpy(file->Record.data(), bytes.constData(), std::size_t(bytes.size()));
        RestoreFromSceneRecord(*file);
        const TaonSystem& s = f_.system;
        if (withDt && !SameReal(s.dt, file->dt))
            return Fail(QStringLiteral("%1: dt differs from the file's").arg(path));
        for (CoefficientField k : CoefficientFields)
            if (!SameReal(s.*k, (*file).*k))
                return Fail(QStringLiteral("%1: a coefficient differs from the file's").arg(path));
        for (int i = 1; i <= SlotCount; ++i) {
            const bool same = s.Present[i] == file->Present[i] && SameReal(s.X[i], file->X[i]) &&
                              SameReal(s.Y[i], file->Y[i]) && SameReal(s.Z[i], file->Z[i]) &&
                              SameReal(s.U[i], file->U[i]) && SameReal(s.V[i], file->V[i]) &&
                              SameReal(s.W[i], file->W[i]);
            if (!same || !CopiesAgree(s, i))
                return Fail(QStringLiteral("%1: slot %2 %3").arg(path).arg(i).arg(
                    same ? QStringLiteral("has copies that differ") : QStringLiteral("differs from the file's")));
        }
    }

    void Fail(const QString& what)
    {
        if (!failure_.isEmpty())
            return;
        failure_ = QStringLiteral("after action %1: %2\nlast actions:\n%3")
                       .arg(done_).arg(what, QString::fromStdString(log_.Tail()));
    }

    // ---- answers and counts ------------------------------------------------

    // Every question has an answer waiting: cancel, a scene of any kind, a
    // scratch file, a name in a missing folder, a folder, nothing at all.
    void TopUpAnswers()
    {
        MonkeyDialogs& d = dialogs_;
        while (d.confirmAnswers.size() < 4)
            d.confirmAnswers.push_back(Chance(0.5));
        while (d.openAnswers.size() < 4) {
            switch (Weighted({2, 10, 3, 2})) {
            case 0:
                d.openAnswers.push_back(std::nullopt);
                break;
            case 1:
                d.openAnswers.push_back(PickFrom(files_.readable));
                break;
            case 2:
                d.openAnswers.push_back(PickFrom(saveTargets_));
                break;
            default:
                d.openAnswers.push_back(PickFrom(files_.missing));
                break;
            }
        }
        while (d.saveAnswers.size() < 4) {
            switch (Weighted({2, 10, 1, 1, 1})) {
            case 0:
                d.saveAnswers.push_back(std::nullopt);
                break;
            case 1:
                d.saveAnswers.push_back(PickFrom(saveTargets_));
                break;
            case 2:
                d.saveAnswers.push_back(f_.config.Path(QStringLiteral("no-folder/new.ato")));
                break;
            case 3:
                d.saveAnswers.push_back(f_.config.Path(QStringLiteral("folder.ato")));
                break;
            default:
                d.saveAnswers.push_back(QString());
                break;
            }
        }
    }

    void CountRunning()
    {
        const bool running = f_.form && f_.form->RunInProgress();
        if (running && !wasRunning_)
            ++runs_;
        wasRunning_ = running;
        const std::int32_t count = f_.system.StepCount;
        if (running && count > lastStepCount_)
            steps_ += count - lastStepCount_;
        lastStepCount_ = count;
    }


    MainFormFixture f_; // its start file folder, model and window; the answers come from dialogs_
    MonkeyDialogs dialogs_;
    std::mt19937 random_;
    SceneFiles files_;
    QStringList saveTargets_;
    QByteArray startFileSeen_;

    ActionLog log_;
    MessageGuard messages_;
    Watchdog watchdog_;
    QEventLoop loop_;
    const int budget_;
    int done_ = 0;
    int depth_ = 0;
    int stepsEntered_ = 0;
    int windDownSteps_ = 0;
    bool finished_ = false;
    QString failure_;

    int mainActions_ = 0;
    int editorActions_ = 0;
    int editorSession_ = 0;
    int aboutActions_ = 0;
    int runs_ = 0;
    std::int64_t steps_ = 0;
    bool wasRunning_ = false;
    std::int32_t lastStepCount_ = 0;
    std::int32_t stepCountSeen_ = 0;
    int stepsChecked_ = 0;
    int starts_ = 0;
    int opened_ = 0;
    int saved_ = 0;
};

} // namespace

class MonkeyTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // A write past the file-size limit fails as on a full disk, as in the program.
        LetFileSizeLimitFailWrites();
        QApplication::setQuitOnLastWindowClosed(false);
    }

    void randomActionsKeepTheProgramSound()
    {
        const auto seed = std::uint32_t(EnvironmentNumber("ZARVITONE_MONKEY_SEED", 20240909));
        const int actions = EnvironmentNumber("ZARVITONE_MONKEY_ACTIONS", 2000);
        qInfo("monkey: seed %u, %d actions", seed, actions);
        QElapsedTimer clock;
        clock.start();
        Monkey monkey(seed, actions);
        const QString failure = monkey.Run();
        qInfo("monkey: %s\nmonkey: %.1f s", qPrintable(monkey.Summary()), double(clock.elapsed()) / 1000);
        if (!failure.isEmpty())
            qInfo("monkey: FAILED %s", qPrintable(failure)); // in full: the test log cuts long messages
        QVERIFY2(failure.isEmpty(), qPrintable(failure.left(failure.indexOf(QLatin1Char('\n')))));
        if (actions >= 1000) { // a stream this long reaches every part
            QVERIFY(monkey.Runs() > 10);
            QVERIFY(monkey.EditorActions() > 50);
            QVERIFY(monkey.Starts() > 2);
            QVERIFY(monkey.Opened() > 5);
            QVERIFY(monkey.Saved() > 5);
        }
    }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
