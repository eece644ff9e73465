// SPDX-License-Identifier: MIT
#include "charts/structurewindow.h"

#include "model/usererror.h"
#include "view/colours.h"

#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>

namespace {

constexpr int RefreshMilliseconds = 1000;

// Apart from the group colours, which the equilibria take.
constexpr std::array<QRgb, GroupPairCount> PairColours{Colours::White,      Colours::Aqua,       Colours::Silver,
                                                       qRgb(255, 128, 255), qRgb(128, 160, 255), qRgb(255, 165, 0)};

void HideFromLegend(QChart* chart, QLineSeries* series)
{
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(false);
}

} // namespace

StructureWindow::StructureWindow(const TaonSystem& system, std::function<RunSwitches()> switches, QWidget* parent)
    : QWidget(parent, Qt::Window), system_(system), switches_(std::move(switches))
{
    setObjectName(QStringLiteral("Structure"));
    setWindowTitle(QStringLiteral("Structure"));
    auto* pairs = new QHBoxLayout;
    pairs->addWidget(new QLabel(QStringLiteral("Pairs of groups:"), this));
    for (int p = 0; p < GroupPairCount; ++p) {
        Pairs[p] = new QCheckBox(QString::fromLatin1(GroupPairNames[p]), this);
        Pairs[p]->setObjectName(QStringLiteral("Pair%1").arg(p));
        Pairs[p]->setChecked(p == 0);
        pairs->addWidget(Pairs[p]);
    }
    pairs->addStretch();
    From = new QDoubleSpinBox(this);
    To = new QDoubleSpinBox(this);
    for (QDoubleSpinBox* field : {From, To}) {
        field->setDecimals(3);
        field->setRange(0, 1000);
        field->setSingleStep(0.1);
    }
    From->setObjectName(QStringLiteral("From"));
    To->setObjectName(QStringLiteral("To"));
    To->setValue(2);
    Bins = new QSpinBox(this);
    Bins->setObjectName(QStringLiteral("Bins"));
    Bins->setRange(1, 2000);
    Bins->setValue(200);
    Cluster = new QComboBox(this);
    Cluster->setObjectName(QStringLiteral("Cluster"));
    Cluster->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    auto* range = new QHBoxLayout;
    for (auto [label, field] :
         {std::pair<const char*, QWidget*>{"r from", From}, {"to", To}, {"bins", Bins}, {"Mark cluster", Cluster}}) {
        range->addWidget(new QLabel(QString::fromLatin1(label), this));
        range->addWidget(field);
    }
    range->addStretch();

    chart_ = new QChart;
    chart_->setTheme(QChart::ChartThemeDark);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart_, this);
    view->setObjectName(QStringLiteral("StructureChart"));
    view->setRenderHint(QPainter::Antialiasing);
    Note = new QLabel(this);
    Note->setObjectName(QStringLiteral("Note"));
    Note->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(pairs);
    layout->addLayout(range);
    layout->addWidget(view, 1);
    layout->addWidget(Note);
    resize(820, 560);

    refresher_ = new QTimer(this);
    refresher_->setInterval(RefreshMilliseconds);
    connect(refresher_, &QTimer::timeout, this, &StructureWindow::Refresh);
    // Once every control is made: a change redraws at once.
    for (QCheckBox* pair : Pairs)
        connect(pair, &QCheckBox::toggled, this, &StructureWindow::Refresh);
    for (QDoubleSpinBox* field : {From, To})
        connect(field, &QDoubleSpinBox::valueChanged, this, &StructureWindow::Refresh);
    connect(Bins, &QSpinBox::valueChanged, this, &StructureWindow::Refresh);
    connect(Cluster, &QComboBox::activated, this, &StructureWindow::Refresh);
}

void StructureWindow::Refresh()
{
    const LawSwitches switches = switches_().Law;
    QStringList notes;
    try {
        histogram_ = HistogramOfDistances(system_, From->value(), To->value(), Bins->value());
    } catch (const UserError& error) {
        histogram_ = {};
        notes << QString::fromUtf8(error.what());
    }
    const PairLaw& law = gauge_.LawOf(system_, switches);
    clusters_ = gauge_.ClustersOf(system_, switches);
    Plot(law, switches);
    ListClusters();
    if (histogram_.LeftOut > 0 || clusters_.LeftOut > 0)
        notes << QStringLiteral("%1 present points left out: their positions are not finite numbers.")
                     .arg(std::max(histogram_.LeftOut, clusters_.LeftOut));
    if (!clusters_.Fault.empty())
        notes << QStringLiteral("No clusters: ") + QString::fromStdString(clusters_.Fault);
    for (int g = 1; g <= GroupCount; ++g)
        if (!law.Group(g).Fault().empty())
            notes << QStringLiteral("Group %1: %2").arg(g).arg(QString::fromStdString(law.Group(g).Fault()));
    Note->setText(notes.join(QLatin1Char('\n')));
}

void StructureWindow::Plot(const PairLaw& law, const LawSwitches& switches)
{
    chart_->removeAllSeries();
    for (QAbstractAxis* axis : chart_->axes())
        chart_->removeAxis(axis), delete axis;
    auto* rAxis = new QValueAxis;
    rAxis->setTitleText(QStringLiteral("distance r"));
    rAxis->setRange(From->value(), To->value());
    auto* countAxis = new QValueAxis;
    countAxis->setTitleText(QStringLiteral("pairs"));
    countAxis->setLabelFormat(QStringLiteral("%.0f"));
    chart_->addAxis(rAxis, Qt::AlignBottom);
    chart_->addAxis(countAxis, Qt::AlignLeft);
    const auto attach = [&](QLineSeries* series) {
        chart_->addSeries(series);
        series->attachAxis(rAxis);
        series->attachAxis(countAxis);
    };
    // Each chosen pair of groups as steps over its bins.
    std::int64_t most = 1;
    std::array<bool, GroupCount> groups{};
    const Real width = histogram_.Bins > 0 ? (histogram_.To - histogram_.From) / histogram_.Bins : 0;
    for (int p = 0; p < GroupPairCount; ++p) {
        if (!Pairs[p]->isChecked() || histogram_.Bins == 0)
            continue;
        for (int g = 1; g <= GroupCount; ++g)
            for (int h = g; h <= GroupCount; ++h)
                if (GroupPairIndex(g, h) == p)
                    groups[g - 1] = groups[h - 1] = true;
        auto* series = new QLineSeries;
        series->setName(QString::fromLatin1(GroupPairNames[p]));
        series->setPen(QPen(QColor(PairColours[p]), 1.5));
        QList<QPointF> points;
        for (int b = 0; b < histogram_.Bins; ++b) {
            const double n = double(histogram_.Counts[p][b]);
            most = std::max(most, histogram_.Counts[p][b]);
            points << QPointF(double(histogram_.From + b * width), n)
                   << QPointF(double(histogram_.From + (b + 1) * width), n);
        }
        series->replace(points);
        attach(series);
    }
    countAxis->setRange(0, double(most) * 1.1);
    countAxis->applyNiceNumbers();
    // The equilibria of the groups of those pairs, from the curve of opposite
    // parity (under Gravoscope parity does not matter).
    markers_.clear();
    for (int g = 1; g <= GroupCount; ++g) {
        if (!groups[g - 1] || !law.Group(g).Fault().empty())
            continue;
        std::vector<Equilibrium> found;
        try {
            found = GroupEquilibria(law.Group(g), law.Setting().Groups[g - 1], switches, Parity::Opposite);
        } catch (const UserError&) {
            continue; // the note names the group's fault
        }
        for (const Equilibrium& e : found) {
            if (e.R < From->value() || e.R > To->value())
                continue;
            markers_.push_back({g, e.R, e.Stable});
            auto* line = new QLineSeries;
            QPen pen(QColor(Colours::GroupColours[g - 1]), 1);
            pen.setStyle(e.Stable ? Qt::SolidLine : Qt::DashLine);
            line->setPen(pen);
            line->append(double(e.R), 0);
            line->append(double(e.R), countAxis->max());
            attach(line);
            HideFromLegend(chart_, line);
        }
    }
    chart_->setTitle(QStringLiteral("Pair distances · equilibria of the groups: solid stable, dashed unstable"));
}

void StructureWindow::ListClusters()
{
    const int chosen = std::max(0, Cluster->currentIndex());
    Cluster->clear();
    Cluster->addItem(QStringLiteral("None"));
    for (std::size_t c = 0; c < clusters_.Members.size() && clusters_.Members[c].size() > 1; ++c)
        Cluster->addItem(QStringLiteral("%1: %2 points").arg(c + 1).arg(clusters_.Members[c].size()));
    Cluster->setCurrentIndex(chosen < Cluster->count() ? chosen : 0);
    const int index = Cluster->currentIndex();
    emit ClusterChosen(index > 0 ? clusters_.Members[std::size_t(index - 1)] : std::vector<int>{});
}

void StructureWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Refresh();
    refresher_->start();
}

void StructureWindow::hideEvent(QHideEvent* event)
{
    refresher_->stop();
    emit ClusterChosen({});
    QWidget::hideEvent(event);
}
