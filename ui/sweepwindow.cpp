// SPDX-License-Identifier: MIT
#include "ui/sweepwindow.h"

#include "model/groups.h"
#include "model/usererror.h"
#include "scenes/dialogs.h"
#include "scenes/guard.h"
#include "scenes/realtext.h"
#include "scenes/scenefile.h"
#include "scenes/scenetext.h"
#include "sweep/grid.h"
#include "sweep/merge.h"
#include "ui/sweepmap.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString NoName = QStringLiteral("(none)");

// A cell that sorts by its number where both are numbers, else by its text.
class FieldItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override
    {
        Real a = 0, b = 0;
        if (TextToReal(text().toStdString(), a) && TextToReal(other.text().toStdString(), b))
            return a < b;
        return text() < other.text();
    }
};

QStringList ScalarNames()
{
    QStringList names;
    for (int k = 0; k < CoefficientCount; ++k)
        names << QString::fromLatin1(CoefficientNames[k]);
    return names << QStringLiteral("dt");
}

} // namespace

SweepWindow::SweepWindow(Hooks hooks, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), hooks_(std::move(hooks)), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("SweepWindow"));
    setWindowTitle(QStringLiteral("Sweep"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    const QStringList heads{QStringLiteral("Name"), QStringLiteral("From"), QStringLiteral("To"),
                            QStringLiteral("Count")};
    for (int c = 0; c < heads.size(); ++c)
        grid->addWidget(new QLabel(heads[c]), 0, c);
    names_.push_back(AddNameRow(grid, 1, false));
    names_.push_back(AddNameRow(grid, 2, true));
    grid->setColumnStretch(4, 1);

    auto* controls = new QHBoxLayout;
    layout->addLayout(controls);
    controls->addWidget(new QLabel(QStringLiteral("Steps per job")));
    steps_ = new QSpinBox;
    steps_->setObjectName(QStringLiteral("Steps"));
    steps_->setRange(1, 10000000);
    steps_->setValue(200);
    controls->addWidget(steps_);
    start_ = new QPushButton(QStringLiteral("Start"));
    start_->setObjectName(QStringLiteral("Start"));
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"));
    cancelButton_->setObjectName(QStringLiteral("Cancel"));
    cancelButton_->setEnabled(false);
    controls->addWidget(start_);
    controls->addWidget(cancelButton_);
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("Progress"));
    controls->addWidget(progress_, 1);
    state_ = new QLabel;
    state_->setObjectName(QStringLiteral("State"));
    state_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(state_);

    auto* mapControls = new QHBoxLayout;
    layout->addLayout(mapControls);
    mapControls->addWidget(new QLabel(QStringLiteral("Map of")));
    mapColumn_ = new QComboBox;
    mapColumn_->setObjectName(QStringLiteral("MapColumn"));
    mapControls->addWidget(mapColumn_);
    openStart_ = new QCheckBox(QStringLiteral("Double-click opens the job's start, not its end"));
    openStart_->setObjectName(QStringLiteral("OpenStart"));
    mapControls->addWidget(openStart_);
    mapControls->addStretch();

    auto* split = new QSplitter;
    layout->addWidget(split, 1);
    tableView_ = new QTableWidget;
    tableView_->setObjectName(QStringLiteral("Summaries"));
    tableView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tableView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    tableView_->setSortingEnabled(true);
    tableView_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    tableView_->verticalHeader()->hide();
    split->addWidget(tableView_);
    map_ = new SweepMap;
    map_->setObjectName(QStringLiteral("Map"));
    split->addWidget(map_);
    split->setSizes({420, 480});

    connect(start_, &QPushButton::clicked, this, &SweepWindow::StartClick);
    connect(cancelButton_, &QPushButton::clicked, this, &SweepWindow::CancelClick);
    connect(mapColumn_, &QComboBox::currentIndexChanged, this, &SweepWindow::FillMap);
    connect(tableView_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { OpenJob(row); });
    connect(map_, &SweepMap::RowDoubleClicked, this, [this](int row) {
        // The map's row is the summary's; find where the sorted table shows it.
        for (int k = 0; k < tableView_->rowCount(); ++k)
            if (tableView_->item(k, 0)->data(Qt::UserRole).toInt() == row)
                OpenJob(k);
    });
    resize(900, 560);
}

SweepWindow::~SweepWindow()
{
    stop_ = true;
    if (worker_.joinable())
        worker_.join();
}

SweepWindow::NameRow SweepWindow::AddNameRow(QGridLayout* grid, int row, bool optional)
{
    NameRow name{new QComboBox, new QLineEdit, new QLineEdit, new QSpinBox};
    name.From->setMinimumWidth(180);
    name.To->setMinimumWidth(180);
    const QString suffix = QString::number(row);
    name.Name->setObjectName("Name" + suffix);
    name.From->setObjectName("From" + suffix);
    name.To->setObjectName("To" + suffix);
    name.Count->setObjectName("Count" + suffix);
    if (optional)
        name.Name->addItem(NoName);
    name.Name->addItems(ScalarNames());
    name.Count->setRange(1, 1000);
    name.Count->setValue(3);
    grid->addWidget(name.Name, row, 0);
    grid->addWidget(name.From, row, 1);
    grid->addWidget(name.To, row, 2);
    grid->addWidget(name.Count, row, 3);
    connect(name.Name, &QComboBox::currentIndexChanged, this, [this, name] { NameChosen(name); });
    NameChosen(name);
    return name;
}

// A name chosen starts from the scene's value: half of it to one and a half.
void SweepWindow::NameChosen(const NameRow& row)
{
    const auto field = SceneScalarNamed(row.Name->currentText().toStdString());
    for (QWidget* widget :
         {static_cast<QWidget*>(row.From), static_cast<QWidget*>(row.To), static_cast<QWidget*>(row.Count)})
        widget->setEnabled(field.has_value());
    if (!field)
        return;
    const Real value = hooks_.Scene().**field;
    row.From->setText(QString::fromStdString(RealToText(value == 0 ? Real(0) : value / 2)));
    row.To->setText(QString::fromStdString(RealToText(value == 0 ? Real(1) : value * 3 / 2)));
}

std::vector<std::string> SweepWindow::VariedNames() const
{
    return plan_.Table.Names;
}

QString SweepWindow::Folder() const
{
    return plan_.Folder;
}

void SweepWindow::StartClick()
{
    if (Running())
        return;
    Guarded(dialogs_, [this] {
        std::vector<SweepAxis> axes;
        for (const NameRow& row : names_) {
            if (row.Name->currentText() == NoName)
                continue;
            for (const QLineEdit* field : {row.From, row.To}) {
                Real value = 0;
                if (!TextToReal(field->text().trimmed().toStdString(), value))
                    throw UserError("'" + field->text().toStdString() + "' is not a valid floating point value");
            }
            axes.push_back(AxisFromText((row.Name->currentText() + '=' + row.From->text().trimmed() + ':' +
                                         row.To->text().trimmed() + ':' + QString::number(row.Count->value()))
                                            .toStdString()));
        }
        plan_.Table = GridTable(axes);
        plan_.Start = hooks_.Scene();
        plan_.Switches = hooks_.Switches();
        plan_.Steps = steps_->value();
        // Every core but one: the main window stays responsive.
        plan_.JobsAtOnce = std::max(1, int(std::thread::hardware_concurrency()) - 1);
        folders_.push_back(std::make_unique<QTemporaryDir>());
        if (!folders_.back()->isValid())
            throw UserError("no folder for the sweep's results: " + folders_.back()->errorString().toStdString());
        plan_.Folder = folders_.back()->path();
        table_ = {};
        FillTable();
        map_->Show({}, {}, {}, -1);
        progress_->setRange(0, int(plan_.Table.Jobs.size()));
        progress_->setValue(0);
        state_->setText(QStringLiteral("Running %1 jobs into %2").arg(plan_.Table.Jobs.size()).arg(plan_.Folder));
        stop_ = false;
        start_->setEnabled(false);
        cancelButton_->setEnabled(true);
        worker_ = std::thread([this, plan = plan_] {
            QString failure;
            SweepReport report;
            try {
                report = RunSweep(
                    plan,
                    [this](const SweepProgress& progress) {
                        QMetaObject::invokeMethod(
                            this, [this, progress] { Progress(progress); }, Qt::QueuedConnection);
                    },
                    &stop_);
            } catch (...) {
                failure = QString::fromStdString(CaughtErrorText());
            }
            QMetaObject::invokeMethod(
                this, [this, failure, report] { Finished(failure, report); }, Qt::QueuedConnection);
        });
    });
}

void SweepWindow::CancelClick()
{
    stop_ = true;
    state_->setText(QStringLiteral("Cancelling: the jobs under way stop; finished results stay"));
}

void SweepWindow::Progress(const SweepProgress& progress)
{
    progress_->setValue(progress.Done);
    state_->setText(QStringLiteral("%1 of %2 jobs done, %3 failed, about %4 s left")
                        .arg(progress.Done)
                        .arg(progress.ToRun)
                        .arg(progress.Failed)
                        .arg(qRound(progress.SecondsLeft)));
    Reload();
}

void SweepWindow::Finished(const QString& failure, const SweepReport& report)
{
    worker_.join();
    start_->setEnabled(true);
    cancelButton_->setEnabled(false);
    Reload();
    if (!failure.isEmpty()) {
        state_->setText(failure);
        dialogs_.ShowError(failure);
        return;
    }
    state_->setText(QStringLiteral("%1%2 jobs, %3 failed; results in %4")
                        .arg(report.Cancelled ? QStringLiteral("Cancelled: ") : QString())
                        .arg(report.Jobs)
                        .arg(report.Failed)
                        .arg(plan_.Folder));
}

// Every job's summary so far, as one table.
void SweepWindow::Reload()
{
    Guarded(dialogs_, [this] {
        const QStringList files = JobSummaryFiles(plan_.Folder);
        table_ = files.isEmpty() ? SummaryTable() : SummaryTableFromText(MergeSummaries(files).Text);
        FillTable();
        FillMap();
    });
}

void SweepWindow::FillTable()
{
    tableView_->setSortingEnabled(false);
    tableView_->clear();
    tableView_->setColumnCount(int(table_.Columns.size()));
    tableView_->setRowCount(int(table_.Rows.size()));
    QStringList heads;
    for (const std::string& column : table_.Columns)
        heads << QString::fromStdString(column);
    tableView_->setHorizontalHeaderLabels(heads);
    for (std::size_t r = 0; r < table_.Rows.size(); ++r)
        for (std::size_t c = 0; c < table_.Columns.size(); ++c) {
            auto* item = new FieldItem(QString::fromStdString(table_.Rows[r][c]));
            item->setData(Qt::UserRole, int(r));
            tableView_->setItem(int(r), int(c), item);
        }
    tableView_->setSortingEnabled(true);
    tableView_->resizeColumnsToContents();
    // The map's columns: the status and the figures after the varied names.
    const QString chosen = mapColumn_->currentText();
    QSignalBlocker quiet(mapColumn_);
    mapColumn_->clear();
    const int status = table_.Column("status");
    for (int c = std::max(status, 0); c < int(table_.Columns.size()) && status >= 0; ++c)
        if (table_.Columns[std::size_t(c)] != "steps" && table_.Columns[std::size_t(c)] != "step")
            mapColumn_->addItem(heads[c], c);
    mapColumn_->setCurrentIndex(std::max(0, mapColumn_->findText(chosen.isEmpty() ? QStringLiteral("rg") : chosen)));
}

void SweepWindow::FillMap()
{
    const std::vector<std::string> names = VariedNames();
    map_->setVisible(names.size() == 2);
    if (names.size() == 2 && mapColumn_->currentIndex() >= 0)
        map_->Show(table_, names[0], names[1], mapColumn_->currentData().toInt());
}

void SweepWindow::OpenJob(int tableRow)
{
    const QTableWidgetItem* first = tableView_->item(tableRow, 0);
    if (first == nullptr)
        return;
    const int id = first->text().toInt();
    Guarded(dialogs_, [this, id] {
        if (!openStart_->isChecked()) {
            const QString end = JobScenePath(plan_.Folder, id);
            if (!QFileInfo::exists(end))
                throw UserError("job " + std::to_string(id) + " faulted: it has no end scene");
            hooks_.Open(end);
            return;
        }
        // The job's start: the sweep's scene with the job's values.
        TaonSystem start = plan_.Start;
        for (const auto& [name, value] : plan_.Table.JobSettings(id))
            start.**SceneScalarNamed(name) = value;
        const QString path = plan_.Folder + "/start-" + QString::number(id) + ".ato";
        WriteSceneFile(start, path);
        hooks_.Open(path);
    });
}
