#include "charts/lawwindow.h"
#include "scripteddialogs.h"

#include <QCategoryAxis>
#include <QChart>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QTest>
#include <QValueAxis>

#include <cmath>

namespace {

LawSetting ReferenceLaw()
{
    LawSetting setting;
    setting.Groups.fill({1, 1, 2, 3, 4, 5});
    setting.Groups[1].A = 2;
    setting.Groups[2].F = 4.5L;
    return setting;
}

// The curves, solid and dashed, in the order drawn.
QList<QLineSeries*> Curves(const QChart* chart)
{
    QList<QLineSeries*> curves;
    for (QAbstractSeries* series : chart->series())
        if (series->type() == QAbstractSeries::SeriesTypeLine)
            curves.append(static_cast<QLineSeries*>(series));
    return curves;
}

// The sample nearest r.
QPointF PointNear(const QLineSeries* curve, double r)
{
    const QList<QPointF> points = curve->points();
    return *std::min_element(points.begin(), points.end(), [r](const QPointF& a, const QPointF& b) {
        return std::fabs(a.x() - r) < std::fabs(b.x() - r);
    });
}

double PlottedAt(const QLineSeries* curve, double r)
{
    return PointNear(curve, r).y();
}

struct Window {
    LawSetting law = ReferenceLaw();
    ScriptedDialogs dialogs;
    InteractionLawWindow window{[this] { return law; }, dialogs};

    Window()
    {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            qFatal("the law window did not show");
    }
};

} // namespace

class LawWindowTest : public QObject {
    Q_OBJECT
private slots:
    void curvesFollowTheScope_data()
    {
        QTest::addColumn<bool>("taoscope");
        QTest::addColumn<int>("curves");
        QTest::addColumn<double>("sign");
        QTest::newRow("Gravoscope") << false << 3 << -1.0;
        QTest::newRow("Taoscope with mirrors") << true << 6 << 1.0;
    }

    void curvesFollowTheScope()
    {
        QFETCH(bool, taoscope);
        QFETCH(int, curves);
        QFETCH(double, sign);
        Window w;
        w.law.Switches.Taoscope = taoscope;
        w.window.Follow();
        QCOMPARE(w.window.windowTitle(), QStringLiteral("Interaction Law"));
        QVERIFY(w.window.Chart()->title().startsWith(taoscope ? "Taoscope" : "Gravoscope"));
        const QList<QLineSeries*> drawn = Curves(w.window.Chart());
        QCOMPARE(drawn.size(), curves);
        QStringList names;
        for (QLineSeries* curve : drawn)
            if (curve->pen().style() == Qt::SolidLine)
                names << curve->name() + QLatin1Char(' ') + curve->pen().color().name();
        QCOMPARE(names, QStringList({"Group 1 (1-50) #00ff00", "Group 2 (51-75) #ffff00", "Group 3 (76-100) #ff0000"}));
        // Each sample is the law's push there, S > 0 at these distances pulling under
        // Gravoscope; group 2 has A = 2, twice group 1's push.
        const QLineSeries* group1 = drawn[0];
        const QLineSeries* group2 = drawn[taoscope ? 2 : 1];
        for (double r : {1.0, 2.0, 4.0}) {
            const QPointF sample = PointNear(group1, r);
            const double push = double(Push({1, 1, 2, 3, 4, 5}, w.law.Switches, Parity::Equal, sample.x()));
            QVERIFY(sample.y() * sign > 0);
            QVERIFY2(std::fabs(sample.y() - push) <= 1e-9 * std::fabs(push), qPrintable(QString::number(r)));
            QCOMPARE(PlottedAt(group2, r), 2 * sample.y());
        }
        if (taoscope)
            QCOMPARE(PlottedAt(drawn[1], 1.0), -PlottedAt(group1, 1.0));
    }

    void faultReplacesOnlyItsGroup_data()
    {
        QTest::addColumn<int>("group");
        QTest::addColumn<QString>("fault");
        QTest::newRow("B of 0 in group 1") << 0 << QStringLiteral("Floating point division by zero");
        QTest::newRow("negative C in group 3") << 2 << QStringLiteral("Invalid floating point operation");
    }

    void faultReplacesOnlyItsGroup()
    {
        QFETCH(int, group);
        QFETCH(QString, fault);
        Window w;
        (group == 0 ? w.law.Groups[0].B : w.law.Groups[2].C) = group == 0 ? 0 : -2;
        w.window.Follow();
        const QList<QLineSeries*> drawn = Curves(w.window.Chart());
        for (int g = 0; g < GroupCount; ++g) {
            QCOMPARE(drawn[g]->name().endsWith(QStringLiteral(": ") + fault), g == group);
            QCOMPARE(drawn[g]->count() == 0, g == group);
        }
    }

    void redrawsOnlyWhenTheLawChanges()
    {
        Window w;
        const int first = w.window.Redraws();
        QCOMPARE(first, 1);
        w.window.Follow();
        QCOMPARE(w.window.Redraws(), first);
        w.law.Switches.Functions3X1 = true;
        w.window.Follow();
        QCOMPARE(w.window.Redraws(), first + 1);
        w.window.hide();
        w.law.Groups[2].G = 6;
        w.window.Follow();
        QCOMPARE(w.window.Redraws(), first + 1);
        w.window.show();
        QCOMPARE(w.window.Redraws(), first + 2);
    }

    void compressedScaleShowsTheTails()
    {
        Window w;
        const double linear = PlottedAt(Curves(w.window.Chart())[0], 4.0);
        w.window.findChild<QComboBox*>(QStringLiteral("LawScale"))->setCurrentIndex(1);
        QCOMPARE(w.window.Redraws(), 1); // the same numbers, plotted anew
        const QList<QAbstractAxis*> vertical = w.window.Chart()->axes(Qt::Vertical);
        QCOMPARE(vertical.size(), 1);
        auto* axis = qobject_cast<QCategoryAxis*>(vertical.first());
        QVERIFY(axis != nullptr);
        QVERIFY(axis->categoriesLabels().contains(QStringLiteral("-1e-9")));
        const double compressed = PlottedAt(Curves(w.window.Chart())[0], 4.0);
        QVERIFY(std::fabs(compressed - std::asinh(linear / 1e-12)) < 1e-9);
    }

    void rangeFields_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("error");
        QTest::addColumn<double>("drawnFrom");
        QTest::newRow("narrower") << "1"
                                  << "6" << QString() << 1.0;
        QTest::newRow("from above to") << "7"
                                       << "6" << QStringLiteral("The range needs 0 < from < to.") << 0.05;
        QTest::newRow("zero from") << "0"
                                   << "12" << QStringLiteral("The range needs 0 < from < to.") << 0.05;
        QTest::newRow("no number") << "1-"
                                   << "12" << QStringLiteral("'1-' is not a valid floating point value") << 0.05;
    }

    void rangeFields()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, error);
        QFETCH(double, drawnFrom);
        Window w;
        auto* fromField = w.window.findChild<QLineEdit*>(QStringLiteral("LawFrom"));
        auto* toField = w.window.findChild<QLineEdit*>(QStringLiteral("LawTo"));
        toField->setText(to);
        fromField->setText(from);
        emit fromField->editingFinished();
        QCOMPARE(w.dialogs.errors, error.isEmpty() ? QStringList() : QStringList{error});
        const auto* axis = static_cast<QValueAxis*>(w.window.Chart()->axes(Qt::Horizontal).first());
        QCOMPARE(axis->min(), drawnFrom);
        QCOMPARE(Curves(w.window.Chart())[0]->points().first().x(), drawnFrom);
        if (!error.isEmpty())
            QCOMPARE(fromField->text(), QStringLiteral("0.05"));
    }
};

QTEST_MAIN(LawWindowTest)
#include "lawwindow_test.moc"
