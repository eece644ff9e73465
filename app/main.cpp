#include "model/taonsystem.h"
#include "ui/mainform.h"

#include <QApplication>

#include <csignal>

int main(int argc, char* argv[])
{
    // Past a file-size limit a write should fail like a full disk, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zarvitone"));
    QGuiApplication::setDesktopFileName(QStringLiteral("zarvitone"));
    static TaonSystem taons; // the one model of the program
    TMainForm mainForm(taons);
    mainForm.show();
    return QApplication::exec();
}
