// SPDX-License-Identifier: MIT
#include "charts/lawwindow.h"

#include "charts/lawscale.h"
#include "charts/ticksteps.h"
#include "scenes/guard.h"
#include "scenes/numbertext.h"
#include "view/colours.h"
#include "view/numericfield.h"

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

// Enough for the narrowest shells over the default range to show their shape.
constexpr int Samples = 1200;

// "Group 2 (51-75)" for g = 1.
QString GroupName(int g)
{
    return QStringLiteral("Group %1 (%2)").arg(g + 1).arg(QString::fromStdString(GroupRangeText(g + 1)));
}

QString Caption(const LawSwitches& switches)
{
    const QString scope = switches.Taoscope ? QStringLiteral("Taoscope: solid equal parity, dashed opposite")
                                            : QStringLiteral("Gravoscope");
    const QString contact =
        switches.Functions3X1 ? QStringLiteral("Functions3X1 on") : QStringLiteral("Functions3X1 off");
    return scope + QStringLiteral(" · ") + contact + QStringLiteral(" · above 0 pushes apart, below 0 pulls together");
}

QScatterSeries* Markers(QScatterSeries::MarkerShape shape, qreal size, const QColor& fill, const QColor& border)
{
    auto* markers = new QScatterSeries;
    markers->setMarkerShape(shape);
    markers->setMarkerSize(size);
    markers->setColor(fill);
    markers->setBorderColor(border);
    return markers;
}

} // namespace

InteractionLawWindow::InteractionLawWindow(std::function<LawSetting()> source, UserDialogs& dialogs, QWidget* parent)
    : QWidget(parent, Qt::Window), source_(std::move(source)), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("InteractionLaw"));
    setWindowTitle(QStringLiteral("Interaction Law"));
    chart_ = new QChart;
    chart_->setTheme(QChart::ChartThemeDark);
    chart_->legend()->setAlignment(Qt::AlignBottom);
    view_ = new QChartView(chart_, this);
    view_->setObjectName(QStringLiteral("LawChart"));
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setRubberBand(QChartView::RectangleRubberBand);
    view_->viewport()->setMouseTracking(true);
    view_->viewport()->installEventFilter(this);
    BuildControls();
    resize(820, 560);
}

void InteractionLawWindow::BuildControls()
{
    fromField_ = new QLineEdit(FloatToText(from_), this);
    fromField_->setObjectName(QStringLiteral("LawFrom"));
    toField_ = new QLineEdit(FloatToText(to_), this);
    toField_->setObjectName(QStringLiteral("LawTo"));
    for (QLineEdit* field : {fromField_, toField_}) {
        NumericKeyGuard::Attach(field);
        field->setMaximumWidth(80);
        connect(field, &QLineEdit::editingFinished, this, &InteractionLawWindow::RangeExit);
    }
    scaleBox_ = new QComboBox(this);
    scaleBox_->setObjectName(QStringLiteral("LawScale"));
    scaleBox_->addItems({QStringLiteral("Linear"), QStringLiteral("Compressed (asinh)")});
    connect(scaleBox_, &QComboBox::currentIndexChanged, this, &InteractionLawWindow::Plot);
    auto* resetButton = new QPushButton(QStringLiteral("Reset Zoom"), this);
    resetButton->setObjectName(QStringLiteral("LawReset"));
    connect(resetButton, &QPushButton::clicked, this, &InteractionLawWindow::ResetZoom);
    valueLabel_ = new QLabel(this);
    valueLabel_->setObjectName(QStringLiteral("LawValue"));
    valueLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The readout is elided to the window's width: its length must not set
    // the window's, and a wrapped one would move the chart under the mouse.
    valueLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    faultNote_ = new QLabel(this);
    faultNote_->setObjectName(QStringLiteral("LawFaults"));
    faultNote_->setWordWrap(true);
    faultNote_->hide();

    auto* controls = new QHBoxLayout;
    controls->addWidget(new QLabel(QStringLiteral("r from"), this));
    controls->addWidget(fromField_);
    controls->addWidget(new QLabel(QStringLiteral("to"), this));
    controls->addWidget(toField_);
    controls->addSpacing(16);
    controls->addWidget(new QLabel(QStringLiteral("Scale"), this));
    controls->addWidget(scaleBox_);
    controls->addWidget(resetButton);
    controls->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);
    layout->addWidget(faultNote_);
    auto* help = new QLabel(QStringLiteral("Drag a rectangle to zoom. Markers: filled circle stable "
                                           "equilibrium, open circle unstable, square shell centre."),
                            this);
    help->setWordWrap(true);
    layout->addWidget(help);
    layout->addWidget(valueLabel_);
}

void InteractionLawWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (Stale())
        Redraw();
}

void InteractionLawWindow::Follow()
{
    // A hidden window catches up when it is shown again.
    if (isVisible() && Stale())
        Redraw();
}

bool InteractionLawWindow::Stale() const
{
    return !shown_ || *shown_ != source_();
}

void InteractionLawWindow::RangeExit()
{
    // The fields show the range shown, a zoomed one too; only a typed range is sampled anew.
    if (!fromField_->isModified() && !toField_->isModified())
        return;
    const bool taken = Guarded(dialogs_, [this] {
        const Real newFrom = TextToFloat(fromField_->text());
        const Real newTo = TextToFloat(toField_->text());
        if (!(0 < newFrom && newFrom < newTo && std::isfinite(newTo)))
            throw UserError("The range needs 0 < from < to.");
        from_ = newFrom;
        to_ = newTo;
    });
    // A refused range goes back to the one drawn, so leaving the field again
    // does not repeat the error.
    fromField_->setText(FloatToText(from_));
    toField_->setText(FloatToText(to_));
    if (taken)
        Redraw();
}

void InteractionLawWindow::Redraw()
{
    const LawSetting setting = source_();
    shown_ = setting;
    distances_ = EvenDistances(from_, to_, Samples);
    for (int g = 0; g < GroupCount; ++g) {
        GroupCurve& group = groups_[g];
        const GroupCoefficients& coefficients = setting.Groups[g];
        group.Curve = SamplePush(coefficients, setting.Switches, Parity::Equal, distances_);
        group.Equilibria.clear();
        group.Centres.clear();
        if (!group.Curve.Fault.empty())
            continue;
        group.Equilibria = FindEquilibria(coefficients, setting.Switches, Parity::Equal, distances_, group.Curve.Push);
        group.Centres = ShellCentres(coefficients, setting.Switches);
    }
    ++redraws_;
    valueLabel_->clear(); // it was the old law's
    Plot();
}

void InteractionLawWindow::Plot()
{
    const PushScale scale = scaleBox_->currentIndex() == 0 ? PushScale::Linear : PushScale::Compressed;
    chart_->removeAllSeries();
    for (QAbstractAxis* axis : chart_->axes()) {
        chart_->removeAxis(axis);
        delete axis;
    }
    chart_->setTitle(Caption(shown_->Switches));
    PlottedExtent extent;
    std::vector<QAbstractSeries*> unnamed; // mirrors and markers stay out of the legend
    QStringList faults;
    for (int g = 0; g < GroupCount; ++g) {
        PlotCurve(g, scale, extent, unnamed);
        PlotMarkers(g, scale, unnamed);
        if (!groups_[g].Curve.Fault.empty())
            faults << QStringLiteral("<span style=\"color:%1\">%2: %3</span>")
                          .arg(QColor(Colours::GroupColours[g]).name(), GroupName(g),
                               QString::fromStdString(groups_[g].Curve.Fault).toHtmlEscaped());
    }
    PlotAxes(scale, extent);
    for (QAbstractSeries* series : unnamed)
        for (QLegendMarker* marker : chart_->legend()->markers(series))
            marker->setVisible(false);
    // Under the chart, not over it: a fault text there would hide the other curves.
    faultNote_->setText(faults.join(QStringLiteral("<br>")));
    faultNote_->setVisible(!faults.isEmpty());
}

void InteractionLawWindow::PlotCurve(int g, PushScale scale, PlottedExtent& extent,
                                     std::vector<QAbstractSeries*>& unnamed)
{
    const GroupCurve& group = groups_[g];
    const QColor colour(Colours::GroupColours[g]);
    auto* curve = new QLineSeries;
    curve->setName(
        GroupName(g) +
        (group.Curve.Fault.empty() ? QString() : QStringLiteral(": ") + QString::fromStdString(group.Curve.Fault)));
    curve->setPen(QPen(colour, 2));
    chart_->addSeries(curve);
    QLineSeries* mirror = nullptr;
    if (shown_->Switches.Taoscope && group.Curve.Fault.empty()) {
        mirror = new QLineSeries;
        mirror->setPen(QPen(colour, 1.5, Qt::DashLine));
        chart_->addSeries(mirror);
        unnamed.push_back(mirror);
    }
    QList<QPointF> points, mirrored;
    for (std::size_t k = 0; k < group.Curve.Push.size(); ++k) {
        const Real push = group.Curve.Push[k];
        const double y = PlottedPush(push, scale);
        if (std::isnan(y))
            continue;
        const double r = double(distances_[k]);
        points.append({r, y});
        mirrored.append({r, -y});
        extent.Low = std::min({extent.Low, y, mirror ? -y : y});
        extent.High = std::max({extent.High, y, mirror ? -y : y});
        extent.Largest = std::max(extent.Largest, double(std::fabs(push)));
    }
    curve->replace(points);
    if (mirror)
        mirror->replace(mirrored);
}

void InteractionLawWindow::PlotMarkers(int g, PushScale scale, std::vector<QAbstractSeries*>& unnamed)
{
    const GroupCurve& group = groups_[g];
    const QColor colour(Colours::GroupColours[g]);
    QScatterSeries* stable = Markers(QScatterSeries::MarkerShapeCircle, 10, colour, colour);
    QScatterSeries* unstable = Markers(QScatterSeries::MarkerShapeCircle, 10, Qt::black, colour);
    for (const Equilibrium& e : group.Equilibria)
        (e.Stable ? stable : unstable)->append(double(e.R), 0);
    QScatterSeries* centres = Markers(QScatterSeries::MarkerShapeRectangle, 8, Qt::black, colour);
    for (const ShellCentre& centre : group.Centres) {
        if (!(from_ <= centre.R && centre.R <= to_))
            continue;
        try {
            const double y = PlottedPush(Push(shown_->Groups[g], shown_->Switches, Parity::Equal, centre.R), scale);
            if (!std::isnan(y))
                centres->append(double(centre.R), y);
        } catch (const UserError&) {
            // The sampled curve met no fault here; a centre that does is left out.
        }
    }
    for (QScatterSeries* series : {stable, unstable, centres}) {
        chart_->addSeries(series);
        unnamed.push_back(series);
    }
}

void InteractionLawWindow::PlotAxes(PushScale scale, const PlottedExtent& extent)
{
    auto* axisX = new QValueAxis;
    axisX->setTitleText(QStringLiteral("distance r"));
    axisX->setLabelFormat(QStringLiteral("%g"));
    axisX->setTickType(QValueAxis::TicksDynamic);
    axisX->setTickAnchor(0);
    // Round distances at about eight ticks, also once zoomed; the r fields
    // show the range shown, to a thousandth of it.
    const auto followRange = [this, axisX](qreal min, qreal max) {
        axisX->setTickInterval(double(RoundStep((max - min) / 8)));
        const QByteArray format =
            TickFormat(RoundStep((max - min) / 1000), std::max(std::fabs(min), std::fabs(max))).toLatin1();
        fromField_->setText(QString::asprintf(format.constData(), min));
        toField_->setText(QString::asprintf(format.constData(), max));
    };
    connect(axisX, &QValueAxis::rangeChanged, this, followRange);
    axisX->setRange(double(from_), double(to_));
    followRange(double(from_), double(to_));
    QValueAxis* axisY = nullptr;
    if (scale == PushScale::Linear) {
        axisY = new QValueAxis;
        axisY->setTitleText(QStringLiteral("push"));
        // Ticks anchored at 0, so that a zoomed range holding 0 shows it.
        axisY->setTickType(QValueAxis::TicksDynamic);
        axisY->setTickAnchor(0);
        const auto placeTicks = [axisY](qreal min, qreal max) {
            const Real step = RoundStep((max - min) / 6);
            axisY->setTickInterval(double(step));
            axisY->setLabelFormat(TickFormat(step, std::max(std::fabs(min), std::fabs(max))));
        };
        connect(axisY, &QValueAxis::rangeChanged, axisY, placeTicks);
    } else {
        auto* compressed = new QCategoryAxis;
        compressed->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        compressed->setTitleText(QStringLiteral("push, compressed"));
        // Only the ticks in range, also once zoomed: Qt draws a label past the
        // range at the axis's end, over the label there.
        const auto placeTicks = [compressed, ticks = CompressedTicks(extent.Largest)](qreal min, qreal max) {
            for (const QString& label : compressed->categoriesLabels())
                compressed->remove(label);
            compressed->setStartValue(min);
            for (const AxisTick& tick : ticks)
                if (min <= tick.Plotted && tick.Plotted <= max)
                    compressed->append(tick.Label, tick.Plotted);
        };
        connect(compressed, &QValueAxis::rangeChanged, compressed, placeTicks);
        axisY = compressed;
    }
    const double margin = extent.High > extent.Low ? 0.05 * (extent.High - extent.Low) : 1;
    low_ = extent.Low - margin;
    high_ = extent.High + margin;
    if (scale == PushScale::Linear) {
        // Ends on round values, as the ticks are.
        const Real step = RoundStep((high_ - low_) / 6);
        low_ = double(std::floor(low_ / step) * step);
        high_ = double(std::ceil(high_ / step) * step);
    }
    axisY->setRange(low_, high_);
    chart_->addAxis(axisX, Qt::AlignBottom);
    chart_->addAxis(axisY, Qt::AlignLeft);
    for (QAbstractSeries* series : chart_->series()) {
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    }
}

void InteractionLawWindow::ResetZoom()
{
    chart_->zoomReset();
    for (QAbstractAxis* axis : chart_->axes(Qt::Horizontal))
        axis->setRange(double(from_), double(to_));
    for (QAbstractAxis* axis : chart_->axes(Qt::Vertical))
        axis->setRange(low_, high_);
}

bool InteractionLawWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_->viewport() && event->type() == QEvent::MouseMove && !chart_->series().isEmpty()) {
        const QPointF at = chart_->mapFromScene(view_->mapToScene(static_cast<QMouseEvent*>(event)->pos()));
        ShowValueAt(chart_->mapToValue(at, chart_->series().first()).x());
    }
    return QWidget::eventFilter(watched, event);
}

void InteractionLawWindow::ShowValueAt(double r)
{
    if (!(r > 0)) {
        valueLabel_->clear();
        return;
    }
    // The law itself at the pointer, not the line between two samples.
    QString text = QStringLiteral("r = %1").arg(FloatToText(r));
    for (int g = 0; g < GroupCount; ++g) {
        QString value;
        try {
            value = FloatToText(Push(shown_->Groups[g], shown_->Switches, Parity::Equal, r));
        } catch (const UserError& fault) {
            value = QString::fromStdString(fault.what());
        }
        text += QStringLiteral("    group %1: %2").arg(g + 1).arg(value);
    }
    valueLabel_->setText(valueLabel_->fontMetrics().elidedText(text, Qt::ElideRight, valueLabel_->width()));
}
