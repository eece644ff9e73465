// SPDX-License-Identifier: MIT
#include "mainformfixture.h"
#include "modeldifference.h"

#include "scenes/numbertext.h"

#include <QApplication>
#include <QLocale>
#include <QTabWidget>

namespace {

struct ListingFixture : MainFormFixture {
    ListingFixture()
    {
        TaonSystem scene = SceneOf({1, 3});
        scene.X[1] = 0.000001L;
        scene.Y[1] = 0.00001L;
        scene.Z[1] = 0.5L;
        scene.U[1] = -2;
        scene.V[1] = 1e20L;
        scene.W[1] = 0.125L;
        scene.X[2] = 9; // absent: never listed
        StartWith(SaveScene(QStringLiteral("listing.ato"), scene));
    }
    QString Cell(int column, int row) const { return Find<StringGrid>("DaonsTable")->Cell(column, row); }
    void DoubleClickListing()
    {
        StringGrid* grid = Find<StringGrid>("DaonsTable");
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(0, 1)).center());
    }
    // The field named, its text replaced by keys as a user types it.
    QLineEdit* Retype(const QString& field, const QString& text)
    {
        QLineEdit* edit = Find(field.toLatin1().constData());
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
        return edit;
    }
};

} // namespace

class ParameterPanelTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    void listingShowsPositionsThenVelocities()
    {
        ListingFixture f;
        QCOMPARE(f.Cell(0, 0), QString());
        QCOMPARE(QStringList({f.Cell(1, 0), f.Cell(2, 0), f.Cell(3, 0)}), QStringList({"X", "Y", "Z"}));
        for (int i : {1, 2, 57, 100})
            QCOMPARE(f.Cell(0, i), QString::number(i));
        QCOMPARE(f.Cell(1, 1), QStringLiteral("1e-06"));
        QCOMPARE(f.Cell(2, 1), QStringLiteral("0.00001"));
        QCOMPARE(f.Cell(3, 1), QStringLiteral("0.5"));
        QCOMPARE(QStringList({f.Cell(1, 2), f.Cell(2, 2), f.Cell(3, 2)}), QStringList({"", "", ""}));

        f.DoubleClickListing();
        QCOMPARE(QStringList({f.Cell(1, 0), f.Cell(2, 0), f.Cell(3, 0)}), QStringList({"u(x)", "u(y)", "u(z)"}));
        QCOMPARE(QStringList({f.Cell(1, 1), f.Cell(2, 1), f.Cell(3, 1)}), QStringList({"-2", "1e+20", "0.125"}));
        QCOMPARE(f.Cell(1, 2), QString());
        QCOMPARE(f.Cell(0, 2), QStringLiteral("2"));

        f.DoubleClickListing();
        QCOMPARE(f.Cell(1, 0), QStringLiteral("X"));
        QCOMPARE(f.Cell(1, 1), QStringLiteral("1e-06"));
    }

    void numericFieldsRefuseLetters_data()
    {
        QTest::addColumn<QString>("field");
        for (const char* name : {"EditDT", "EditA1", "EditD1", "EditG3"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void numericFieldsRefuseLetters()
    {
        QFETCH(QString, field);
        ListingFixture f;
        auto* edit = f.Find(field.toLatin1().constData());
        edit->clear();
        QTest::keyClicks(edit, QStringLiteral("x 1,a.-5"));
        QCOMPARE(edit->text(), QStringLiteral("1,.-5"));
    }

    // Leaving a field stores its number; text that is no number is reported
    // and the model keeps its value and the field the text.
    void leavingFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("comma");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("dt") << "EditDT" << false << "0.02" << "";
        QTest::newRow("dt under comma") << "EditDT" << true << "0,02" << "";
        QTest::newRow("full stop under comma") << "EditDT" << true << "0.02"
                                               << "'0.02' is not a valid floating point value";
        QTest::newRow("empty") << "EditDT" << false << "" << "'' is not a valid floating point value";
        QTest::newRow("lone minus") << "EditDT" << false << "-" << "'-' is not a valid floating point value";
        QTest::newRow("coefficient") << "EditF2" << false << "7.5" << "";
        QTest::newRow("bad coefficient") << "EditB3" << false << "1-2" << "'1-2' is not a valid floating point value";
    }
    void leavingFields()
    {
        QFETCH(QString, field);
        QFETCH(bool, comma);
        QFETCH(QString, text);
        QFETCH(QString, error);
        if (comma)
            QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        ListingFixture f;
        Real* target = &f.system.dt;
        for (int k = 0; k < CoefficientCount; ++k)
            if (field == QLatin1String("Edit") + QLatin1String(CoefficientNames[k]))
                target = &(f.system.*CoefficientFields[k]);
        const Real before = *target;

        QLineEdit* edit = f.Retype(field, text);
        QTest::keyClick(edit, Qt::Key_Tab); // the focus leaves the field
        if (error.isEmpty()) {
            QCOMPARE(f.dialogs.errors, QStringList());
            QCOMPARE(*target, TextToFloat(text));
        } else {
            QCOMPARE(f.dialogs.errors, QStringList{error});
            QCOMPARE(*target, before);
        }
        QCOMPARE(edit->text(), text);
    }

    // Go runs with what a field shows, also before the field was left: Enter
    // there or Go stores it first, and a text that is no number is reported
    // and starts nothing.
    void goStoresTheFieldBeingEdited_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("enter");
        QTest::addColumn<QString>("error");
        QTest::newRow("coefficient, Enter") << "EditA1" << "2" << true << "";
        QTest::newRow("dt, Go") << "EditDT" << "0.002" << false << "";
        QTest::newRow("no number, Enter") << "EditB3" << "1-2" << true << "'1-2' is not a valid floating point value";
        QTest::newRow("no number, Go") << "EditDT" << "" << false << "'' is not a valid floating point value";
    }
    void goStoresTheFieldBeingEdited()
    {
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(bool, enter);
        QFETCH(QString, error);
        ListingFixture f;
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        Real* target = field == QLatin1String("EditDT") ? &f.system.dt : &f.system.A1;
        if (field == QLatin1String("EditB3"))
            target = &f.system.B3;
        const Real before = *target;
        QLineEdit* edit = f.Retype(field, text);
        QTimer stopper;
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            if (!f.system.Stopped)
                f.Find<QPushButton>("Go")->click();
        });
        stopper.start(0);
        if (enter)
            QTest::keyClick(edit, Qt::Key_Return);
        else
            f.Find<QPushButton>("Go")->click();
        QCOMPARE(f.dialogs.errors, error.isEmpty() ? QStringList() : QStringList{error});
        QCOMPARE(f.system.StepCount > 0, error.isEmpty());
        QCOMPARE(*target, error.isEmpty() ? TextToFloat(text) : before);
        QCOMPARE(edit->text(), text);
    }

    // Filled fields show the start of their text; leaving one unchanged
    // stores nothing, so a third stays a third, not its 15 digits.
    void untouchedFieldsShowTheirStartAndKeepTheModel()
    {
        MainFormFixture f;
        f.Start();
        TaonSystem scene = SceneOf({1, 2}, 1.0L / 3);
        for (int k = 0; k < CoefficientCount; ++k)
            scene.*CoefficientFields[k] = Real(k + 1) / 3 + 2;
        f.dialogs.openAnswers.push_back(f.SaveScene(QString(120, QLatin1Char('p')) + QStringLiteral(".ato"), scene));
        f.form->Open1Click();
        QList<QLineEdit*> fields{f.Find("FName"), f.Find("EditDT")};
        for (QLineEdit* edit : f.CoefficientEdits())
            fields.append(edit);
        for (QLineEdit* edit : fields)
            QCOMPARE(edit->cursorPosition(), 0);
        for (QLineEdit* edit : fields.mid(1)) {
            edit->setFocus();
            QTest::keyClick(edit, Qt::Key_Tab);
        }
        QVERIFY(SameBits(f.system.dt, scene.dt));
        for (int k = 0; k < CoefficientCount; ++k)
            QVERIFY2(SameBits(f.system.*CoefficientFields[k], scene.*CoefficientFields[k]), CoefficientNames[k]);
    }

    // A click on a turn-pad or zoom button takes the focus: the typed dt is
    // stored, and Enter then presses that button, not Go.
    void padButtonsTakeTheFocus()
    {
        ListingFixture f;
        for (QPushButton* pad : {f.Find<QPushButton>("DaoTeta"), f.Find<QPushButton>("DaoForvard")}) {
            f.Find("EditDT")->setFocus();
            QTest::keyClicks(f.Find("EditDT"), QStringLiteral("5"));
            QTest::mouseClick(pad, Qt::LeftButton);
            QCOMPARE(QApplication::focusWidget(), pad);
            QCOMPARE(f.system.dt, TextToFloat(f.Find("EditDT")->text()));
            QTest::keyClick(pad, Qt::Key_Return);
            QVERIFY(f.system.Stopped && f.system.StepCount == 0);
        }
    }

    // A focus change to a dialog or a menu is no leaving of the field.
    void focusToAnotherWindowIsNoLeaving()
    {
        ListingFixture f;
        f.Find("EditDT")->setFocus();
        f.Find("EditDT")->setText(QStringLiteral("bad"));
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(f.dialogs.errors, QStringList());
    }
};

QTEST_MAIN(ParameterPanelTest)
#include "parameterpanel_test.moc"
