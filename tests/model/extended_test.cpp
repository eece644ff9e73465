// SPDX-License-Identifier: MIT
#include "model/extended.h"

#include <QTest>

#include <cmath>
#include <cstring>
#include <random>

Q_DECLARE_METATYPE(ExtendedBytes)

namespace {

ExtendedBytes Bytes(std::initializer_list<int> values)
{
    ExtendedBytes bytes{};
    int i = 0;
    for (int v : values)
        bytes[i++] = std::uint8_t(v);
    return bytes;
}

} // namespace

class ExtendedTest : public QObject {
    Q_OBJECT
private slots:
    void fileExamples_data()
    {
        QTest::addColumn<ExtendedBytes>("bytes");
        QTest::addColumn<double>("value");
        QTest::newRow("1.0") << Bytes({0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}) << 1.0;
        QTest::newRow("0.001") << Bytes({0x3B, 0xDF, 0x4F, 0x8D, 0x97, 0x6E, 0x12, 0x83, 0xF5, 0x3F}) << 0.001;
        QTest::newRow("zero") << Bytes({}) << 0.0;
    }
    void fileExamples()
    {
        QFETCH(ExtendedBytes, bytes);
        QFETCH(double, value);
        // 0.001 is the literal 0.001L, the nearest extended value, not the double.
        const Real expected = value == 0.001 ? 0.001L : Real(value);
        QCOMPARE(LoadExtended(bytes.data()), expected);
        QCOMPARE(StoredBytes(expected), bytes);
        QCOMPARE(DecodeExtended(bytes), expected);
        QCOMPARE(EncodeExtended(expected), bytes);
    }

    // Any ten bytes pass through the model's transfer unchanged.
    void everyPatternRoundTrips()
    {
        std::mt19937_64 random(20261208);
        std::vector<ExtendedBytes> patterns;
        for (int i = 0; i < 20000; ++i) {
            ExtendedBytes b{};
            for (auto& byte : b)
                byte = std::uint8_t(random());
            patterns.push_back(b);
        }
        // The special exponent fields, with and without the integer bit: NaNs,
        // infinities, denormals, pseudo-denormals and unnormals.
        for (int exponent : {0x0000, 0x0001, 0x7ffe, 0x7fff, 0x8000, 0xffff})
            for (std::uint64_t significand : {0ull, 1ull, 0x4000000000000000ull, 0x8000000000000000ull,
                                              0xC000000000000001ull, 0x7fffffffffffffffull, ~0ull})
                patterns.push_back(JoinExtended({exponent >= 0x8000, exponent & 0x7fff, significand}));
        for (const ExtendedBytes& b : patterns) {
            const Real value = LoadExtended(b.data());
            Real copy;
            std::memcpy(&copy, &value, sizeof copy); // a plain copy through a variable
            QCOMPARE(StoredBytes(copy), b);
        }
    }

    // The explicit field decoding agrees with the hardware for every canonical value.
    void explicitCodingMatchesHardware_data()
    {
        QTest::addColumn<ExtendedBytes>("bytes");
        const auto row = [](const char* name, Real value) { QTest::newRow(name) << StoredBytes(value); };
        row("one", 1.0L);
        row("minus tenth", -0.1L);
        row("pi", 3.14159265358979323846264338327950288L);
        row("minus zero", -0.0L);
        row("largest", std::numeric_limits<Real>::max());
        row("smallest normal", std::numeric_limits<Real>::min());
        row("smallest denormal", std::numeric_limits<Real>::denorm_min());
        row("a denormal", std::numeric_limits<Real>::min() / 3);
        row("infinity", std::numeric_limits<Real>::infinity());
        row("minus infinity", -std::numeric_limits<Real>::infinity());
        row("2^-16400", std::ldexp(1.0L, -16400));
        row("1e4000", 1e4000L);
    }
    void explicitCodingMatchesHardware()
    {
        QFETCH(ExtendedBytes, bytes);
        const Real native = LoadExtended(bytes.data());
        const Real decoded = DecodeExtended(bytes);
        QCOMPARE(std::signbit(decoded), std::signbit(native));
        QCOMPARE(decoded, native);
        QCOMPARE(EncodeExtended(native), bytes);
    }

    void nanDecodesAsNan()
    {
        const ExtendedBytes quiet = JoinExtended({true, 0x7fff, 0xC000000000001234ull});
        QVERIFY(std::isnan(DecodeExtended(quiet)));
        QVERIFY(std::isnan(DecodeExtended(EncodeExtended(std::numeric_limits<Real>::quiet_NaN()))));
    }
};

QTEST_GUILESS_MAIN(ExtendedTest)
#include "extended_test.moc"
