#include "app/exportcommand.h"
#include "app/infocommand.h"
#include "app/runwindow.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr const char* Usage =
    "Usage: velantro [FILE.ibg]\n"
    "       velantro --info FILE.ibg\n"
    "       velantro --export OUT.png [--raw | --average N] [--hide SERIES,...] FILE.ibg\n"
    "\n"
    "Shows an ImgBurn graph data file: the drive, the information values, the\n"
    "speed and RPM chart and the buffer and CPU chart.\n"
    "\n"
    "Options:\n"
    "  --info FILE   print the drive, the information values and the sections\n"
    "                found in FILE, without opening a window\n"
    "  --export OUT.png\n"
    "                write the window as it looks with FILE loaded to OUT.png,\n"
    "                without a window or a display; with it:\n"
    "    --raw         plot every sample\n"
    "    --average N   plot block averages of N samples (2, 5, 10, 15, 20, 25;\n"
    "                  10 when neither is given)\n"
    "    --hide LIST   leave out the series named in LIST, separated by commas:\n"
    "                  write-speed, write-rpm, write-cpu, write-buffer,\n"
    "                  verify-speed, verify-rpm, verify-cpu\n"
    "  --help        show this help and exit\n"
    "  --version     show the version and exit\n";

int UsageError(const std::string& message)
{
    std::cerr << "velantro: " << message << "\n" << Usage;
    return 2;
}

// --export OUT.png [--raw | --average N] [--hide SERIES,...] FILE, options in any order.
int Export(int argc, char** argv, int first)
{
    velantro::ExportOptions options;
    bool averageGiven = false;
    std::vector<std::string> files;
    for (int i = first; i < argc; ++i) {
        const std::string argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == "--raw") {
            options.Raw = true;
        } else if (argument == "--average" && hasValue) {
            const std::string size = argv[++i];
            const std::vector<std::string> sizes = {"2", "5", "10", "15", "20", "25"};
            if (std::find(sizes.begin(), sizes.end(), size) == sizes.end())
                return UsageError("--average takes 2, 5, 10, 15, 20 or 25");
            options.BlockSize = std::stoi(size);
            averageGiven = true;
        } else if (argument == "--hide" && hasValue) {
            std::stringstream list(argv[++i]);
            std::string name;
            while (std::getline(list, name, ',')) {
                const auto* names = std::begin(velantro::SeriesOptionNames);
                const auto* found = std::find_if(names, std::end(velantro::SeriesOptionNames),
                                                 [&](const char* n) { return name == n; });
                if (found == std::end(velantro::SeriesOptionNames))
                    return UsageError("unknown series " + name);
                options.Hidden.insert(static_cast<int>(found - names));
            }
        } else if (argument.rfind("--", 0) == 0) {
            return UsageError("unknown or incomplete option " + argument);
        } else {
            files.push_back(argument);
        }
    }
    if (options.Raw && averageGiven)
        return UsageError("--raw and --average exclude each other");
    if (files.size() != 2)
        return UsageError("--export needs OUT.png and one graph file");
    options.Output = QString::fromLocal8Bit(files[0].c_str());
    options.GraphFile = QString::fromLocal8Bit(files[1].c_str());
    if (!options.Output.endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return UsageError("the output of --export is a .png file");
    return velantro::RunExport(argc, argv, options);
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
        if (argument == "--export")
            return Export(argc, argv, i + 1);
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
