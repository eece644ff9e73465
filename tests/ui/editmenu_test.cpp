// SPDX-License-Identifier: MIT
#include "mainformfixture.h"

#include "charts/lawwindow.h"
#include "modeldifference.h"
#include "view/drawingarea.h"
#include "ui/runhistorywindow.h"

#include <QAction>
#include <QFile>
#include <QSlider>

namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void Press(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QTest::keyClick(widget, Qt::Key(key), modifiers);
}

} // namespace

// Edit > Undo, Redo and Run History as a user reaches them: by their keys,
// from wherever the focus is.
class EditMenuTest : public QObject {
    Q_OBJECT
private slots:
    void undoInACoefficientField()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76})));
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.form->InteractionLaw1Click();
        const int drawn = f.Window<InteractionLawWindow>()->Redraws();
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));

        QLineEdit* a1 = f.Find("EditA1");
        a1->setFocus();
        Press(a1, Qt::Key_Z); // nothing to undo: the field keeps its text
        QCOMPARE(a1->text(), QStringLiteral("1"));
        a1->selectAll();
        QTest::keyClicks(a1, QStringLiteral("2"));
        QTest::keyClick(a1, Qt::Key_Tab);
        QCOMPARE(f.system.A1, 2.0L);
        QCOMPARE(f.Find<QAction>("Undo1")->text(), QStringLiteral("Undo A1 = 2"));
        QCOMPARE(f.Window<InteractionLawWindow>()->Redraws(), drawn + 1);

        auto* next = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(next != nullptr && next != a1);
        const QString nextText = next->text();
        Press(next, Qt::Key_Z);
        QCOMPARE(f.system.A1, 1.0L);
        QCOMPARE(a1->text(), QStringLiteral("1"));
        QCOMPARE(next->text(), nextText);
        QCOMPARE(f.Window<InteractionLawWindow>()->Redraws(), drawn + 2);
        QCOMPARE(f.Find<QAction>("Redo1")->text(), QStringLiteral("Redo A1 = 2"));
        Press(next, Qt::Key_Y);
        QCOMPARE(f.system.A1, 2.0L);
        Press(next, Qt::Key_Z);
        Press(next, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(a1->text(), QStringLiteral("2"));
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void aRunUndoneSavesTheBytesOfBeforeGo()
    {
        MainFormFixture f;
        const QString path = f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76}));
        f.StartWith(path);
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        Press(f.form.get(), Qt::Key_S);
        const QByteArray beforeGo = Bytes(path);
        bool offeredDuringRun = false;
        QTimer watch;
        watch.setInterval(0);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            offeredDuringRun = offeredDuringRun || (!f.system.Stopped && f.Find<QAction>("Undo1")->isEnabled());
        });
        watch.start();
        f.RunSteps(1203);
        watch.stop();
        QVERIFY(!offeredDuringRun);
        QCOMPARE(f.Find<QAction>("Undo1")->text(), QStringLiteral("Undo Run of 1,203 steps"));
        Press(f.form.get(), Qt::Key_S);
        const QByteArray afterRun = Bytes(path);
        QVERIFY(afterRun != beforeGo);

        Press(f.form.get(), Qt::Key_Z);
        Press(f.form.get(), Qt::Key_S);
        QCOMPARE(Bytes(path), beforeGo);
        Press(f.form.get(), Qt::Key_Y);
        Press(f.form.get(), Qt::Key_S);
        QCOMPARE(Bytes(path), afterRun);
    }

    void theRunHistoryShowsAndContinues()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("four.ato"), SceneOf({1, 2, 51, 76})));
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        const QString startX = f.Find<StringGrid>("DaonsTable")->Cell(1, 1);
        f.Find<QAction>("Trails1")->trigger();
        f.RunSteps(20);
        QCOMPARE(f.Find<DrawingArea>("DrawingArea")->Trails().Count(1), 20);
        f.form->FillListing();
        const QString presentX = f.Find<StringGrid>("DaonsTable")->Cell(1, 1);
        const TaonSystem present = f.system;
        Press(f.form.get(), Qt::Key_H);
        QSlider* slider = f.Window<RunHistoryWindow>()->Slider();
        QCOMPARE(slider->maximum(), 21); // the start, 20 steps, the present
        QCOMPARE(slider->value(), 21);
        slider->setValue(0);
        QCOMPARE(f.Find<StringGrid>("DaonsTable")->Cell(1, 1), startX);
        QCOMPARE(f.Find<DrawingArea>("DrawingArea")->Trails().Count(1), 1); // the path up to the step shown
        QCOMPARE(FirstDifferenceOf(f.system, present), QString());

        f.Window<RunHistoryWindow>()->close();
        QCOMPARE(f.Find<StringGrid>("DaonsTable")->Cell(1, 1), presentX);
        QCOMPARE(f.Find<DrawingArea>("DrawingArea")->Trails().Count(1), 20);
        RunHistory1Then(f, 5);
        f.Window<RunHistoryWindow>()->ContinueButton()->click();
        QCOMPARE(f.system.StepCount, 5);
        QCOMPARE(f.Find<DrawingArea>("DrawingArea")->Trails().Count(1), 6);
        QCOMPARE(f.Find<QAction>("Undo1")->text(), QStringLiteral("Undo Continue from step 5"));
        Press(f.form.get(), Qt::Key_Z);
        QCOMPARE(FirstDifferenceOf(f.system, present), QString());
    }

private:
    static void RunHistory1Then(MainFormFixture& f, int position)
    {
        f.Find<QAction>("RunHistory1")->trigger();
        f.Window<RunHistoryWindow>()->Slider()->setValue(position);
    }
    static QString FirstDifferenceOf(const TaonSystem& a, const TaonSystem& b)
    {
        return QString::fromStdString(ModelDifference(a, b));
    }
};

QTEST_MAIN(EditMenuTest)
#include "editmenu_test.moc"
