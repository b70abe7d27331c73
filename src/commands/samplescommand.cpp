#include "commands/samplescommand.h"

#include "commands/commandline.h"
#include "graphfile/samplescan.h"
#include "report/reportformats.h"

#include <iostream>
#include <unistd.h>

namespace velantro {

int RunSamples(const std::string& path, std::ostream& out, std::ostream& err)
{
    // A file rejected half-way must not leave half a table behind: the first
    // read only checks, the second prints. Only a file changed between the
    // two can still fail after rows are out; each row is whole, and the
    // status says the table is not.
    SampleScan scan;
    if (scan.Open(path)) {
        while (scan.Next()) {
        }
    }
    if (scan.HasError() || !scan.Open(path))
        return RejectedFile(err, path, scan.ErrorString());

    out << "section,sector,speed,rpm,buffer,cpu\n";
    std::string row;
    while (scan.Next()) {
        const PlotPoint& point = scan.Point();
        const bool write = scan.Section() == GraphSection::Write;
        row = write ? "write," : "verify,";
        for (const double value : {point.Sector, point.Speed, point.Rpm})
            row += ShortestNumber(value) + ',';
        if (write)
            row += ShortestNumber(point.First);
        row += ',' + ShortestNumber(write ? point.Second : point.First) + '\n';
        out << row;
    }
    if (scan.HasError())
        return RejectedFile(err, path, scan.ErrorString());
    return 0;
}

SamplesCommand::SamplesCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddFileCommand("--samples", file_,
                                     "print every sample of FILE as CSV: section, sector,\n"
                                     "speed, RPM, buffer and CPU",
                                     "velantro --samples FILE.ibg");
}

int SamplesCommand::Run() const
{
    const std::optional<std::string> file = commandLine_.CommandFile(file_);
    if (!file)
        return commandLine_.UsageError("--samples takes one file");
    CheckedOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    return output.Finish(RunSamples(*file, out, std::cerr), std::cerr);
}

} // namespace velantro
