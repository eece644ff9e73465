#include "charts/lawwindow.h"
#include "editor/editdlg.h"
#include "mainformfixture.h"

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>

namespace {

// The window opened through its menu item, over a started main window.
InteractionLawWindow* OpenLawWindow(MainFormFixture& f)
{
    f.Find<QAction>("InteractionLaw1")->trigger();
    return f.form->LawWindow;
}

} // namespace

class InteractionLawTest : public QObject {
    Q_OBJECT
private slots:
    void menuItemOpensTheWindow()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("two.ato"), SceneOf({1, 2})));
        auto* item = f.Find<QAction>("InteractionLaw1");
        QCOMPARE(item->text(), QStringLiteral("Interaction Law..."));
        const QKeySequence ctrlL(Qt::CTRL | Qt::Key_L);
        QCOMPARE(item->shortcut(), ctrlL);
        for (const QAction* other : f.form->findChildren<QAction*>())
            QVERIFY2(other == item || other->shortcut() != ctrlL, qPrintable(other->objectName()));
        InteractionLawWindow* window = OpenLawWindow(f);
        QVERIFY(window != nullptr && window->isVisible());
        QVERIFY(!window->isModal());
        QCOMPARE(window->windowTitle(), QStringLiteral("Interaction Law"));
        // A second opening shows the same window, nothing recomputed.
        QCOMPARE(OpenLawWindow(f), window);
        QCOMPARE(window->Redraws(), 1);
    }

    // Every committed change of the law redraws once; a change of nothing does not.
    void followsCommittedChanges_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("redraws");
        QTest::newRow("coefficient field left") << "EditF2" << 1;
        QTest::newRow("field left unchanged") << "EditA1" << 0;
        QTest::newRow("Taoscope") << "Taoscope" << 1;
        QTest::newRow("Functions3X1") << "Functions3X1" << 1;
        QTest::newRow("scene opened") << "Open" << 1;
        QTest::newRow("editor OK") << "New" << 1;
        QTest::newRow("dt field left") << "EditDT" << 0;
    }

    void followsCommittedChanges()
    {
        QFETCH(QString, change);
        QFETCH(int, redraws);
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("two.ato"), SceneOf({1, 2})));
        InteractionLawWindow* window = OpenLawWindow(f);
        const int before = window->Redraws();
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        if (change.startsWith(QStringLiteral("Edit"))) {
            auto* field = f.Find(change.toLatin1().constData());
            field->setFocus();
            if (change != QStringLiteral("EditA1"))
                field->setText(QStringLiteral("7"));
            QTest::keyClick(field, Qt::Key_Tab); // the focus leaves the field
        } else if (change == QStringLiteral("Taoscope")) {
            f.form->Taoscope->click();
        } else if (change == QStringLiteral("Functions3X1")) {
            f.form->Functions3X1->click();
        } else if (change == QStringLiteral("Open")) {
            TaonSystem other = SceneOf({3});
            other.B3 = 0.5L;
            f.dialogs.openAnswers.push_back(f.SaveScene(QStringLiteral("other.ato"), other));
            f.form->Open1->trigger();
        } else {
            f.dialogs.saveAnswers.push_back(f.config.Path(QStringLiteral("edited.ato")));
            QTimer::singleShot(0, f.form.get(), [&f] {
                f.form->EditDlg->findChild<QLineEdit*>(QStringLiteral("EditC3"))->setText(QStringLiteral("2.5"));
                f.form->EditDlg->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
            });
            f.form->New1->trigger();
        }
        QCOMPARE(f.dialogs.errors, QStringList());
        QCOMPARE(window->Redraws() - before, redraws);
    }

    // The window computes nothing per step: only the change made during the run.
    void runStepsDoNotRedraw()
    {
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("two.ato"), SceneOf({1, 2})));
        InteractionLawWindow* window = OpenLawWindow(f);
        const int before = window->Redraws();
        f.RunSteps(200);
        QCOMPARE(window->Redraws(), before);
        f.DuringRun([&f] {
            f.form->Functions3X1->click();
            f.form->Go->click();
        });
        QVERIFY(f.system.StepCount > 200);
        QCOMPARE(window->Redraws(), before + 1);
    }
};

QTEST_MAIN(InteractionLawTest)
#include "interactionlaw_test.moc"
