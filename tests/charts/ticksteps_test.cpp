// SPDX-License-Identifier: MIT
#include "charts/lawscale.h"
#include "charts/runplot.h"
#include "charts/ticksteps.h"

#include <QSet>
#include <QTest>

#include <cmath>
#include <cstdlib>
#include <limits>

class TickStepsTest : public QObject {
    Q_OBJECT
private slots:
    void roundStep_data()
    {
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("rounded");
        const double nan = std::numeric_limits<double>::quiet_NaN(), inf = std::numeric_limits<double>::infinity();
        QTest::newRow("zero span") << 0.0 << 1.0;
        QTest::newRow("negative") << -3.0 << 1.0;
        QTest::newRow("NaN") << nan << 1.0;
        QTest::newRow("infinite") << inf << 1.0;
        QTest::newRow("a power of ten") << 1.0 << 1.0;
        QTest::newRow("to 2") << 1.1 << 2.0;
        QTest::newRow("to 5") << 0.3 << 0.5;
        QTest::newRow("to the next decade") << 6.0 << 10.0;
        QTest::newRow("tiny") << 2.4e-19 << 5e-19;
        QTest::newRow("huge") << 1.5e300 << 2e300;
    }
    void roundStep()
    {
        QFETCH(double, step);
        QFETCH(double, rounded);
        QVERIFY2(std::fabs(double(RoundStep(step)) - rounded) <= 1e-12 * rounded,
                 qPrintable(QString::number(double(RoundStep(step)))));
    }

    // Whatever the data, the range holds it, ends on ticks whose labels all
    // differ, and stays at or above 0 for a size.
    void fitRange_data()
    {
        QTest::addColumn<QString>("low"); // as text: the data may lie past a double's range
        QTest::addColumn<QString>("high");
        QTest::addColumn<bool>("neverNegative");
        QTest::addColumn<QStringList>("ends"); // the first and last labels
        QTest::newRow("tiny momentum") << "0"
                                       << "1.2e-18" << true << QStringList{"0", "1.5e-18"};
        QTest::newRow("gyration in the fifth digit") << "2.05912"
                                                     << "2.05931" << true << QStringList{"2.05910", "2.05935"};
        QTest::newRow("constant") << "3"
                                  << "3" << true << QStringList{"2.8", "3.2"};
        QTest::newRow("constant zero size") << "0"
                                            << "0" << true << QStringList{"0", "1.0"};
        QTest::newRow("constant zero, either sign") << "0"
                                                    << "0" << false << QStringList{"-1.0", "1.0"};
        QTest::newRow("no finite value") << "nan"
                                         << "nan" << true << QStringList{"0", "1.0"};
        QTest::newRow("either sign") << "-4.5"
                                     << "3.2" << false << QStringList{"-6", "4"};
        QTest::newRow("huge") << "1e300"
                              << "3e300" << true << QStringList{"5.0e+299", "3.0e+300"};
        QTest::newRow("far past a double") << "1e2500"
                                           << "3e2500" << true << QStringList{"1.0e+2500", "3.5e+2500"};
        QTest::newRow("a run's kinetic energy") << "0"
                                                << "1234.5" << true << QStringList{"0", "1500"};
    }
    void fitRange()
    {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(bool, neverNegative);
        QFETCH(QStringList, ends);
        const Real from = std::strtold(qPrintable(low), nullptr), to = std::strtold(qPrintable(high), nullptr);
        const TickedRange range = FitRange(from, to, neverNegative);
        const QStringList labels(range.Labels.begin(), range.Labels.end());
        QVERIFY2(QSet<QString>(labels.begin(), labels.end()).size() == labels.size(), qPrintable(labels.join(' ')));
        QVERIFY2(labels.size() >= 3 && labels.size() <= 12, qPrintable(labels.join(' ')));
        QVERIFY(!neverNegative || range.Low >= 0);
        if (std::isfinite(from)) {
            QVERIFY(range.Low <= from && to <= range.High);
            QCOMPARE(range.Plotted(range.High), double(labels.size() - 1));
        }
        QCOMPARE((QStringList{labels.first(), labels.last()}), ends);
    }

    // The law window's compressed scale: 0, then every third decade with both
    // signs, up to the largest push, each label once.
    void compressedTicks()
    {
        const std::vector<AxisTick> ticks = CompressedTicks(2e3);
        QStringList labels;
        for (std::size_t k = 0; k < ticks.size(); ++k) {
            labels << ticks[k].Label;
            QCOMPARE(ticks[k].Plotted, -ticks[ticks.size() - 1 - k].Plotted);
        }
        QCOMPARE(labels.join(' '), QStringLiteral("-1e6 -1e3 -1 -1e-3 -1e-6 -1e-9 0 1e-9 1e-6 1e-3 1 1e3 1e6"));
        QCOMPARE(ticks[12].Plotted, std::asinh(1e6 / CompressionUnit));
        QVERIFY(std::isnan(PlottedPush(std::numeric_limits<Real>::infinity(), PushScale::Compressed)));
    }

    void shownSamples_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("shown");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("all fit") << 799 << 799;
        QTest::newRow("every second and the last") << 800 << 401;
        QTest::newRow("every sixth and the last") << 4001 << 668;
    }
    void shownSamples()
    {
        QFETCH(int, count);
        QFETCH(int, shown);
        const std::vector<std::size_t> kept = ShownSamples(std::size_t(count), 800);
        QCOMPARE(int(kept.size()), shown);
        if (count > 0)
            QVERIFY(kept.front() == 0 && kept.back() == std::size_t(count - 1));
    }
};

QTEST_GUILESS_MAIN(TickStepsTest)
#include "ticksteps_test.moc"
