#pragma once

#include "commands/commandline.h"
#include "graphfile/loadpass.h"

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace velantro {

class MainWindow;
struct ExportOptions {
    std::string Output;    // as the platform names it
    std::string GraphFile; // as the platform names it
    ViewOptions View;      // the zoom in sectors, cut to the chart
};

// The series names of --hide, in the order of Series.
inline constexpr const char* SeriesOptionNames[] = {
    "write-speed", "write-rpm", "write-cpu", "write-buffer", "verify-speed", "verify-rpm", "verify-cpu",
};

// Loads the file under the options into the window without showing it and
// without a display, and hands the window to `use`, whose result it returns.
// 1 (reason on standard error) when the file was rejected.
int WithLoadedWindow(int argc, char** argv, const ExportOptions& options, const std::function<int(MainWindow&)>& use);

// Renders the window as it looks with the file loaded under the options,
// menu bar and client area, without showing it, into a PNG. 0 when written,
// 1 (reason on standard error) when the file or the image failed.
int RunExport(int argc, char** argv, const ExportOptions& options);

// velantro --export OUT.png [--raw | --average N] [--hide SERIES,...] [--range START:END] FILE.ibg
class ExportCommand : public Command {
public:
    explicit ExportCommand(CommandLine& commandLine);
    int Run(int argc, char** argv);

private:
    ExportOptions options_;
    bool raw_ = false;
    std::vector<std::string> hidden_;
    std::string blockSize_; // one of the listed digits, never another spelling
};

} // namespace velantro
