#pragma once

#include <string>
#include <vector>

namespace velantro {

class Surface;

// A caption on the size axis of a zoomed view, centred at Centre: 0 at the
// charts' left edge, 1 at their right edge.
struct AxisCaption {
    double Centre = 0;
    std::string Text;
    bool operator==(const AxisCaption&) const = default;
};

// The window's controls as the load pass and the frames see them. The window
// implements it over its widgets; tests implement it over recordings.
class BurnControls {
public:
    virtual ~BurnControls() = default;

    // Picture1 (speed chart), Picture2 (percent chart), Picture4, Picture5,
    // Picture7 (text panels).
    virtual Surface& Picture(int index) = 0;

    virtual bool Option2Value() const = 0;
    virtual std::string Combo1Text() const = 0;
    virtual int Check1Value(int index) const = 0;
    // Program-made changes: they must not start a pass.
    virtual void SetCheck1Value(int index, int value) = 0;
    virtual void SetCheck1Enabled(int index, bool enabled) = 0;

    virtual void SetLabel3Caption(int index, const std::string& caption) = 0;
    virtual void SetLabel5Caption(int index, const std::string& caption) = 0;
    // The RPM captions beside the speed chart, 1 to 12, for a fitted scale.
    virtual void SetRpmCaption(int index, const std::string& caption) = 0;
    // The size captions of a zoomed view, at most five; none puts the whole
    // view's captions back in their places.
    virtual void SetZoomCaptions(const std::vector<AxisCaption>& captions) = 0;

    // Modal, OK only, no icon.
    virtual void MsgBox(const std::string& prompt, const std::string& title) = 0;

    // The locale's general date-time form of a file's date text; a text that
    // is not a date comes back unchanged.
    virtual std::string GeneralDate(const std::string& text) const = 0;
};

} // namespace velantro
