// SPDX-License-Identifier: MIT
#include "mainformfixture.h"


#include <QRadioButton>
#include <QRadioButton>

class MainFormLayoutTest : public QObject {
    Q_OBJECT
private slots:
    // Exactly one mode is checked after any click or Space, and the scope
    // switches in the bottom panel are a pair of their own.
    void modesStayExclusive_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<bool>("space");
        for (const char* name : {"RadioButton3", "HotContact", "ColdContact", "ElecCurrent1", "ElecCurrent2", "Taoscope"})
            for (bool space : {false, true})
                QTest::addRow("%s by %s", name, space ? "Space" : "click") << QString::fromLatin1(name) << space;
    }
    void modesStayExclusive()
    {
        QFETCH(QString, control);
        QFETCH(bool, space);
        MainFormFixture f;
        f.StartWith(f.SaveScene(QStringLiteral("s.ato"), SceneOf({1, 2})));
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        const QList<QRadioButton*> modes = {f.form->RadioButton3, f.form->HotContact, f.form->ColdContact,
                                            f.form->ElecCurrent1, f.form->ElecCurrent2};
        auto* button = f.Find<QRadioButton>(control.toLatin1().constData());
        for (int press = 0; press < 2; ++press) { // the second press is on a checked switch
            if (space) {
                button->setFocus(Qt::TabFocusReason);
                QTest::keyClick(button, Qt::Key_Space);
            } else {
                QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, 8));
            }
            QCOMPARE(std::count_if(modes.begin(), modes.end(), [](auto* m) { return m->isChecked(); }), 1);
            QVERIFY(button->isChecked());
            QVERIFY(f.form->Gravoscope->isChecked() != f.form->Taoscope->isChecked());
            QCOMPARE(f.form->RadioButton3->isChecked(), control == QLatin1String("Taoscope") || button == modes[0]);
        }
    }
};

QTEST_MAIN(MainFormLayoutTest)
#include "mainformlayout_test.moc"
