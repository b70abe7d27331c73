#include "commands/librarycommand.h"

#include "library/libraryfiles.h"
#include "library/librarygroups.h"
#include "library/libraryformats.h"
#include "library/libraryreading.h"
#include "platform/getpaths.h"
#include "report/textescapes.h"

#include <QCoreApplication>

#include <iostream>
#include <mutex>
#include <unistd.h>

namespace velantro {

int RunLibrary(const std::vector<std::string>& folders, const std::string& format, std::optional<GroupBy> groupBy,
               unsigned threads, std::ostream& out, std::ostream& err)
{
    const LibraryFiles found = FindLibraryFiles(folders);
    int status = found.Notes.empty() ? 0 : 1;
    for (const std::string& note : found.Notes)
        err << "velantro: " << EscapedText(note) << '\n';
    if (found.Paths.empty()) {
        err << "velantro: no graph files found in";
        for (const std::string& folder : folders)
            err << ' ' << EscapedText(folder);
        err << (folders.empty() ? " ImgBurn's folders for graph data files\n" : "\n");
    }

    // Rows go out in the order found, each as soon as it and those before it are read.
    std::vector<LibraryRow> rows = ListedRows(found.Paths);
    std::vector<bool> done(rows.size());
    std::size_t next = 0;
    std::mutex printing;
    LibraryWriter writer(out, format, groupBy);
    ReadLibrary(rows, threads, [&](std::size_t index) {
        if (rows[index].Stage != RowStage::Report)
            return;
        const std::lock_guard lock(printing);
        done[index] = true;
        for (; next < rows.size() && done[next]; ++next) {
            if (!rows[next].Read())
                status = RejectedFile(err, rows[next].File, rows[next].Error);
            writer.Add(rows[next]);
        }
    });
    writer.Finish();
    return status;
}

std::optional<GroupBy> ParseGroupBy(const std::string& text)
{
    if (text == "drive,media")
        return GroupBy::DriveMedia;
    if (text == "drive,media,speed")
        return GroupBy::DriveMediaSpeed;
    return std::nullopt;
}

LibraryCommand::LibraryCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddFlagCommand(
        "--library",
        "print a row per graph file in each FOLDER and its subfolders\n"
        "(ImgBurn's folders when none is given): drive, media, speeds,\n"
        "dips, buffer drops and verify; or the figures of each group",
        "velantro --library [--group-by drive,media[,speed]] [--format text|json|csv] [FOLDER...]");
    commandLine.AddFormatTo(option_);
    groupByOption_ = commandLine.App()
                         .add_option("--group-by", groupBy_,
                                     "drive,media or drive,media,speed: the number of\n"
                                     "burns, mean write speed and the shares with a dip,\n"
                                     "a buffer drop and a verify to the end, per group")
                         ->type_name("KEYS")
                         ->group("With --library")
                         ->needs(option_);
}

int LibraryCommand::Run(int argc, char** argv) const
{
    const std::optional<GroupBy> groupBy = ParseGroupBy(groupBy_);
    if (groupByOption_->count() > 0 && !groupBy)
        return commandLine_.UsageError("--group-by takes drive,media or drive,media,speed");
    QCoreApplication application(argc, argv);
    const std::vector<std::string> folders =
        commandLine_.Files().empty() ? FindImgBurnGraphFolders() : commandLine_.Files();
    CheckedOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    return output.Finish(RunLibrary(folders, commandLine_.Format(), groupBy, ReadingThreads(), out, std::cerr),
                         std::cerr);
}

} // namespace velantro
