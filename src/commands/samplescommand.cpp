#include "commands/samplescommand.h"

#include "commands/commandline.h"
#include "graphfile/samplescan.h"
#include "report/reportformats.h"

#include <iostream>

namespace velantro {

int RunSamples(const std::string& path, std::ostream& out, std::ostream& err)
{
    // A file rejected half-way must not leave half a table behind: the first
    // read only checks, the second prints.
    SampleScan scan;
    if (scan.Open(path)) {
        while (scan.Next()) {
        }
    }
    if (scan.HasError() || !scan.Open(path))
        return FileError(err, path, scan.ErrorString());

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
        return FileError(err, path, scan.ErrorString());
    return 0;
}

SamplesCommand::SamplesCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddCommand("--samples", file_, "FILE",
                                     "print every sample of FILE as CSV: section, sector,\n"
                                     "speed, RPM, buffer and CPU",
                                     "velantro --samples FILE.ibg");
}

int SamplesCommand::Run() const
{
    if (!commandLine_.Files().empty())
        return commandLine_.UsageError("--samples takes one file");
    return RunSamples(file_, std::cout, std::cerr);
}

} // namespace velantro
