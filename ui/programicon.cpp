// SPDX-License-Identifier: MIT
#include "ui/programicon.h"

#include <QString>

// The pictures are compiled into this static library; its resources must be
// registered by hand before the first use (at global scope, as Qt requires).
static void RegisterIconResources()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(programicons);
        return true;
    }();
    (void)registered;
}

namespace {

QIcon IconInSizes(const QString& name, std::initializer_list<int> sizes)
{
    RegisterIconResources();
    QIcon icon;
    for (const int size : sizes)
        icon.addFile(QStringLiteral(":/icons/%1-%2.png").arg(name).arg(size), QSize(size, size));
    return icon;
}

} // namespace

QIcon ProgramIcon()
{
    return IconInSizes(QStringLiteral("zarvitone"), {16, 22, 24, 32, 48, 64, 128, 256});
}

QIcon SecondIcon()
{
    return IconInSizes(QStringLiteral("spiral"), {32, 64});
}
