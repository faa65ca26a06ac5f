// marn-viewer: the desktop viewer. A run starts at the input window and
// computes one display area; it has no command-line options of its own.

#include "core/SharedState.h"
#include "input/frmInputs.h"
#include "output/PictureOutput.h"
#include "ui/QtPlatform.h"
#include "ui/QtPrinterService.h"

#include <QApplication>
#include <QFile>

#include <cstring>
#include <iostream>
#include <optional>

namespace {

constexpr const char* Usage =
    "usage: marn-viewer [--help | --version]\n\n"
    "Starts the terrain-height viewer at its input window. The data drive and the\n"
    "picture directory are read from Drive.dat and Picture.pat next to the program, or\n"
    "from $XDG_CONFIG_HOME/marn-viewer (~/.config/marn-viewer) when no file can be\n"
    "created next to the program.\n"
    "  --help     this text\n"
    "  --version  the viewer's version\n";

// --help and --version answer before any window exists; nullopt: go on.
std::optional<int> AnswerInformationOption(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::cout << Usage;
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::cout << "marn-viewer " << MARN_VERSION << '\n';
            return 0;
        }
    }
    return std::nullopt;
}

} // namespace

int main(int argc, char** argv)
{
    if (const std::optional<int> status = AnswerInformationOption(argc, argv))
        return *status;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("MARN_VIEWER"));
    if (argc > 1) {
        std::cerr << "marn-viewer: unknown argument '" << argv[1] << "'\n" << Usage;
        return 2;
    }

    marn::SharedState state;
    marn::QtPlatform platform;
    state.ProgramDir = QFile::encodeName(platform.programDir()).toStdString();
    marn::QtPrinterService printers;
    marn::PictureOutput output(state, platform, printers);
    marn::frmInputs input(state, platform, &output);
    input.show();
    return QApplication::exec();
}
