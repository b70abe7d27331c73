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
    if (format == "json") {
        // Each object as its file is done: memory does not grow with the
        // files. Laid out as the whole array dumped at once would be.
        const char* separator = "[\n  ";
        for (const std::string& path : files) {
            // Names are the platform's bytes; "file_bytes" keeps one that is not UTF-8.
            const std::string object = ReportJson(Read(path, err, status))
                                           .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
            out << separator;
            for (const char c : object)
                c == '\n' ? out << "\n  " : out << c;
            separator = ",\n  ";
        }
        out << "\n]\n";
    } else if (format == "csv") {
        out << ReportCsvHeader();
        for (const std::string& path : files)
            out << ReportCsvRow(Read(path, err, status));
    } else {
        bool first = true;
        for (const std::string& path : files) {
            const BurnReport report = Read(path, err, status);
            if (!report.Read())
                continue;
            out << (first ? "" : "\n") << ReportText(report);
            first = false;
        }
    }
    return status;
}

ReportCommand::ReportCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddFlagCommand(
        "--report",
        "print what the samples of each FILE say: speeds, RPM, buffer\n"
        "and CPU, dips, buffer drops and the write strategy",
        "velantro --report [--format text|json|csv] FILE.ibg...");
    commandLine.App()
        .add_option("--format", format_, "text (the default), json or csv")
        ->type_name("FORMAT")
        ->check(CLI::IsMember({"text", "json", "csv"}).description(""))
        ->group("With --report")
        ->needs(option_);
}

int ReportCommand::Run(int argc, char** argv) const
{
    if (commandLine_.Files().empty())
        return commandLine_.UsageError("--report needs a file");
    QCoreApplication application(argc, argv);
    CheckedOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    return output.Finish(RunReport(commandLine_.Files(), format_, out, std::cerr), std::cerr);
}

} // namespace velantro
