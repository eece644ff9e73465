// SPDX-License-Identifier: MIT
#include "model/step.h"
#include "scenes/figures.h"
#include "view/colours.h"
#include "view/drawingarea.h"
#include "view/drawingareaitems.h"
#include "view/labels.h"
#include "view/projection.h"
#include "view/trails.h"

#include <QAction>
#include <QCryptographicHash>
#include <QElapsedTimer>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <limits>
#include <memory>
#include <numbers>

namespace {

// The main window's layout: an 854 x 470 client area whose bottom panel
// starts at 288.
struct Fixture {
    TaonSystem system;
    ViewState view;
    std::unique_ptr<DrawingArea> area;
    bool taoscope = false;

    explicit Fixture(bool spiral)
    {
        system.TaonCount = SlotCount;
        view.SpiralMode = spiral;
        area = std::make_unique<DrawingArea>(system, view);
        area->resize(854, 470);
        area->SetDrawingHeight(288);
        area->SetScopeSource([this] { return taoscope; });
        view.UpdateCenter(854, 288);
        if (spiral)
            BuildFigure(system, true);
    }
    // A present point drawn at (CenterX + 60 x, CenterY + 60 z).
    void Place(int i, Real x, Real z)
    {
        system.Present[i] = 1;
        system.DrawX[i] = x;
        system.DrawZ[i] = z;
    }
    QRgb Pixel(int x, int y) const { return area->Picture().pixel(x, y) & 0xFFFFFF; }
};

int CountColour(const QImage& picture, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += (picture.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF);
    return count;
}

QImage Region(const QImage& picture, int x, int y, const QSize& size)
{
    return picture.copy(QRect(QPoint(x, y), size)).convertToFormat(QImage::Format_RGB32);
}

double DistanceToSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 == 0 ? 0 : std::clamp(QPointF::dotProduct(p - a, ab) / length2, 0.0, 1.0);
    const QPointF d = p - (a + t * ab);
    return std::hypot(d.x(), d.y());
}

} // namespace

class DrawingAreaTest : public QObject {
    Q_OBJECT
private slots:
    void pictureCoversTheDrawingArea()
    {
        Fixture f(false);
        f.area->DrawScene();
        QCOMPARE(f.area->Picture().size(), QSize(854, 288));
        QCOMPARE(CountColour(f.area->Picture(), Colours::Black), 854 * 288);
        f.area->SetDrawingHeight(200);
        f.area->ClearDrawingArea();
        QCOMPARE(f.area->Picture().size(), QSize(854, 200));
    }

    void pointColours_data()
    {
        QTest::addColumn<bool>("taoscope");
        QTest::addColumn<int>("point");
        QTest::addColumn<QRgb>("colour");
        QTest::newRow("Taoscope 1") << true << 1 << Colours::Red;
        QTest::newRow("Taoscope 2") << true << 2 << Colours::Lime;
        QTest::newRow("Taoscope 75") << true << 75 << Colours::Red;
        QTest::newRow("Gravoscope 1") << false << 1 << Colours::Lime;
        QTest::newRow("Gravoscope 50") << false << 50 << Colours::Lime;
        QTest::newRow("Gravoscope 51") << false << 51 << Colours::Yellow;
        QTest::newRow("Gravoscope 75") << false << 75 << Colours::Yellow;
        QTest::newRow("Gravoscope 76") << false << 76 << Colours::Red;
        QTest::newRow("Gravoscope 100") << false << 100 << Colours::Red;
    }
    void pointColours()
    {
        QFETCH(bool, taoscope);
        QFETCH(int, point);
        QFETCH(QRgb, colour);
        Fixture f(false);
        f.taoscope = taoscope;
        f.Place(point, 1, -1);
        f.area->DrawScene();
        const int sx = f.view.CenterX + 60, sy = f.view.CenterY - 60;
        QCOMPARE(f.view.ScreenX[point], sx);
        for (auto [dx, dy] : {std::pair{0, 0}, std::pair{1, 0}, std::pair{0, 1}, std::pair{1, 1}})
            QCOMPARE(f.Pixel(sx + dx, sy + dy), colour & 0xFFFFFF);
        QCOMPARE(CountColour(f.area->Picture(), Colours::Black), 854 * 288 - 4);
    }

    void absentPointIsNeitherDrawnNorLabelled()
    {
        Fixture f(false);
        f.view.ShowNumbers = true;
        f.Place(5, 0.5L, 0.5L);
        f.system.Present[5] = 0;
        f.area->DrawScene();
        QCOMPARE(CountColour(f.area->Picture(), Colours::Black), 854 * 288);
    }

    // The label's black box starts at (sx + 2, sy + 2) and hides what lay there.
    void sceneLabelBesideItsPoint()
    {
        Fixture f(false);
        f.taoscope = true;
        f.view.ShowNumbers = true;
        f.Place(7, 1, 1);
        LabelCache labels;
        const QImage label = labels.Label(7, Colours::Red);
        // Point 6 lies in the label's lowest rows, below the digit's ink.
        f.Place(6, 1 + 2 / 60.0L, 1 + (label.height() / 60.0L));
        f.area->DrawScene();
        const int sx = f.view.ScreenX[7], sy = f.view.ScreenY[7];
        QCOMPARE(f.view.ScreenY[6], sy + label.height());
        QCOMPARE(f.view.ScreenX[6], sx + 2);
        QCOMPARE(Region(f.area->Picture(), sx + 2, sy + 2, label.size()), label);
        QCOMPARE(f.Pixel(sx, sy), Colours::Red & 0xFFFFFF);
        QCOMPARE(f.Pixel(f.view.ScreenX[6], f.view.ScreenY[6]), Colours::Black & 0xFFFFFF);
    }

    void spiralLabelsSitOnTheirPixel()
    {
        Fixture f(true);
        f.view.ShowNumbers = true;
        f.area->DrawSpiral();
        LabelCache labels;
        const QImage label = labels.Label(19, Colours::Lime);
        QCOMPARE(Region(f.area->Picture(), f.view.ScreenX[19], f.view.ScreenY[19], label.size()), label);
    }

    // The three white edges 2-1, 10-2 and 16-10: white along them, and no
    // white anywhere else.
    void spiralWhiteLines_data()
    {
        QTest::addColumn<double>("dPsi");
        QTest::newRow("start position") << 0.0;
        QTest::newRow("turned about y") << 0.7;
    }
    void spiralWhiteLines()
    {
        QFETCH(double, dPsi);
        Fixture f(true);
        f.view.dPsi = dPsi;
        f.area->DrawSpiral();
        const auto at = [&f](int k) { return QPointF(f.view.ScreenX[k], f.view.ScreenY[k]); };
        const std::pair<int, int> whiteEdges[] = {{2, 1}, {10, 2}, {16, 10}};
        const QImage& picture = f.area->Picture();
        for (auto [a, b] : whiteEdges) {
            int onLine = 0;
            const int length = int(std::max(std::abs(at(a).x() - at(b).x()), std::abs(at(a).y() - at(b).y())));
            for (int s = 0; s <= length; ++s) {
                const QPointF p = at(a) + (at(b) - at(a)) * (double(s) / length);
                onLine += f.Pixel(qRound(p.x()), qRound(p.y())) == (Colours::White & 0xFFFFFF);
            }
            // Later red edges that meet or cross a white one may cover a few of its pixels.
            QVERIFY2(onLine > length * 3 / 4, qPrintable(QStringLiteral("%1-%2: %3 of %4").arg(a).arg(b).arg(onLine).arg(length)));
        }
        int white = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x) {
                if (f.Pixel(x, y) != (Colours::White & 0xFFFFFF))
                    continue;
                ++white;
                double nearest = 1e9;
                for (auto [a, b] : whiteEdges)
                    nearest = std::min(nearest, DistanceToSegment(QPointF(x, y), at(a), at(b)));
                QVERIFY2(nearest <= 1, qPrintable(QStringLiteral("stray white at %1,%2").arg(x).arg(y)));
            }
        QVERIFY(white > 0);
        QVERIFY(CountColour(picture, Colours::Red) > white);
    }

    void tenTimerTicksTurnByATenthOfARadian()
    {
        Fixture f(true);
        const TaonSystem start = f.system;
        f.view.SpinOn = true;
        f.view.dTeta = 0.01L;
        for (int tick = 0; tick < 10; ++tick)
            TimerTimer(f.view, *f.area);
        const Real c = std::cos(0.1L), s = std::sin(0.1L);
        for (int k = 1; k <= 19; ++k) {
            // About x: y' = c y - s z, z' = s y + c z.
            QVERIFY(std::fabs(double(f.system.DrawX[k] - start.DrawX[k])) < 1e-15);
            QVERIFY(std::fabs(double(f.system.DrawY[k] - (c * start.DrawY[k] - s * start.DrawZ[k]))) < 1e-15);
            QVERIFY(std::fabs(double(f.system.DrawZ[k] - (s * start.DrawY[k] + c * start.DrawZ[k]))) < 1e-15);
            QCOMPARE(f.view.ScreenY[k], RoundToPixel(f.view.CenterY + f.system.DrawZ[k] * 60));
        }
        for (int k = 20; k <= SlotCount; ++k)
            QVERIFY(f.system.DrawX[k] == 0 && f.system.DrawY[k] == 0 && f.system.DrawZ[k] == 0);
    }

    void stillSpiralStaysWhereItIs()
    {
        Fixture f(true);
        const TaonSystem start = f.system;
        for (int draw = 0; draw < 3; ++draw)
            f.area->RedrawView();
        QVERIFY(f.system.DrawX == start.DrawX && f.system.DrawY == start.DrawY && f.system.DrawZ == start.DrawZ);
    }

    // The window's repaints run the hook; the program's own draws do not.
    void windowRepaintsRunTheHook()
    {
        Fixture f(false);
        f.Place(1, 0, 0);
        int formPaints = 0;
        f.area->SetWindowRepaintHook([&] {
            ++formPaints;
            f.area->DrawScene();
        });
        f.area->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.area.get()));
        QTRY_VERIFY(formPaints >= 1);
        const int afterShow = formPaints;
        for (int step = 0; step < 5; ++step) {
            f.system.DrawX[1] = Real(step) / 10;
            f.area->DrawScene();
            QCoreApplication::processEvents();
        }
        QCOMPARE(formPaints, afterShow);
        // What the widget shows is the latest picture.
        const QImage shown = f.area->grab().toImage();
        QCOMPARE(shown.pixel(f.view.ScreenX[1], f.view.ScreenY[1]) & 0xFFFFFF, Colours::Lime & 0xFFFFFF);
        f.area->resize(700, 470);
        QTRY_VERIFY(formPaints > afterShow);
    }

    void mouseGestures_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("teta");
        QTest::newRow("right") << Qt::RightButton << -30.0 << 0.0;
        QTest::newRow("left") << Qt::LeftButton << 120.0 << 0.5;
        QTest::newRow("middle") << Qt::MiddleButton << 120.0 << 0.5;
    }
    void mouseGestures()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(double, scale);
        QFETCH(double, teta);
        Fixture f(false);
        f.area->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.area.get()));
        QTest::mousePress(f.area.get(), button, {}, QPoint(300, 100));
        QTest::mouseRelease(f.area.get(), button, {}, QPoint(300, 150));
        QCOMPARE(double(f.view.Scale), scale);
        QVERIFY(std::fabs(double(f.view.Teta) - teta) < 1e-15);
    }

    // A drag held half-way shows what the release there would leave, and
    // the state after the release is the same with Live Turning on or off.
    void liveTurning_data()
    {
        QTest::addColumn<bool>("spiral");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("spin");
        for (bool spiral : {false, true})
            for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton})
                QTest::addRow("%s, %s", spiral ? "spiral" : "scene", button == Qt::LeftButton ? "left" : "right")
                    << spiral << button << false;
        QTest::newRow("spiral, kept spin") << true << Qt::LeftButton << true;
    }
    void liveTurning()
    {
        QFETCH(bool, spiral);
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, spin);
        const auto send = [](Fixture& f, QEvent::Type type, Qt::MouseButton pressed, QPoint at) {
            QMouseEvent event(type, at, f.area->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : pressed,
                              type == QEvent::MouseButtonRelease ? Qt::NoButton : pressed, {});
            QCoreApplication::sendEvent(f.area.get(), &event);
        };
        Fixture live(spiral), still(spiral), halfway(spiral);
        for (Fixture* f : {&live, &still, &halfway}) {
            f->Place(1, 0.5L, -0.3L);
            f->system.DrawY[1] = 0.4L;
            f->Place(2, -0.7L, 0.2L);
            f->view.SpinOn = spin;
            f->view.dPsi = spin ? 0.05L : 0;
            f->area->show();
            QVERIFY(QTest::qWaitForWindowExposed(f->area.get()));
            f->area->RedrawView();
        }
        still.area->SetLiveTurning(false);
        const QImage atPress = live.area->Picture();
        for (Fixture* f : {&live, &still}) {
            send(*f, QEvent::MouseButtonPress, button, {300, 100});
            send(*f, QEvent::MouseMove, button, {340, 130});
            f->area->repaint();
        }
        // The preview is the picture a release at (340, 130) draws.
        send(halfway, QEvent::MouseButtonPress, button, {300, 100});
        send(halfway, QEvent::MouseButtonRelease, button, {340, 130});
        QCOMPARE(live.area->Picture(), halfway.area->Picture());
        QCOMPARE(still.area->Picture(), atPress);
        for (Fixture* f : {&live, &still}) {
            send(*f, QEvent::MouseMove, button, {380, 90});
            f->area->repaint();
            send(*f, QEvent::MouseButtonRelease, button, {380, 90});
        }
        QCOMPARE(live.area->Picture(), still.area->Picture());
        using State = std::array<Real, 7>;
        const auto state = [](const ViewState& v) { return State{v.Teta, v.Psi, v.Phi, v.dTeta, v.dPsi, v.dPhi, v.Scale}; };
        QVERIFY(state(live.view) == state(still.view));
        QVERIFY(live.system.DrawX == still.system.DrawX && live.system.DrawZ == still.system.DrawZ);
    }

    // A still click on a point rings it and describes it until a click on
    // empty space; a moved click picks nothing.
    void clickPicksAPoint()
    {
        Fixture f(false);
        f.Place(1, 1, 0); // at (CenterX + 60, CenterY)
        f.Place(2, -1, 0);
        f.system.X[1] = 1;
        f.system.X[2] = -1;
        f.area->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.area.get()));
        f.area->DrawScene();
        const QImage unpicked = f.area->Picture();
        QSignalSpy picked(f.area.get(), &DrawingArea::PointPicked);
        const QPoint onPoint(f.view.CenterX + 62, f.view.CenterY + 1);
        QTest::mouseClick(f.area.get(), Qt::LeftButton, {}, onPoint);
        QCOMPARE(f.area->PickedSlot(), 1);
        QCOMPARE(picked.takeFirst().at(0).toInt(), 1);
        QVERIFY(f.area->PickLine().startsWith(QStringLiteral("Point 1, group 1: at (1, 0, 0)")));
        QCOMPARE(f.Pixel(f.view.CenterX + 61 + 5, f.view.CenterY + 1), Colours::White & 0xFFFFFF); // the ring
        f.area->DrawScene();
        QCOMPARE(f.Pixel(f.view.CenterX + 61 + 5, f.view.CenterY + 1), Colours::White & 0xFFFFFF); // and it stays

        QTest::mousePress(f.area.get(), Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseRelease(f.area.get(), Qt::LeftButton, {}, QPoint(100, 101));
        QCOMPARE(f.area->PickedSlot(), 1); // a drag, no click
        QTest::mouseClick(f.area.get(), Qt::LeftButton, {}, QPoint(100, 100));
        QCOMPARE(f.area->PickedSlot(), 0);
        QVERIFY(f.area->PickLine().isEmpty());
        QCOMPARE(f.area->Picture(), unpicked);
    }

    // Without the Depth look the picture is the plain one, pixel for pixel:
    // the checksum is of the picture as drawn before the Depth look existed
    // (without text, whose pixels are the installed font's).
    void plainLookIsUnchanged()
    {
        Fixture f(false);
        f.view.ShowTrails = true;
        f.view.Teta = 0.4L;
        f.view.Phi = -0.7L;
        for (int i = 1; i <= SlotCount; i += 3) {
            f.Place(i, std::sin(Real(i)) * 2, std::cos(Real(i) * 1.3L) * 1.5L);
            f.system.DrawY[i] = std::sin(Real(i) * 0.7L);
            f.system.X[i] = f.system.DrawX[i];
        }
        for (int k = 0; k < 20; ++k) {
            for (int i = 1; i <= SlotCount; i += 3) {
                f.system.X[i] += 0.02L;
                f.system.Y[i] = f.system.DrawY[i];
                f.system.Z[i] = f.system.DrawZ[i] + 0.01L * k;
            }
            f.area->Trails().Record(f.system);
        }
        f.area->DrawScene();
        const QImage& picture = f.area->Picture();
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (int y = 0; y < picture.height(); ++y)
            hash.addData(QByteArrayView(reinterpret_cast<const char*>(picture.constScanLine(y)), picture.width() * 4));
        QCOMPARE(hash.result().toHex(), QByteArray("984cb1e9c7a9c85b617c2c44a2d6138b841f1492"));
    }

    // Depth: the near point's bright, wide disc covers the far one's dim,
    // small one where the plain look draws the later slot on top; switched
    // off again, the picture is the plain one.
    void depthLook()
    {
        Fixture f(false);
        f.Place(1, 0, 0);
        f.system.DrawY[1] = -1; // near
        f.Place(76, 0, 0);
        f.system.DrawY[76] = 1; // far
        f.area->DrawScene();
        const QImage plain = f.area->Picture();
        const int cx = f.view.CenterX, cy = f.view.CenterY;
        QCOMPARE(f.Pixel(cx, cy), Colours::Red & 0xFFFFFF);
        QMenu menu;
        AddDrawingAreaItems(&menu, *f.area);
        auto* depth = menu.findChild<QAction*>(QStringLiteral("Depth1"));
        QVERIFY(!depth->isChecked());
        depth->trigger();
        QCOMPARE(f.Pixel(cx, cy), Colours::Lime & 0xFFFFFF);
        QCOMPARE(f.Pixel(cx + 1 + 3, cy), Colours::Lime & 0xFFFFFF); // radius 4 about the square's middle
        QCOMPARE(f.Pixel(cx + 1 + 5, cy), Colours::Black & 0xFFFFFF);
        depth->trigger();
        QCOMPARE(f.area->Picture(), plain);
    }

    // The picture is in the screen's pixels: on a screen of ratio r (2 in
    // the run with QT_SCALE_FACTOR=2) r times as wide and high, a point's
    // square 2r wide at r times its place, and so is the shown widget.
    void highDensityPicture()
    {
        Fixture f(false);
        f.Place(1, 1, 0);
        f.area->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.area.get()));
        f.area->DrawScene();
        const int r = qRound(f.area->devicePixelRatioF());
        QCOMPARE(f.area->Picture().size(), QSize(854 * r, 288 * r));
        const int x = r * (f.view.CenterX + 60), y = r * f.view.CenterY;
        const QRgb lime = Colours::Lime & 0xFFFFFF;
        QVERIFY(f.Pixel(x, y) == lime && f.Pixel(x + 2 * r - 1, y + 2 * r - 1) == lime);
        QVERIFY(f.Pixel(x - 1, y) != lime && f.Pixel(x + 2 * r, y) != lime);
        QImage shown = f.area->grab(QRect(0, 0, 854, 288)).toImage().convertToFormat(QImage::Format_RGB32);
        shown.setDevicePixelRatio(1);
        QCOMPARE(shown, f.area->Picture());
    }

    // The View items switch the preview and set how long the trails grow.
    void viewItems()
    {
        Fixture f(false);
        QMenu menu;
        AddDrawingAreaItems(&menu, *f.area);
        auto* live = menu.findChild<QAction*>(QStringLiteral("LiveTurning1"));
        QVERIFY(live->isChecked() && f.area->LiveTurning());
        live->trigger();
        QVERIFY(!f.area->LiveTurning());
        f.Place(1, 0, 0);
        for (int length : {5000, 1000, 200}) {
            auto* item = menu.findChild<QAction*>(QStringLiteral("TrailLength%1").arg(length));
            item->trigger();
            QVERIFY(item->isChecked());
            QCOMPARE(f.area->Trails().Count(1), 0); // afresh
            for (int k = 0; k <= 5000; ++k) {
                f.system.X[1] = k;
                f.area->Trails().Record(f.system);
            }
            QCOMPARE(f.area->Trails().Count(1), length);
            QCOMPARE(f.area->Trails().At(1, 0).x, Real(5001 - length)); // the oldest kept
        }
        QCOMPARE(menu.findChild<QAction*>(QStringLiteral("TrailLength1000"))->text(), QStringLiteral("1,000"));
    }

    // A notch is one zoom click for every step, on both sides of DaoBack's
    // switch to dividing; smaller deltas add up, the rest kept.
    void wheelNotchIsAZoomClick_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QList<int>>("deltas");
        QTest::addColumn<int>("notches");
        for (int position = TrackBarMin; position <= TrackBarMax; ++position)
            for (double scale : {120.0, 4.0})
                for (int notch : {1, -1})
                    QTest::addRow("%d, %g, %d", position, scale, notch)
                        << position << scale << QList<int>{120 * notch} << notch;
        QTest::newRow("touchpad") << 5 << 120.0 << QList<int>{-70, -70, -70, -70} << -2;
        QTest::newRow("turned back, short") << 5 << 120.0 << QList<int>{100, -30, 49} << 0;
        QTest::newRow("two at once") << 5 << 120.0 << QList<int>{100, -30, 50, 240} << 3;
    }
    void wheelNotchIsAZoomClick()
    {
        QFETCH(int, position);
        QFETCH(double, scale);
        QFETCH(QList<int>, deltas);
        QFETCH(int, notches);
        Fixture f(false), clicked(false);
        TrackBarChange(f.view, position);
        f.view.Scale = scale;
        clicked.view = f.view;
        for (int k = 0; k < std::abs(notches); ++k)
            (notches > 0 ? DaoForvardClick : DaoBackClick)(clicked.view, *clicked.area);
        for (int delta : deltas) {
            QWheelEvent wheel({300, 100}, {300, 100}, {}, {0, delta}, {}, {}, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(f.area.get(), &wheel);
        }
        QCOMPARE(f.view.Scale, clicked.view.Scale);
        QCOMPARE(f.area->Picture().isNull(), notches == 0); // a notch redraws
    }

    // Under a child control the press is the child's, and so is its release.
    void childControlsCoverTheArea()
    {
        Fixture f(false);
        auto* panel = new QWidget(f.area.get());
        panel->setGeometry(0, 288, 854, 182);
        f.area->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.area.get()));
        QTest::mousePress(panel, Qt::RightButton, {}, QPoint(300, 10));
        QTest::mouseRelease(f.area.get(), Qt::RightButton, {}, QPoint(300, 150));
        QCOMPARE(f.view.Scale, 120.0L);
        QCOMPARE(f.view.RightDown.y, 0);
    }

    // Points thrown far off, or with no coordinates at all, cost nothing.
    void farAndBrokenPointsAreSafe()
    {
        Fixture spiral(true);
        spiral.view.Scale = 1e30L;
        spiral.view.ShowNumbers = true;
        QElapsedTimer clock;
        clock.start();
        spiral.area->DrawSpiral();
        spiral.view.Scale = 1e6L;
        spiral.area->DrawSpiral();
        QVERIFY(clock.elapsed() < 1000);
        QVERIFY(CountColour(spiral.area->Picture(), Colours::Red) > 0); // edges crossing the area are cut, not lost

        Fixture scene(false);
        scene.view.ShowNumbers = true;
        scene.Place(1, std::numeric_limits<Real>::quiet_NaN(), 0);
        scene.Place(2, std::numeric_limits<Real>::infinity(), 0);
        scene.Place(3, -1e300L, 1e300L);
        scene.Place(4, 0, 0);
        scene.area->DrawScene();
        QCOMPARE(scene.Pixel(scene.view.CenterX, scene.view.CenterY), Colours::Lime & 0xFFFFFF);
        QCOMPARE(CountColour(scene.area->Picture(), Colours::Lime) + CountColour(scene.area->Picture(), Colours::Black),
                 854 * 288);
    }

    // A point that moved along x from -1 to 1 in ten steps.
    static void MoveAlongX(Fixture& f)
    {
        f.Place(1, 0, 0);
        for (int k = 0; k <= 10; ++k) {
            f.system.X[1] = f.system.DrawX[1] = -1 + k * 0.2L;
            f.area->Trails().Record(f.system);
        }
    }

    void trailsOffLeaveThePictureAsItWas()
    {
        Fixture plain(false), traced(false);
        plain.Place(1, 1, 0);
        plain.area->DrawScene();
        MoveAlongX(traced);
        traced.area->DrawScene();
        QCOMPARE(traced.area->Picture(), plain.area->Picture());
    }

    // The trail is drawn through the history's projection as the view stands
    // now: along the screen's x axis, then, with the view turned a quarter
    // about y, along its vertical.
    void trailsFollowTheView()
    {
        Fixture f(false);
        f.view.ShowTrails = true;
        MoveAlongX(f);
        const QRgb dim = TrailColour(Colours::Lime);
        f.area->DrawScene();
        const int cx = f.view.CenterX, cy = f.view.CenterY;
        QCOMPARE(CountColour(f.area->Picture(), dim), 121 - 1); // -60..60 but the square's pixel in that row
        QCOMPARE(f.Pixel(cx - 60, cy), dim & 0xFFFFFF);
        QCOMPARE(f.Pixel(cx + 60, cy), Colours::Lime & 0xFFFFFF); // the point itself, over its trail

        f.view.Psi = std::numbers::pi_v<Real> / 2;
        f.area->DrawScene();
        QCOMPARE(f.Pixel(cx - 60, cy), Colours::Black & 0xFFFFFF);
        QCOMPARE(CountColour(f.area->Picture(), dim), 121 - 2); // the square now covers two
        QVERIFY(f.Pixel(cx, cy - 50) == (dim & 0xFFFFFF) && f.Pixel(cx, cy + 50) == (dim & 0xFFFFFF));
    }

    // A point running into the x wall of the Hot mode is folded to the
    // other side of the box: its trail breaks there, no line crosses the box.
    void trailBreaksWhereThePointFolds()
    {
        Fixture f(false);
        f.view.ShowTrails = true;
        f.Place(1, 3.05L, 0);
        f.system.X[1] = 3.05L;
        f.system.U[1] = 10;
        f.system.dt = 0.01L;
        for (CoefficientField field : CoefficientFields)
            f.system.*field = 1; // no zero divides
        SyncCopies(f.system, 1);
        RunSwitches hot;
        hot.Mode = ConstraintMode::HotContact;
        hot.Blockade = true; // only present points move: the lone point feels no force
        for (int k = 0; k < 8; ++k) {
            ReferenceStep(f.system, hot);
            f.area->Trails().Record(f.system);
        }
        QVERIFY(f.system.X[1] < 0); // folded
        f.area->DrawScene();
        const QRgb dim = TrailColour(Colours::Lime) & 0xFFFFFF;
        const int cx = f.view.CenterX, cy = f.view.CenterY;
        QVERIFY(f.Pixel(cx + 190, cy) == dim && f.Pixel(cx - 160, cy) == dim); // both pieces
        QCOMPARE(f.Pixel(cx, cy), Colours::Black & 0xFFFFFF);
    }

    // Unturned, x points right and z down from the corner; a quarter turn
    // about y turns x up and z to the right.
    void axesTurnWithTheView_data()
    {
        QTest::addColumn<double>("psi");
        QTest::addColumn<QPoint>("xTip");
        QTest::addColumn<QPoint>("zTip");
        QTest::newRow("unturned") << 0.0 << QPoint(16, 0) << QPoint(0, 16);
        QTest::newRow("quarter about y") << std::numbers::pi / 2 << QPoint(0, -16) << QPoint(16, 0);
    }

    void axesTurnWithTheView()
    {
        QFETCH(double, psi);
        QFETCH(QPoint, xTip);
        QFETCH(QPoint, zTip);
        Fixture f(false);
        f.view.Psi = psi;
        f.area->DrawScene();
        const QImage without = f.area->Picture();
        f.view.ShowAxes = true;
        f.area->DrawScene();
        const QPoint origin(32, 288 - 32);
        QCOMPARE(f.Pixel(origin.x() + xTip.x(), origin.y() + xTip.y()), Colours::Red & 0xFFFFFF);
        QCOMPARE(f.Pixel(origin.x() + zTip.x(), origin.y() + zTip.y()), Colours::Aqua & 0xFFFFFF);
        // Only the corner changes.
        QCOMPARE(f.area->Picture().copy(64, 0, 854 - 64, 288), without.copy(64, 0, 854 - 64, 288));
        QCOMPARE(f.area->Picture().copy(0, 0, 64, 288 - 64), without.copy(0, 0, 64, 288 - 64));
    }
};

QTEST_MAIN(DrawingAreaTest)
#include "drawingarea_test.moc"
