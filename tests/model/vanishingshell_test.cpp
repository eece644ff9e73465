// SPDX-License-Identifier: MIT
#include "model/pairforces.h"
#include "model/vanishingshell.h"
#include "testscenes.h"

#include <QTest>

using namespace testscenes;

class VanishingShellTest : public QObject {
    Q_OBJECT
private slots:
    void vanishedTermsAreTheLiteralOnes_data() { AddShellRows(); }

    // s densely across the threshold, the ulps at both ends of its range, k
    // across its range: the literal term is that zero, without a fault; and
    // the engine's forces on a pair at such distances are the law's.
    void vanishedTermsAreTheLiteralOnes()
    {
        QFETCH(int, shell);
        std::vector<Real> s;
        for (int j = -512; j <= 512; ++j)
            s.push_back(VanishingFrom[shell] * (1 + j / 16384.0L));
        AddEdges(s, {VanishingFrom[shell], VanishingTo});
        int vanished = 0;
        for (Real k : {VanishingQuotientLow, 0x1p-20L, 0.206L, 1.029L, 77.7L, VanishingQuotientHigh})
            for (Real target : s) {
                const Real r = target / k;
                if (!ShellVanishes(shell, k, k * r))
                    continue;
                ++vanished;
                Real literal = 1;
                const QString fault = ErrorOf([&] { literal = ShellTermAt(k, shell, r); });
                QVERIFY2(fault.isEmpty() && SameBits(literal, VanishedTerm(shell)), qPrintable(fault));
            }
        QVERIFY(vanished > 2 * int(s.size()) && vanished < 4 * int(s.size())); // about half of them

        for (int j = -64; j <= 64; ++j)
            QVERIFY(PairForcesAreTheLaw(EmptyModel(),
                                        VanishingFrom[shell] * (shell + 1) / QuotientScale * (1 + j / 8192.0L)));
    }
};

QTEST_GUILESS_MAIN(VanishingShellTest)
#include "vanishingshell_test.moc"
