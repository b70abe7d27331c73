#include "commands/infocommand.h"

#include "commands/commandline.h"
#include "platform/generaldate.h"
#include "charts/frames.h"
#include "vocabulary/windowfields.h"
#include "graphfile/headless.h"
#include "graphfile/loadpass.h"
#include "vocabulary/textrules.h"

#include <QCoreApplication>

#include <iostream>

namespace velantro {

const char* SectionsName(DataPresent sections)
{
    switch (sections) {
    case DataPresent::Both:
        return "write+verify";
    case DataPresent::WriteOnly:
        return "write";
    case DataPresent::VerifyOnly:
        return "verify";
    case DataPresent::None:
        break;
    }
    return "none";
}

int RunInfo(const std::string& path, std::ostream& out, std::ostream& err)
{
    HeadlessControls controls([](const std::string& text) { return velantro::GeneralDate(text); });
    WindowFields fields = StartupFields();
    DrawSpeedFrame(fields, controls);
    DrawPercentFrame(fields, controls);

    fields.GraphFilePath = path;
    const LoadOutcome outcome = LoadGraphFile(fields, controls);
    if (!outcome.Loaded)
        return RejectedFile(err, path, outcome);
    out << "Drive: " << controls.DriveText() << '\n';
    for (int i = 0; i < InfoValueCount; ++i)
        out << InfoCaptionTexts[i] << ": " << TrimBlanks(fields.InfoCaptions[static_cast<std::size_t>(i)]) << '\n';
    out << "Sections: " << SectionsName(outcome.Sections) << '\n';
    return 0;
}

InfoCommand::InfoCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddCommand("--info", file_, "FILE",
                                     "print the drive, the information values and the sections\n"
                                     "found in FILE, without opening a window",
                                     "velantro --info FILE.ibg");
}

int InfoCommand::Run(int argc, char** argv) const
{
    if (!commandLine_.Files().empty())
        return commandLine_.UsageError("--info takes one file");
    QCoreApplication application(argc, argv);
    return RunInfo(file_, std::cout, std::cerr);
}

} // namespace velantro
