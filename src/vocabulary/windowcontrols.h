#pragma once

#include "vocabulary/series.h"

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
class WindowControls {
public:
    virtual ~WindowControls() = default;

    virtual Surface& SpeedChart() = 0;
    virtual Surface& PercentChart() = 0;
    // The text panels: the drive's name, and the file's information values.
    virtual Surface& DrivePanel() = 0;
    virtual Surface& InfoValuesPanel() = 0;

    // Averaged data chosen, not raw; then the samples per block.
    virtual bool Averaged() const = 0;
    virtual int BlockSize() const = 0;
    virtual bool SeriesShown(Series series) const = 0;
    // Program-made changes: they must not start a pass.
    virtual void SetSeriesShown(Series series, bool shown) = 0;
    virtual void SetSeriesEnabled(Series series, bool enabled) = 0;

    // Speed axis captions 1..12 from the bottom; size axis captions 0..4.
    virtual void SetSpeedAxisCaption(int index, const std::string& caption) = 0;
    virtual void SetSizeAxisCaption(int index, const std::string& caption) = 0;
    // RPM axis captions 1..12 from the bottom, for a fitted scale.
    virtual void SetRpmAxisCaption(int index, const std::string& caption) = 0;
    // The size captions of a zoomed view, at most five; none puts the whole
    // view's captions back in their places.
    virtual void SetZoomCaptions(const std::vector<AxisCaption>& captions) = 0;

    // Modal, OK only, no icon.
    virtual void ShowMessage(const std::string& prompt, const std::string& title) = 0;

    // The locale's general date-time form of a file's date text; a text that
    // is not a date comes back unchanged.
    virtual std::string GeneralDate(const std::string& text) const = 0;
};

} // namespace velantro
