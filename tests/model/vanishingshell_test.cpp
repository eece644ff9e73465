#include "model/pairforces.h"
#include "model/vanishingshell.h"
#include "testscenes.h"

#include <QTest>

#include <cmath>
#include <cstring>

using namespace testscenes;

namespace {

// s densely around the shell's threshold, its neighbours by the ulp, and a
// spread up to the top of the range with that end's neighbours.
std::vector<Real> SSamples(int shell)
{
    std::vector<Real> samples;
    const Real from = VanishingFrom[shell];
    for (int j = -512; j <= 512; ++j)
        samples.push_back(from * (1 + j / 16384.0L));
    for (Real edge : {from, VanishingTo}) {
        samples.push_back(edge);
        Real below = edge, above = edge;
        for (int n = 0; n < 8; ++n) {
            below = std::nextafter(below, 0.0L);
            above = std::nextafter(above, 2 * VanishingTo);
            samples.insert(samples.end(), {below, above});
        }
    }
    for (Real s = from; s < VanishingTo; s *= 1.37L)
        samples.push_back(s);
    return samples;
}

} // namespace

class VanishingShellTest : public QObject {
    Q_OBJECT
private slots:
    void vanishedTermsAreTheLiteralOnes_data()
    {
        QTest::addColumn<int>("shell");
        for (int shell = 0; shell < ShellCount; ++shell)
            QTest::addRow("shell %c", "BCDFG"[shell]) << shell;
    }

    // Faults included: a fault of the literal term fails the comparison.
    void vanishedTermsAreTheLiteralOnes()
    {
        QFETCH(int, shell);
        int vanished = 0, formed = 0;
        for (Real k : {VanishingQuotientLow, 0x1p-20L, 0.0257L, 0.206L, 0.343L, 0.5L, 0.935L, 1.029L, 2.058L, 77.7L,
                       0x1p40L, VanishingQuotientHigh})
            for (Real target : SSamples(shell)) {
                const Real r = target / k;
                if (!ShellVanishes(shell, k, k * r)) {
                    ++formed;
                    continue;
                }
                ++vanished;
                Real literal = 1;
                const QString fault = ErrorOf([&] { literal = ShellTermAt(k, shell, r); });
                if (!fault.isEmpty() || !SameBits(literal, VanishedTerm(shell)))
                    QFAIL(qPrintable(QStringLiteral("k %1, r %2: %3 %4")
                                         .arg(double(k))
                                         .arg(double(r))
                                         .arg(fault)
                                         .arg(double(literal))));
            }
        QVERIFY(vanished > 1000 && formed > 1000);
    }

    // Odd 80-bit encodings compare unordered, as NaNs do: they are formed as written.
    void oddEncodingsAreNeverSkipped_data()
    {
        QTest::addColumn<quint64>("mantissa");
        QTest::addColumn<quint16>("exponent");
        QTest::newRow("unnormal") << quint64(1) << quint16(0x4000);
        QTest::newRow("pseudo-infinity") << quint64(0) << quint16(0x7fff);
        QTest::newRow("pseudo-NaN") << quint64(1) << quint16(0x7fff);
        QTest::newRow("quiet NaN") << quint64(0xc000000000000000) << quint16(0x7fff);
        QTest::newRow("infinity") << quint64(0x8000000000000000) << quint16(0x7fff);
    }

    void oddEncodingsAreNeverSkipped()
    {
        QFETCH(quint64, mantissa);
        QFETCH(quint16, exponent);
        Real odd = 0;
        std::memcpy(&odd, &mantissa, 8);
        std::memcpy(reinterpret_cast<char*>(&odd) + 8, &exponent, 2);
        QVERIFY(!ShellVanishes(ShellG, odd, 2));
        QVERIFY(!ShellVanishes(ShellG, 1, odd));
    }

    void pairForcesMatchTheLawAcrossTheThresholds_data()
    {
        QTest::addColumn<bool>("functions3x1");
        QTest::addColumn<double>("g3");
        QTest::newRow("all five shells") << false << 4.5;
        QTest::newRow("Functions3X1") << true << 4.5;
        QTest::newRow("negative G3: a fault") << false << -4.5;
        QTest::newRow("G3 = 2^63: k near the bottom of the range") << false << 0x1p63;
    }

    // One point of group 1 and one of group 3 on a slant, at distances
    // sweeping across each of their shells' thresholds.
    void pairForcesMatchTheLawAcrossTheThresholds()
    {
        QFETCH(bool, functions3x1);
        QFETCH(double, g3);
        TaonSystem s = EmptyModel();
        s.B3 = 1.1L, s.C3 = 2.3L, s.D3 = 2.7L, s.F3 = 3.6L, s.G3 = g3;
        const std::array<Real, ShellCount> rows[] = {{1, 2, 3, 4, 5}, {s.B3, s.C3, s.D3, s.F3, s.G3}};
        LawSwitches law;
        law.Functions3X1 = functions3x1;
        SlotFlags all;
        all.fill(1);
        WorkerPool pool(1);
        PairForces engine(pool);
        for (const auto& row : rows)
            for (int shell = 0; shell < ShellCount; ++shell)
                for (int j = -48; j <= 48; ++j) {
                    const Real r = std::fabs(VanishingFrom[shell] * row[shell] / QuotientScale) * (1 + j / 8192.0L);
                    Place(s, 1, 0, 0, 0);
                    Place(s, 100, 0.48L * r, -0.6L * r, 0.64L * r);
                    Settle(s);
                    engine.Prepare(s, law, all, false);
                    for (int i : {1, 100})
                        for (Axis axis : {Axis::X, Axis::Y, Axis::Z}) {
                            Real fast = 0, literal = 0;
                            const QString fastFault = ErrorOf([&] { fast = engine.Force(s, law, i, axis); });
                            const QString fault = ErrorOf([&] { literal = Force(s, law, i, axis); });
                            if (fastFault != fault || !SameBits(fast, literal))
                                QFAIL(qPrintable(QStringLiteral("r %1, slot %2: '%3' %4 vs '%5' %6")
                                                     .arg(double(r))
                                                     .arg(i)
                                                     .arg(fastFault)
                                                     .arg(double(fast))
                                                     .arg(fault)
                                                     .arg(double(literal))));
                        }
                }
    }
};

QTEST_GUILESS_MAIN(VanishingShellTest)
#include "vanishingshell_test.moc"
