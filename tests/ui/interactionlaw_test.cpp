// SPDX-License-Identifier: MIT
#include "charts/lawwindow.h"
#include "editor/editdlg.h"
#include "mainformfixture.h"

#include <QAction>
#include <QCheckBox>

class InteractionLawTest : public QObject {
    Q_OBJECT
private slots:
    // Opened from its menu item, the window redraws once per committed change
    // of the law, and not for a change of nothing nor for a run's steps.
    void followsCommittedChangesOnly_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("redraws");
        QTest::newRow("coefficient field left") << "EditF2" << 1;
        QTest::newRow("field left unchanged") << "EditA1" << 0;
        QTest::newRow("dt field left") << "EditDT" << 0;
        QTest::newRow("Functions3X1") << "Functions3X1" << 1;
        QTest::newRow("point editor's OK") << "OKBtn" << 1;
    }

    void followsCommittedChangesOnly()
    {
        QFETCH(QString, change);
        QFETCH(int, redraws);
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("two.ato"), SceneOf({1, 2})));
        auto* item = f.Find<QAction>("InteractionLaw1");
        QCOMPARE(item->text() + item->shortcut().toString(), QStringLiteral("Interaction Law...Ctrl+L"));
        for (const QAction* other : f.form->findChildren<QAction*>())
            QVERIFY(other == item || other->shortcut() != item->shortcut());
        item->trigger();
        InteractionLawWindow* window = f.Window<InteractionLawWindow>();
        QVERIFY(window->isVisible() && !window->isModal());
        QCOMPARE(window->windowTitle(), QStringLiteral("Interaction Law"));

        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        if (change == QLatin1String("Functions3X1")) {
            f.Find<QCheckBox>("Functions3X1")->click();
        } else if (change == QLatin1String("OKBtn")) {
            f.dialogs.saveAnswers.push_back(f.config.Path(QStringLiteral("edited.ato")));
            QTimer::singleShot(0, f.form.get(), [&f] {
                f.Window<TEditDlg>()->findChild<QLineEdit*>(QStringLiteral("EditC3"))->setText(QStringLiteral("2.5"));
                f.Window<TEditDlg>()->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
            });
            f.Find<QAction>("New1")->trigger();
        } else {
            QLineEdit* field = f.Find(change.toLatin1().constData());
            field->setFocus();
            if (change != QLatin1String("EditA1")) { // typed, as only typing marks a field changed
                field->selectAll();
                QTest::keyClicks(field, QStringLiteral("7"));
            }
            QTest::keyClick(field, Qt::Key_Tab); // the focus leaves the field
        }
        QCOMPARE(f.dialogs.errors, QStringList());
        QCOMPARE(window->Redraws(), 1 + redraws);
        f.RunSteps(100);
        QCOMPARE(window->Redraws(), 1 + redraws);
    }
};

QTEST_MAIN(InteractionLawTest)
#include "interactionlaw_test.moc"
