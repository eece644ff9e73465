// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QSlider;
class SceneDocument;

// Edit > Run History...: a slider over the steps the runs of this scene kept,
// its last position the present. Moving it shows that step in the main
// window without changing the model; "Continue from here" makes it the
// present as one undoable change. Closing the window, or Go, returns the
// view to the present.
class RunHistoryWindow : public QWidget {
    Q_OBJECT
public:
    RunHistoryWindow(SceneDocument& document, QWidget* parent = nullptr);

    QSlider* Slider() const { return slider_; }
    QPushButton* ContinueButton() const { return continue_; }

protected:
    void hideEvent(QHideEvent* event) override;

private:
    // Range and caption follow the history; the slider stays at the present
    // unless a kept step is shown.
    void Follow();
    void SliderMoved(int position);

    SceneDocument& document_;
    QLabel* caption_ = nullptr;
    QSlider* slider_ = nullptr;
    QPushButton* continue_ = nullptr;
};
