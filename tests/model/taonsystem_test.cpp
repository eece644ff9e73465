// SPDX-License-Identifier: MIT
#include "model/extended.h"
#include "model/taonsystem.h"
#include "modeldifference.h"

#include <QTest>

#include <cmath>
#include <cstring>
#include <random>

namespace {

Real FromBits(std::uint64_t significand, int exponent)
{
    const ExtendedBytes bytes = JoinExtended({exponent >= 0x8000, exponent & 0x7fff, significand});
    return LoadExtended(bytes.data());
}

// A model full of awkward values: NaNs with payloads, infinities, denormals,
// odd encodings, a Present byte of 7 and slots that are empty.
TaonSystem AwkwardModel()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    std::mt19937_64 random(7);
    const auto anyBits = [&] { return FromBits(random(), int(random() & 0xffff)); };
    s.dt = std::numeric_limits<Real>::denorm_min();
    for (int k = 0; k < CoefficientCount; ++k)
        s.*CoefficientFields[k] = k == 3 ? std::numeric_limits<Real>::quiet_NaN() : anyBits();
    s.A1 = -std::numeric_limits<Real>::infinity();
    for (int i = 1; i <= SlotCount; ++i) {
        for (SlotReals* a : {&s.X, &s.Y, &s.Z, &s.U, &s.V, &s.W})
            (*a)[i] = anyBits();
        s.Present[i] = std::uint8_t(i % 3 == 0 ? 0 : i % 3);
    }
    s.Present[42] = 7;
    s.X[5] = FromBits(0x0000000000000001ull, 0x0000);       // smallest denormal
    s.Y[5] = FromBits(0x8000000000000001ull, 0x0000);       // pseudo-denormal
    s.Z[5] = FromBits(0x4000000000000000ull, 0x4000);       // unnormal
    s.U[5] = FromBits(0xA000000000000000ull, 0xffff);       // negative signalling NaN
    return s;
}

} // namespace

class TaonSystemTest : public QObject {
    Q_OBJECT
private slots:
    void recordLayout()
    {
        TaonSystem s;
        s.TaonCount = SlotCount;
        s.dt = 0.001L;
        s.B1 = 1;
        s.G3 = 5;
        s.Z[100] = 1;
        s.Present[1] = 1;
        s.W[1] = -2;
        FillSceneRecord(s);
        QCOMPARE(LoadExtended(s.Record.data() + 0), 0.001L);
        QCOMPARE(LoadExtended(s.Record.data() + 20), 1.0L);   // B1
        QCOMPARE(LoadExtended(s.Record.data() + 180), 5.0L);  // G3
        QCOMPARE(LoadExtended(s.Record.data() + 2192 + 990), 1.0L); // Z[100]
        QCOMPARE(LoadExtended(s.Record.data() + 5192), -2.0L); // W[1]
        QCOMPARE(int(s.Record[6192]), 1);
        QCOMPARE(int(s.Record[6193]), 0);
    }

    void fillThenRestoreIsExactAndSetsTheCopies()
    {
        const TaonSystem original = AwkwardModel();
        TaonSystem s = original;
        FillSceneRecord(s);
        TaonSystem restored;
        restored.TaonCount = SlotCount;
        restored.Record = s.Record;
        RestoreFromSceneRecord(restored);

        QVERIFY(SameBits(restored.dt, original.dt));
        for (int k = 0; k < CoefficientCount; ++k)
            QVERIFY2(SameBits(restored.*CoefficientFields[k], original.*CoefficientFields[k]), CoefficientNames[k]);
        for (int i = 1; i <= SlotCount; ++i) {
            QCOMPARE(restored.Present[i], original.Present[i]);
            const std::pair<const SlotReals*, std::vector<const SlotReals*>> groups[] = {
                {&original.X, {&restored.X, &restored.NewX, &restored.DrawX}},
                {&original.Y, {&restored.Y, &restored.NewY, &restored.DrawY}},
                {&original.Z, {&restored.Z, &restored.NewZ, &restored.DrawZ}},
                {&original.U, {&restored.U, &restored.NewU}},
                {&original.V, {&restored.V, &restored.NewV}},
                {&original.W, {&restored.W, &restored.NewW}},
            };
            for (const auto& [source, copies] : groups)
                for (const SlotReals* copy : copies)
                    QVERIFY2(SameBits((*copy)[i], (*source)[i]), qPrintable(QStringLiteral("slot %1").arg(i)));
        }
        QCOMPARE(int(restored.Present[42]), 7);

        // Filled again from the restored model, the record is the same to the byte.
        TaonSystem again = restored;
        FillSceneRecord(again);
        QVERIFY(again.Record == s.Record);
    }

    void reservedBytesAndRunStateAreLeftAlone()
    {
        TaonSystem s = AwkwardModel();
        for (int offset : {190, 191, 6292, 6293, 6294, 6295})
            s.Record[offset] = std::uint8_t(0xA0 + offset % 16);
        s.StepCount = 1234;
        s.Stopped = true;
        const SceneRecord before = s.Record;
        FillSceneRecord(s);
        for (int offset : {190, 191, 6292, 6293, 6294, 6295})
            QCOMPARE(s.Record[offset], before[offset]);
        RestoreFromSceneRecord(s);
        QCOMPARE(s.StepCount, 1234);
        QCOMPARE(s.TaonCount, SlotCount);
        QVERIFY(s.Stopped);
    }
};

QTEST_GUILESS_MAIN(TaonSystemTest)
#include "taonsystem_test.moc"
