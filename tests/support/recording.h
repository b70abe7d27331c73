#pragma once

#include "charts/frames.h"
#include "charts/seriescolours.h"
#include "graphfile/burncontrols.h"
#include "graphfile/burnfields.h"
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

class RecordingControls : public BurnControls {
public:
    Surface& Picture(int index) override { return Pictures[index]; }
    bool Option2Value() const override { return Averaged; }
    std::string Combo1Text() const override { return BlockSize; }
    int Check1Value(int index) const override { return Ticked[index]; }
    void SetCheck1Value(int index, int value) override { Ticked[index] = value; }
    void SetCheck1Enabled(int index, bool enabled) override { Enabled[index] = enabled; }
    void SetLabel3Caption(int index, const std::string& text) override { Label3[index] = text; }
    void SetLabel5Caption(int index, const std::string& text) override { Label5[index] = text; }
    void SetRpmCaption(int index, const std::string& text) override { RpmCaptions[index] = text; }
    void SetZoomCaptions(const std::vector<AxisCaption>& captions) override { ZoomCaptions = captions; }
    void MsgBox(const std::string& text, const std::string& title) override { Messages.push_back(title + "|" + text); }
    std::string GeneralDate(const std::string& text) const override { return "date(" + text + ")"; }

    RecordingSurface& Speed() { return Pictures[1]; }
    RecordingSurface& Percent() { return Pictures[2]; }

    std::array<RecordingSurface, 8> Pictures{};
    bool Averaged = true;
    std::string BlockSize = "10";
    std::array<int, 7> Ticked{1, 1, 1, 1, 1, 1, 1};
    std::array<bool, 7> Enabled{true, true, true, true, true, true, true};
    std::array<std::string, 13> Label3{};
    std::array<std::string, 5> Label5{};
    std::array<std::string, 13> RpmCaptions{};
    std::vector<AxisCaption> ZoomCaptions;
    std::vector<std::string> Messages;
};

inline const std::string FileErrorMessage = std::string(FileErrorTitle) + "|" + FileErrorText;

// A window fresh from start-up, with the pass run on one file.
struct PassRun {
    BurnFields Fields = StartupFields();
    RecordingControls Controls;
    LoadOutcome Outcome;

    explicit PassRun(bool averaged = true, const std::string& blockSize = "10")
    {
        DrawSpeedFrame(Fields, Controls);
        DrawPercentFrame(Fields, Controls);
        Controls.Averaged = averaged, Controls.BlockSize = blockSize;
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
