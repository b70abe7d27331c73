#pragma once

#include "charts/surface.h"
#include "graphfile/burncontrols.h"

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
class HeadlessControls : public BurnControls {
public:
    using DateFormatter = std::function<std::string(const std::string&)>;
    explicit HeadlessControls(DateFormatter formatDate = {}) : formatDate_(std::move(formatDate)) {}

    Surface& Picture(int index) override { return pictures_[static_cast<std::size_t>(index)]; }
    bool Option2Value() const override { return Averaged; }
    std::string Combo1Text() const override { return BlockSize; }
    int Check1Value(int index) const override { return Ticked[static_cast<std::size_t>(index)]; }
    void SetCheck1Value(int index, int value) override { Ticked[static_cast<std::size_t>(index)] = value; }
    void SetCheck1Enabled(int, bool) override {}
    void SetLabel3Caption(int, const std::string&) override {}
    void SetLabel5Caption(int, const std::string&) override {}
    void SetRpmCaption(int, const std::string&) override {}
    void SetZoomCaptions(const std::vector<AxisCaption>&) override {}
    void MsgBox(const std::string& prompt, const std::string&) override { Message = prompt; }
    std::string GeneralDate(const std::string& text) const override
    {
        return formatDate_ ? formatDate_(text) : text;
    }

    const std::string& DriveText() const { return pictures_[7].LastPrinted; }

    bool Averaged = true;
    std::string BlockSize = "10";
    std::array<int, 7> Ticked{1, 1, 1, 1, 1, 1, 1};
    std::string Message;

private:
    DateFormatter formatDate_;
    std::array<DiscardSurface, 8> pictures_{};
};

} // namespace velantro
