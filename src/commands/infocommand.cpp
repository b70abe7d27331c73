#include "commands/infocommand.h"

#include "commands/commandline.h"
#include "platform/generaldate.h"
#include "charts/frames.h"
#include "graphfile/graphview.h"
#include "graphfile/headless.h"
#include "graphfile/loadpass.h"
#include "vocabulary/textrules.h"
#include "report/textescapes.h"

#include <QCoreApplication>

#include <iostream>
#include <unistd.h>

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
    DiscardSurfaces surfaces;
    GraphView view(surfaces.Surfaces(), [](const std::string& text) { return velantro::GeneralDate(text); });
    const LoadOutcome outcome = view.Open(path);
    if (!outcome.Loaded)
        return RejectedFile(err, path, outcome);
    out << "Drive: " << EscapedText(view.Drive()) << '\n';
    for (int i = 0; i < InfoValueCount; ++i)
        out << InfoCaptionTexts[i] << ": " << EscapedText(TrimBlanks(view.InfoValues()[static_cast<std::size_t>(i)]))
            << '\n';
    out << "Sections: " << SectionsName(outcome.Sections) << '\n';
    if (outcome.DecimalComma)
        out << DecimalCommaText << '\n';
    return 0;
}

InfoCommand::InfoCommand(CommandLine& commandLine) : Command(commandLine)
{
    option_ = commandLine.AddFileCommand("--info", file_,
                                     "print the drive, the information values and the sections\n"
                                     "found in FILE, without opening a window",
                                     "velantro --info FILE.ibg");
}

int InfoCommand::Run(int argc, char** argv) const
{
    const std::optional<std::string> file = commandLine_.CommandFile(file_);
    if (!file)
        return commandLine_.UsageError("--info takes one file");
    QCoreApplication application(argc, argv);
    CheckedOutput output(STDOUT_FILENO);
    std::ostream out(&output);
    return output.Finish(RunInfo(*file, out, std::cerr), std::cerr);
}

} // namespace velantro
