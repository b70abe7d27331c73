#include "app/exportcommand.h"

#include "app/burnform.h"
#include "app/commandline.h"
#include "app/windowlook.h"
#include "capture/imagewriter.h"
#include "platform/messageboxes.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QRadioButton>

#include <algorithm>
#include <charconv>
#include <cmath>
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

// START:END, two numbers of sectors with START below END; nothing else.
std::optional<ZoomRange> ParseRange(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos)
        return std::nullopt;
    const auto number = [](const char* begin, const char* end) -> std::optional<double> {
        double value = 0;
        const auto [stop, error] = std::from_chars(begin, end, value);
        if (begin == end || error != std::errc() || stop != end || !std::isfinite(value))
            return std::nullopt;
        return value;
    };
    const std::optional<double> start = number(text.data(), text.data() + colon);
    const std::optional<double> end = number(text.data() + colon + 1, text.data() + text.size());
    if (!start || !end || *start >= *end)
        return std::nullopt;
    return ZoomRange{*start, *end};
}

void ApplyPlotOptions(BurnForm& form, const ExportOptions& options)
{
    form.Option1->setChecked(options.Raw);
    form.Option2->setChecked(!options.Raw);
    form.Combo1->setEnabled(!options.Raw);
    const int index = form.Combo1->findText(QString::number(options.BlockSize));
    if (index >= 0)
        form.Combo1->setCurrentIndex(index);
}

} // namespace

int WithLoadedWindow(int argc, char** argv, const ExportOptions& options, const std::function<int(BurnForm&)>& use)
{
    // No window is shown and no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    SetWindowLook();

    NoMessageBoxes boxes;
    BurnForm form(std::string(), nullptr, &boxes);
    form.setAttribute(Qt::WA_DontShowOnScreen);
    form.show();
    ApplyPlotOptions(form, options);

    form.Fields().GraphFilePath = options.GraphFile;
    form.Fields().Zoom = options.Range;
    LoadOutcome outcome = form.LoadGraphFile();
    if (outcome.Loaded && !options.Hidden.empty()) {
        // A new file ticks every box; the re-plot of the same file keeps what we untick.
        for (const int series : options.Hidden)
            form.Check1[static_cast<std::size_t>(series)]->setChecked(false);
        outcome = form.LoadGraphFile();
    }
    if (!outcome.Loaded)
        return RejectedFile(std::cerr, options.GraphFile, outcome);
    QApplication::processEvents();
    return use(form);
}

int RunExport(int argc, char** argv, const ExportOptions& options)
{
    return WithLoadedWindow(argc, argv, options, [&](BurnForm& form) {
        ImageWriter writer;
        QString reason = ImageWriter::GdiErrorString(0);
        QObject::connect(&writer, &ImageWriter::Error, [&](int, const QString& text) { reason = text; });
        if (writer.PictureBoxToFile(form.grab().toImage(), options.Output) == 0)
            return FileError(std::cerr, options.Output, "cannot write: " + reason.toStdString());
        return 0;
    });
}

ExportCommand::ExportCommand(CommandLine& commandLine) : commandLine_(commandLine)
{
    option_ = commandLine.AddCommand(
        "--export", options_.Output, "OUT.png",
        "write the window as it looks with FILE loaded to OUT.png,\n"
        "without a window or a display",
        "velantro --export OUT.png [--raw | --average N] [--hide SERIES,...] [--range START:END] FILE.ibg");
    CLI::App& app = commandLine.App();
    const std::string group = "With --export";
    CLI::Option* raw = app.add_flag("--raw", options_.Raw, "plot every sample")->group(group)->needs(option_);
    app.add_option("--average", options_.BlockSize,
                   "plot block averages of N samples (2, 5, 10, 15, 20, 25;\n"
                   "10 when neither is given)")
        ->type_name("N")
        ->check(CLI::IsMember({2, 5, 10, 15, 20, 25}).description(""))
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
    app.add_option("--range", range_,
                   "show only the sectors from START to END (START below END),\n"
                   "cut to the chart, as the window's zoom does")
        ->type_name("START:END")
        ->group(group)
        ->needs(option_);
}

bool ExportCommand::Chosen() const
{
    return option_->count() > 0;
}

int ExportCommand::Run(int argc, char** argv)
{
    if (commandLine_.Files().size() != 1)
        return commandLine_.UsageError("--export needs OUT.png and one graph file");
    if (!EndsWithPng(options_.Output))
        return commandLine_.UsageError("the output of --export is a .png file");
    if (!range_.empty()) {
        options_.Range = ParseRange(range_);
        if (!options_.Range)
            return commandLine_.UsageError("--range takes START:END, sectors with START below END");
    }
    options_.GraphFile = commandLine_.Files().front();
    for (const std::string& name : hidden_) {
        const auto* names = std::begin(SeriesOptionNames);
        options_.Hidden.insert(static_cast<int>(
            std::find_if(names, std::end(SeriesOptionNames), [&](const char* n) { return name == n; }) - names));
    }
    return RunExport(argc, argv, options_);
}

} // namespace velantro
