// SPDX-License-Identifier: MIT
#include "model/energy.h"
#include "model/stepengine.h"
#include "testscenes.h"

#include <QProcess>
#include <QTest>

#include <cmath>
#include <limits>
#include <map>

using namespace testscenes;

namespace {

// Group 1's row of the examples: wells at 0.3932, 0.5891, ...
void SetRowOne(TaonSystem& s)
{
    s.A1 = 1, s.B1 = 0.4L, s.C1 = 0.6L, s.D1 = 0.8L, s.F1 = 1, s.G1 = 1.2L;
}

// Two group-1 points 0.45 apart, at rest: they swing through the well.
TaonSystem SwingingPair()
{
    TaonSystem s = EmptyModel();
    SetRowOne(s);
    Place(s, 1, 0, 0, 0);
    Place(s, 2, 0.45L, 0, 0);
    Settle(s);
    return s;
}

// The largest |E - E0| over a run of model time 2 at this dt.
Real LargestDrift(Real dt)
{
    TaonSystem s = SwingingPair();
    s.dt = dt;
    StepEngine engine(1);
    PairLawCache law;
    const RunSwitches plain;
    const Real start = MeasureEnergy(s, plain, law.For(s, plain.Law)).Total;
    Real largest = 0;
    for (int step = 0; step < std::lround(2 / dt); ++step) {
        engine.Step(s, plain);
        largest = std::max(largest, std::fabs(MeasureEnergy(s, plain, law.For(s, plain.Law)).Total - start));
    }
    return largest;
}

} // namespace

class EnergyTest : public QObject {
    Q_OBJECT
private slots:
    // U(r) against an independent quadrature by mpmath, from half the
    // shortest to 1.5 times the longest pair distance of each example.
    void potentialAgainstReference_data()
    {
        QTest::addColumn<QString>("example");
        QTest::addColumn<bool>("functions3x1");
        QTest::newRow("bound-cluster") << "bound-cluster" << false;
        QTest::newRow("resting-pairs, three rows") << "resting-pairs" << false;
        QTest::newRow("contact-term, Functions3X1") << "contact-term" << true;
    }

    void potentialAgainstReference()
    {
        QFETCH(QString, example);
        QFETCH(bool, functions3x1);
        QProcess python;
        python.start("python3", {ZARV_SOURCE_DIR "/tests/model/potential_reference.py",
                                 ZARV_SOURCE_DIR "/examples/" + example + ".scene", functions3x1 ? "3x1" : "plain",
                                 "12"});
        if (!python.waitForStarted())
            QSKIP("no python3");
        QVERIFY(python.waitForFinished(300000));
        if (python.exitCode() == 77)
            QSKIP("python3 has no mpmath");
        QCOMPARE(python.exitCode(), 0);
        std::map<int, GroupPotential> groups;
        int compared = 0;
        for (const QByteArray& line : python.readAllStandardOutput().split('\n')) {
            const QList<QByteArray> w = line.split(' ');
            const auto real = [&](int k) { return std::strtold(w[k].constData(), nullptr); };
            if (w[0] == "row") {
                const GroupCoefficients row{real(2), real(3), real(4), real(5), real(6), real(7)};
                groups.emplace(w[1].toInt(), GroupPotential(row, {false, functions3x1}));
            } else if (w[0] == "at") {
                const Real r = real(2), error = groups.at(w[1].toInt()).At(r) - real(3);
                QVERIFY2(std::fabs(error) <= PotentialTolerance * real(4),
                         qPrintable(QString("r %1: off by %2").arg(double(r)).arg(double(error))));
                ++compared;
            }
        }
        QVERIFY(compared >= 12);
    }

    // Semi-implicit Euler keeps the energy error bounded and of order dt.
    void driftShrinksWithDt()
    {
        const Real coarse = LargestDrift(0.004L), middle = LargestDrift(0.002L), fine = LargestDrift(0.001L);
        const Real order1 = std::log2(coarse / middle), order2 = std::log2(middle / fine);
        qInfo("largest |E - E0| at dt 0.004, 0.002, 0.001: %Lg, %Lg, %Lg; order %.2Lf, %.2Lf", coarse, middle, fine,
              order1, order2);
        QVERIFY(coarse > 0);
        QVERIFY(order1 > 0.8L && order1 < 1.2L);
        QVERIFY(order2 > 0.8L && order2 < 1.2L);
    }

    void status_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("reason");
        const int conserved = int(EnergyStatus::Conserved), notConserved = int(EnergyStatus::NotConserved);
        const int notDefined = int(EnergyStatus::NotDefined), fault = int(EnergyStatus::Fault);
        QTest::newRow("the plain run") << "" << conserved << "";
        QTest::newRow("one point") << "one" << conserved << "";
        QTest::newRow("rows differ") << "group 2" << notConserved
                                     << "Groups 1 and 2 have different coefficients, so their points do not push "
                                        "each other alike.";
        QTest::newRow("equal rows") << "group 2, same row" << conserved << "";
        QTest::newRow("Cool") << "cool" << notConserved
                              << "Cool takes away a twentieth of every velocity at each step.";
        QTest::newRow("Cold") << "cold" << notConserved
                              << "The \"Cold\" contact potential turns points round at its walls.";
        QTest::newRow("empty") << "empty" << notDefined << "No point is present.";
        QTest::newRow("NaN position") << "nan" << notDefined << "The position of slot 2 is not a finite number.";
        QTest::newRow("points on each other") << "same place" << fault << DivisionByZeroText;
    }

    void status()
    {
        QFETCH(QString, change);
        QFETCH(int, status);
        QFETCH(QString, reason);
        TaonSystem s = SwingingPair();
        RunSwitches switches;
        if (change == "one")
            s.Present[2] = 0;
        if (change.startsWith("group 2"))
            Place(s, 51, 3, 0, 0);
        if (change == "group 2, same row")
            s.A2 = s.A1, s.B2 = s.B1, s.C2 = s.C1, s.D2 = s.D1, s.F2 = s.F1, s.G2 = s.G1;
        switches.Cool = change == "cool";
        if (change == "cold")
            switches.Mode = ConstraintMode::ColdContact;
        if (change == "empty")
            s.Present = {};
        if (change == "nan")
            s.X[2] = std::numeric_limits<Real>::quiet_NaN();
        if (change == "same place")
            s.X[2] = s.X[1];
        PairLawCache law;
        const EnergyFigures e = MeasureEnergy(s, switches, law.For(s, switches.Law));
        QCOMPARE(int(e.Status), status);
        QCOMPARE(QString::fromStdString(e.Reason), reason);
    }
};

QTEST_GUILESS_MAIN(EnergyTest)
#include "energy_test.moc"
