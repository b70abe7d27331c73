#include "app/infocommand.h"
#include "app/runwindow.h"

#include <QCoreApplication>
#include <QStringList>

#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr const char* Usage =
    "Usage: velantro [FILE.ibg]\n"
    "       velantro --info FILE.ibg\n"
    "\n"
    "Shows an ImgBurn graph data file: the drive, the information values, the\n"
    "speed and RPM chart and the buffer and CPU chart.\n"
    "\n"
    "Options:\n"
    "  --info FILE   print the drive, the information values and the sections\n"
    "                found in FILE, without opening a window\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n";

int UsageError(const std::string& message)
{
    std::cerr << "velantro: " << message << "\n" << Usage;
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--", 0) != 0) {
            paths.push_back(argument);
            continue;
        }
        if (argument == "--help") {
            std::cout << Usage;
            return 0;
        }
        if (argument == "--version") {
            std::cout << "velantro " << VELANTRO_VERSION << "\n";
            return 0;
        }
        if (argument == "--info") {
            if (i + 1 >= argc)
                return UsageError("--info needs a file");
            if (i + 2 < argc)
                return UsageError("--info takes one file");
            QCoreApplication application(argc, argv);
            return velantro::RunInfo(argv[i + 1], std::cout, std::cerr);
        }
        return UsageError("unknown option " + argument);
    }
    // The argument string as one text, the way a single command-line argument arrives.
    QStringList joined;
    for (const std::string& path : paths)
        joined << QString::fromLocal8Bit(path.c_str());
    return velantro::RunWindow(argc, argv, joined.join(QLatin1Char(' ')));
}
