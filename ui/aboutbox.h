// SPDX-License-Identifier: MIT
#pragma once

#include <QDialog>
#include <QString>

// The about box: program name, six credit lines and two pictures; "OK" closes it.
// Shown modally, its result is ignored.
class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

// The program's version, as the build gives it ("1.0.0").
QString ProgramVersion();
