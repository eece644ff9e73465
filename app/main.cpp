#include "model/taonsystem.h"
#include "ui/mainform.h"

#include <QApplication>
#include <QFileInfo>

#include <csignal>

int main(int argc, char* argv[])
{
    // Past a file-size limit a write should fail like a full disk, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);

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
