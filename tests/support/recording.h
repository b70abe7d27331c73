#pragma once

#include "charts/frames.h"
#include "charts/seriescolours.h"
#include "vocabulary/windowcontrols.h"
#include "vocabulary/windowfields.h"
#include "graphfile/loadpass.h"
#include "support/graphtext.h"

#include <list>

namespace velantro::testing {

struct Segment {
    float X1, Y1, X2, Y2;
    velantro::Colour Colour;
    bool operator==(const Segment&) const = default;
};

struct PrintedText {
    std::string Text;
    double X, Y;
    bool operator==(const PrintedText&) const = default;
};

// Keeps every drawing operation since the last Cls; ten twips a character
// keeps the centring easy to follow.
class RecordingSurface : public Surface {
public:
    void Cls() override { Lines.clear(), Printed.clear(); }
    void SetScaleWidth(float width) override { scaleWidth_ = width; }
    void SetScaleHeight(float height) override { scaleHeight_ = height; }
    void SetScaleLeft(float left) override { scaleLeft_ = left; }
    float ScaleLeft() const override { return scaleLeft_; }
    float ScaleWidth() const override { return scaleWidth_; }
    float ScaleHeight() const override { return scaleHeight_; }
    double Width() const override { return 3000; }
    void Line(float x1, float y1, float x2, float y2, Colour c) override { Lines.push_back({x1, y1, x2, y2, c}); }
    void SetCurrentX(double x) override { x_ = x; }
    void SetCurrentY(double y) override { y_ = y; }
    double TextWidth(const std::string& text) const override { return 10.0 * static_cast<double>(text.size()); }
    void Print(const std::string& text) override { Printed.push_back({text, x_, y_}), x_ = 0, y_ += 195; }
    std::int32_t Point(float, float) const override { return -1; }

    std::vector<Segment> LinesIn(velantro::Colour c) const
    {
        std::vector<Segment> found;
        std::copy_if(Lines.begin(), Lines.end(), std::back_inserter(found), [&](auto& s) { return s.Colour == c; });
        return found;
    }

    std::vector<Segment> Lines;
    std::vector<PrintedText> Printed;

private:
    float scaleLeft_ = 0, scaleWidth_ = 0, scaleHeight_ = 0;
    double x_ = 0, y_ = 0;
};

class RecordingControls : public WindowControls {
public:
    Surface& SpeedChart() override { return Speed; }
    Surface& PercentChart() override { return Percent; }
    Surface& DrivePanel() override { return Drive; }
    Surface& InfoValuesPanel() override { return InfoValues; }
    bool Averaged() const override { return AveragedChosen; }
    int BlockSize() const override { return BlockSizeChosen; }
    bool SeriesShown(Series series) const override { return Shown[SeriesIndex(series)]; }
    void SetSeriesShown(Series series, bool shown) override { Shown[SeriesIndex(series)] = shown; }
    void SetSeriesEnabled(Series series, bool enabled) override { Enabled[SeriesIndex(series)] = enabled; }
    void SetSpeedAxisCaption(int index, const std::string& text) override { SpeedCaptions[index] = text; }
    void SetSizeAxisCaption(int index, const std::string& text) override { SizeCaptions[index] = text; }
    void SetRpmAxisCaption(int index, const std::string& text) override { RpmCaptions[index] = text; }
    void SetZoomCaptions(const std::vector<AxisCaption>& captions) override { ZoomCaptions = captions; }
    void ShowMessage(const std::string& text, const std::string& title) override
    {
        Messages.push_back(title + "|" + text);
    }
    std::string GeneralDate(const std::string& text) const override { return "date(" + text + ")"; }

    RecordingSurface Speed, Percent, Drive, InfoValues;
    bool AveragedChosen = true;
    int BlockSizeChosen = 10;
    std::array<bool, SeriesCount> Shown{true, true, true, true, true, true, true};
    std::array<bool, SeriesCount> Enabled{true, true, true, true, true, true, true};
    std::array<std::string, 13> SpeedCaptions{};
    std::array<std::string, 5> SizeCaptions{};
    std::array<std::string, 13> RpmCaptions{};
    std::vector<AxisCaption> ZoomCaptions;
    std::vector<std::string> Messages;
};

inline const std::string FileErrorMessage = std::string(FileErrorTitle) + "|" + FileErrorText;

// A window fresh from start-up, with the pass run on one file.
struct PassRun {
    WindowFields Fields = StartupFields();
    RecordingControls Controls;
    LoadOutcome Outcome;

    explicit PassRun(bool averaged = true, int blockSize = 10)
    {
        DrawSpeedFrame(Fields, Controls);
        DrawPercentFrame(Fields, Controls);
        Controls.AveragedChosen = averaged, Controls.BlockSizeChosen = blockSize;
    }
    LoadOutcome Load(const std::string& path)
    {
        Fields.GraphFilePath = path;
        return Outcome = LoadGraphFile(Fields, Controls);
    }
    LoadOutcome LoadText(const std::string& text) { return Load(files_.emplace_back(text).Path()); }

private:
    std::list<TempFile> files_;
};

} // namespace velantro::testing
