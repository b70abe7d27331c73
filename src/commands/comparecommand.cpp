#include "commands/comparecommand.h"

#include "windows/comparechart.h"
#include "commands/commandline.h"
#include "commands/headlessgui.h"
#include "windows/windowlook.h"
#include "capture/imagewriter.h"
#include "compare/compareset.h"

#include <QFile>
#include <QFont>
#include <QGuiApplication>

#include <iostream>

namespace velantro {

int RunCompare(int argc, char** argv, const CompareOptions& options)
{
    // No window is shown and no display is needed.
    PrepareHeadlessGui();
    QGuiApplication application(argc, argv);
    QGuiApplication::setFont(WindowFont());

    CompareSet set;
    for (const std::string& path : options.GraphFiles)
        set.Add(path);
    const qreal ratio = application.devicePixelRatio();
    const QSize size = CompareChart::PictureSize;
    set.Rebuild(options.Verify ? CompareSeries::VerifySpeed : CompareSeries::WriteSpeed, CompareAxis::Sectors,
                options.Range.value_or(ZoomRange{}), CompareChart::PlotArea(set, size, ratio).width());

    for (const CompareFile& file : set.Files()) {
        if (!file.Drawn())
            RejectedFile(std::cerr, file.Path, file.Error);
    }
    if (set.DrawnCount() == 0) {
        std::cerr << "velantro: no graph file could be read; nothing written\n";
        return 1;
    }

    ImageWriter writer;
    if (!writer.Save(CompareChart::Draw(set, size, ratio), options.Output))
        return WriteError(std::cerr, options.Output, writer.FailureReason());
    return set.DrawnCount() == set.Files().size() ? 0 : 1;
}

CompareCommand::CompareCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddCommand("--compare", options_.Output, "OUT.png",
                                     "write the write speed of up to 8 graph files over one\n"
                                     "axis to OUT.png, without a window or a display",
                                     "velantro --compare OUT.png [--verify] [--range START:END] FILE.ibg...");
    CLI::App& app = commandLine.App();
    const std::string group = "With --compare";
    app.add_flag("--verify", options_.Verify, "the verify speed instead")->group(group)->needs(option_);
    commandLine.AddRangeTo(option_);
}

int CompareCommand::Run(int argc, char** argv)
{
    options_.GraphFiles = commandLine_.Files();
    if (options_.GraphFiles.empty() || options_.GraphFiles.size() > MaxCompareFiles)
        return commandLine_.UsageError("--compare needs OUT.png and 1 to 8 graph files");
    if (!QFile::decodeName(options_.Output.c_str()).endsWith(QLatin1String(".png"), Qt::CaseInsensitive))
        return commandLine_.UsageError("the output of --compare is a .png file");
    options_.Range = commandLine_.Range();
    if (const std::optional<int> refused = OutputIsAnInput(std::cerr, options_.Output, options_.GraphFiles))
        return *refused;
    return RunCompare(argc, argv, options_);
}

} // namespace velantro
