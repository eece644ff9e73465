// SPDX-License-Identifier: MIT
#include "ui/runhistorywindow.h"

#include "document/scenedocument.h"
#include "scenes/numbertext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// "2nd", "4th", "32nd".
QString Ordinal(std::int64_t n)
{
    const int tens = int(n % 100), units = int(n % 10);
    const char* suffix = tens >= 11 && tens <= 13 ? "th" : units == 1 ? "st" : units == 2 ? "nd" : units == 3 ? "rd" : "th";
    return QString::number(n) + QLatin1String(suffix);
}

} // namespace

RunHistoryWindow::RunHistoryWindow(SceneDocument& document, QWidget* parent)
    : QWidget(parent, Qt::Window), document_(document)
{
    setObjectName(QStringLiteral("RunHistoryWindow"));
    setWindowTitle(QStringLiteral("Run History"));
    caption_ = new QLabel(this);
    caption_->setObjectName(QStringLiteral("HistoryCaption"));
    slider_ = new QSlider(Qt::Horizontal, this);
    slider_->setObjectName(QStringLiteral("HistorySlider"));
    slider_->setMinimumWidth(420);
    continue_ = new QPushButton(QStringLiteral("Continue from here"), this);
    continue_->setObjectName(QStringLiteral("ContinueFromHere"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("HistoryClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(continue_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(caption_);
    layout->addWidget(slider_);
    layout->addLayout(buttons);

    connect(slider_, &QSlider::valueChanged, this, &RunHistoryWindow::SliderMoved);
    connect(continue_, &QPushButton::clicked, this, [this] {
        if (const std::optional<int> shown = document_.Shown())
            document_.ContinueFrom(*shown);
    });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(&document_, &SceneDocument::historyChanged, this, &RunHistoryWindow::Follow);
    connect(&document_, &SceneDocument::shownChanged, this, &RunHistoryWindow::Follow);
    connect(&document_, &SceneDocument::sceneReplaced, this, &RunHistoryWindow::Follow);
    connect(&document_, &SceneDocument::stepTaken, this, [this] {
        if (isVisible())
            Follow();
    });
    Follow();
}

void RunHistoryWindow::Follow()
{
    const RunHistory& runs = document_.Runs();
    const std::optional<int> shown = document_.Shown();
    {
        const QSignalBlocker quiet(slider_);
        slider_->setRange(0, runs.Count());
        slider_->setValue(shown.value_or(runs.Count()));
        slider_->setEnabled(!document_.Running() && runs.Count() > 0);
    }
    continue_->setEnabled(!document_.Running() && shown.has_value());
    const QString every =
        runs.Every() == 1 ? QStringLiteral("every step") : QStringLiteral("every %1 step").arg(Ordinal(runs.Every()));
    const QString kept = QStringLiteral("%1 steps kept, %2").arg(runs.Count()).arg(every);
    if (shown) {
        const SceneState& state = runs.State(*shown);
        caption_->setText(QStringLiteral("Step %1, time %2 (%3)")
                              .arg(state.StepCount())
                              .arg(FloatToText(state.ModelTime()), kept));
    } else {
        caption_->setText(QStringLiteral("The present, step %1 (%2)").arg(document_.System().StepCount).arg(kept));
    }
}

void RunHistoryWindow::SliderMoved(int position)
{
    if (position >= document_.Runs().Count())
        document_.ReturnToPresent();
    else
        document_.ShowRecorded(position);
}

void RunHistoryWindow::hideEvent(QHideEvent* event)
{
    document_.ReturnToPresent();
    QWidget::hideEvent(event);
}
