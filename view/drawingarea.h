// SPDX-License-Identifier: MIT
#pragma once

#include "model/taonsystem.h"
#include "view/canvas.h"
#include "view/labels.h"
#include "view/pointpick.h"
#include "view/trails.h"
#include "view/viewcommands.h"
#include "view/viewstate.h"

#include <QImage>
#include <QWidget>

class QLabel;

#include <array>
#include <functional>
#include <optional>
#include <vector>

// The drawing area of the main window. Every draw paints the whole view into
// an off-screen picture of widget width x drawing height and asks for a
// repaint; the paint event only copies the picture, so nothing flickers.
//
// The window's own repaints (first show, resize) first run the repaint hook,
// which the main window fills with its FormPaint. The program's own draws do
// not, or every run step would refill the listing. Uncovered parts are
// restored from the picture without a redraw.
//
// Mouse gestures and the wheel zoom of the view are built in and count only
// where no child control covers the area. While a button is held, Live
// Turning shows the view as the release would leave it: every move asks for
// one repaint (Qt joins them up to the screen's refresh) and the preview is
// drawn then, from a copy of the view, so the gesture's outcome is the same
// with or without it.
class DrawingArea : public QWidget, public ViewRenderer {
    Q_OBJECT
public:
    DrawingArea(TaonSystem& system, ViewState& view, QWidget* parent = nullptr);

    // The scene view: BuildViewMatrix, project the present points, clear, and
    // draw each as a 2 x 2 square (and its number) coloured by the scope;
    // with ShowTrails their trails beneath, with ShowAxes the triad above.
    void DrawScene() override;
    // The spiral view: turn the 19 figure points in place by the turn angles,
    // clear, draw the wireframe (and the numbers).
    void DrawSpiral() override;
    void RedrawView();
    // Black from (0, 0) to (width, drawing height).
    void ClearDrawingArea();

    // The drawing height is the top of the bottom panel; until it is set, the
    // widget's height.
    void SetDrawingHeight(int panelTop);
    int DrawingHeight() const;
    // How far down from the top child controls (the mode switches) hide the picture.
    int CoveredTop() const;

    // The main window's FormPaint; it must not throw.
    void SetWindowRepaintHook(std::function<void()> formPaint);
    // Whether Taoscope is checked; without a source the colours are Gravoscope's.
    void SetScopeSource(std::function<bool()> taoscopeChecked);

    // Slots drawn with a white box around them (a cluster the Structure
    // window marks); an empty list marks none. Takes effect at the next draw.
    void SetMarked(std::vector<int> marked) { marked_ = std::move(marked); }

    // What the law reads besides the coefficients, for the picked point's line.
    void SetLawSource(std::function<LawSwitches()> switches);

    // A click without movement on a drawn point of the scene view picks its
    // slot: a ring marks it in every later picture and a line at the foot of
    // the picture describes it, until a click on empty space or ClearPick (a
    // new scene). 0 when none is picked.
    int PickedSlot() const { return picked_; }
    void ClearPick();
    QString PickLine() const;

    // View > Live Turning, on at start.
    void SetLiveTurning(bool on)
    {
        liveTurning_ = on;
        if (!on)
            held_.reset(); // a drag held now shows nothing more until its release
    }
    // View > Depth, off at start.
    void SetDepthLook(bool on) { view_.DepthLook = on; }
    bool LiveTurning() const { return liveTurning_; }

    // In the screen's own pixels: on a high-density screen larger than the widget.
    const QImage& Picture() const { return picture_; }
    TrailHistory& Trails() { return trails_; }

signals:
    // A click picked this slot, or 0 for empty space.
    void PointPicked(int slot);
    // A double click on a drawn point of the scene view.
    void PointDoubleClicked(int slot);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void ShowPicture();
    // The view the held gesture would leave; none without one.
    std::optional<ViewState> Preview() const;
    // The picked point's ring and line, after the points of a scene draw.
    void ShowPick(Canvas& canvas, const ViewState& shown, int ringRadius);
    // The points, trails and numbers of the Depth look; the picked point's ring radius.
    int PaintInDepth(Canvas& canvas, const ViewState& shown, bool taoscope);
    void PlacePickLine();
    int PointAt(PixelPoint pixel) const;
    // A high-density screen's picture: its pixels are ratio_ to a widget pixel.
    // The view in its pixels; a length in them; the picture's size in widget pixels.
    ViewState DeviceView(const ViewState& logical) const;
    int Px(int logical) const;
    QSize PictureSize() const;
    // The wireframe through the figure's pixels in `shown`.
    void PaintFigure(const ViewState& shown);

    TaonSystem& system_;
    ViewState& view_;
    QImage picture_;
    QSize shownSize_;
    LabelCache labels_;
    TrailHistory trails_;
    std::function<void()> formPaint_;
    std::function<bool()> taoscopeChecked_;
    std::vector<int> marked_;
    int drawingHeight_ = -1;
    bool windowRepaintDue_ = true;
    bool inWindowRepaint_ = false;
    std::array<bool, 3> gestureStarted_{}; // left, middle, right: pressed here, not on a child
    struct HeldGesture {
        GestureButton button;
        PixelPoint at; // where the mouse is now
    };
    std::optional<HeldGesture> held_; // the last gesture pressed, while Live Turning is on
    bool liveTurning_ = true;
    bool previewDue_ = false;  // a move asked for a repaint not yet painted
    bool previewOnly_ = false; // this draw only shows the preview: the figure is not turned
    qreal ratio_ = 1; // device pixels per widget pixel at the last draw
    std::function<LawSwitches()> lawSwitches_;
    std::optional<PixelPoint> leftDown_; // a left press that is a click while the mouse stays there
    int picked_ = 0;
    PickDescription pickDescription_;
    QLabel* pickLine_ = nullptr;
    WheelNotches wheelNotches_;
};
