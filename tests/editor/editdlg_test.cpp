// SPDX-License-Identifier: MIT
#include "editorfixture.h"

#include "model/extended.h"
#include "scenes/startfile.h"

#include <QFile>
#include <QHeaderView>
#include <QLocale>
#include <QTimer>

class EditDlgTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void opensWithTheModel()
    {
        EditorFixture f;
        f.Open();
        QCOMPARE(f.dialog.windowTitle(), QStringLiteral(" Editing of gravon's or taon's values"));
        QCOMPARE(f.Field("EditFileName")->text(), QStringLiteral("/scenes/current.ato"));
        QCOMPARE(f.Field("EditDT")->text(), QStringLiteral("0.001"));
        QCOMPARE(f.Field("EditA1")->text(), QStringLiteral("0.25"));
        QCOMPARE(f.Field("EditG3")->text(), QStringLiteral("4.5"));
        QCOMPARE(f.Number(), QStringLiteral("1"));
        QCOMPARE(f.Field("EditX")->text(), QStringLiteral("1"));
        QCOMPARE(f.Field("EditV")->text(), QStringLiteral("-1"));  // U
        QCOMPARE(f.Field("EditU")->text(), QStringLiteral("-10")); // V
        QCOMPARE(f.Field("EditW")->text(), QStringLiteral("-100"));
        QVERIFY(f.Find<QCheckBox>("DaoTrue")->isChecked());
        StringGrid* grid = f.Grid();
        QCOMPARE(grid->Cell(0, 0), QStringLiteral("Taons"));
        QCOMPARE(grid->Cell(1, 0), QStringLiteral("X"));
        QCOMPARE(grid->Cell(3, 0), QStringLiteral("Z"));
        QCOMPARE(grid->Cell(0, 100), QStringLiteral("100"));
        QCOMPARE(grid->Cell(2, 7), QStringLiteral("70"));
        QCOMPARE(grid->Cell(1, 5), QString()); // absent
        QCOMPARE(grid->Cell(1, 101), QString());
    }

    void rowSevenByArrowKeys()
    {
        EditorFixture f;
        f.Open();
        f.Grid()->setFocus();
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(f.Grid(), Qt::Key_Down);
        QCOMPARE(f.Grid()->Row(), 7);
        QCOMPARE(f.Number(), QStringLiteral("7"));
        QCOMPARE(f.Field("EditY")->text(), QStringLiteral("70"));
        QCOMPARE(f.Field("EditV")->text(), QStringLiteral("-7"));
        QTest::keyClick(f.Grid(), Qt::Key_Left); // the number column is not selectable
        QCOMPARE(f.Grid()->currentColumn(), 1);
    }

    void rowSevenByClickAlsoRefreshesTheGrid()
    {
        EditorFixture f;
        f.Open();
        QTest::mouseClick(f.Grid()->viewport(), Qt::LeftButton, {}, f.CellCentre(0, 7));
        QCOMPARE(f.Grid()->Row(), 1); // the number column is fixed
        f.system.X[3] = 33; // changed behind the grid's back
        QTest::mouseClick(f.Grid()->viewport(), Qt::LeftButton, {}, f.CellCentre(2, 7));
        QCOMPARE(f.Grid()->Row(), 7);
        QCOMPARE(f.Number(), QStringLiteral("7"));
        QCOMPARE(f.Field("EditZ")->text(), QStringLiteral("700"));
        QCOMPARE(f.Grid()->Cell(1, 3), QStringLiteral("33"));
        // Arrow keys only select: the grid is not refilled.
        f.system.X[3] = 44;
        QTest::keyClick(f.Grid(), Qt::Key_Up);
        QCOMPARE(f.Number(), QStringLiteral("6"));
        QCOMPARE(f.Grid()->Cell(1, 3), QStringLiteral("33"));
    }

    void doubleClickSwitchesMode_data()
    {
        QTest::addColumn<bool>("taoscope");
        QTest::addColumn<QString>("positionsHeader");
        QTest::newRow("Taoscope") << true << "Taons";
        QTest::newRow("Gravoscope") << false << "Gravons";
    }
    void doubleClickSwitchesMode()
    {
        QFETCH(bool, taoscope);
        QFETCH(QString, positionsHeader);
        EditorFixture f;
        f.taoscope = taoscope;
        f.Open();
        StringGrid* grid = f.Grid();
        const auto headers = [grid] {
            return QStringList{grid->Cell(0, 0), grid->Cell(1, 0), grid->Cell(2, 0), grid->Cell(3, 0)};
        };
        QCOMPARE(headers(), (QStringList{positionsHeader, "X", "Y", "Z"}));
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, f.CellCentre(1, 2));
        QCOMPARE(headers(), (QStringList{"Velo", "u(x)", "u(y)", "u(z)"}));
        QCOMPARE(grid->Cell(1, 2), QStringLiteral("-2"));
        QCOMPARE(grid->Cell(3, 7), QStringLiteral("-700"));
        QCOMPARE(grid->Cell(2, 5), QString()); // absent in both modes
        QTest::mouseDClick(grid->horizontalHeader()->viewport(), Qt::LeftButton, {}, QPoint(50, 9));
        QCOMPARE(headers(), (QStringList{positionsHeader, "X", "Y", "Z"}));
        QCOMPARE(grid->Cell(2, 5), QString());

        // The mode and the row stay for the next opening.
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, f.CellCentre(1, 3));
        f.Reopen();
        QCOMPARE(grid->Cell(0, 0), QStringLiteral("Velo"));
        QCOMPARE(grid->Row(), 3);
        QCOMPARE(f.Number(), QStringLiteral("3"));
    }

    void yesStoresTheXVelocityFromEditV()
    {
        EditorFixture f;
        f.Open();
        f.Type("EditV", QStringLiteral("5"));
        f.Click("Submit");
        QCOMPARE(double(f.system.U[1]), 5.0);
        QCOMPARE(double(f.system.V[1]), -10.0);
        QCOMPARE(double(f.system.NewU[1]), 0.0); // the working copy waits for OK
        QTest::mouseDClick(f.Grid()->viewport(), Qt::LeftButton, {}, f.CellCentre(1, 1));
        QCOMPARE(f.Grid()->Cell(1, 1), QStringLiteral("5"));
        QVERIFY(f.dialogs.errors.isEmpty());
    }

    void clearingPresenceEmptiesTheRow()
    {
        EditorFixture f;
        f.Open();
        QCOMPARE(f.Grid()->Cell(1, 1), QStringLiteral("1"));
        f.Find<QCheckBox>("DaoTrue")->setChecked(false);
        f.Click("Submit");
        QCOMPARE(int(f.system.Present[1]), 0);
        for (int column = 1; column <= 3; ++column)
            QCOMPARE(f.Grid()->Cell(column, 1), QString());
        QCOMPARE(f.Grid()->Cell(0, 1), QStringLiteral("1"));
        QCOMPARE(double(f.system.X[1]), 1.0); // kept, only hidden
    }

    void badZStoresXAndYOnly()
    {
        EditorFixture f;
        f.Open();
        f.Type("EditX", QStringLiteral("7"));
        f.Type("EditY", QStringLiteral("8"));
        f.Type("EditZ", QStringLiteral("1-2"));
        f.Type("EditV", QStringLiteral("9"));
        f.Find<QCheckBox>("DaoTrue")->setChecked(false);
        f.Click("Submit");
        QCOMPARE(f.dialogs.errors, QStringList{"'1-2' is not a valid floating point value"});
        QCOMPARE(double(f.system.X[1]), 7.0);
        QCOMPARE(double(f.system.Y[1]), 8.0);
        QCOMPARE(double(f.system.Z[1]), 100.0);
        QCOMPARE(double(f.system.U[1]), -1.0);
        QCOMPARE(int(f.system.Present[1]), 1);
        QCOMPARE(f.Grid()->Cell(1, 1), QStringLiteral("1")); // no refill
        QVERIFY(f.dialog.isVisible());
    }

    // Every store goes through the hook under its caption, the failing one
    // too; a cancelled file choice stores nothing and reaches no hook.
    void everyStoreRunsThroughTheHook()
    {
        EditorFixture f;
        QStringList captions;
        f.dialog.SetStoreHook([&](const QString& caption, const std::function<void()>& store) {
            captions << caption;
            store();
        });
        f.dialogs.saveAnswers = {f.config.Path(QStringLiteral("copy.ato")), std::nullopt,
                                 f.config.Path(QStringLiteral("ok.ato"))};
        f.Open();
        f.Type("EditZ", QStringLiteral("1-2"));
        f.Click("Submit");
        f.Click("Saveas");
        f.Click("Saveas");
        f.Click("OKBtn");
        QCOMPARE(captions, QStringList({"Point 1", "Point Editor Save As", "Point Editor OK"}));
        QCOMPARE(f.dialogs.errors, QStringList{"'1-2' is not a valid floating point value"});
    }

    void okWithCancelledFileChoiceClosesAsOk()
    {
        EditorFixture f;
        f.dialogs.saveAnswers = {std::nullopt};
        f.Open();
        f.Type("EditB2", QStringLiteral("77"));
        f.Type("EditDT", QStringLiteral("0.5"));
        f.Click("OKBtn");
        QCOMPARE(f.dialogs.saveDialogs, 1);
        QVERIFY(!f.dialog.isVisible());
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(double(f.system.B2), 2.0);
        QCOMPARE(double(f.system.dt), 0.001);
        QCOMPARE(f.names.SceneFileName, QStringLiteral("/scenes/current.ato"));
        QVERIFY(!QFile::exists(StartFilePath()));
    }

    void okAfterAnErrorClosesAsOk()
    {
        EditorFixture f;
        f.dialogs.saveAnswers = {f.config.Path(QStringLiteral("out.ato"))};
        f.Open();
        f.Type("EditB1", QStringLiteral("8"));
        f.Type("EditC1", QStringLiteral("-"));
        f.Click("OKBtn");
        QCOMPARE(f.dialogs.errors, QStringList{"'-' is not a valid floating point value"});
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        QVERIFY(!QFile::exists(f.config.Path(QStringLiteral("out.ato"))));
        QCOMPARE(double(f.system.B1), 8.0); // stored before the bad field
        QCOMPARE(double(f.system.C1), 0.75);
    }

    void okWritesSavesStartAndSynchronisesPresentPoints()
    {
        EditorFixture f;
        const QString path = f.config.Path(QStringLiteral("edited.ato"));
        f.dialogs.saveAnswers = {path};
        f.system.NewX[5] = 55; // an absent slot keeps its copies
        f.system.DrawX[5] = 56;
        f.Open();
        f.Type("EditX", QStringLiteral("2.5"));
        f.Click("Submit");
        f.Type("EditDT", QStringLiteral("0.002"));
        f.Type("EditG3", QStringLiteral("-3"));
        f.Click("OKBtn");
        QVERIFY(f.dialogs.errors.isEmpty());
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        QCOMPARE(double(f.system.dt), 0.002);
        QCOMPARE(double(f.system.G3), -3.0);
        QCOMPARE(f.names.SceneFileName, path);
        QCOMPARE(f.names.StartSceneName, path);
        QCOMPARE(f.config.ReadFile(StartFilePath()), QFile::encodeName(path));

        const QByteArray bytes = f.config.ReadFile(path);
        QCOMPARE(bytes.size(), SceneRecordSize);
        const auto* raw = reinterpret_cast<const std::uint8_t*>(bytes.constData());
        QCOMPARE(double(LoadExtended(raw + SceneLayout::Dt)), 0.002);
        QCOMPARE(double(LoadExtended(raw + SceneLayout::X)), 2.5);

        for (int i : {1, 2, 7}) {
            QCOMPARE(double(f.system.NewX[i]), double(f.system.X[i]));
            QCOMPARE(double(f.system.DrawZ[i]), double(f.system.Z[i]));
            QCOMPARE(double(f.system.NewW[i]), double(f.system.W[i]));
        }
        QCOMPARE(double(f.system.NewX[1]), 2.5);
        QCOMPARE(double(f.system.NewX[5]), 55.0);
        QCOMPARE(double(f.system.DrawX[5]), 56.0);
        QCOMPARE(double(f.system.NewU[5]), 0.0);
    }

    void saveAsWritesACopyOnly()
    {
        EditorFixture f;
        const QString copy = f.config.Path(QStringLiteral("copy.ato"));
        f.dialogs.saveAnswers = {copy, std::nullopt};
        f.Open();
        f.Type("EditA3", QStringLiteral("9"));
        f.Click("Saveas");
        QCOMPARE(f.Field("EditFileName")->text(), copy);
        QCOMPARE(double(f.system.A3), 9.0);
        QCOMPARE(f.config.ReadFile(copy).size(), SceneRecordSize);
        QCOMPARE(f.names.SceneFileName, QStringLiteral("/scenes/current.ato"));
        QVERIFY(!QFile::exists(StartFilePath()));
        QCOMPARE(double(f.system.NewX[1]), 0.0); // no synchronising
        f.dialog.repaint();
        QCOMPARE(f.Field("EditFileName")->text(), copy);

        f.Click("Saveas"); // cancelled: nothing changes
        QCOMPARE(f.Field("EditFileName")->text(), copy);
        QVERIFY(f.dialog.isVisible());

        f.Reopen();
        QCOMPARE(f.Field("EditFileName")->text(), QStringLiteral("/scenes/current.ato"));
    }

    // Covering and uncovering the dialog repaints it; typing must survive
    // that and give way only to the next opening.
    void typingSurvivesRepaintsUntilReopened()
    {
        EditorFixture f;
        f.Open();
        f.Type("EditA2", QStringLiteral("123"));
        f.Type("EditX", QStringLiteral("4"));
        f.dialog.repaint();
        QCoreApplication::processEvents();
        QCOMPARE(f.Field("EditA2")->text(), QStringLiteral("123"));
        QCOMPARE(f.Field("EditX")->text(), QStringLiteral("4"));
        f.Reopen();
        QCOMPARE(f.Field("EditA2")->text(), QStringLiteral("1.75"));
        QCOMPARE(f.Field("EditX")->text(), QStringLiteral("1"));
    }

    void enterEscapeAndCloseBox()
    {
        EditorFixture f;
        f.dialogs.saveAnswers = {std::nullopt};
        f.Open();
        f.Field("EditX")->setFocus();
        QTest::keyClick(f.Field("EditX"), Qt::Key_Return);
        QCOMPARE(f.dialogs.saveDialogs, 1); // OK ran, not "&Yes"
        QCOMPARE(f.dialog.result(), int(QDialog::Accepted));
        QVERIFY(!f.dialog.isVisible());

        f.Open();
        f.Type("EditY", QStringLiteral("6"));
        f.Button("Submit")->setFocus();
        QTest::keyClick(f.Button("Submit"), Qt::Key_Return);
        QCOMPARE(double(f.system.Y[1]), 6.0);
        QVERIFY(f.dialog.isVisible());
        QCOMPARE(f.dialogs.saveDialogs, 1);
        // Back in a field, Enter is OK's again.
        f.Field("EditZ")->setFocus();
        f.dialogs.saveAnswers = {std::nullopt};
        QTest::keyClick(f.Field("EditZ"), Qt::Key_Enter);
        QCOMPARE(f.dialogs.saveDialogs, 2);
        QVERIFY(!f.dialog.isVisible());

        f.Open();
        QTest::keyClick(f.Field("EditDT"), Qt::Key_Escape);
        QVERIFY(!f.dialog.isVisible());
        QCOMPARE(f.dialog.result(), int(QDialog::Rejected));

        f.Open();
        f.dialog.close();
        QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
        QVERIFY(f.dialogs.unexpected.isEmpty());
    }

    void execReturnsTheResult()
    {
        EditorFixture f;
        f.dialogs.saveAnswers = {std::nullopt};
        QTimer::singleShot(0, &f.dialog, [&f] { f.Click("CancelBtn"); });
        QCOMPARE(f.dialog.exec(), int(QDialog::Rejected));
        QTimer::singleShot(0, &f.dialog, [&f] { f.Click("OKBtn"); });
        QCOMPARE(f.dialog.exec(), int(QDialog::Accepted));
    }

    void cancelKeepsWhatYesStored()
    {
        EditorFixture f;
        f.Open();
        f.Type("EditW", QStringLiteral("3"));
        f.Click("Submit");
        f.Click("CancelBtn");
        QCOMPARE(f.dialog.result(), int(QDialog::Rejected));
        QCOMPARE(double(f.system.W[1]), 3.0);
    }

    // Every numeric field refuses letters, also those the window design
    // left unfiltered.
    void fieldsRefuseLetters_data()
    {
        QTest::addColumn<QString>("name");
        for (const char* name : {"EditDT", "EditA1", "EditF1", "EditG1", "EditB2", "EditG3", "EditX", "EditW",
                                 "EditCal1Part1", "EditCal4Part2", "EditResult3", "EditCal5Part3",
                                 "EditResultZ4", "ToCel"})
            QTest::newRow(name) << QString::fromLatin1(name);
    }
    void fieldsRefuseLetters()
    {
        QFETCH(QString, name);
        EditorFixture f;
        f.Open();
        f.Type(name.toLatin1().constData(), QStringLiteral("a-1b,5e"));
        QCOMPARE(f.Field(name.toLatin1().constData())->text(), QStringLiteral("-1,5"));
    }

    void commaLocaleNumbers()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        EditorFixture f;
        f.Open();
        QCOMPARE(f.Field("EditDT")->text(), QStringLiteral("0,001"));
        f.Type("EditX", QStringLiteral("1,25"));
        f.Type("EditY", QStringLiteral("1.25"));
        f.Click("Submit");
        QLocale::setDefault(QLocale::c());
        QCOMPARE(double(f.system.X[1]), 1.25);
        QCOMPARE(f.dialogs.errors, QStringList{"'1.25' is not a valid floating point value"});
    }
};

QTEST_MAIN(EditDlgTest)
#include "editdlg_test.moc"
