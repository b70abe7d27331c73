#include "report/burnreport.h"

#include "graphfile/samplescan.h"
#include "vocabulary/textrules.h"

#include <algorithm>
#include <new>

namespace velantro {

namespace {

// Feeds one section's samples to its statistics.
class SectionAnalysis {
public:
    SectionAnalysis(GraphSection section, double layerBreak)
        : buffered_(section == GraphSection::Write), layerBreak_(layerBreak)
    {
        report_.HasBuffer = buffered_;
    }

    void Add(const PlotPoint& point)
    {
        const double sector = point.Sector;
        if (report_.Samples == 0) {
            report_.FirstSector = sector;
            report_.RpmMax = point.Rpm;
        }
        report_.LastSector = sector;
        ++report_.Samples;
        report_.Speed.Add(sector, point.Speed);
        report_.RpmMax = std::max(report_.RpmMax, point.Rpm);
        report_.Cpu.Add(sector, buffered_ ? point.Second : point.First);
        if (buffered_) {
            report_.Buffer.Add(sector, point.First);
            drops_.Add(sector, point.First);
        }

        // The second layer runs back from the rim: its levels start afresh
        // and its mirrored curve says nothing more about the strategy.
        const bool secondLayer = layerBreak_ > 0 && sector > layerBreak_;
        if (report_.Samples > 1 && secondLayer != secondLayer_)
            dips_.Finish();
        secondLayer_ = secondLayer;
        dips_.Add(sector, point.Speed);
        if (dips_.HasSmoothed() && !secondLayer)
            profile_.Add(dips_.SmoothedSector(), dips_.SmoothedSpeed());
    }

    SectionReport Finish()
    {
        drops_.Finish();
        dips_.Finish();
        report_.Drops = drops_.Runs();
        report_.Dips = dips_.Dips();
        report_.Strategy = ClassifyStrategy(profile_);
        return std::move(report_);
    }

private:
    bool buffered_;
    double layerBreak_;
    bool secondLayer_ = false;
    SectionReport report_;
    RunsBelow drops_{BufferDropLevel};
    DipFinder dips_;
    SpeedProfile profile_;
};

} // namespace

BurnReport ReadBurnReport(const std::string& path, const DateFormatter& generalDate)
{
    BurnReport report;
    report.File = path;
    SampleScan scan;
    if (!scan.Open(path)) {
        report.Error = scan.ErrorString();
        return report;
    }
    try {
        const GraphHeader& header = scan.Header();
        report.Header = header;
        report.Drive = Cp1252ToUtf8(header.Drive);
        const auto values = InfoValues(header, generalDate);
        for (std::size_t i = 0; i < values.size(); ++i)
            report.Info[i] = TrimBlanks(values[i]);
        if (header.LayerBreak > 0)
            report.LayerBreak = header.LayerBreak;

        std::optional<SectionAnalysis> section;
        GraphSection current = GraphSection::Write;
        const auto store = [&] {
            if (section)
                (current == GraphSection::Write ? report.Write : report.Verify) = section->Finish();
        };
        while (scan.Next()) {
            if (scan.FirstOfSection()) {
                store();
                current = scan.Section();
                section.emplace(current, header.LayerBreak);
            }
            section->Add(scan.Point());
        }
        store();
        report.DecimalComma = scan.DecimalComma();
    } catch (const std::bad_alloc&) {
        report.Error = "out of memory";
        return report;
    }
    if (scan.HasError()) {
        report.Error = scan.ErrorString();
        report.Write.reset();
        report.Verify.reset();
    }
    return report;
}

} // namespace velantro
