// SPDX-License-Identifier: MIT
#include "scenes/realtext.h"
#include "scenes/trajectory.h"

#include <QTest>

#include <limits>

class RealTextTest : public QObject {
    Q_OBJECT
private slots:
    // The scene text, the run log and the dumps write one shortest form.
    void shortestForm_data()
    {
        QTest::addColumn<Real>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole, beyond 2^64") << 123456789012345678897152.0L << "1.234567890123456789e+23";
        QTest::newRow("whole, shorter in full") << 1180591620717411303424.0L << "1180591620717411303424";
        QTest::newRow("hundred") << 100.0L << "100";
        QTest::newRow("thousandth") << 0.001L << "0.001";
    }

    void shortestForm()
    {
        QFETCH(Real, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(RealToText(value)), text);
        QCOMPARE(QString::fromStdString(RealToPortableText(value)), text);
    }

    // A NaN's sign is kept in the dump as in the log.
    void nanKeepsItsSign_data()
    {
        QTest::addColumn<Real>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("positive") << std::numeric_limits<Real>::quiet_NaN() << "nan";
        QTest::newRow("negative") << -std::numeric_limits<Real>::quiet_NaN() << "-nan";
    }

    void nanKeepsItsSign()
    {
        QFETCH(Real, value);
        QFETCH(QString, text);
        TaonSystem s;
        s.TaonCount = 1;
        s.Present[1] = 1;
        s.U[1] = value;
        std::string dump;
        AppendTrajectoryFrame(dump, TrajectoryFormat::Csv, s, 0, 0);
        QCOMPARE(QString::fromStdString(RealToText(value)), text);
        QCOMPARE(QString::fromStdString(dump).split(QLatin1Char(','))[7], text);
    }
};

QTEST_GUILESS_MAIN(RealTextTest)
#include "realtext_test.moc"
