// SPDX-License-Identifier: MIT
#include "view/standinfont.h"

#include <QHash>

namespace {

QString InstalledFamily(const QString& windowsFamily)
{
    static const QHash<QString, QString> standIns = {
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("MS Serif"), QStringLiteral("Liberation Serif")},
    };
    return standIns.value(windowsFamily, windowsFamily);
}

int PixelSize(int pointSize)
{
    return (pointSize * 96 + 36) / 72;
}

} // namespace

QFont StandInFont(const QString& windowsFamily, int pointSize, bool bold)
{
    QFont font(InstalledFamily(windowsFamily));
    font.setPixelSize(PixelSize(pointSize));
    font.setBold(bold);
    return font;
}

QFont ArrowFont(int pointSize)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(PixelSize(pointSize));
    return font;
}

const QFont& LabelFont()
{
    static const QFont font = [] {
        QFont font = StandInFont(QStringLiteral("MS Sans Serif"), 8);
        font.setStyleStrategy(QFont::NoAntialias);
        return font;
    }();
    return font;
}
