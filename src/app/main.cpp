#include "commands/commandline.h"
#include "commands/comparecommand.h"
#include "commands/exportcommand.h"
#include "commands/headlessgui.h"
#include "commands/infocommand.h"
#include "commands/librarycommand.h"
#include "commands/listcommand.h"
#include "commands/reportcommand.h"
#include "windows/runwindow.h"
#include "commands/samplescommand.h"
#include "commands/thumbnailcommand.h"

int main(int argc, char** argv)
{
    velantro::CommandLine commandLine;
    velantro::InfoCommand info(commandLine);
    velantro::ExportCommand exportCommand(commandLine);
    velantro::CompareCommand compare(commandLine);
    velantro::ThumbnailCommand thumbnail(commandLine);
    velantro::ListCommand list(commandLine);
    velantro::ReportCommand report(commandLine);
    velantro::SamplesCommand samples(commandLine);
    velantro::LibraryCommand library(commandLine);
    if (const std::optional<int> status = commandLine.Parse(argc, argv))
        return *status;
    if (info.Chosen())
        return info.Run(argc, argv);
    if (exportCommand.Chosen())
        return exportCommand.Run(argc, argv);
    if (compare.Chosen())
        return compare.Run(argc, argv);
    if (thumbnail.Chosen())
        return thumbnail.Run(argc, argv);
    if (list.Chosen())
        return list.Run(argc, argv);
    if (report.Chosen())
        return report.Run(argc, argv);
    if (samples.Chosen())
        return samples.Run();
    if (library.Chosen())
        return library.Run(argc, argv);
    const std::vector<std::string>& files = commandLine.Files();
    if (files.size() > 1)
        return commandLine.UsageError("the window opens one graph file");
    velantro::IgnoreUnsoundScaleFactor();
    return velantro::RunWindow(argc, argv, files.empty() ? std::string() : files.front());
}
