#pragma once

#include "graphfile/burnfields.h"
#include "support/recording.h"

#include <cstdio>
#include <string>

namespace velantro::testing {

// Everything a pass leaves visible, one item a line, floats bit-exact: two
// pictures are the same when their snapshots are equal. Files of the same
// content at other paths compare without the paths.
inline std::string Snapshot(const BurnFields& fields, const RecordingControls& controls, bool withPaths = true)
{
    std::string text;
    char buffer[160];
    const auto add = [&](const std::string& line) {
        text += line;
        text += '\n';
    };
    for (const int picture : {1, 2, 5, 7}) {
        const RecordingSurface& surface = controls.Pictures[static_cast<std::size_t>(picture)];
        std::snprintf(buffer, sizeof buffer, "Picture%d scale %a x %a", picture, surface.ScaleWidth(),
                      surface.ScaleHeight());
        add(buffer);
        for (const Segment& s : surface.Lines) {
            std::snprintf(buffer, sizeof buffer, "line %a %a %a %a #%06x", s.X1, s.Y1, s.X2, s.Y2, s.Colour);
            add(buffer);
        }
        for (const auto& printed : surface.Printed) {
            std::snprintf(buffer, sizeof buffer, "print at %a %a: ", printed.X, printed.Y);
            add(buffer + printed.Text);
        }
    }
    for (const std::string& caption : controls.Label3)
        add("Label3 " + caption);
    for (const std::string& caption : controls.Label5)
        add("Label5 " + caption);
    for (std::size_t i = 0; i < controls.Ticked.size(); ++i)
        add("Check1 " + std::to_string(i) + " " + std::to_string(controls.Ticked[i]) +
            (controls.Enabled[i] ? " enabled" : " disabled"));
    for (const std::string& message : controls.Messages)
        add("message " + message);
    for (const std::string& value : fields.InfoCaptions)
        add("value " + value);
    std::snprintf(buffer, sizeof buffer, "sector size %d capacity %a data %a width %a height %d rpm %d %d",
                  fields.SectorSize, fields.MediaCapacity, fields.DataSectors, fields.ChartWidth,
                  fields.SpeedChartHeight, fields.RpmBase, fields.RpmSpan);
    add(buffer);
    add("media " + fields.MediaType);
    if (withPaths) {
        add("shown " + fields.GraphFilePath);
        add("loaded " + fields.LoadedFilePath);
    }
    return text;
}

// The first line where two snapshots part, for a readable failure.
inline std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::size_t start = 0;
    for (;;) {
        const std::size_t endA = a.find('\n', start);
        const std::size_t endB = b.find('\n', start);
        const std::string lineA = a.substr(start, endA == std::string::npos ? std::string::npos : endA - start);
        const std::string lineB = b.substr(start, endB == std::string::npos ? std::string::npos : endB - start);
        if (lineA != lineB || endA != endB)
            return "'" + lineA + "' against '" + lineB + "'";
        if (endA == std::string::npos)
            return "none";
        start = endA + 1;
    }
}

} // namespace velantro::testing
