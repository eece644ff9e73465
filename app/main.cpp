#include "model/taonsystem.h"
#include "scenes/filesizelimit.h"
#include "ui/mainform.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char* argv[])
{
    LetFileSizeLimitFailWrites();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zarvitone"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zarvitone.Zarvitone"));
    static TaonSystem taons; // the one model of the program
    TMainForm mainForm(taons);
    mainForm.show();
    // A scene given on the command line (the desktop's "open with") opens as
    // File › Open would open it, after the usual start-up.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1)
        mainForm.OpenScene(QFileInfo(arguments.at(1)).absoluteFilePath());
    return QApplication::exec();
}
