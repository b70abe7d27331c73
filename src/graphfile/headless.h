#pragma once

#include "charts/surface.h"
#include "vocabulary/windowcontrols.h"

#include <array>
#include <functional>
#include <string>

namespace velantro {

// Draws nothing; keeps the last text printed, which is all the drive panel holds.
class DiscardSurface : public Surface {
public:
    void Cls() override { LastPrinted.clear(); }
    void SetScaleWidth(float width) override { scaleWidth_ = width; }
    void SetScaleHeight(float height) override { scaleHeight_ = height; }
    void SetScaleLeft(float) override {}
    float ScaleLeft() const override { return 0; }
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

// The controls as a freshly started window has them (averaged, block size
// 10, every series ticked), with nothing shown: for runs without a window.
class HeadlessControls : public WindowControls {
public:
    using DateFormatter = std::function<std::string(const std::string&)>;
    explicit HeadlessControls(DateFormatter formatDate = {}) : formatDate_(std::move(formatDate)) {}

    Surface& SpeedChart() override { return speedChart_; }
    Surface& PercentChart() override { return percentChart_; }
    Surface& DrivePanel() override { return drivePanel_; }
    Surface& InfoValuesPanel() override { return infoValuesPanel_; }
    bool Averaged() const override { return AveragedChosen; }
    int BlockSize() const override { return BlockSizeChosen; }
    bool SeriesShown(Series series) const override { return Shown[SeriesIndex(series)]; }
    void SetSeriesShown(Series series, bool shown) override { Shown[SeriesIndex(series)] = shown; }
    void SetSeriesEnabled(Series, bool) override {}
    void SetSpeedAxisCaption(int, const std::string&) override {}
    void SetSizeAxisCaption(int, const std::string&) override {}
    void SetRpmAxisCaption(int, const std::string&) override {}
    void SetZoomCaptions(const std::vector<AxisCaption>&) override {}
    void ShowMessage(const std::string& prompt, const std::string&) override { Message = prompt; }
    std::string GeneralDate(const std::string& text) const override
    {
        return formatDate_ ? formatDate_(text) : text;
    }

    const std::string& DriveText() const { return drivePanel_.LastPrinted; }

    bool AveragedChosen = true;
    int BlockSizeChosen = 10;
    std::array<bool, SeriesCount> Shown{true, true, true, true, true, true, true};
    std::string Message;

private:
    DateFormatter formatDate_;
    DiscardSurface speedChart_;
    DiscardSurface percentChart_;
    DiscardSurface drivePanel_;
    DiscardSurface infoValuesPanel_;
};

} // namespace velantro
