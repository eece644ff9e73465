#include "model/law.h"
#include "scenes/scenetext.h"
#include "tools/cli.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <sstream>

// Every example is run through the companion tool as its commentary says, and
// what the commentary promises is checked on the states along the way.

namespace {

int Cli(const std::vector<std::string>& args, std::string* out = nullptr)
{
    std::istringstream in;
    std::ostringstream output;
    std::ostringstream error;
    const int status = CliMain(args, in, output, error);
    if (status != 0)
        qWarning("zarvitone-cli: %s", error.str().c_str());
    if (out != nullptr)
        *out = output.str();
    return status;
}

std::string ExamplePath(const char* example)
{
    return std::string(ZARV_EXAMPLES_DIR "/") + example + ".ato";
}

TaonSystem Load(const std::string& path)
{
    std::string text;
    if (Cli({"show", path}, &text) != 0)
        qFatal("cannot show %s", path.c_str());
    TaonSystem system;
    system.TaonCount = SlotCount;
    SceneFromText(text, system);
    return system;
}

// The states after each of `steps` (ascending) steps of a run with `options`.
// Without a constraint pass a run continued from a saved scene goes on exactly
// as one long run, so each piece starts from the last state; a constraint pass
// leaves its last adjustment in the working copies only, which a save does not
// keep, so with a mode every state is run from the start.
std::vector<TaonSystem> Run(const char* example, const std::vector<std::string>& options, const std::vector<int>& steps)
{
    const bool continues = std::find(options.begin(), options.end(), "--mode") == options.end();
    QTemporaryDir scratch;
    std::vector<TaonSystem> states;
    std::string from = ExamplePath(example);
    int done = 0;
    for (const int target : steps) {
        const std::string out = scratch.filePath(QStringLiteral("%1.ato").arg(target)).toStdString();
        std::vector<std::string> args{"run",     continues ? from : ExamplePath(example),
                                      "--steps", std::to_string(continues ? target - done : target),
                                      "--out",   out};
        args.insert(args.end(), options.begin(), options.end());
        if (Cli(args) != 0)
            qFatal("cannot run %s", example);
        states.push_back(Load(out));
        from = out;
        done = target;
    }
    return states;
}

// The switch `option` of run when `on`, else nothing.
std::vector<std::string> Option(bool on, const char* option)
{
    return on ? std::vector<std::string>{option} : std::vector<std::string>{};
}

std::vector<int> Every(int step, int count)
{
    std::vector<int> steps;
    for (int k = 1; k <= count; ++k)
        steps.push_back(step * k);
    return steps;
}

Real Distance(const TaonSystem& s, int i, int j)
{
    return std::sqrt((s.X[i] - s.X[j]) * (s.X[i] - s.X[j]) + (s.Y[i] - s.Y[j]) * (s.Y[i] - s.Y[j]) +
                     (s.Z[i] - s.Z[j]) * (s.Z[i] - s.Z[j]));
}

Real Speed(const TaonSystem& s, int i)
{
    return std::sqrt(s.U[i] * s.U[i] + s.V[i] * s.V[i] + s.W[i] * s.W[i]);
}

// The smallest and the largest distance between any two of `points`.
std::pair<Real, Real> DistanceRange(const TaonSystem& s, const std::vector<int>& points)
{
    Real low = INFINITY, high = 0;
    for (std::size_t a = 0; a < points.size(); ++a)
        for (std::size_t b = a + 1; b < points.size(); ++b) {
            low = std::min(low, Distance(s, points[a], points[b]));
            high = std::max(high, Distance(s, points[a], points[b]));
        }
    return {low, high};
}

Real MaxSpeed(const TaonSystem& s, const std::vector<int>& points)
{
    Real fastest = 0;
    for (const int i : points)
        fastest = std::max(fastest, Speed(s, i));
    return fastest;
}

const std::vector<int> Tetrahedron{1, 2, 3, 4};

Real Middle(const SlotReals& axis)
{
    return (axis[1] + axis[2] + axis[3] + axis[4]) / 4;
}

} // namespace

class ExamplesTest : public QObject {
    Q_OBJECT
private slots:
    void everyExampleIsBuilt_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"resting-pairs", "bound-cluster", "taoscope-parity", "contact-term",
                                 "hot-and-cold-walls", "electric-currents", "blockade", "cool-down"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    // A scene file and its commentary beside it.
    void everyExampleIsBuilt()
    {
        QFETCH(QString, name);
        const QString folder = QStringLiteral(ZARV_EXAMPLES_DIR "/");
        QCOMPARE(QFileInfo(folder + name + ".ato").size(), qint64(SceneRecordSize));
        QVERIFY(QFileInfo(folder + name + ".txt").size() > 0);
    }

    // One pair per group, each at its row's stable distance.
    void restingPairs()
    {
        struct Pair {
            int i, j;
            Real stable;
        };
        const Pair pairs[] = {{1, 2, 0.3932L}, {51, 52, 0.4904L}, {76, 77, 0.6899L}};
        const TaonSystem scene = Load(ExamplePath("resting-pairs"));
        const std::vector<TaonSystem> states = Run("resting-pairs", {}, Every(1000, 3));
        for (const Pair& pair : pairs) {
            // The law turns from apart to together there, with the pair's own row.
            const GroupCoefficients row = CoefficientsOf(scene, GroupOf(pair.i, SlotCount));
            QVERIFY(PairBracket(row, {}, pair.stable - 0.001L) < 0);
            QVERIFY(PairBracket(row, {}, pair.stable + 0.001L) > 0);
            for (const TaonSystem& state : states)
                QVERIFY(std::fabs(Distance(state, pair.i, pair.j) - pair.stable) < 0.0005L);
        }
    }

    void boundCluster()
    {
        const TaonSystem start = Load(ExamplePath("bound-cluster"));
        for (const TaonSystem& state : Run("bound-cluster", {}, Every(500, 6))) {
            const auto [low, high] = DistanceRange(state, Tetrahedron);
            QVERIFY(low > 0.28L && high < 0.42L);
            QVERIFY(MaxSpeed(state, Tetrahedron) > 0.1L); // still moving
            for (const auto axis : {&TaonSystem::X, &TaonSystem::Y, &TaonSystem::Z})
                QVERIFY(std::fabs(Middle(state.*axis) - Middle(start.*axis)) < 1e-9L);
        }
    }

    void taoscopeParity_data()
    {
        QTest::addColumn<bool>("taoscope");
        QTest::newRow("Taoscope") << true;
        QTest::newRow("Gravoscope") << false;
    }
    void taoscopeParity()
    {
        QFETCH(bool, taoscope);
        int swingsOut = 0;
        bool out = false;
        for (const TaonSystem& state : Run("taoscope-parity", Option(taoscope, "--taoscope"), Every(100, 20))) {
            const Real opposite = Distance(state, 1, 2);
            const Real equal = Distance(state, 3, 5);
            QVERIFY(opposite > 0.38L && opposite < 0.41L);
            if (!taoscope) {
                QVERIFY(std::fabs(equal - opposite) < 1e-9L);
                continue;
            }
            // Out past 0.85, back to about 0.4, out again.
            if (!out && equal > 0.85L)
                ++swingsOut;
            if (equal > 0.85L)
                out = true;
            if (equal < 0.41L)
                out = false;
        }
        if (taoscope)
            QCOMPARE(swingsOut, 2);
    }

    void contactTerm_data()
    {
        QTest::addColumn<bool>("contact");
        QTest::newRow("Functions3X1") << true;
        QTest::newRow("plain law") << false;
    }
    void contactTerm()
    {
        QFETCH(bool, contact);
        const std::vector<TaonSystem> states =
            Run("contact-term", Option(contact, "--functions3x1"), contact ? Every(250, 20) : Every(2500, 1));
        Real nearest = INFINITY, farthest = 0;
        for (const TaonSystem& state : states) {
            nearest = std::min(nearest, Distance(state, 1, 2));
            farthest = std::max(farthest, Distance(state, 1, 2));
        }
        const Real last = Distance(states.back(), 1, 2);
        if (contact) {
            QVERIFY(nearest < 1);
            QVERIFY(farthest < 2.001L);
            QVERIFY(last > 1.99L);
        } else {
            QVERIFY(last > 3.5L);
        }
    }

    void hotAndColdWalls_data()
    {
        QTest::addColumn<bool>("hot");
        QTest::newRow("Hot") << true;
        QTest::newRow("Cold") << false;
    }
    void hotAndColdWalls()
    {
        QFETCH(bool, hot);
        const TaonSystem start = Load(ExamplePath("hot-and-cold-walls"));
        const std::vector<TaonSystem> states = Run("hot-and-cold-walls", {"--mode", hot ? "hot" : "cold"}, {500, 1000});
        for (const TaonSystem& state : states)
            for (const int i : Tetrahedron)
                QVERIFY(std::fabs(state.X[i]) < 3.31L && std::fabs(state.Y[i]) < 1.31L &&
                        std::fabs(state.Z[i]) < 1.31L);
        // Each point has met one wall, 3.3 away along its velocity: Hot set it
        // back by 2 x 3.3 - 0.5 and kept its velocity, Cold mirrored it there.
        const TaonSystem& last = states.back();
        for (const int i : Tetrahedron) {
            const Real side = start.U[i] > 0 ? 1 : -1;
            const Real free = start.X[i] + start.U[i];
            const Real expected = hot ? free - side * 6.1L : side * 6.6L - free;
            QVERIFY(std::fabs(last.X[i] - expected) < 0.01L);
            QCOMPARE(last.U[i], hot ? start.U[i] : -start.U[i]);
        }
    }

    void electricCurrents_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<double>("xEnd");
        QTest::addColumn<double>("zWall");
        QTest::newRow("ElecCurrent1") << "current1" << 1.11 << 0.44;
        QTest::newRow("ElecCurrent2") << "current2" << 1.0 << 0.4;
    }
    void electricCurrents()
    {
        QFETCH(QString, mode);
        QFETCH(double, xEnd);
        QFETCH(double, zWall);
        const TaonSystem start = Load(ExamplePath("electric-currents"));
        const Real slack = 0.011L; // one step's travel past a band edge
        for (const TaonSystem& state : Run("electric-currents", {"--mode", mode.toStdString()}, {20, 1000})) {
            const Real upper = state.Y[57];
            const Real lower = state.Y[67];
            QCOMPARE(upper, start.Y[57]);
            QCOMPARE(lower, start.Y[67]);
            for (const int i : {1, 2, 26, 27}) {
                const Real bottom = i <= 25 ? upper : lower - 0.5L;
                QVERIFY(state.Y[i] > bottom - slack && state.Y[i] < bottom + 0.5L + slack);
                QVERIFY(std::fabs(state.X[i]) < xEnd + slack && std::fabs(state.Z[i]) < zWall + slack);
                QCOMPARE(state.U[i], start.U[i]); // the current goes round at its speed
            }
            if (mode == "current1") {
                QVERIFY(state.X[62] >= -1 && state.X[62] <= -0.945L);
                QCOMPARE(state.X[57], start.X[57]);
            } else {
                QCOMPARE(state.X[62], start.X[62]);
                QVERIFY(state.X[57] >= -0.3L && state.X[57] <= -0.245L);
                QVERIFY(state.X[67] >= 0.3L && state.X[67] <= 0.355L);
            }
        }
    }

    void blockade_data()
    {
        QTest::addColumn<bool>("blockade");
        QTest::newRow("Blockade") << true;
        QTest::newRow("free") << false;
    }
    void blockade()
    {
        QFETCH(bool, blockade);
        const TaonSystem start = Load(ExamplePath("blockade"));
        const std::vector<TaonSystem> states =
            blockade ? Run("blockade", {"--blockade"}, Every(500, 6)) : Run("blockade", {}, {1500});
        if (!blockade) {
            QVERIFY(std::fabs(states.back().X[76] - start.X[76]) > 2);
            return;
        }
        for (const TaonSystem& state : states) {
            for (const int i : {76, 77})
                for (const auto field :
                     {&TaonSystem::X, &TaonSystem::Y, &TaonSystem::Z, &TaonSystem::U, &TaonSystem::V, &TaonSystem::W})
                    QCOMPARE((state.*field)[i], (start.*field)[i]);
            for (const auto field : {&TaonSystem::Y, &TaonSystem::Z, &TaonSystem::V, &TaonSystem::W})
                QCOMPARE((state.*field)[71], (start.*field)[71]);
            QVERIFY(std::fabs(state.X[71]) < 0.15L);
        }
        // To and fro: from x = 0.1 over to the other side of the middle, and back.
        const auto over =
            std::find_if(states.begin(), states.end(), [](const TaonSystem& s) { return s.X[71] < -0.05L; });
        QVERIFY(std::any_of(over, states.end(), [](const TaonSystem& s) { return s.X[71] > 0.05L; }));
    }

    void coolDown_data()
    {
        QTest::addColumn<bool>("cool");
        QTest::newRow("Cool") << true;
        QTest::newRow("not cooled") << false;
    }
    void coolDown()
    {
        QFETCH(bool, cool);
        const TaonSystem last = Run("cool-down", Option(cool, "--cool"), {2000}).back();
        if (!cool) {
            QVERIFY(MaxSpeed(last, Tetrahedron) > 0.5L);
            return;
        }
        QVERIFY(MaxSpeed(last, Tetrahedron) < 0.001L);
        const auto [low, high] = DistanceRange(last, Tetrahedron);
        QVERIFY(low > 0.392L && high < 0.395L);
    }
};

QTEST_GUILESS_MAIN(ExamplesTest)
#include "examples_test.moc"
