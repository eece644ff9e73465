// SPDX-License-Identifier: MIT
#include "view/drawingarea.h"

#include "view/axes.h"
#include "view/canvas.h"
#include "view/colours.h"
#include "view/depthlook.h"
#include "view/projection.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>

#include <algorithm>
#include <optional>

namespace {

constexpr int SpiralPoints = 19;

// The figure's wireframe: each point joined to earlier ones, in drawing order.
// The first edge of points 2, 10 and 16 is white, every other one red.
struct Edges {
    int point;
    std::array<int, 3> to;
};

constexpr std::array<Edges, SpiralPoints - 1> Wireframe = {{
    {2, {1, 0, 0}},    {3, {2, 1, 0}},     {4, {1, 2, 3}},     {5, {1, 2, 3}},     {6, {1, 2, 5}},
    {7, {1, 2, 6}},    {8, {2, 6, 7}},     {9, {2, 6, 8}},     {10, {2, 8, 9}},    {11, {2, 8, 10}},
    {12, {2, 10, 11}}, {13, {2, 10, 12}},  {14, {10, 12, 13}}, {15, {10, 12, 14}}, {16, {10, 14, 15}},
    {17, {10, 14, 16}}, {18, {10, 16, 17}}, {19, {10, 16, 18}},
}};

constexpr bool WhiteEdge(int point, int edge)
{
    return edge == 0 && (point == 2 || point == 10 || point == 16);
}

std::optional<int> GestureIndex(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 0;
    case Qt::MiddleButton:
        return 1;
    case Qt::RightButton:
        return 2;
    default:
        return std::nullopt;
    }
}

GestureButton GestureOf(int index)
{
    return index == 2 ? GestureButton::Right : GestureButton::Left;
}

} // namespace

DrawingArea::DrawingArea(TaonSystem& system, ViewState& view, QWidget* parent)
    : QWidget(parent), system_(system), view_(view)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    pickLine_ = new QLabel(this);
    pickLine_->setObjectName(QStringLiteral("PickLine"));
    pickLine_->setStyleSheet(QStringLiteral("QLabel { color: white; background: rgba(0, 0, 0, 160); padding: 1px 4px; }"));
    pickLine_->hide();
}

void DrawingArea::SetLawSource(std::function<LawSwitches()> switches)
{
    lawSwitches_ = std::move(switches);
}

void DrawingArea::ClearPick()
{
    picked_ = 0;
    pickLine_->hide();
}

QString DrawingArea::PickLine() const
{
    return pickLine_->isHidden() ? QString() : pickLine_->text();
}

int DrawingArea::PointAt(PixelPoint pixel) const
{
    // The Depth look's discs reach up to three pixels beyond the square.
    return PickPoint(system_, view_, pixel, view_.DepthLook ? PickReach + 3 : PickReach);
}

void DrawingArea::PlacePickLine()
{
    pickLine_->adjustSize();
    pickLine_->move(4, DrawingHeight() - pickLine_->height() - 4);
}

int DrawingArea::PaintInDepth(Canvas& canvas, const ViewState& shown, bool taoscope)
{
    const DepthOrder order = OrderByDepth(system_, shown);
    if (shown.ShowTrails)
        trails_.Project(shown, held_.has_value());
    // Each point with its trail and number, far ones first.
    for (int i : order.FarToNear) {
        const int nearness = order.Nearness[i];
        const QRgb colour = DepthShade(PointColour(i, system_.TaonCount, taoscope), nearness);
        const int sx = shown.ScreenX[i], sy = shown.ScreenY[i], radius = DiscRadius(nearness);
        if (shown.ShowTrails)
            DrawTrail(canvas, trails_, i, TrailColour(colour));
        canvas.Disc(sx, sy, Px(radius), colour);
        if (shown.ShowNumbers)
            canvas.Paste(labels_.Label(i, colour, ratio_), sx, sy, Px(radius + 1), Px(radius + 1));
    }
    return picked_ != 0 && system_.Present[picked_] ? DiscRadius(order.Nearness[picked_]) + 3 : 0;
}

void DrawingArea::ShowPick(Canvas& canvas, const ViewState& shown, int ringRadius)
{
    if (picked_ == 0 || !system_.Present[picked_]) {
        pickLine_->hide();
        return;
    }
    canvas.Ring(shown.ScreenX[picked_], shown.ScreenY[picked_], Px(ringRadius), Colours::White);
    const LawSwitches switches = lawSwitches_ ? lawSwitches_() : LawSwitches{};
    pickLine_->setText(pickDescription_.Line(system_, switches, picked_));
    PlacePickLine();
    pickLine_->show();
}

void DrawingArea::SetDrawingHeight(int panelTop)
{
    drawingHeight_ = std::max(panelTop, 0);
    PlacePickLine();
}

int DrawingArea::DrawingHeight() const
{
    return drawingHeight_ >= 0 ? drawingHeight_ : height();
}

int DrawingArea::CoveredTop() const
{
    int covered = 0;
    for (const QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect place = child->geometry();
        if (!child->isHidden() && place.top() <= 0 && place.bottom() < DrawingHeight())
            covered = std::max(covered, place.bottom() + 1);
    }
    return covered;
}

void DrawingArea::SetWindowRepaintHook(std::function<void()> formPaint)
{
    formPaint_ = std::move(formPaint);
}

void DrawingArea::SetScopeSource(std::function<bool()> taoscopeChecked)
{
    taoscopeChecked_ = std::move(taoscopeChecked);
}

void DrawingArea::ClearDrawingArea()
{
    ratio_ = devicePixelRatioF();
    const QSize size(qCeil(width() * ratio_), qCeil(DrawingHeight() * ratio_));
    if (picture_.size() != size)
        picture_ = QImage(size, QImage::Format_RGB32);
    Canvas(picture_).Fill(Colours::Black);
}

std::optional<ViewState> DrawingArea::Preview() const
{
    if (!held_)
        return std::nullopt;
    return GesturePreview(view_, held_->button, held_->at);
}

void DrawingArea::DrawScene()
{
    std::optional<ViewState> preview = Preview();
    ViewState& logical = preview ? *preview : view_;
    ProjectScene(system_, logical);
    ClearDrawingArea();
    // On a high-density screen the points are projected again, into its pixels.
    std::optional<ViewState> device;
    if (ratio_ != 1) {
        device = DeviceView(logical);
        ProjectScene(system_, *device);
    }
    const ViewState& shown = device ? *device : logical;
    Canvas canvas(picture_);
    const bool taoscope = taoscopeChecked_ && taoscopeChecked_();
    const int count = SlotsInUse(system_);
    int ringRadius = 5;
    if (shown.DepthLook) {
        ringRadius = PaintInDepth(canvas, shown, taoscope);
    } else {
        if (shown.ShowTrails)
            DrawTrails(canvas, trails_, system_, shown, taoscope, held_.has_value());
        for (int i = 1; i <= count; ++i) {
            if (!system_.Present[i])
                continue;
            const QRgb colour = PointColour(i, system_.TaonCount, taoscope);
            const int sx = shown.ScreenX[i], sy = shown.ScreenY[i];
            canvas.Block(sx, sy, Px(2), colour);
            if (shown.ShowNumbers)
                canvas.Paste(labels_.Label(i, colour, ratio_), sx, sy, Px(2), Px(2));
        }
    }
    for (int i : marked_) {
        if (i > count || !system_.Present[i])
            continue;
        const int sx = shown.ScreenX[i], sy = shown.ScreenY[i];
        const int before = Px(3), after = Px(4);
        const PixelPoint corners[] = {
            {sx - before, sy - before}, {sx + after, sy - before}, {sx + after, sy + after}, {sx - before, sy + after}};
        for (int k = 0; k < 4; ++k)
            canvas.Line(corners[k], corners[(k + 1) % 4], Colours::White);
    }
    ShowPick(canvas, shown, ringRadius);
    if (shown.ShowAxes)
        DrawAxes(picture_, shown, ratio_);
    ShowPicture();
}

void DrawingArea::DrawSpiral()
{
    // Only a real draw turns the stored figure; the held gesture's extra turn
    // is shown on a copy.
    if (!previewOnly_) {
        BuildTurnMatrix(view_);
        TurnFigure(system_, view_, SpiralPoints);
    }
    ClearDrawingArea();
    pickLine_->hide();
    std::optional<ViewState> preview = Preview();
    if (!preview) {
        PaintFigure(view_);
        ShowPicture();
        return;
    }
    if (!previewOnly_) {
        preview->dTeta -= view_.dTeta;
        preview->dPsi -= view_.dPsi;
        preview->dPhi -= view_.dPhi;
    }
    BuildTurnMatrix(*preview);
    const SlotReals stored[] = {system_.DrawX, system_.DrawY, system_.DrawZ};
    TurnFigure(system_, *preview, SpiralPoints);
    PaintFigure(*preview);
    system_.DrawX = stored[0];
    system_.DrawY = stored[1];
    system_.DrawZ = stored[2];
    ShowPicture();
}

void DrawingArea::PaintFigure(const ViewState& logical)
{
    std::optional<ViewState> device;
    if (ratio_ != 1) {
        device = DeviceView(logical);
        for (int k = 1; k <= SpiralPoints; ++k) {
            const PixelPoint pixel = ScreenPixel(*device, system_.DrawX[k], system_.DrawZ[k]);
            device->ScreenX[k] = pixel.x;
            device->ScreenY[k] = pixel.y;
        }
    }
    const ViewState& shown = device ? *device : logical;
    Canvas canvas(picture_);
    const auto pixel = [&shown](int k) { return PixelPoint{shown.ScreenX[k], shown.ScreenY[k]}; };
    for (const Edges& edges : Wireframe) {
        for (int e = 0; e < int(edges.to.size()) && edges.to[e] != 0; ++e)
            canvas.Line(pixel(edges.point), pixel(edges.to[e]),
                        WhiteEdge(edges.point, e) ? Colours::White : Colours::Red);
    }
    if (shown.ShowNumbers) {
        for (int k = 1; k <= SpiralPoints; ++k)
            canvas.Paste(labels_.Label(k, Colours::Lime, ratio_), shown.ScreenX[k], shown.ScreenY[k]);
    }
}

ViewState DrawingArea::DeviceView(const ViewState& logical) const
{
    ViewState device = logical;
    device.CenterX = RoundToPixel(logical.CenterX * Real(ratio_));
    device.CenterY = RoundToPixel(logical.CenterY * Real(ratio_));
    device.Scale *= ratio_;
    device.PanX *= ratio_;
    device.PanY *= ratio_;
    return device;
}

int DrawingArea::Px(int logical) const
{
    return qRound(logical * ratio_);
}

QSize DrawingArea::PictureSize() const
{
    return (QSizeF(picture_.size()) / ratio_).toSize();
}

void DrawingArea::RedrawView()
{
    ::RedrawView(view_, *this);
}

void DrawingArea::ShowPicture()
{
    // Inside a window repaint the picture is copied right after the hook.
    if (inWindowRepaint_)
        return;
    const QSize size = PictureSize().expandedTo(shownSize_);
    shownSize_ = PictureSize();
    update(QRect(QPoint(0, 0), size));
}

void DrawingArea::paintEvent(QPaintEvent* event)
{
    if (windowRepaintDue_ && formPaint_) {
        windowRepaintDue_ = false;
        inWindowRepaint_ = true;
        formPaint_();
        inWindowRepaint_ = false;
        shownSize_ = PictureSize();
    } else if (previewDue_ && held_) {
        inWindowRepaint_ = previewOnly_ = true;
        RedrawView();
        inWindowRepaint_ = previewOnly_ = false;
    }
    previewDue_ = false;
    QPainter painter(this);
    const QRect pictureRect(QPoint(0, 0), PictureSize());
    const QRect shown = event->rect() & pictureRect;
    if (!shown.isEmpty())
        painter.drawImage(QRectF(shown), picture_,
                          QRectF(shown.x() * ratio_, shown.y() * ratio_, shown.width() * ratio_, shown.height() * ratio_));
    // Beyond the picture (under the bottom panel, or not drawn yet) lies the
    // plain window background.
    const QRegion rest = QRegion(event->rect()) - QRegion(pictureRect);
    for (const QRect& part : rest)
        painter.fillRect(part, palette().window());
}

void DrawingArea::resizeEvent(QResizeEvent* event)
{
    windowRepaintDue_ = true;
    QWidget::resizeEvent(event);
}

void DrawingArea::showEvent(QShowEvent* event)
{
    windowRepaintDue_ = true;
    QWidget::showEvent(event);
}

void DrawingArea::mousePressEvent(QMouseEvent* event)
{
    const std::optional<int> index = GestureIndex(event->button());
    const QPoint pixel = event->position().toPoint();
    // A press that a child control passed on is not the area's.
    if (!index || childAt(pixel)) {
        event->ignore();
        return;
    }
    gestureStarted_[*index] = true;
    if (*index == 0)
        leftDown_ = PixelPoint{pixel.x(), pixel.y()};
    FormMouseDown(view_, GestureOf(*index), {pixel.x(), pixel.y()});
    if (liveTurning_)
        held_ = HeldGesture{GestureOf(*index), {pixel.x(), pixel.y()}};
}

void DrawingArea::mouseMoveEvent(QMouseEvent* event)
{
    if (!held_) {
        event->ignore();
        return;
    }
    const QPoint pixel = event->position().toPoint();
    held_->at = {pixel.x(), pixel.y()};
    if (!previewDue_) {
        previewDue_ = true;
        update();
    }
}

void DrawingArea::mouseReleaseEvent(QMouseEvent* event)
{
    const std::optional<int> index = GestureIndex(event->button());
    if (!index || !gestureStarted_[*index]) {
        event->ignore();
        return;
    }
    gestureStarted_[*index] = false;
    if (held_ && held_->button == GestureOf(*index))
        held_.reset();
    const QPoint pixel = event->position().toPoint();
    if (*index == 0 && leftDown_ && leftDown_->x == pixel.x() && leftDown_->y == pixel.y() && !view_.SpiralMode) {
        picked_ = PointAt(*leftDown_);
        emit PointPicked(picked_);
    }
    leftDown_.reset();
    FormMouseUp(view_, *this, GestureOf(*index), {pixel.x(), pixel.y()});
}

void DrawingArea::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QPoint pixel = event->position().toPoint();
    const int slot = event->button() == Qt::LeftButton && !view_.SpiralMode && !childAt(pixel)
                         ? PointAt({pixel.x(), pixel.y()})
                         : 0;
    if (slot == 0) {
        mousePressEvent(event); // a second press like the first
        return;
    }
    picked_ = slot;
    emit PointPicked(slot);
    emit PointDoubleClicked(slot);
}

void DrawingArea::wheelEvent(QWheelEvent* event)
{
    if (childAt(event->position().toPoint())) {
        event->ignore();
        return;
    }
    WheelZoom(view_, *this, wheelNotches_.Add(event->angleDelta().y()));
}
