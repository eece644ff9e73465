// SPDX-License-Identifier: MIT
#pragma once

#include "model/groups.h"
#include "scenes/scenefile.h"
#include "ui/mainform.h"
#include "scripteddialogs.h"
#include "tempconfig.h"
#include "view/stringgrid.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <memory>
#include <vector>

// A scene of the given present slots at distinct places away from the origin
// (where the empty slots lie), all at rest, with the coefficients 1, 1, 2, 3,
// 4, 5 in every group.
inline TaonSystem SceneOf(std::initializer_list<int> present, Real dt = 0.001L)
{
    TaonSystem scene;
    scene.TaonCount = SlotCount;
    scene.dt = dt;
    const Real row[] = {1, 1, 2, 3, 4, 5};
    for (int k = 0; k < CoefficientCount; ++k)
        scene.*CoefficientFields[k] = row[k % 6];
    for (int i : present) {
        scene.X[i] = 0.3L * i + 1;
        scene.Y[i] = 0.2L * (i % 5) + 0.5L;
        scene.Z[i] = -0.25L * (i % 7) - 0.5L;
        scene.Present[i] = 1;
    }
    return scene;
}

// The main window over a scratch configuration folder, with scripted dialogs.
struct MainFormFixture {
    TempConfig config;
    ScriptedDialogs dialogs;
    TaonSystem system;
    std::unique_ptr<TMainForm> form;

    QString SaveScene(const QString& name, TaonSystem scene)
    {
        const QString path = config.Path(name);
        WriteSceneFile(scene, path);
        return path;
    }
    // The start file names this scene, and the window starts.
    void StartWith(const QString& path)
    {
        config.WriteStartFile(path.toUtf8());
        Start();
    }
    void Start()
    {
        form = std::make_unique<TMainForm>(system, &dialogs);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    // A control by its object name, as a user tells it by its place. A window
    // the main window opens may reuse a name: the main window's own wins.
    template <class Widget = QLineEdit>
    Widget* Find(const char* name) const
    {
        const QList<Widget*> found = form->findChildren<Widget*>(QLatin1String(name));
        const auto own = std::find_if(found.begin(), found.end(), [this](QObject* control) {
            const auto* widget = qobject_cast<QWidget*>(control);
            return !widget || widget->window() == form.get();
        });
        if (own != found.end())
            return *own;
        if (found.size() != 1)
            qFatal("no single control %s", name);
        return found.front();
    }
    // The coefficient fields EditA1 .. EditG3, in file order.
    std::vector<QLineEdit*> CoefficientEdits() const
    {
        std::vector<QLineEdit*> fields;
        for (int group = 1; group <= GroupCount; ++group)
            for (char letter : CoefficientLetters)
                fields.push_back(
                    Find(QByteArray("Edit" + QByteArray(1, letter) + QByteArray::number(group)).constData()));
        return fields;
    }
    // The main window's window of that kind, null until it has been made.
    template <class Kind>
    Kind* Window() const
    {
        return form->findChild<Kind*>();
    }
    // Runs until `steps` more steps are done, stopping with the Go button
    // between two steps like a user.
    void RunSteps(int steps)
    {
        const std::int32_t target = system.StepCount + steps;
        QTimer stopper;
        stopper.setInterval(0);
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            if (system.StepCount >= target && !system.Stopped)
                Find<QPushButton>("Go")->click();
        });
        stopper.start();
        Find<QPushButton>("Go")->click(); // returns when the run has ended
    }
    // Runs `action` between two steps of a run that starts now.
    void DuringRun(const std::function<void()>& action)
    {
        QTimer::singleShot(0, form.get(), action);
        Find<QPushButton>("Go")->click();
    }
};
