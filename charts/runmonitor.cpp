// SPDX-License-Identifier: MIT
#include "charts/runmonitor.h"

#include "charts/runplot.h"
#include "scenes/guard.h"
#include "scenes/numbertext.h"
#include "scenes/runlog.h"
#include "view/colours.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <array>
#include <limits>

namespace {

constexpr int RefreshMilliseconds = 300; // the pace of the window's own timer

// The rows of the table, in order.
enum Row {
    StepsThisRun,
    StepsInAll,
    ModelTime,
    StepsPerSecond,
    Kinetic1,
    Kinetic2,
    Kinetic3,
    KineticTotal,
    MomentumX,
    MomentumY,
    MomentumZ,
    MomentumSize,
    CentroidX,
    CentroidY,
    CentroidZ,
    Gyration,
    LargestSpeed,
    ClusterCount,
    LargestCluster,
    PotentialEnergy,
    TotalEnergy,
    EnergyDrift,
    RowCount
};

const std::array<const char*, RowCount> RowNames = {
    "Steps in this run",
    "Steps in all",
    "Model time",
    "Steps per second",
    "Kinetic energy, group 1",
    "Kinetic energy, group 2",
    "Kinetic energy, group 3",
    "Kinetic energy, total",
    "Momentum x",
    "Momentum y",
    "Momentum z",
    "Momentum, size",
    "Centroid x",
    "Centroid y",
    "Centroid z",
    "Radius of gyration",
    "Largest speed",
    "Clusters",
    "Largest cluster",
    "Potential energy",
    "Total energy",
    "Energy drift",
};

struct Choice {
    const char* Name;
    RunPlot::Figure Value;
};
Real OrNaN(const std::optional<Real>& value)
{
    return value.value_or(std::numeric_limits<Real>::quiet_NaN());
}

// The first three are sizes, never below zero; the energy's are not.
constexpr int SizeFigures = 3;
const std::array<Choice, 5> SecondFigures = {{
    {"Momentum", [](const RunSample& s) { return s.Figures.MomentumSize; }},
    {"Radius of gyration", [](const RunSample& s) { return s.Figures.Gyration; }},
    {"Largest speed", [](const RunSample& s) { return s.Figures.LargestSpeed; }},
    {"Total energy", [](const RunSample& s) { return OrNaN(s.Structure.Total); }},
    {"Energy drift", [](const RunSample& s) { return OrNaN(s.Structure.Drift); }},
}};

QString CountText(const std::optional<int>& count)
{
    return count ? QString::number(*count) : QStringLiteral("-");
}

// Group colours as the scene view draws them under Gravoscope.
std::vector<RunPlot::Line> EnergyLines()
{
    return {
        {QStringLiteral("group 1"), QColor(Colours::GroupColours[0]),
         [](const RunSample& s) { return s.Figures.GroupKinetic[0]; }},
        {QStringLiteral("group 2"), QColor(Colours::GroupColours[1]),
         [](const RunSample& s) { return s.Figures.GroupKinetic[1]; }},
        {QStringLiteral("group 3"), QColor(Colours::GroupColours[2]),
         [](const RunSample& s) { return s.Figures.GroupKinetic[2]; }},
        {QStringLiteral("total"), QColor(Colours::White), [](const RunSample& s) { return s.Figures.Kinetic; }},
    };
}

} // namespace

RunMonitor::RunMonitor(const TaonSystem& system, const RunTally& tally, std::function<RunSwitches()> switches,
                       UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), system_(system), tally_(tally), switches_(std::move(switches)), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("RunMonitor"));
    setWindowTitle(QStringLiteral("Run Monitor"));

    Figures = new QTableWidget(RowCount, 2, this);
    Figures->setObjectName(QStringLiteral("Figures"));
    Figures->setHorizontalHeaderLabels({QStringLiteral("Figure"), QStringLiteral("Value")});
    Figures->verticalHeader()->hide();
    Figures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Figures->setSelectionMode(QAbstractItemView::NoSelection);
    Figures->setFocusPolicy(Qt::NoFocus);
    for (int row = 0; row < RowCount; ++row) {
        Figures->setItem(row, 0, new QTableWidgetItem(QString::fromLatin1(RowNames[row])));
        Figures->setItem(row, 1, new QTableWidgetItem);
        Figures->item(row, 1)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    Figures->verticalHeader()->setDefaultSectionSize(Figures->fontMetrics().height() + 4);
    Figures->setColumnWidth(0,
                            Figures->fontMetrics().horizontalAdvance(QStringLiteral("Kinetic energy, group 1")) + 12);
    Figures->setColumnWidth(1, Figures->fontMetrics().horizontalAdvance(QStringLiteral("-0.000123456789012345")) + 12);
    Figures->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Figures->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Figures->setFixedWidth(Figures->columnWidth(0) + Figures->columnWidth(1) + 2 * Figures->frameWidth());
    Figures->setMinimumHeight(Figures->horizontalHeader()->sizeHint().height() +
                              RowCount * Figures->verticalHeader()->defaultSectionSize() + 2 * Figures->frameWidth());

    EnergyPlot = new RunPlot(this);
    EnergyPlot->setObjectName(QStringLiteral("EnergyPlot"));
    EnergyPlot->ShowFigures(QStringLiteral("Kinetic energy"), EnergyLines(), true);

    SecondFigure = new QComboBox(this);
    SecondFigure->setObjectName(QStringLiteral("SecondFigure"));
    for (const Choice& choice : SecondFigures)
        SecondFigure->addItem(QString::fromLatin1(choice.Name));
    SecondPlot = new RunPlot(this);
    SecondPlot->setObjectName(QStringLiteral("SecondPlot"));
    ChooseSecondFigure(0);
    connect(SecondFigure, &QComboBox::currentIndexChanged, this, &RunMonitor::ChooseSecondFigure);

    SampleNote = new QLabel(this);
    SampleNote->setObjectName(QStringLiteral("SampleNote"));
    // Its text changes at every refresh; were its width to follow, every
    // refresh would lay out the whole window and redraw both charts.
    SampleNote->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    Clear = new QPushButton(QStringLiteral("Clear"), this);
    Clear->setObjectName(QStringLiteral("Clear"));
    SaveCsv = new QPushButton(QStringLiteral("Save CSV..."), this);
    SaveCsv->setObjectName(QStringLiteral("SaveCsv"));
    connect(Clear, &QPushButton::clicked, this, &RunMonitor::ClearClick);
    connect(SaveCsv, &QPushButton::clicked, this, &RunMonitor::SaveCsvClick);

    auto* secondRow = new QHBoxLayout;
    secondRow->addWidget(new QLabel(QStringLiteral("Second chart:"), this));
    secondRow->addWidget(SecondFigure);
    secondRow->addStretch();
    auto* charts = new QVBoxLayout;
    charts->addWidget(EnergyPlot, 1);
    charts->addLayout(secondRow);
    charts->addWidget(SecondPlot, 1);
    auto* left = new QVBoxLayout;
    left->addWidget(Figures);
    left->addStretch();
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addLayout(charts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SampleNote, 1);
    buttons->addWidget(Clear);
    buttons->addWidget(SaveCsv);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(buttons);
    resize(900, 520);

    refresher_ = new QTimer(this);
    refresher_->setInterval(RefreshMilliseconds);
    connect(refresher_, &QTimer::timeout, this, &RunMonitor::Refresh);
    clock_.start();
}

void RunMonitor::StepTaken()
{
    if (!isVisible())
        return;
    rate_.StepAt(clock_.nsecsElapsed());
    // The drift is measured from the state after a run's first step.
    if (tally_.StepsThisRun() == 1) {
        driftFrom_.reset();
        StructureNow();
    }
    if (record_.StepDue())
        record_.Add(SampleNow(!driftFrom_ || structureBudget_.Due(clock_.nsecsElapsed())));
}

void RunMonitor::ClearClick()
{
    record_.Clear();
    driftFrom_.reset();
    // A hidden monitor starts its record and draws when it is shown.
    if (!isVisible())
        return;
    record_.Add(SampleNow(true));
    Refresh();
}

void RunMonitor::SaveCsvClick()
{
    const std::optional<QString> path = dialogs_.ChooseCsvToSave();
    if (!path)
        return;
    Guarded(dialogs_, [this, &path] { WriteRunLog(*path, record_.Samples()); });
}

void RunMonitor::Refresh()
{
    const RunSample now = SampleNow(true);
    const RunQuantities& q = now.Figures;
    ShowValue(StepsThisRun, QString::number(tally_.StepsThisRun()));
    ShowValue(StepsInAll, QString::number(system_.StepCount));
    ShowValue(ModelTime, FloatToText(now.Time));
    ShowValue(StepsPerSecond, QString::number(rate_.PerSecond(clock_.nsecsElapsed())));
    const auto values = FiguresInLogOrder(q);
    for (int k = 0; k < int(std::size(values)); ++k)
        ShowValue(Kinetic1 + k, FloatToText(values[k]));
    const StructureSample& structure = now.Structure;
    ShowValue(ClusterCount, CountText(structure.Clusters));
    ShowValue(LargestCluster, CountText(structure.Largest));
    ShowValue(PotentialEnergy, structure.Potential ? FloatToText(*structure.Potential) : energyNote_);
    ShowValue(TotalEnergy, structure.Total ? FloatToText(*structure.Total) : energyNote_);
    ShowValue(EnergyDrift, structure.Drift ? FloatToText(*structure.Drift) : QStringLiteral("-"));

    EnergyPlot->Update(record_);
    SecondPlot->Update(record_);
    const QString spacing =
        record_.Stride() == 1 ? QStringLiteral("every step") : QStringLiteral("every %1 steps").arg(record_.Stride());
    SampleNote->setText(QStringLiteral("Samples: %1, one %2").arg(record_.Samples().size()).arg(spacing));
}

void RunMonitor::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    structureBudget_.Restart(clock_.nsecsElapsed());
    if (record_.Samples().empty())
        record_.Add(SampleNow(true));
    Refresh();
    refresher_->start();
}

void RunMonitor::hideEvent(QHideEvent* event)
{
    refresher_->stop();
    QWidget::hideEvent(event);
}

RunSample RunMonitor::SampleNow(bool structure)
{
    RunSample sample = SampleOf(system_, tally_);
    if (structure) {
        const qint64 start = clock_.nsecsElapsed();
        sample.Structure = StructureNow();
        structureBudget_.Spend(clock_.nsecsElapsed() - start);
    }
    return sample;
}

StructureSample RunMonitor::StructureNow()
{
    const RunSwitches switches = switches_();
    const StructureFigures figures = gauge_.Measure(system_, switches);
    StructureSample sample = SampleOfStructure(figures);
    const LawSetting law = LawSettingOf(system_, switches.Law);
    if (!driftFrom_ || driftFrom_->Status != EnergyStatus::Conserved || !(driftLaw_ && *driftLaw_ == law)) {
        driftFrom_ = figures.Energy;
        driftLaw_ = law;
    }
    sample.Drift = RelativeDrift(*driftFrom_, figures.Energy);
    switch (figures.Energy.Status) {
    case EnergyStatus::Conserved:
        energyNote_.clear();
        break;
    case EnergyStatus::NotConserved:
        energyNote_ = QStringLiteral("not conserved");
        break;
    case EnergyStatus::NotDefined:
        energyNote_ = QStringLiteral("not defined");
        break;
    case EnergyStatus::Fault:
        energyNote_ = QStringLiteral("law faults");
        break;
    }
    Figures->item(PotentialEnergy, 1)->setToolTip(QString::fromStdString(figures.Energy.Reason));
    Figures->item(TotalEnergy, 1)->setToolTip(QString::fromStdString(figures.Energy.Reason));
    return sample;
}

void RunMonitor::ChooseSecondFigure(int index)
{
    const Choice& choice = SecondFigures.at(std::size_t(index));
    SecondPlot->ShowFigures(QString::fromLatin1(choice.Name),
                            {{QString::fromLatin1(choice.Name), QColor(Colours::Aqua), choice.Value}},
                            index < SizeFigures);
    SecondPlot->Update(record_);
}

void RunMonitor::ShowValue(int row, const QString& text)
{
    Figures->item(row, 1)->setText(text);
}
