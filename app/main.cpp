#include "model/taonsystem.h"
#include "scenes/filesizelimit.h"
#include "ui/mainform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    LetFileSizeLimitFailWrites();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zarvitone"));
    QGuiApplication::setDesktopFileName(QStringLiteral("zarvitone"));
    static TaonSystem taons; // the one model of the program
    TMainForm mainForm(taons);
    mainForm.show();
    return QApplication::exec();
}
