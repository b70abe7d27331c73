#include "app/infocommand.h"

#include "app/generaldate.h"
#include "charts/frames.h"
#include "graphfile/burnfields.h"
#include "graphfile/headless.h"
#include "graphfile/loadpass.h"

#include <ostream>

namespace velantro {

namespace {

std::string TrimBlanks(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string WithLineFeeds(std::string text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out.push_back(text[i]);
    }
    return out;
}

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

} // namespace

int RunInfo(const std::string& path, std::ostream& out, std::ostream& err)
{
    HeadlessControls controls([](const std::string& text) { return velantro::GeneralDate(text); });
    BurnFields fields = StartupFields();
    DrawSpeedFrame(fields, controls);
    DrawPercentFrame(fields, controls);

    fields.GraphFilePath = path;
    const LoadOutcome outcome = LoadGraphFile(fields, controls);
    if (!outcome.Loaded) {
        err << WithLineFeeds(controls.Message) << '\n';
        return 1;
    }
    out << "Drive: " << controls.DriveText() << '\n';
    for (int i = 0; i < InfoValueCount; ++i)
        out << InfoCaptionTexts[i] << ": " << TrimBlanks(fields.InfoCaptions[static_cast<std::size_t>(i)]) << '\n';
    out << "Sections: " << SectionsName(outcome.Sections) << '\n';
    return 0;
}

} // namespace velantro
