// SPDX-License-Identifier: MIT
#include "view/viewcommands.h"

#include <QTest>

#include <cmath>
#include <vector>

namespace {

// Records each draw with the angles it saw.
class RecordingRenderer : public ViewRenderer {
public:
    struct Draw {
        bool spiral;
        Real dTeta, dPsi, dPhi;
    };
    explicit RecordingRenderer(const ViewState& view) : view_(view) {}
    void DrawScene() override { draws.push_back({false, view_.dTeta, view_.dPsi, view_.dPhi}); }
    void DrawSpiral() override { draws.push_back({true, view_.dTeta, view_.dPsi, view_.dPhi}); }
    std::vector<Draw> draws;

private:
    const ViewState& view_;
};

using Command = void (*)(ViewState&, ViewRenderer&);

struct TurnButton {
    Command command;
    Real ViewState::*turnAngle;
    Real ViewState::*viewAngle;
    int sign;
};

const TurnButton TurnButtons[] = {
    {DaoTetaClick, &ViewState::dTeta, &ViewState::Teta, -1}, {DaoTeta1Click, &ViewState::dTeta, &ViewState::Teta, 1},
    {DaoPsiClick, &ViewState::dPsi, &ViewState::Psi, -1},    {DaoPsi1Click, &ViewState::dPsi, &ViewState::Psi, 1},
    {DaoPhiClick, &ViewState::dPhi, &ViewState::Phi, 1},     {DaoPhi1Click, &ViewState::dPhi, &ViewState::Phi, -1},
};
const char* const TurnButtonNames[] = {"DaoTeta", "DaoTeta1", "DaoPsi", "DaoPsi1", "DaoPhi", "DaoPhi1"};

bool Near(Real actual, Real expected)
{
    return std::fabs(actual - expected) < 1e-17L;
}

ViewState SceneView()
{
    ViewState view;
    view.SpiralMode = false;
    return view;
}

} // namespace

class ViewCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void turnButtons_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("spiral");
        QTest::addColumn<bool>("spin");
        for (int b = 0; b < 6; ++b) {
            QTest::addRow("%s, spiral", TurnButtonNames[b]) << b << true << false;
            QTest::addRow("%s, scene", TurnButtonNames[b]) << b << false << false;
            QTest::addRow("%s, scene, ShowSpin", TurnButtonNames[b]) << b << false << true;
        }
    }
    void turnButtons()
    {
        QFETCH(int, button);
        QFETCH(bool, spiral);
        QFETCH(bool, spin);
        const TurnButton& b = TurnButtons[button];
        ViewState view;
        view.SpiralMode = spiral;
        view.SpinOn = spin;
        view.Teta = 1, view.Psi = 2, view.Phi = 3;
        RecordingRenderer renderer(view);
        b.command(view, renderer);

        QCOMPARE(renderer.draws.size(), std::size_t(1));
        QCOMPARE(renderer.draws[0].spiral, spiral);
        const Real seen[] = {renderer.draws[0].dTeta, renderer.draws[0].dPsi, renderer.draws[0].dPhi};
        const Real ViewState::*turnAngles[] = {&ViewState::dTeta, &ViewState::dPsi, &ViewState::dPhi};
        const Real ViewState::*viewAngles[] = {&ViewState::Teta, &ViewState::Psi, &ViewState::Phi};
        for (int a = 0; a < 3; ++a) {
            const bool mine = turnAngles[a] == b.turnAngle;
            QCOMPARE(seen[a], mine ? b.sign * view.RotStep : 0); // the draw sees the one-click turn
            QCOMPARE(view.*turnAngles[a], 0.0L);                  // and it is gone afterwards
            const Real start = a + 1;
            QCOMPARE(view.*viewAngles[a], mine && !spiral ? start + b.sign * view.RotStep : start);
        }
    }

    // A kept spiral spin: a turn button turns once more by it plus one click,
    // then clears its own angle only.
    void turnButtonOverAKeptSpin()
    {
        ViewState view;
        view.SpinOn = true;
        view.dTeta = 0.2L;
        view.dPhi = 0.3L;
        RecordingRenderer renderer(view);
        DaoTetaClick(view, renderer);
        QCOMPARE(renderer.draws.back().dTeta, 0.2L - 0.01L);
        QCOMPARE(renderer.draws.back().dPhi, 0.3L);
        QCOMPARE(view.dTeta, 0.0L);
        QCOMPARE(view.dPhi, 0.3L);
    }

    void stopClearsTheTurnAngles_data()
    {
        QTest::addColumn<bool>("spiral");
        QTest::newRow("spiral") << true;
        QTest::newRow("scene") << false;
    }
    void stopClearsTheTurnAngles()
    {
        QFETCH(bool, spiral);
        ViewState view;
        view.SpiralMode = spiral;
        view.dTeta = 1, view.dPsi = 2, view.dPhi = 3;
        RecordingRenderer renderer(view);
        DaoStopClick(view, renderer);
        QCOMPARE(renderer.draws.size(), std::size_t(1));
        QCOMPARE(renderer.draws[0].spiral, spiral);
        QVERIFY(renderer.draws[0].dTeta == 0 && renderer.draws[0].dPsi == 0 && renderer.draws[0].dPhi == 0);
    }

    void zoomOutFrom120()
    {
        ViewState view = SceneView();
        RecordingRenderer renderer(view);
        std::vector<Real> seen;
        for (int k = 0; k < 13; ++k) {
            DaoBackClick(view, renderer);
            seen.push_back(view.Scale);
        }
        const std::vector<Real> expected = {111, 102, 93, 84, 75, 66, 57, 48, 39, 30, 21, 7, Real(7) / 3};
        QCOMPARE(seen, expected);
        DaoBackClick(view, renderer);
        QCOMPARE(view.Scale, Real(7) / 3 / 3); // 0.777...
        QCOMPARE(renderer.draws.size(), std::size_t(14));
    }

    void zoomOutWithOtherSteps_data()
    {
        QTest::addColumn<double>("zoomStep");
        QTest::addColumn<double>("scale");
        QTest::addColumn<double>("expected");
        QTest::newRow("step 1 below 9: unchanged") << 1.0 << 8.0 << 8.0;
        QTest::newRow("step 1 at 9: minus 3") << 1.0 << 9.0 << 6.0;
        QTest::newRow("step 0.5 below 4.5: doubled") << 0.5 << 4.0 << 8.0;
        QTest::newRow("step 50 below 450: divided") << 50.0 << 100.0 << 2.0;
        QTest::newRow("negative: divided") << 3.0 << -30.0 << -10.0;
    }
    void zoomOutWithOtherSteps()
    {
        QFETCH(double, zoomStep);
        QFETCH(double, scale);
        QFETCH(double, expected);
        ViewState view;
        view.ZoomStep = zoomStep;
        view.Scale = scale;
        RecordingRenderer renderer(view);
        DaoBackClick(view, renderer);
        QCOMPARE(double(view.Scale), expected);
    }

    void zoomInAddsThreeSteps()
    {
        ViewState view;
        view.ZoomStep = 7;
        RecordingRenderer renderer(view);
        DaoForvardClick(view, renderer);
        QCOMPARE(view.Scale, 141.0L);
        QCOMPARE(renderer.draws.size(), std::size_t(1));
        QVERIFY(renderer.draws[0].spiral);
    }

    void shifts_data()
    {
        QTest::addColumn<int>("command");
        QTest::addColumn<double>("panX");
        QTest::addColumn<double>("panY");
        QTest::newRow("Left") << 0 << -5.0 << 0.0;
        QTest::newRow("Right") << 1 << 5.0 << 0.0;
        QTest::newRow("Up") << 2 << 0.0 << -5.0;
        QTest::newRow("Down") << 3 << 0.0 << 5.0;
    }
    void shifts()
    {
        QFETCH(int, command);
        QFETCH(double, panX);
        QFETCH(double, panY);
        const Command commands[] = {Left1Click, Right1Click, Up1Click, Down1Click};
        ViewState view = SceneView();
        RecordingRenderer renderer(view);
        commands[command](view, renderer);
        commands[command](view, renderer);
        QCOMPARE(double(view.PanX), 2 * panX);
        QCOMPARE(double(view.PanY), 2 * panY);
        QCOMPARE(renderer.draws.size(), std::size_t(2));
        QVERIFY(!renderer.draws[0].spiral);
    }

    void moveToCenterKeepsTheAngles()
    {
        ViewState view = SceneView();
        view.Scale = -4;
        view.PanX = 12;
        view.PanY = -3;
        view.Teta = 0.5L;
        RecordingRenderer renderer(view);
        MoveToCenterClick(view, renderer);
        QCOMPARE(view.Scale, 120.0L);
        QVERIFY(view.PanX == 0 && view.PanY == 0);
        QCOMPARE(view.Teta, 0.5L);
        QCOMPARE(renderer.draws.size(), std::size_t(1));
    }

    void trackBar_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<double>("rotStep");
        QTest::addColumn<double>("zoomStep");
        const double rows[][2] = {{0.0005, 0.5}, {0.001, 1}, {0.002, 2}, {0.003, 3}, {0.005, 5}, {0.01, 7},
                                  {0.05, 10},    {0.1, 15},  {0.5, 20},  {1, 30},    {2, 50}};
        for (int p = 0; p <= 10; ++p)
            QTest::addRow("position %d", p) << p << rows[p][0] << rows[p][1];
        QTest::newRow("below the bar") << -3 << 0.0005 << 0.5;
        QTest::newRow("above the bar") << 11 << 2.0 << 50.0;
    }
    void trackBar()
    {
        QFETCH(int, position);
        QFETCH(double, rotStep);
        QFETCH(double, zoomStep);
        ViewState view;
        TrackBarChange(view, position);
        QCOMPARE(double(view.RotStep), rotStep);
        QCOMPARE(double(view.ZoomStep), zoomStep);
    }

    // The bar stands at 5 while the first values are not its row.
    void trackBarStartValuesHoldUntilItMoves()
    {
        ViewState view;
        QCOMPARE(TrackBarStart, 5);
        QCOMPARE(view.ZoomStep, 3.0L);
        TrackBarChange(view, TrackBarStart);
        QCOMPARE(view.ZoomStep, 7.0L);
    }

    void trackBarTenTurnsByTwoRadians()
    {
        ViewState view = SceneView();
        RecordingRenderer renderer(view);
        TrackBarChange(view, 10);
        DaoTeta1Click(view, renderer);
        QCOMPARE(view.Teta, 2.0L);
    }

    void rightDragZoomsAndTurns()
    {
        ViewState view = SceneView();
        RecordingRenderer renderer(view);
        FormMouseDown(view, GestureButton::Right, {300, 100});
        FormMouseUp(view, renderer, GestureButton::Right, {310, 150});
        QCOMPARE(view.Scale, -30.0L);
        QVERIFY(Near(view.Psi, -0.1L));
        QVERIFY(view.dPsi == 0 && view.Teta == 0 && view.Phi == 0);
        QCOMPARE(renderer.draws.size(), std::size_t(1));
        QVERIFY(!renderer.draws[0].spiral);
    }

    void leftDragInTheSceneView_data()
    {
        QTest::addColumn<bool>("spin");
        QTest::newRow("ShowSpin off") << false;
        QTest::newRow("ShowSpin on") << true;
    }
    void leftDragInTheSceneView()
    {
        QFETCH(bool, spin);
        ViewState view = SceneView();
        view.SpinOn = spin;
        RecordingRenderer renderer(view);
        FormMouseDown(view, GestureButton::Left, {200, 80});
        FormMouseUp(view, renderer, GestureButton::Left, {300, 130});
        QCOMPARE(view.Phi, -1.0L);
        QCOMPARE(view.Teta, 0.5L);
        QCOMPARE(view.Psi, 0.0L);
        QVERIFY(view.dTeta == 0 && view.dPsi == 0 && view.dPhi == 0);
    }

    // A spiral gesture turns the figure by its angles; ShowSpin keeps them
    // for the timer and lets the next gesture add to them.
    void spiralGestures_data()
    {
        QTest::addColumn<bool>("spin");
        QTest::newRow("ShowSpin off") << false;
        QTest::newRow("ShowSpin on") << true;
    }
    void spiralGestures()
    {
        QFETCH(bool, spin);
        ViewState view;
        view.SpinOn = spin;
        RecordingRenderer renderer(view);
        FormMouseDown(view, GestureButton::Left, {10, 10});
        FormMouseUp(view, renderer, GestureButton::Left, {12, 13});
        QCOMPARE(renderer.draws.size(), std::size_t(1));
        QVERIFY(renderer.draws[0].spiral);
        QVERIFY(Near(renderer.draws[0].dPhi, -0.02L));
        QVERIFY(Near(renderer.draws[0].dTeta, 0.03L));
        QVERIFY(Near(view.dPhi, spin ? -0.02L : 0.0L));
        QVERIFY(Near(view.dTeta, spin ? 0.03L : 0.0L));
        QVERIFY(view.Teta == 0 && view.Phi == 0);

        FormMouseDown(view, GestureButton::Right, {10, 10});
        FormMouseUp(view, renderer, GestureButton::Right, {15, 10});
        QVERIFY(Near(renderer.draws[1].dPsi, -0.05L));
        QVERIFY(Near(renderer.draws[1].dPhi, spin ? -0.02L : 0.0L));
        QVERIFY(Near(view.dPsi, spin ? -0.05L : 0.0L));

        DaoStopClick(view, renderer);
        QVERIFY(view.dTeta == 0 && view.dPsi == 0 && view.dPhi == 0);
    }

    void clickWithoutMovementStillRedraws()
    {
        ViewState view;
        view.SpinOn = true;
        view.dTeta = 0.25L;
        RecordingRenderer renderer(view);
        FormMouseDown(view, GestureButton::Left, {50, 50});
        FormMouseUp(view, renderer, GestureButton::Left, {50, 50});
        QCOMPARE(renderer.draws.size(), std::size_t(1));
        QCOMPARE(renderer.draws[0].dTeta, 0.25L);
        QCOMPARE(view.dTeta, 0.25L);
    }

    void timerRedrawsOnlyWithShowSpin_data()
    {
        QTest::addColumn<bool>("spin");
        QTest::addColumn<bool>("spiral");
        QTest::addColumn<int>("draws");
        QTest::newRow("off, spiral") << false << true << 0;
        QTest::newRow("on, spiral") << true << true << 3;
        QTest::newRow("on, scene") << true << false << 3;
    }
    void timerRedrawsOnlyWithShowSpin()
    {
        QFETCH(bool, spin);
        QFETCH(bool, spiral);
        QFETCH(int, draws);
        ViewState view;
        view.SpinOn = spin;
        view.SpiralMode = spiral;
        RecordingRenderer renderer(view);
        for (int tick = 0; tick < 3; ++tick)
            TimerTimer(view, renderer);
        QCOMPARE(int(renderer.draws.size()), draws);
        for (const auto& draw : renderer.draws)
            QCOMPARE(draw.spiral, spiral);
    }

    // The preview at a pixel is what the release there leaves: the scene's
    // angles and Scale, or the turn angles the spiral is drawn with.
    void previewIsTheRelease_data()
    {
        QTest::addColumn<bool>("spiral");
        QTest::addColumn<bool>("spin");
        QTest::addColumn<bool>("right");
        for (bool spiral : {false, true})
            for (bool spin : {false, true})
                for (bool right : {false, true})
                    QTest::addRow("%s%s, %s", spiral ? "spiral" : "scene", spin ? ", ShowSpin" : "",
                                  right ? "right" : "left")
                        << spiral << spin << right;
    }
    void previewIsTheRelease()
    {
        QFETCH(bool, spiral);
        QFETCH(bool, spin);
        QFETCH(bool, right);
        const GestureButton button = right ? GestureButton::Right : GestureButton::Left;
        ViewState view;
        view.SpiralMode = spiral;
        view.SpinOn = spin;
        view.Teta = 0.3L, view.Psi = -0.2L, view.Phi = 1.1L;
        view.dTeta = spiral && spin ? 0.02L : 0; // a kept spin adds to the gesture
        FormMouseDown(view, button, {200, 80});
        const ViewState pressed = view;
        for (PixelPoint at : {PixelPoint{230, 60}, PixelPoint{120, 190}}) {
            const ViewState preview = GesturePreview(view, button, at);
            ViewState released = pressed;
            RecordingRenderer renderer(released);
            FormMouseUp(released, renderer, button, at);
            QCOMPARE(renderer.draws.size(), std::size_t(1));
            // The spiral is drawn with the turn angles; the scene after the release has none.
            const RecordingRenderer::Draw drawn =
                spiral ? renderer.draws[0] : RecordingRenderer::Draw{false, released.dTeta, released.dPsi, released.dPhi};
            using Angles = std::array<Real, 4>;
            QVERIFY(Angles({preview.dTeta, preview.dPsi, preview.dPhi}) == Angles({drawn.dTeta, drawn.dPsi, drawn.dPhi}));
            QVERIFY(Angles({preview.Teta, preview.Psi, preview.Phi, preview.Scale}) ==
                    Angles({released.Teta, released.Psi, released.Phi, released.Scale}));
            QCOMPARE(view.Teta, pressed.Teta); // the preview leaves the view alone
            QCOMPARE(view.dTeta, pressed.dTeta);
        }
    }

    // ShowSpin off keeps the angles: the figure turns at each later redraw.
    void showSpinToggles()
    {
        ViewState view;
        RecordingRenderer renderer(view);
        ShowSpinClick(view);
        QVERIFY(view.SpinOn);
        view.dTeta = 0.01L;
        ShowSpinClick(view);
        QVERIFY(!view.SpinOn);
        QCOMPARE(view.dTeta, 0.01L);
        QVERIFY(renderer.draws.empty());
    }

    void showNumbersTogglesAndRedraws()
    {
        ViewState view = SceneView();
        RecordingRenderer renderer(view);
        ShowNumbersOfPointsClick(view, renderer);
        QVERIFY(view.ShowNumbers);
        ShowNumbersOfPointsClick(view, renderer);
        QVERIFY(!view.ShowNumbers);
        QCOMPARE(renderer.draws.size(), std::size_t(2));
    }
};

QTEST_GUILESS_MAIN(ViewCommandsTest)
#include "viewcommands_test.moc"
