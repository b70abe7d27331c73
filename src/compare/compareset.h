#pragma once

#include "charts/columnsummary.h"
#include "vocabulary/zoomrange.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velantro {

enum class CompareSeries { WriteSpeed, VerifySpeed, WriteBuffer };
// Sectors put discs of every size on one axis; a share of each file's data
// compares places on the disc.
enum class CompareAxis { Sectors, ShareOfData };

// As many files as there are colours that colour-blind readers can tell
// apart on the chart's background.
inline constexpr int MaxCompareFiles = 8;

// One file of a comparison: what its legend entry names and its line.
struct CompareFile {
    std::string Path;
    // Why the file is left out; empty when it is drawn.
    std::string Error;
    // UTF-8, as the information panel shows them; the date unformatted.
    std::string Drive;
    std::string MediaId;
    std::string SpeedSelected;
    std::string Date;
    // The main window's X extent for this file, and what it reads from the header.
    double ChartWidth = 0;
    double DataSectors = 0;
    std::int16_t SectorSize = 0;
    std::int16_t SpeedChartHeight = 0;
    ColumnSummary Line;
    // Whether the file has samples of the series anywhere, not only in the view.
    bool HasSeries = false;
    // The file's colour, from the first time it is drawn until it is removed;
    // -1 for one never drawn.
    int Slot = -1;
    // Read whole, but every colour was held.
    bool NoColour = false;

    bool Drawn() const { return Error.empty(); }
};

// Several files' lines over one axis. Every rebuild reads every file anew,
// as the load pass does, and keeps per file only its column summary.
class CompareSet {
public:
    void Add(const std::string& path);
    void Remove(std::size_t index);
    const std::vector<CompareFile>& Files() const { return files_; }
    std::size_t DrawnCount() const;
    // How many more files can be drawn: one per colour not held.
    std::size_t FreeSlots() const;

    // Reads the files for the series over the wanted stretch of the axis
    // (clamped to it; an empty stretch is the whole) on the given number of
    // pixel columns. Rejected files keep their reason and are left out; the
    // axis spans the files drawn that have the series. A file drawn for the
    // first time takes the first colour no other file holds.
    void Rebuild(CompareSeries series, CompareAxis axis, const ZoomRange& wanted, int columns);

    CompareSeries Series() const { return series_; }
    CompareAxis Axis() const { return axis_; }
    // What the axis can show, and the stretch of it the lines were read for.
    const ZoomLimits& Limits() const { return limits_; }
    const ZoomRange& View() const { return view_; }
    // The value at the top of the plot; 0 at the bottom.
    double Top() const { return top_; }
    // Bytes per sector of the file that sets the axis' width, for its captions.
    std::int16_t AxisSectorSize() const { return axisSectorSize_; }

private:
    void ReadHeaders();
    // Once the lines are read, files without the series leave the axis alone.
    void SetLimits(bool linesRead);
    void ReadLines(int columns);
    void GiveSlots();

    std::vector<CompareFile> files_;
    CompareSeries series_ = CompareSeries::WriteSpeed;
    CompareAxis axis_ = CompareAxis::Sectors;
    ZoomLimits limits_;
    ZoomRange view_;
    double top_ = 25;
    std::int16_t axisSectorSize_ = 2048;
};

} // namespace velantro
