// SPDX-License-Identifier: MIT
#include "model/taonsystem.h"
#include "scenes/filesizelimit.h"
#include "ui/mainform.h"
#include "version.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

const char* const Usage = R"(Usage: zarvitone [FILE.ato]

Simulate taons and gravons in three dimensions. Without FILE.ato the scene
named by the start file opens, or a built-in figure when there is none.

  FILE.ato       open this scene at start, as File > Open would
  --help, -h     show this text
  --version      show the version
  --             end of options: a FILE.ato that starts with - follows
)";

// The answer to --help or --version, before any window system is needed, as
// desktop programs give it; nothing when the program is to start.
std::optional<int> AnswerAndExit(int argc, char* argv[])
{
    for (int k = 1; k < argc && std::strcmp(argv[k], "--") != 0; ++k) {
        const bool help = std::strcmp(argv[k], "--help") == 0 || std::strcmp(argv[k], "-h") == 0;
        if (!help && std::strcmp(argv[k], "--version") != 0)
            continue;
        const int written = help ? std::fputs(Usage, stdout) : std::printf("zarvitone %s\n", ZarvitoneVersion);
        return written >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = AnswerAndExit(argc, argv))
        return *status;
    LetFileSizeLimitFailWrites();

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zarvitone"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.zarvitone.Zarvitone"));
    // Qt's own options are gone from the arguments by now: any other option
    // is a mistake, told like a command-line program tells it.
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (!arguments.isEmpty() && arguments.first() == QLatin1String("--"))
        arguments.removeFirst();
    else if (!arguments.isEmpty() && arguments.first().startsWith(QLatin1Char('-'))) {
        std::fprintf(stderr, "zarvitone: unknown option '%s' (try --help)\n", qPrintable(arguments.first()));
        return 2;
    }
    static TaonSystem taons; // the one model of the program
    TMainForm mainForm(taons);
    mainForm.show();
    // A scene given on the command line (the desktop's "open with") opens as
    // File › Open would open it, after the usual start-up.
    if (!arguments.isEmpty())
        mainForm.OpenScene(QFileInfo(arguments.first()).absoluteFilePath());
    return QApplication::exec();
}
