#include "commands/listcommand.h"

#include "commands/commandline.h"
#include "platform/generaldate.h"
#include "commands/infocommand.h"
#include "charts/frames.h"
#include "graphfile/graphview.h"
#include "graphfile/headless.h"
#include "graphfile/wineprefixes.h"
#include "library/libraryfiles.h"
#include "platform/getpaths.h"
#include "report/textescapes.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <iostream>
#include <unistd.h>
#include <string>
#include <vector>

namespace velantro {

namespace {

// Names as the platform gives them: a Latin-1 name is listed and read as it is.
struct GraphFileEntry {
    QDateTime Modified;
    std::string Path;
};

bool NameBefore(const GraphFileEntry& a, const GraphFileEntry& b)
{
    return std::lexicographical_compare(a.Path.begin(), a.Path.end(), b.Path.begin(), b.Path.end(),
                                        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

std::vector<GraphFileEntry> GraphFilesIn(const std::vector<std::string>& folders)
{
    std::vector<GraphFileEntry> files;
    for (const std::string& folder : folders) {
        std::vector<GraphFileEntry> found;
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
            // Regular files only, links to them included: never a FIFO or a device.
            struct stat status {};
            if (!HasGraphFileEnding(entry.path().filename().string()) || stat(entry.path().c_str(), &status) != 0 ||
                !S_ISREG(status.st_mode))
                continue;
            const qint64 milliseconds = qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1000000;
            found.push_back({QDateTime::fromMSecsSinceEpoch(milliseconds),
                             std::filesystem::absolute(entry.path()).lexically_normal().string()});
        }
        std::sort(found.begin(), found.end(), NameBefore);
        files.insert(files.end(), found.begin(), found.end());
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const GraphFileEntry& a, const GraphFileEntry& b) { return a.Modified > b.Modified; });
    return files;
}

// Escaped, so that no name or header text splits a column or a row.
std::string OrDash(const std::string& text)
{
    return text.empty() ? "-" : EscapedText(text);
}

// The same start-up state and pass as --info; nothing is drawn.
void PrintEntry(const GraphFileEntry& file, std::ostream& out)
{
    DiscardSurfaces surfaces;
    GraphView view(surfaces.Surfaces(), [](const std::string& text) { return velantro::GeneralDate(text); });
    const LoadOutcome outcome = view.Open(file.Path);
    out << file.Modified.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() << '\t'
        << EscapedText(file.Path) << '\t' << OrDash(outcome.Drive) << '\t'
        << (outcome.Loaded ? OrDash(outcome.Media.MediaType) : "-") << '\t'
        << (outcome.Loaded ? SectionsName(outcome.Sections) : "invalid") << '\n';
}

void SayWhereItLooked(const std::vector<std::string>& folders, std::ostream& err)
{
    err << "velantro: no graph files found in ImgBurn's folders for graph data files.\n"
        << "Wine prefixes searched (~ is " << QDir::homePath().toStdString() << "):\n";
    for (const std::string& pattern : WinePrefixPatterns(qEnvironmentVariable("WINEPREFIX").toStdString()))
        err << "  " << pattern << '\n';
    if (folders.empty()) {
        err << "None of them holds ImgBurn's folder.\n";
        return;
    }
    err << "Folders searched:\n";
    for (const std::string& folder : folders)
        err << "  " << folder << '\n';
}

} // namespace

int RunList(std::ostream& out, std::ostream& err)
{
    const std::vector<std::string> folders = FindImgBurnGraphFolders();
    const std::vector<GraphFileEntry> files = GraphFilesIn(folders);
    if (files.empty())
        SayWhereItLooked(folders, err);
    for (const GraphFileEntry& file : files)
        PrintEntry(file, out);
    return 0;
}

ListCommand::ListCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddFlagCommand("--list",
                                         "list the graph files in ImgBurn's folders of the Wine\n"
                                         "prefixes found, newest first, without opening a window",
                                         "velantro --list");
}

int ListCommand::Run(int argc, char** argv) const
{
    if (!commandLine_.Files().empty())
        return commandLine_.UsageError("--list takes no file");
    QCoreApplication application(argc, argv);
    CheckedOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    return output.Finish(RunList(out, std::cerr), std::cerr);
}

} // namespace velantro
