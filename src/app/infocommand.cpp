#include "app/infocommand.h"

#include "app/generaldate.h"
#include "charts/frames.h"
#include "charts/surface.h"
#include "graphfile/burncontrols.h"
#include "graphfile/burnfields.h"
#include "graphfile/loadpass.h"

#include <array>
#include <ostream>

namespace velantro {

namespace {

// Draws nothing; keeps the last text printed, which is all the drive panel holds.
class TextOnlySurface : public Surface {
public:
    void Cls() override { LastPrinted.clear(); }
    void SetScaleWidth(float width) override { scaleWidth_ = width; }
    void SetScaleHeight(float height) override { scaleHeight_ = height; }
    float ScaleWidth() const override { return scaleWidth_; }
    float ScaleHeight() const override { return scaleHeight_; }
    double Width() const override { return 0; }
    void Line(float, float, float, float, Colour) override {}
    void SetCurrentX(double) override {}
    void SetCurrentY(double) override {}
    double TextWidth(const std::string&) const override { return 0; }
    void Print(const std::string& text) override { LastPrinted = text; }
    std::int32_t Point(float, float) const override { return -1; }

    std::string LastPrinted;

private:
    float scaleWidth_ = 0;
    float scaleHeight_ = 0;
};

class StartupControls : public BurnControls {
public:
    Surface& Picture(int index) override { return pictures_[static_cast<std::size_t>(index)]; }
    bool Option2Value() const override { return true; }
    std::string Combo1Text() const override { return "10"; }
    int Check1Value(int index) const override { return ticks_[static_cast<std::size_t>(index)]; }
    void SetCheck1Value(int index, int value) override { ticks_[static_cast<std::size_t>(index)] = value; }
    void SetCheck1Enabled(int, bool) override {}
    void SetLabel3Caption(int, const std::string&) override {}
    void SetLabel5Caption(int, const std::string&) override {}
    void MsgBox(const std::string& prompt, const std::string&) override { Message = prompt; }
    std::string GeneralDate(const std::string& text) const override { return velantro::GeneralDate(text); }

    const std::string& DriveText() const { return pictures_[7].LastPrinted; }
    std::string Message;

private:
    std::array<TextOnlySurface, 8> pictures_{};
    std::array<int, 7> ticks_{1, 1, 1, 1, 1, 1, 1};
};

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
    StartupControls controls;
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
