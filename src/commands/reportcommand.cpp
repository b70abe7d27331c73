#include "commands/reportcommand.h"

#include "commands/commandline.h"
#include "platform/generaldate.h"
#include "report/reportformats.h"

#include <QCoreApplication>

#include <iostream>
#include <unistd.h>

namespace velantro {

namespace {

BurnReport Read(const std::string& path, std::ostream& err, int& status)
{
    BurnReport report = ReadBurnReport(path, [](const std::string& text) { return GeneralDate(text); });
    if (!report.Read())
        status = RejectedFile(err, path, report.Error);
    return report;
}

} // namespace

int RunReport(const std::vector<std::string>& files, const std::string& format, std::ostream& out, std::ostream& err)
{
    int status = 0;
    ReportWriter writer(out, format);
    for (const std::string& path : files)
        writer.Add(Read(path, err, status));
    writer.Finish();
    return status;
}

ReportCommand::ReportCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddFlagCommand(
        "--report",
        "print what the samples of each FILE say: speeds, RPM, buffer\n"
        "and CPU, dips, buffer drops and the write strategy",
        "velantro --report [--format text|json|csv] FILE.ibg...");
    commandLine.AddFormatTo(option_);
}

int ReportCommand::Run(int argc, char** argv) const
{
    if (commandLine_.Files().empty())
        return commandLine_.UsageError("--report needs a file");
    QCoreApplication application(argc, argv);
    CheckedOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    return output.Finish(RunReport(commandLine_.Files(), commandLine_.Format(), out, std::cerr), std::cerr);
}

} // namespace velantro
