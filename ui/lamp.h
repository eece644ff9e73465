// SPDX-License-Identifier: MIT
#pragma once

#include <QColor>
#include <QWidget>

// A round status lamp with a settable fill.
class Lamp : public QWidget {
    Q_OBJECT
public:
    explicit Lamp(QWidget* parent = nullptr);
    void SetFill(const QColor& fill);
    QColor Fill() const { return fill_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_;
};
