#include "app/listcommand.h"

#include "app/commandline.h"
#include "app/generaldate.h"
#include "app/infocommand.h"
#include "charts/frames.h"
#include "graphfile/burnfields.h"
#include "graphfile/headless.h"
#include "graphfile/wineprefixes.h"
#include "platform/getpaths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

namespace velantro {

namespace {

struct GraphFileEntry {
    QDateTime Modified;
    QString Path;
};

std::vector<GraphFileEntry> GraphFilesIn(const std::vector<std::string>& folders)
{
    std::vector<GraphFileEntry> files;
    for (const std::string& folder : folders) {
        const QFileInfoList entries = QDir(QString::fromStdString(folder))
                                          .entryInfoList({QStringLiteral("*.ibg")}, QDir::Files | QDir::Hidden,
                                                         QDir::Name | QDir::IgnoreCase);
        for (const QFileInfo& entry : entries)
            files.push_back({entry.lastModified(), entry.absoluteFilePath()});
    }
    std::stable_sort(files.begin(), files.end(),
                     [](const GraphFileEntry& a, const GraphFileEntry& b) { return a.Modified > b.Modified; });
    return files;
}

std::string OrDash(const std::string& text)
{
    return text.empty() ? "-" : text;
}

// The same start-up state and pass as --info; nothing is drawn.
void PrintEntry(const GraphFileEntry& file, std::ostream& out)
{
    HeadlessControls controls([](const std::string& text) { return velantro::GeneralDate(text); });
    BurnFields fields = StartupFields();
    DrawSpeedFrame(fields, controls);
    DrawPercentFrame(fields, controls);
    fields.GraphFilePath = QFile::encodeName(file.Path).toStdString();
    const LoadOutcome outcome = LoadGraphFile(fields, controls);
    out << file.Modified.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() << '\t'
        << QFile::encodeName(file.Path).toStdString() << '\t' << OrDash(controls.DriveText()) << '\t'
        << (outcome.Loaded ? OrDash(fields.MediaType) : "-") << '\t'
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

ListCommand::ListCommand(CommandLine& commandLine) : commandLine_(commandLine)
{
    option_ = commandLine.AddFlagCommand("--list",
                                         "list the graph files in ImgBurn's folders of the Wine\n"
                                         "prefixes found, newest first, without opening a window",
                                         "velantro --list");
}

bool ListCommand::Chosen() const
{
    return option_->count() > 0;
}

int ListCommand::Run(int argc, char** argv) const
{
    if (!commandLine_.Files().empty())
        return commandLine_.UsageError("--list takes no file");
    QCoreApplication application(argc, argv);
    return RunList(std::cout, std::cerr);
}

} // namespace velantro
