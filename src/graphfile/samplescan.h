#pragma once

#include "charts/chartscale.h"
#include "graphfile/graphreader.h"
#include "graphfile/plotpoint.h"

#include <optional>
#include <string>

namespace velantro {

// Reads a graph file as a freshly started window's load pass does, without
// drawing: the same reader, the same chart scale and the same checks of
// every sample, so it accepts and rejects exactly the files the window does.
// Holds one sample at a time.
class SampleScan {
public:
    // Reads the header and chooses the charts' scale; false when rejected.
    bool Open(const std::string& path);
    // The next sample of either section; false at the end or on rejection.
    bool Next();

    const GraphHeader& Header() const { return reader_.Header(); }
    // The header's media values and the charts' scale for them.
    const MediaFacts& Media() const { return media_; }
    const ChartScale& Scale() const { return scale_; }
    GraphSection Section() const { return reader_.Section(); }
    bool FirstOfSection() const { return first_; }
    // The sample with its RPM estimated as the pass does (the first sample
    // of a section by the first-sample rule).
    const PlotPoint& Point() const { return point_; }
    // Final once Next() returned false without an error.
    DataPresent Sections() const { return reader_.Sections(); }
    bool DecimalComma() const { return reader_.DecimalComma(); }

    bool HasError() const { return !error_.empty(); }
    const std::string& ErrorString() const { return error_; }

private:
    bool Fail(const std::string& reason);

    GraphReader reader_;
    MediaFacts media_;
    ChartScale scale_;
    std::optional<SampleMapping> mapping_;
    PlotPoint point_;
    bool first_ = false;
    bool pendingFirst_ = false;
    std::string error_;
};

} // namespace velantro
