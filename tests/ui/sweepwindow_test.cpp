// SPDX-License-Identifier: MIT
#include "mainformfixture.h"

#include "ui/sweepmap.h"
#include "ui/sweepwindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>

namespace {

// Sets one row of names: NAME from FROM to TO in COUNT values.
void Vary(SweepWindow* window, int row, const QString& name, const QString& from, const QString& to, int count)
{
    const QString n = QString::number(row);
    window->findChild<QComboBox*>("Name" + n)->setCurrentText(name);
    window->findChild<QLineEdit*>("From" + n)->setText(from);
    window->findChild<QLineEdit*>("To" + n)->setText(to);
    window->findChild<QSpinBox*>("Count" + n)->setValue(count);
}

// A point of the map inside the cell of summary row `row`.
QPoint CellOf(const SweepMap* map, int row)
{
    for (int y = 0; y < map->height(); y += 4)
        for (int x = 0; x < map->width(); x += 4)
            if (map->RowAt({x, y}) == row)
                return {x, y};
    return {-1, -1};
}

} // namespace

class SweepWindowTest : public QObject {
    Q_OBJECT
private slots:
    // Ctrl+G, a 2 x 2 sweep of the current scene, one job faulting: the
    // table and the map fill; double-clicking a cell opens its end scene, and
    // the faulted one says it has none.
    void twoNamesFillTheTableAndTheMap()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("six.ato"), SceneOf({1, 2, 3, 51, 52, 76})));
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QTest::keyClick(f.form.get(), Qt::Key_G, Qt::ControlModifier);
        SweepWindow* window = f.Window<SweepWindow>();
        QVERIFY(window != nullptr && window->isVisible());
        // The ranges start from the scene: B1 is 1 there.
        window->findChild<QComboBox*>("Name2")->setCurrentText("B1");
        QCOMPARE(window->findChild<QLineEdit*>("From2")->text(), QStringLiteral("0.5"));
        QCOMPARE(window->findChild<QLineEdit*>("To2")->text(), QStringLiteral("1.5"));
        Vary(window, 1, "A1", "1", "1e4900", 2);
        Vary(window, 2, "B1", "0.5", "1.5", 2);
        window->findChild<QSpinBox*>("Steps")->setValue(5);
        window->StartClick();
        QTRY_VERIFY_WITH_TIMEOUT(!window->Running(), 30000);
        QCOMPARE(f.dialogs.errors, QStringList());

        const SummaryTable& table = window->Summaries();
        QCOMPARE(table.Rows.size(), std::size_t(4));
        QCOMPARE(window->findChild<QTableWidget*>("Summaries")->rowCount(), 4);
        const auto* map = window->findChild<SweepMap*>("Map");
        QVERIFY(map->isVisible());
        // Job 2: A1 1, B1 1.5, a clean run; job 4 faulted.
        const auto status = std::size_t(table.Column("status"));
        QCOMPARE(table.Rows[1][status], "ok");
        QVERIFY(table.Rows[3][status].starts_with("Floating point overflow in step"));
        const QPoint cell = CellOf(map, 1);
        QVERIFY(cell.x() >= 0 && CellOf(map, 0).y() > cell.y()); // the higher B1 above
        QTest::mouseDClick(window->findChild<SweepMap*>("Map"), Qt::LeftButton, {}, cell);
        QCOMPARE(f.system.A1, 1.0L);
        QCOMPARE(f.system.B1, 1.5L);
        QCOMPARE(f.system.StepCount, 0); // opened as File › Open does
        QTest::mouseDClick(window->findChild<SweepMap*>("Map"), Qt::LeftButton, {}, CellOf(map, 3));
        QCOMPARE(f.dialogs.errors, QStringList{QStringLiteral("job 4 faulted: it has no end scene")});
        // Or the job's start: the scene with its values.
        window->findChild<QCheckBox*>("OpenStart")->setChecked(true);
        QTest::mouseDClick(window->findChild<SweepMap*>("Map"), Qt::LeftButton, {}, CellOf(map, 3));
        QCOMPARE(f.system.A1, Real(1e4900L));
        QCOMPARE(f.system.B1, 1.5L);
        QCOMPARE(f.system.X[51], SceneOf({51}).X[51]);
    }

    // Cancel stops the jobs under way; none leaves a result.
    void cancelLeavesNoPartResult()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("six.ato"), SceneOf({1, 2, 3, 51, 52, 76})));
        f.form->Sweep1Click();
        SweepWindow* window = f.Window<SweepWindow>();
        Vary(window, 1, "dt", "1e-5", "2,5", 3);
        window->StartClick();
        QCOMPARE(f.dialogs.errors, QStringList{QStringLiteral("'2,5' is not a valid floating point value")});
        Vary(window, 1, "dt", "1e-5", "2e-5", 3);
        window->findChild<QSpinBox*>("Steps")->setValue(10000000);
        window->StartClick();
        QVERIFY(window->Running());
        window->CancelClick();
        QTRY_VERIFY_WITH_TIMEOUT(!window->Running(), 30000);
        QVERIFY(window->findChild<QLabel*>("State")->text().startsWith("Cancelled: 0 jobs"));
        QCOMPARE(QDir(window->Folder()).entryList({"*.ato", "*.csv"}), QStringList{"jobs.csv"});
        QVERIFY(!window->findChild<SweepMap*>("Map")->isVisible()); // one name: no map
    }
};

QTEST_MAIN(SweepWindowTest)
#include "sweepwindow_test.moc"
