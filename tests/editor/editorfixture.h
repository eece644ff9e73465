// SPDX-License-Identifier: MIT
#pragma once

#include "editor/editdlg.h"
#include "view/stringgrid.h"
#include "scripteddialogs.h"
#include "tempconfig.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The editor over a small scene: slots 1..3 and 7 present, slot 5 absent,
// every coefficient different, the start file in a scratch folder.
struct EditorFixture {
    TempConfig config;
    TaonSystem system;
    FileNames names;
    ScriptedDialogs dialogs;
    bool taoscope = true;
    TEditDlg dialog{system, names, dialogs, [this] { return taoscope; }};

    EditorFixture()
    {
        system.TaonCount = SlotCount;
        system.dt = 0.001L;
        for (int k = 0; k < CoefficientCount; ++k)
            system.*CoefficientFields[k] = Real(k + 1) / 4;
        for (int i : {1, 2, 3, 5, 7}) {
            system.X[i] = i;
            system.Y[i] = 10 * i;
            system.Z[i] = 100 * i;
            system.U[i] = -i;
            system.V[i] = -10 * i;
            system.W[i] = -100 * i;
            system.Present[i] = i == 5 ? 0 : 1;
        }
        names.SceneFileName = QStringLiteral("/scenes/current.ato");
        names.StartSceneName = names.SceneFileName;
    }

    template <class Widget = QLineEdit>
    Widget* Find(const char* name)
    {
        auto* widget = dialog.findChild<Widget*>(QLatin1String(name));
        if (!widget)
            qFatal("no control %s", name);
        return widget;
    }
    QLineEdit* Field(const char* name) { return Find<QLineEdit>(name); }
    QPushButton* Button(const char* name) { return Find<QPushButton>(name); }
    StringGrid* Grid() { return Find<StringGrid>("DaonsTable"); }
    QString Number() { return Find<QLabel>("NumberOfTaon")->text(); }

    void Open()
    {
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }
    void Reopen()
    {
        dialog.hide();
        Open();
    }
    void Type(const char* name, const QString& text)
    {
        QLineEdit* field = Field(name);
        field->setFocus();
        field->clear();
        QTest::keyClicks(field, text);
    }
    void Click(const char* button) { QTest::mouseClick(Button(button), Qt::LeftButton); }
    QPoint CellCentre(int column, int row)
    {
        return Grid()->visualItemRect(Grid()->item(row - 1, column)).center();
    }
};
