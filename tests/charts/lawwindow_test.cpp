// SPDX-License-Identifier: MIT
#include "charts/lawwindow.h"
#include "scripteddialogs.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <algorithm>
#include <cmath>
#include <vector>

class LawWindowTest : public QObject {
    Q_OBJECT
private slots:
    void curves_data()
    {
        QTest::addColumn<bool>("taoscope");
        QTest::addColumn<QStringList>("names");
        const QString fault = QStringLiteral("Group 3 (76-100): Floating point division by zero #ff0000");
        QTest::newRow("Gravoscope") << false
                                    << QStringList{"Group 1 (1-50) #00ff00", "Group 2 (51-75) #ffff00",
                                                   "Group 3 (76-100) #ff0000"};
        QTest::newRow("Taoscope, C3 of 0: mirrors but no group 3")
            << true << QStringList{"Group 1 (1-50) #00ff00", " #00ff00", "Group 2 (51-75) #ffff00", " #ffff00", fault};
    }

    void curves()
    {
        QFETCH(bool, taoscope);
        QFETCH(QStringList, names);
        LawSetting law;
        law.Groups.fill({1, 1, 2, 3, 4, 5});
        law.Groups[1].A = 2;
        ScriptedDialogs dialogs;
        InteractionLawWindow window([&law] { return law; }, dialogs);
        window.show();
        QCOMPARE(window.Redraws(), 1);
        law.Switches.Taoscope = taoscope;
        law.Groups[2].C = taoscope ? 0 : 2;
        window.Follow();
        window.Follow();
        QCOMPARE(window.Redraws(), taoscope ? 2 : 1); // only a changed law is drawn anew

        QList<QLineSeries*> curves;
        QStringList drawn;
        for (QAbstractSeries* series : window.Chart()->series())
            if (auto* curve = qobject_cast<QLineSeries*>(series)) {
                curves << curve;
                drawn << curve->name() + QLatin1Char(' ') + curve->pen().color().name();
            }
        QCOMPARE(drawn, names);
        QCOMPARE(curves.last()->count() == 0, taoscope);
        // Every sample is the law's push there, group 2's twice group 1's; under
        // Taoscope the dashed mirror is its negative.
        QLineSeries* group2 = curves[taoscope ? 2 : 1];
        for (int k : {100, 300, 600}) {
            const QPointF at = curves[0]->at(k);
            const Real push = Push(law.Groups[0], law.Switches, Parity::Equal, at.x());
            QVERIFY(std::fabs(at.y() - double(push)) <= 1e-9 * std::fabs(double(push)));
            QCOMPARE(group2->at(k).y(), 2 * at.y());
            if (taoscope)
                QCOMPARE(curves[1]->at(k).y(), -at.y());
        }
        const double linear = curves[0]->at(300).y();
        window.findChild<QComboBox*>(QStringLiteral("LawScale"))->setCurrentIndex(1);
        const auto* compressed = qobject_cast<QLineSeries*>(window.Chart()->series().first());
        QVERIFY(std::fabs(compressed->at(300).y() - std::asinh(linear / 1e-12)) < 1e-9);
        // Every label lies in the range: Qt would draw one past it at the end, over another.
        auto* axis = qobject_cast<QCategoryAxis*>(window.Chart()->axes(Qt::Vertical).first());
        QVERIFY(axis->count() >= 3);
        for (const QString& label : axis->categoriesLabels())
            QVERIFY2(axis->min() <= axis->endValue(label) && axis->endValue(label) <= axis->max(), qPrintable(label));
    }

    // The window keeps the size it is given, whatever the readout and a
    // fault's text say; a zoom shows 0 among the push ticks when 0 is in
    // range, and the r fields show the zoomed range.
    void zoomAndSize()
    {
        LawSetting law;
        law.Groups.fill({1, 1, 2, 3, 4, 5});
        law.Groups[2].C = 0; // group 3 faults
        law.Switches.Taoscope = true;
        ScriptedDialogs dialogs;
        InteractionLawWindow window([&law] { return law; }, dialogs);
        window.resize(520, 420);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QChart* chart = window.Chart();
        const QRectF area = chart->plotArea();
        auto* view = window.findChild<QChartView*>(QStringLiteral("LawChart"));
        QTest::mouseMove(view->viewport(), view->mapFromScene(chart->mapToScene(area.center())));
        QApplication::processEvents();
        QCOMPARE(window.width(), 520);
        QVERIFY2(window.minimumSizeHint().width() <= 520,
                 qPrintable(QString::number(window.minimumSizeHint().width())));

        const double zero = chart->mapToPosition(QPointF(1, 0)).y();
        chart->zoomIn(QRectF(area.left() + 0.3 * area.width(), zero - 0.05 * area.height(), 0.2 * area.width(),
                             0.3 * area.height()));
        const auto* x = qobject_cast<QValueAxis*>(chart->axes(Qt::Horizontal).first());
        const auto* y = qobject_cast<QValueAxis*>(chart->axes(Qt::Vertical).first());
        QVERIFY(y->min() < 0 && 0 < y->max());
        std::vector<double> ticks; // where Qt draws them
        if (y->tickType() == QValueAxis::TicksDynamic)
            for (double t = std::ceil((y->min() - y->tickAnchor()) / y->tickInterval());; ++t) {
                const double at = y->tickAnchor() + t * y->tickInterval();
                if (at > y->max())
                    break;
                ticks.push_back(at);
            }
        else
            for (int k = 0; k < y->tickCount(); ++k)
                ticks.push_back(y->min() + k * (y->max() - y->min()) / (y->tickCount() - 1));
        QVERIFY(std::any_of(ticks.begin(), ticks.end(),
                            [&](double t) { return std::fabs(t) < 1e-9 * (y->max() - y->min()); }));
        const double from = window.findChild<QLineEdit*>(QStringLiteral("LawFrom"))->text().toDouble();
        const double to = window.findChild<QLineEdit*>(QStringLiteral("LawTo"))->text().toDouble();
        const double span = x->max() - x->min();
        QVERIFY2(std::fabs(from - x->min()) < 1e-3 * span && std::fabs(to - x->max()) < 1e-3 * span,
                 qPrintable(QStringLiteral("%1 %2").arg(from).arg(to)));
    }
};

QTEST_MAIN(LawWindowTest)
#include "lawwindow_test.moc"
