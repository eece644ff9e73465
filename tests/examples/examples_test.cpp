// SPDX-License-Identifier: MIT
#include "model/law.h"
#include "scenes/realtext.h"
#include "scenes/scenetext.h"
#include "tools/cli.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>
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

// One slot of a state as the run leaves it.
struct Slot {
    Real X, Y, Z, U, V, W;
};
// The present slots of one state, by slot number.
using State = std::map<int, Slot>;

// Step 0 and the state after every step of one run of `steps` steps with
// `options`, read back from the run's trajectory dump: every state a user
// sees, the constraint modes' included.
std::vector<State> Run(const char* example, const std::vector<std::string>& options, int steps)
{
    QTemporaryDir scratch;
    const std::string dump = scratch.filePath(QStringLiteral("run.csv")).toStdString();
    std::vector<std::string> args{"run",   ExamplePath(example), "--steps", std::to_string(steps), "--out",
                                  scratch.filePath(QStringLiteral("end.ato")).toStdString(), "--dump", dump};
    args.insert(args.end(), options.begin(), options.end());
    if (Cli(args) != 0)
        qFatal("cannot run %s", example);
    std::vector<State> states(steps + 1);
    std::ifstream rows(dump);
    std::string row;
    std::getline(rows, row); // step,time,slot,group,x,y,z,u,v,w
    while (std::getline(rows, row)) {
        std::vector<std::string> field;
        std::istringstream cells(row);
        for (std::string cell; std::getline(cells, cell, ',');)
            field.push_back(cell);
        Slot& slot = states.at(std::stoi(field.at(0)))[std::stoi(field.at(2))];
        Real* const values[] = {&slot.X, &slot.Y, &slot.Z, &slot.U, &slot.V, &slot.W};
        for (int k = 0; k < 6; ++k)
            if (!TextToReal(field.at(4 + k), *values[k]))
                qFatal("%s: bad number in '%s'", example, row.c_str());
    }
    return states;
}

// The switch `option` of run when `on`, else nothing.
std::vector<std::string> Option(bool on, const char* option)
{
    return on ? std::vector<std::string>{option} : std::vector<std::string>{};
}

Real Distance(const State& s, int i, int j)
{
    const Slot& a = s.at(i);
    const Slot& b = s.at(j);
    return std::sqrt((a.X - b.X) * (a.X - b.X) + (a.Y - b.Y) * (a.Y - b.Y) + (a.Z - b.Z) * (a.Z - b.Z));
}

Real Speed(const State& s, int i)
{
    const Slot& a = s.at(i);
    return std::sqrt(a.U * a.U + a.V * a.V + a.W * a.W);
}

// The smallest and the largest distance between any two of `points`.
std::pair<Real, Real> DistanceRange(const State& s, const std::vector<int>& points)
{
    Real low = INFINITY, high = 0;
    for (std::size_t a = 0; a < points.size(); ++a)
        for (std::size_t b = a + 1; b < points.size(); ++b) {
            low = std::min(low, Distance(s, points[a], points[b]));
            high = std::max(high, Distance(s, points[a], points[b]));
        }
    return {low, high};
}

Real MaxSpeed(const State& s, const std::vector<int>& points)
{
    Real fastest = 0;
    for (const int i : points)
        fastest = std::max(fastest, Speed(s, i));
    return fastest;
}

const std::vector<int> Tetrahedron{1, 2, 3, 4};

Real Middle(const State& s, Real Slot::*axis)
{
    return (s.at(1).*axis + s.at(2).*axis + s.at(3).*axis + s.at(4).*axis) / 4;
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

    // The commentary names the Look Along view that shows the example best:
    // no two points share a dot there at the start, and over the first 1,000
    // steps the points move least along that axis, so their motion lies
    // across the picture.
    void namedViewShowsTheMotion_data() { everyExampleIsBuilt_data(); }
    void namedViewShowsTheMotion()
    {
        QFETCH(QString, name);
        QFile commentary(QStringLiteral(ZARV_EXAMPLES_DIR "/") + name + ".txt");
        QVERIFY(commentary.open(QIODevice::ReadOnly | QIODevice::Text));
        const QRegularExpressionMatch named =
            QRegularExpression(QStringLiteral("Look Along\\s+(?:›|>)\\s+([XYZ])")).match(QString::fromUtf8(commentary.readAll()));
        QVERIFY2(named.hasMatch(), "the commentary names no Look Along view");
        const int axis = named.captured(1).at(0).unicode() - 'X';
        const std::vector<State> states = Run(qPrintable(name), {}, 1000);
        static constexpr Real Slot::*Axes[] = {&Slot::X, &Slot::Y, &Slot::Z};
        const auto across = [axis](int k) { return Axes[(axis + k) % 3]; };
        const State& start = states.front();
        for (auto a = start.begin(); a != start.end(); ++a)
            for (auto b = std::next(a); b != start.end(); ++b)
                QVERIFY2(std::hypot(a->second.*across(1) - b->second.*across(1),
                                    a->second.*across(2) - b->second.*across(2)) > 0.05L,
                         qPrintable(QStringLiteral("slots %1 and %2").arg(a->first).arg(b->first)));
        // The sum over the points of how far each ranges along an axis.
        std::array<Real, 3> travel{};
        for (int k = 0; k < 3; ++k)
            for (const auto& [slot, first] : start) {
                Real low = first.*Axes[k], high = low;
                for (const State& state : states) {
                    low = std::min(low, state.at(slot).*Axes[k]);
                    high = std::max(high, state.at(slot).*Axes[k]);
                }
                travel[k] += high - low;
            }
        QVERIFY2(travel[axis] == *std::min_element(travel.begin(), travel.end()),
                 qPrintable(QStringLiteral("x %1, y %2, z %3").arg(double(travel[0])).arg(double(travel[1])).arg(double(travel[2]))));
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
        const std::vector<State> states = Run("resting-pairs", {}, 3000);
        for (const Pair& pair : pairs) {
            // The law turns from apart to together there, with the pair's own row.
            const GroupCoefficients row = CoefficientsOf(scene, GroupOf(pair.i, SlotCount));
            QVERIFY(PairBracket(row, {}, pair.stable - 0.001L) < 0);
            QVERIFY(PairBracket(row, {}, pair.stable + 0.001L) > 0);
            for (const State& state : states)
                QVERIFY(std::fabs(Distance(state, pair.i, pair.j) - pair.stable) < 0.0005L);
        }
    }

    void boundCluster()
    {
        const std::vector<State> states = Run("bound-cluster", {}, 3000);
        for (const State& state : states) {
            const auto [low, high] = DistanceRange(state, Tetrahedron);
            QVERIFY(low > 0.28L && high < 0.42L);
            QVERIFY(MaxSpeed(state, Tetrahedron) > 0.1L); // still moving
            for (const auto axis : {&Slot::X, &Slot::Y, &Slot::Z})
                QVERIFY(std::fabs(Middle(state, axis) - Middle(states.front(), axis)) < 1e-9L);
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
        for (const State& state : Run("taoscope-parity", Option(taoscope, "--taoscope"), 3000)) {
            const Real opposite = Distance(state, 1, 2);
            const Real equal = Distance(state, 3, 5);
            QVERIFY(opposite > 0.38L && opposite < 0.41L);
            if (!taoscope) {
                QVERIFY(std::fabs(equal - opposite) < 1e-9L);
                continue;
            }
            // Out past 0.85, back to about 0.4, out again, about every 1,000 steps.
            if (!out && equal > 0.85L)
                ++swingsOut;
            if (equal > 0.85L)
                out = true;
            if (equal < 0.41L)
                out = false;
        }
        if (taoscope)
            QCOMPARE(swingsOut, 3);
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
        const std::vector<State> states = Run("contact-term", Option(contact, "--functions3x1"), contact ? 5000 : 2500);
        Real nearest = INFINITY, farthest = 0;
        for (const State& state : states) {
            nearest = std::min(nearest, Distance(state, 1, 2));
            farthest = std::max(farthest, Distance(state, 1, 2));
            // In the plane the start view shows.
            QVERIFY(state.at(1).Y == states.front().at(1).Y && state.at(2).Y == states.front().at(2).Y);
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
        const std::vector<State> states = Run("hot-and-cold-walls", {"--mode", hot ? "hot" : "cold"}, 1000);
        // Within the walls, give or take one step's travel (0.006 at the fastest).
        for (const State& state : states)
            for (const int i : Tetrahedron)
                QVERIFY(std::fabs(state.at(i).X) <= 3.306L && std::fabs(state.at(i).Y) <= 1.306L &&
                        std::fabs(state.at(i).Z) <= 1.306L);
        // Each point has met one wall, 3.3 away along its velocity: Hot set it
        // back by 2 x 3.3 - 0.5 and kept its velocity, Cold mirrored it there.
        const State& start = states.front();
        const State& last = states.back();
        for (const int i : Tetrahedron) {
            const Real side = start.at(i).U > 0 ? 1 : -1;
            const Real free = start.at(i).X + start.at(i).U;
            const Real expected = hot ? free - side * 6.1L : side * 6.6L - free;
            QVERIFY(std::fabs(last.at(i).X - expected) < 0.01L);
            QCOMPARE(last.at(i).U, hot ? start.at(i).U : -start.at(i).U);
        }
    }

    // The bounds the commentary states: the channel's end and z wall, and
    // the bands, each with one step's travel past it.
    void electricCurrents_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<double>("xEnd");
        QTest::addColumn<double>("zWall");
        QTest::newRow("ElecCurrent1") << "current1" << 1.112 << 0.4403;
        QTest::newRow("ElecCurrent2") << "current2" << 1.002 << 0.4003;
    }
    void electricCurrents()
    {
        QFETCH(QString, mode);
        QFETCH(double, xEnd);
        QFETCH(double, zWall);
        const std::vector<State> states = Run("electric-currents", {"--mode", mode.toStdString()}, 1000);
        const State& start = states.front();
        const Real travel = 0.0005L; // one step's travel in y
        for (std::size_t step = 0; step < states.size(); ++step) {
            const State& state = states[step];
            const Real upper = state.at(57).Y;
            const Real lower = state.at(67).Y;
            QCOMPARE(upper, start.at(57).Y);
            QCOMPARE(lower, start.at(67).Y);
            for (const int i : {1, 2, 26, 27}) {
                const Slot& carrier = state.at(i);
                const Real bottom = i <= 25 ? upper : lower - 0.5L;
                QVERIFY(carrier.Y >= bottom - travel && carrier.Y <= bottom + 0.5L + travel);
                QVERIFY(std::fabs(carrier.X) <= Real(xEnd) && std::fabs(carrier.Z) <= Real(zWall));
                QCOMPARE(carrier.U, start.at(i).U); // the current goes round at its speed
            }
            for (const int i : {1, 26}) // along x only
                QVERIFY(state.at(i).Y == start.at(i).Y && state.at(i).Z == start.at(i).Z);
            if (step < 20)
                continue; // slots walk to their holds by 0.05 a step
            if (mode == "current1") {
                QVERIFY(state.at(62).X >= -1 && state.at(62).X <= -0.945L);
                QCOMPARE(state.at(57).X, start.at(57).X);
            } else {
                QCOMPARE(state.at(62).X, start.at(62).X);
                QVERIFY(state.at(57).X >= -0.3L && state.at(57).X <= -0.245L);
                QVERIFY(state.at(67).X >= 0.3L && state.at(67).X <= 0.355L);
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
        const std::vector<State> states = Run("blockade", Option(blockade, "--blockade"), blockade ? 3000 : 1500);
        const State& start = states.front();
        if (!blockade) {
            QVERIFY(std::fabs(states.back().at(76).X - start.at(76).X) > 2);
            return;
        }
        for (const State& state : states) {
            for (const int i : {76, 77})
                for (const auto field : {&Slot::X, &Slot::Y, &Slot::Z, &Slot::U, &Slot::V, &Slot::W})
                    QCOMPARE(state.at(i).*field, start.at(i).*field);
            for (const auto field : {&Slot::Y, &Slot::Z, &Slot::V, &Slot::W})
                QCOMPARE(state.at(71).*field, start.at(71).*field);
            QVERIFY(std::fabs(state.at(71).X) < 0.15L);
        }
        // To and fro: from x = 0.1 over to the other side of the middle, and back.
        const auto over =
            std::find_if(states.begin(), states.end(), [](const State& s) { return s.at(71).X < -0.05L; });
        QVERIFY(std::any_of(over, states.end(), [](const State& s) { return s.at(71).X > 0.05L; }));
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
        const std::vector<State> states = Run("cool-down", Option(cool, "--cool"), 2000);
        for (const int i : Tetrahedron)
            QVERIFY(Speed(states.front(), i) >= 1 && Speed(states.front(), i) <= 1.5L);
        const State& last = states.back();
        if (!cool) {
            QVERIFY(MaxSpeed(last, Tetrahedron) > 0.5L);
            return;
        }
        QVERIFY(MaxSpeed(last, Tetrahedron) < 0.001L);
        const auto [low, high] = DistanceRange(last, Tetrahedron);
        QVERIFY(low > 0.392L && high < 0.395L);
    }

    // analyze on each starting state says what the commentary says: which
    // points hold together, and whether the run keeps its energy.
    void analyzeAgreesWithCommentary_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QStringList>("clusters"); // slots of each cluster of two or more
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("energy");
        QTest::addColumn<int>("totalSign"); // of the total energy; 0 unchecked
        QTest::newRow("resting-pairs") << "resting-pairs" << QStringList{} << QStringList{"1 2", "51 52", "76 77"}
                                       << 3 << "not conserved" << 0;
        QTest::newRow("bound-cluster") << "bound-cluster" << QStringList{} << QStringList{"1 2 3 4"} << 1
                                       << "conserved" << -1;
        QTest::newRow("taoscope-parity") << "taoscope-parity" << QStringList{"--taoscope"}
                                         << QStringList{"1 2", "3 5"} << 2 << "conserved" << 0;
        // Bound as a planet: below the energy of the two points far apart, 0,
        // but held by the contact term's long pull, not in a well.
        QTest::newRow("contact-term") << "contact-term" << QStringList{"--functions3x1"} << QStringList{} << 2
                                      << "conserved" << -1;
        QTest::newRow("contact-term, its orbit's cutoff")
            << "contact-term" << QStringList{"--functions3x1", "--cutoff", "2.01"} << QStringList{"1 2"} << 1
            << "conserved" << -1;
        QTest::newRow("contact-term, plain law") << "contact-term" << QStringList{} << QStringList{} << 2
                                                 << "conserved" << 1;
        QTest::newRow("hot walls") << "hot-and-cold-walls" << QStringList{"--mode", "hot"} << QStringList{} << 4
                                   << "not conserved" << 0;
        QTest::newRow("blockade") << "blockade" << QStringList{"--blockade"} << QStringList{} << 3
                                  << "not conserved" << 0;
        QTest::newRow("cool-down") << "cool-down" << QStringList{"--cool"} << QStringList{"1 2 3 4"} << 1
                                   << "not conserved" << 0;
    }
    void analyzeAgreesWithCommentary()
    {
        QFETCH(QString, example);
        QFETCH(QStringList, options);
        QFETCH(QStringList, clusters);
        QFETCH(int, count);
        QFETCH(QString, energy);
        QFETCH(int, totalSign);
        std::vector<std::string> args{"analyze", ExamplePath(example.toLatin1().constData())};
        for (const QString& option : options)
            args.push_back(option.toStdString());
        std::string out;
        QCOMPARE(Cli(args, &out), 0);
        std::map<std::string, std::string> figures;
        QStringList bound;
        std::istringstream lines(out);
        for (std::string line; std::getline(lines, line);) {
            const std::size_t colon = line.find(": ");
            figures[line.substr(0, colon)] = line.substr(colon + 2);
            const QString value = QString::fromStdString(line.substr(colon + 2));
            if (line.rfind("cluster ", 0) == 0 && !value.startsWith(QLatin1String("1 point")))
                bound << value.section(QLatin1String(": "), 1);
        }
        QCOMPARE(figures["clusters"], std::to_string(count));
        QCOMPARE(bound, clusters);
        QVERIFY2(QString::fromStdString(figures["energy"]).startsWith(energy), figures["energy"].c_str());
        if (totalSign != 0) {
            Real total = 0;
            QVERIFY(TextToReal(figures["total"], total));
            QCOMPARE(total < 0 ? -1 : 1, totalSign);
        }
    }
};

QTEST_GUILESS_MAIN(ExamplesTest)
#include "examples_test.moc"
