#include "commands/exportcommand.h"

#include "windows/mainwindow.h"
#include "commands/commandline.h"
#include "commands/headlessgui.h"
#include "windows/windowlook.h"
#include "capture/imagewriter.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QDir>

#include <algorithm>
#include <iostream>

namespace velantro {

namespace {

// Nothing modal in a run without a window: a rejected file is reported once, by name.
class NoMessageBoxes : public MessageBoxes {
public:
    void Show(QWidget*, const QString&, const QString&) override {}
};

bool EndsWithPng(const std::string& path)
{
    std::string ending = path.substr(path.size() < 4 ? 0 : path.size() - 4);
    std::transform(ending.begin(), ending.end(), ending.begin(), [](unsigned char c) { return std::tolower(c); });
    return ending == ".png";
}

} // namespace

int WithLoadedWindow(int argc, char** argv, const ExportOptions& options, const std::function<int(MainWindow&)>& use)
{
    // No window is shown and no display is needed.
    PrepareHeadlessGui();
    QApplication application(argc, argv);
    SetWindowLook();

    NoMessageBoxes boxes;
    MainWindow form(std::string(), nullptr, &boxes);
    form.setAttribute(Qt::WA_DontShowOnScreen);
    form.show();
    const LoadOutcome outcome = form.ShowGraphFile(options.GraphFile, options.View);
    if (!outcome.Loaded)
        return RejectedFile(std::cerr, options.GraphFile, outcome);
    QApplication::processEvents();
    return use(form);
}

int RunExport(int argc, char** argv, const ExportOptions& options)
{
    return WithLoadedWindow(argc, argv, options, [&](MainWindow& form) {
        ImageWriter writer;
        if (!writer.Save(form.grab().toImage(), options.Output))
            return WriteError(std::cerr, options.Output, writer.FailureReason());
        return 0;
    });
}

ExportCommand::ExportCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddCommand(
        "--export", options_.Output, "OUT.png",
        "write the window as it looks with FILE loaded to OUT.png,\n"
        "without a window or a display",
        "velantro --export OUT.png [--raw | --average N] [--hide SERIES,...] [--range START:END] [--fit]\n"
        "         FILE.ibg");
    CLI::App& app = commandLine.App();
    const std::string group = "With --export";
    CLI::Option* raw = app.add_flag("--raw", raw_, "plot every sample")->group(group)->needs(option_);
    app.add_option("--average", blockSize_,
                   "plot block averages of N samples (2, 5, 10, 15, 20, 25;\n"
                   "10 when neither is given)")
        ->type_name("N")
        ->check(CLI::IsMember({"2", "5", "10", "15", "20", "25"}).description(""))
        ->group(group)
        ->needs(option_)
        ->excludes(raw);
    app.add_option("--hide", hidden_,
                   "leave out the series named in LIST, separated by commas:\n"
                   "write-speed, write-rpm, write-cpu, write-buffer,\n"
                   "verify-speed, verify-rpm, verify-cpu")
        ->type_name("LIST")
        ->delimiter(',')
        ->allow_extra_args(false)
        ->check(CLI::IsMember(std::vector<std::string>(std::begin(SeriesOptionNames), std::end(SeriesOptionNames)))
                   .description(""))
        ->group(group)
        ->needs(option_);
    app.add_flag("--fit", options_.View.Fit,
                 "speed and RPM scales from 0 to just above the highest\n"
                 "sample shown, as Tools > Fit Speed Scale draws them")
        ->group(group)
        ->needs(option_);
    commandLine.AddRangeTo(option_);
}

int ExportCommand::Run(int argc, char** argv)
{
    if (commandLine_.Files().size() != 1)
        return commandLine_.UsageError("--export needs OUT.png and one graph file");
    if (!EndsWithPng(options_.Output))
        return commandLine_.UsageError("the output of --export is a .png file");
    options_.View.Zoom = commandLine_.Range();
    options_.View.Averaged = !raw_;
    options_.GraphFile = commandLine_.Files().front();
    if (!blockSize_.empty())
        options_.View.BlockSize = std::stoi(blockSize_);
    if (const std::optional<int> refused = OutputIsAnInput(std::cerr, options_.Output, {options_.GraphFile}))
        return *refused;
    for (const std::string& name : hidden_) {
        const auto* names = std::begin(SeriesOptionNames);
        options_.View.Shown[static_cast<std::size_t>(
            std::find_if(names, std::end(SeriesOptionNames), [&](const char* n) { return name == n; }) - names)] =
            false;
    }
    return RunExport(argc, argv, options_);
}

} // namespace velantro
