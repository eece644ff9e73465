// SPDX-License-Identifier: MIT
#include "model/usererror.h"
#include "scenes/figures.h"
#include "scenes/scenefile.h"
#include "scripteddialogs.h"
#include "tempconfig.h"
#include "view/showimages.h"

#include <QTest>

namespace {

// Logs, in order, what the commands did to the window and the view.
class RecordingWindow : public ShowImagesWindow, public ViewRenderer {
public:
    void EnableSceneButtons(bool enabled) override { log << (enabled ? "enable" : "disable"); }
    void ShowFileName(const QString& name) override
    {
        fileName = name;
        log << "FName";
    }
    void FillListing() override { log << "listing"; }
    void SceneReplaced() override { ++replaced; }
    void DrawScene() override { log << "scene"; }
    void DrawSpiral() override { log << "spiral"; }
    QStringList log;
    int replaced = 0;
    QString fileName = QStringLiteral("File Name");
};

TaonSystem SceneOfAHundred()
{
    TaonSystem s;
    s.TaonCount = SlotCount;
    s.dt = 0.02L;
    for (int k = 0; k < CoefficientCount; ++k)
        s.*CoefficientFields[k] = Real(k + 2);
    for (int i = 1; i <= SlotCount; ++i) {
        s.Present[i] = 1;
        s.DrawX[i] = s.NewX[i] = s.X[i] = Real(i) / 7;
        s.DrawY[i] = s.NewY[i] = s.Y[i] = Real(i) / 9;
        s.DrawZ[i] = s.NewZ[i] = s.Z[i] = -Real(i) / 11;
        s.NewU[i] = s.U[i] = 1;
    }
    return s;
}

struct Command {
    TaonSystem system = SceneOfAHundred();
    ViewState view;
    FileNames names;
    ScriptedDialogs dialogs;
    RecordingWindow window;

    void Taons() { Daons1Click(system, view, names, dialogs, window, window); }
};

} // namespace

class ShowImagesTest : public QObject {
    Q_OBJECT
private slots:
    void spiralBuildsTheFigureAfresh()
    {
        TempConfig config;
        Command c;
        c.view.SpiralMode = false;
        c.names.SceneFileName = QStringLiteral("/s/a.ato");
        const TaonSystem before = c.system;
        Spiral1Click(c.system, c.view, c.window, c.window);
        QVERIFY(c.view.SpiralMode);
        QCOMPARE(c.window.log, QStringList({"disable", "spiral"}));
        TaonSystem figure;
        BuildFigure(figure, true);
        QVERIFY(c.system.DrawX == figure.DrawX && c.system.DrawZ == figure.DrawZ);
        QVERIFY(c.system.X == before.X && c.system.U == before.U && c.system.Present == before.Present);
        QCOMPARE(c.names.SceneFileName, QStringLiteral("/s/a.ato"));
        QCOMPARE(c.window.fileName, QStringLiteral("File Name"));
    }

    void taonsWithoutAStartFile()
    {
        TempConfig config;
        Command c;
        const TaonSystem before = c.system;
        c.Taons();
        QCOMPARE(c.dialogs.informations, QStringList({"The start File not found."}));
        QVERIFY(!c.view.SpiralMode);
        QCOMPARE(c.window.log, QStringList({"enable"}));
        QVERIFY(c.system.DrawX == before.DrawX && c.system.Present == before.Present);
        QVERIFY(!QFileInfo::exists(config.StartFile()));
    }

    void taonsWithAnEmptyStartFile()
    {
        TempConfig config;
        config.WriteStartFile({});
        Command c;
        c.system.StepCount = 12;
        c.Taons();
        QCOMPARE(c.window.log, QStringList({"enable", "listing", "FName", "scene"}));
        QCOMPARE(SceneName(c.names), QStringLiteral("This is a stabil structur of taons"));
        QCOMPARE(c.window.fileName, SceneName(c.names));
        QCOMPARE(c.system.X[1], 0.212L);
        QCOMPARE(c.system.B3, 2.718L);
        QCOMPARE(c.system.X[5], Real(5) / 7);
        QCOMPARE(c.system.DrawX[5], 0.0L);
        QCOMPARE(c.system.StepCount, 12);
        QVERIFY(c.dialogs.informations.isEmpty() && c.dialogs.errors.isEmpty());

        const TaonSystem once = c.system;
        c.Taons();
        QVERIFY(c.system.X == once.X && c.system.DrawX == once.DrawX && c.system.Present == once.Present);
        QCOMPARE(c.system.A1, once.A1);
    }

    // The scene cannot be opened: the square stands in, nothing is redrawn
    // or listed, and the field shows the path that failed.
    void taonsWithAMissingScene()
    {
        TempConfig config;
        const QString path = config.Path(QStringLiteral("gone.ato"));
        config.WriteStartFile(path.toUtf8());
        Command c;
        c.Taons();
        QCOMPARE(c.window.log, QStringList({"enable", "FName"}));
        QCOMPARE(c.window.fileName, path);
        QCOMPARE(c.names.SceneFileName, path);
        QCOMPARE(c.names.StartSceneName, path);
        QCOMPARE(c.system.Z[1], -0.212L);
        QCOMPARE(c.system.C2, 5.0L);
        QVERIFY(c.dialogs.errors.isEmpty() && c.dialogs.informations.isEmpty());
    }

    void taonsReloadsTheStartScene()
    {
        TempConfig config;
        const QString path = config.Path(QStringLiteral("start.ato"));
        TaonSystem saved = SceneOfAHundred();
        saved.X[42] = 4.25L;
        saved.Present[43] = 0;
        WriteSceneFile(saved, path);
        config.WriteStartFile(path.toUtf8());
        Command c;
        c.system.StepCount = 9;
        BuildFigure(c.system, true);
        c.Taons();
        QCOMPARE(c.window.log, QStringList({"enable", "FName", "scene", "listing"}));
        QCOMPARE(c.names.SceneFileName, path);
        QCOMPARE(c.system.X[42], 4.25L);
        QCOMPARE(c.system.DrawX[42], 4.25L);
        QCOMPARE(int(c.system.Present[43]), 0);
        QCOMPARE(c.system.DrawX[1], saved.X[1]); // the spiral is gone from the display copies
        QCOMPARE(c.system.dt, 0.02L);
        QCOMPARE(c.system.StepCount, 9);
    }

    void taonsWithADamagedScene()
    {
        TempConfig config;
        const QString path = config.Path(QStringLiteral("short.ato"));
        config.WriteFile(path, QByteArray(100, '\x7f'));
        config.WriteStartFile(path.toUtf8());
        Command c;
        const TaonSystem before = c.system;
        QString error;
        try {
            c.Taons();
        } catch (const UserError& e) {
            error = QString::fromUtf8(e.what());
        }
        QCOMPARE(error, QStringLiteral("Read beyond end of file."));
        QCOMPARE(c.window.log, QStringList({"enable", "FName"}));
        QVERIFY(c.system.X == before.X && c.system.DrawX == before.DrawX && c.system.dt == before.dt);
    }
};

QTEST_GUILESS_MAIN(ShowImagesTest)
#include "showimages_test.moc"
