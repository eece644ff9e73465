// SPDX-License-Identifier: MIT
#include "charts/lawscale.h"
#include "charts/runplot.h"
#include "charts/ticksteps.h"

#include <QSet>
#include <QTest>

#include <cmath>
#include <cstdlib>

class TickStepsTest : public QObject {
    Q_OBJECT
private slots:
    void roundStep_data()
    {
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("rounded");
        QTest::newRow("zero span") << 0.0 << 1.0;
        QTest::newRow("NaN") << std::nan("") << 1.0;
        QTest::newRow("to 2") << 1.1 << 2.0;
        QTest::newRow("to 5") << 0.3 << 0.5;
        QTest::newRow("to the next decade") << 6.0 << 10.0;
        QTest::newRow("tiny") << 2.4e-19 << 5e-19;
    }
    void roundStep()
    {
        QFETCH(double, step);
        QFETCH(double, rounded);
        QVERIFY(std::fabs(double(RoundStep(step)) - rounded) <= 1e-12 * rounded);
    }

    // Whatever the data, the range holds it and ends on ticks whose labels all
    // differ; a size stays at or above 0.
    void fitRange_data()
    {
        QTest::addColumn<QString>("low"); // as text: the data may lie past a double's range
        QTest::addColumn<QString>("high");
        QTest::addColumn<bool>("neverNegative");
        QTest::addColumn<QString>("ends"); // the first and last labels
        QTest::newRow("tiny momentum") << "0"
                                       << "1.2e-18" << true << "0 1.5e-18";
        QTest::newRow("gyration in the fifth digit") << "2.05912"
                                                     << "2.05931" << true << "2.05910 2.05935";
        QTest::newRow("constant") << "3"
                                  << "3" << true << "2.8 3.2";
        QTest::newRow("constant zero size") << "0"
                                            << "0" << true << "0 1.0";
        QTest::newRow("constant zero, either sign") << "0"
                                                    << "0" << false << "-1.0 1.0";
        QTest::newRow("no finite value") << "nan"
                                         << "nan" << true << "0 1.0";
        QTest::newRow("either sign") << "-4.5"
                                     << "3.2" << false << "-6 4";
        QTest::newRow("far past a double") << "1e2500"
                                           << "3e2500" << true << "1.0e+2500 3.5e+2500";
    }
    void fitRange()
    {
        QFETCH(QString, low);
        QFETCH(QString, high);
        QFETCH(bool, neverNegative);
        QFETCH(QString, ends);
        const Real from = std::strtold(qPrintable(low), nullptr), to = std::strtold(qPrintable(high), nullptr);
        const TickedRange range = FitRange(from, to, neverNegative);
        const QStringList labels(range.Labels.begin(), range.Labels.end());
        QVERIFY(QSet<QString>(labels.begin(), labels.end()).size() == labels.size() && labels.size() >= 3);
        QVERIFY(!neverNegative || range.Low >= 0);
        QVERIFY(!std::isfinite(from) || (range.Low <= from && to <= range.High));
        QCOMPARE(labels.first() + QLatin1Char(' ') + labels.last(), ends);
    }

    // The compressed scale: 0, then every third decade with both signs, up to the largest push.
    void compressedTicks()
    {
        QStringList labels;
        for (const AxisTick& tick : CompressedTicks(2e3))
            labels << tick.Label + QLatin1Char(tick.Plotted < 0 ? '<' : tick.Plotted > 0 ? '>' : '=');
        QCOMPARE(labels.join(' '),
                 QStringLiteral("-1e6< -1e3< -1< -1e-3< -1e-6< -1e-9< 0= 1e-9> 1e-6> 1e-3> 1> 1e3> 1e6>"));
        QVERIFY(std::isnan(PlottedPush(std::numeric_limits<Real>::infinity(), PushScale::Compressed)));
    }

    void shownSamples_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("shown");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("all fit") << 799 << 799;
        QTest::newRow("every sixth and the last") << 4001 << 668;
    }
    void shownSamples()
    {
        QFETCH(int, count);
        QFETCH(int, shown);
        const std::vector<std::size_t> kept = ShownSamples(std::size_t(count), 800);
        QCOMPARE(int(kept.size()), shown);
        QVERIFY(count == 0 || (kept.front() == 0 && kept.back() == std::size_t(count - 1)));
    }
};

QTEST_GUILESS_MAIN(TickStepsTest)
#include "ticksteps_test.moc"
