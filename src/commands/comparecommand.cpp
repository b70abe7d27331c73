#include "commands/comparecommand.h"

#include "windows/comparechart.h"
#include "commands/commandline.h"
#include "commands/headlessgui.h"
#include "windows/windowlook.h"
#include "capture/imagewriter.h"
#include "compare/compareview.h"

#include <algorithm>

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

    CompareView view;
    const qreal ratio = application.devicePixelRatio();
    QSize size = CompareChart::PictureSize;
    const QRect plot = CompareChart::PlotArea(view.Set(), size, ratio);
    view.SetPlot(plot.width(), plot.height(), ratio);
    view.SetSeries(options.Verify ? CompareSeries::VerifySpeed : CompareSeries::WriteSpeed);
    view.SetRange(options.Range.value_or(ZoomRange{}));
    const CompareAdded added = view.Add(options.GraphFiles);

    for (const std::string& path : added.Duplicates)
        RejectedFile(std::cerr, path, "named twice; compared once");
    for (const CompareFile& file : view.Set().Files()) {
        if (!file.Drawn())
            RejectedFile(std::cerr, file.Path, file.Error);
    }
    if (view.Set().DrawnCount() == 0) {
        std::cerr << "velantro: no graph file could be read; nothing written\n";
        return 1;
    }
    // A long legend takes room below, not from the plot.
    size.setHeight(std::max(size.height(), CompareChart::LeastHeight(view.Set(), size.width())));

    ImageWriter writer;
    if (!writer.Save(CompareChart::Draw(view, size, ratio), options.Output))
        return WriteError(std::cerr, options.Output, writer.FailureReason());
    return view.Set().DrawnCount() == options.GraphFiles.size() ? 0 : 1;
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
