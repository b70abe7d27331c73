#include "graphfile/loadpass.h"

#include "graphfile/samplepeaks.h"
#include "charts/frames.h"
#include "charts/seriescolours.h"
#include "charts/seriespens.h"
#include "charts/surface.h"
#include "graphfile/graphreader.h"
#include "graphfile/infopanel.h"
#include "vocabulary/passfailure.h"
#include "graphfile/plotpoint.h"
#include "vocabulary/textrules.h"

#include <cmath>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace velantro {

namespace {

double Finite(double value)
{
    if (!std::isfinite(value))
        throw PassFailure("arithmetic overflow");
    return value;
}

class Pass {
public:
    Pass(const std::string& path, const ViewOptions& options, const ViewSurfaces& surfaces,
         const DateFormatter& generalDate)
        : path_(path), options_(options), surfaces_(surfaces), generalDate_(generalDate)
    {
    }

    LoadOutcome Run()
    {
        std::string reason = "out of memory";
        try {
            if (!reader_.Open(path_))
                throw PassFailure(reader_.ErrorString());
            ReadHeader();
            FindPeaks();
            MakeScale();
            DrawSpeedFrame(*surfaces_.SpeedChart, out_.Scale, out_.Media.SectorSize, out_.Zoom);
            DrawPercentFrame(*surfaces_.PercentChart, out_.Scale, out_.Media.SectorSize, out_.Zoom);
            DrawMarkers();
            if (out_.Zoom)
                out_.Samples.emplace(*out_.Zoom, ReadoutColumns);
            mapping_.emplace(out_.Scale, out_.Media.Capacity, layerBreak_);
            out_.Sections = PlotSections();
            SayWhenAboveTheScale();
            out_.Loaded = true;
            out_.DecimalComma = reader_.DecimalComma();
            return std::move(out_);
        } catch (const PassFailure& failure) {
            reason = failure.what();
        } catch (const std::bad_alloc&) {
        }
        reader_.Close();
        // What was read before the failure stays: the drive, for a list of files.
        out_.Reason = reason;
        out_.Samples.reset();
        return std::move(out_);
    }

private:
    GraphToken Next()
    {
        const GraphToken token = reader_.ReadNext();
        if (token == GraphToken::Invalid)
            throw PassFailure(reader_.ErrorString());
        return token;
    }

    void ReadHeader()
    {
        const GraphHeader& header = reader_.Header();
        while (Next() == GraphToken::HeaderValue) {
            switch (reader_.Key()) {
            case HeaderKey::DriveModel: {
                Surface& drivePanel = *surfaces_.DrivePanel;
                drivePanel.Clear();
                out_.Drive = Cp1252ToUtf8(header.Drive);
                PrintCentred(drivePanel, out_.Drive, 0);
                break;
            }
            case HeaderKey::MediaType:
                out_.Media.MediaType = Cp1252ToUtf8(header.MediaType);
                break;
            case HeaderKey::Capacity:
                out_.Media.Capacity = header.Capacity;
                break;
            case HeaderKey::DataSectors:
                out_.Media.DataSectors = header.DataSectors;
                break;
            case HeaderKey::DataType:
                out_.Media.SectorSize = header.SectorSize;
                break;
            default:
                break;
            }
        }
        layerBreak_ = header.LayerBreak;

        out_.InfoValues = InfoValues(header, generalDate_ ? generalDate_ : [](const std::string& text) { return text; });
        Surface& panel = *surfaces_.InfoValuesPanel;
        panel.Clear();
        for (int i = 0; i < InfoValueCount; ++i)
            PrintCentred(panel, out_.InfoValues[static_cast<std::size_t>(i)], i * InfoRowTwips);
    }

    // A fitted scale needs the peaks before the frame is drawn: the file is
    // read once more, by the same reader, keeping two numbers.
    void FindPeaks()
    {
        if (!options_.Fit)
            return;
        peaks_ = PeaksOf(path_, options_.Zoom);
        if (!peaks_)
            throw PassFailure("file changed while read");
    }

    // The zoom cut to the chart; none when that is the whole chart.
    void MakeScale()
    {
        out_.Scale = ScaleFor(out_.Media, peaks_);
        const ZoomLimits limits{out_.Scale.Width};
        if (options_.Zoom) {
            out_.Zoom = ClampZoom(*options_.Zoom, limits);
            if (ShowsWhole(*out_.Zoom, limits))
                out_.Zoom.reset();
        }
    }

    // A curve far above the media's scale draws nothing; the chart says why.
    void SayWhenAboveTheScale()
    {
        if (options_.Fit || !plotted_ || withinScale_)
            return;
        out_.AboveScale = true;
        Surface& chart = *surfaces_.SpeedChart;
        chart.Text(chart.UserLeft() + chart.UserWidth() / AboveTheScaleLeftParts,
                   static_cast<double>(out_.Scale.SpeedHeight) / AboveTheScaleTopParts,
                   AboveTheScaleText, AboveTheScaleColour);
    }

    void NoteScale(const PlotPoint& point)
    {
        plotted_ = true;
        withinScale_ = withinScale_ || point.SpeedHeights[0] >= 0 || point.SpeedHeights[1] >= 0;
    }

    void DrawMarkers()
    {
        Surface& speed = *surfaces_.SpeedChart;
        Surface& percent = *surfaces_.PercentChart;
        const auto height = static_cast<float>(out_.Scale.SpeedHeight);
        if (layerBreak_ > 0) {
            const float x = ToSingle(layerBreak_);
            speed.Line(x, 0, x, height, LayerBreakColour);
            percent.Line(x, 0, x, PercentChartHeight, LayerBreakColour);
        }
        const float x = ToSingle(out_.Media.DataSectors);
        speed.Line(x, 0, x, height, DataEndColour);
        percent.Line(x, 0, x, PercentChartHeight, DataEndColour);
    }

    DataPresent PlotSections()
    {
        for (;;) {
            switch (Next()) {
            case GraphToken::SectionStart:
                PlotSection(reader_.Section() == GraphSection::Write);
                break;
            case GraphToken::EndOfFile:
                return reader_.Sections();
            default:
                throw PassFailure("unexpected token");
            }
        }
    }


    // Extends q over the samples of its block; a block cut short by the end
    // marker is averaged over what it has. True when the section ended.
    bool AverageBlock(PlotPoint& q)
    {
        const int size = options_.BlockSize;
        double speed = q.Speed;
        double rpm = q.Rpm;
        double first = q.First;
        double second = q.Second;
        int count = 1;
        bool ended = false;
        PlotPoint next;
        while (count < size) {
            if (Next() == GraphToken::SectionEnd) {
                ended = true;
                break;
            }
            mapping_->Map(reader_.Sample(), false, next);
            speed = Finite(speed + next.Speed);
            rpm = Finite(rpm + next.Rpm);
            first = Finite(first + next.First);
            second = Finite(second + next.Second);
            q.Sector = next.Sector;
            ++count;
        }
        q.Speed = speed / count;
        q.Rpm = rpm / count;
        q.First = first / count;
        q.Second = second / count;
        mapping_->Place(q);
        return ended;
    }

    static void DrawSegments(SeriesPens& speed, SeriesPens& percent, const PlotPoint& p, const PlotPoint& q)
    {
        // Straight from the points: pairs copied into new arrays would be
        // loaded wider than they were stored, and wait for the stores.
        speed.Lines(p.X, p.SpeedHeights, q.X, q.SpeedHeights);
        percent.Lines(p.X, p.PercentHeights, q.X, q.PercentHeights);
    }

    // The reader stands on the section's first sample; ends on its end.
    void PlotSection(bool write)
    {
        const bool averaged = options_.Averaged;
        const auto add = [this](SeriesPens& pens, int slot, Series series) {
            pens.AddSeries(slot, ColourOf(series), Shown(series));
        };
        // Speed before RPM; the percent chart's First (the write buffer, the
        // verify CPU) before the write CPU.
        SeriesPens speed(*surfaces_.SpeedChart);
        add(speed, 0, write ? Series::WriteSpeed : Series::VerifySpeed);
        add(speed, 1, write ? Series::WriteRpm : Series::VerifyRpm);
        SeriesPens percent(*surfaces_.PercentChart);
        if (write) {
            add(percent, 0, Series::WriteBuffer);
            add(percent, 1, Series::WriteCpu);
        } else {
            add(percent, 0, Series::VerifyCpu);
        }

        if (Next() != GraphToken::Sample)
            throw PassFailure("section without samples");
        // The first sample is taken twice: in raw mode the section starts
        // with a segment from that sample to itself.
        // Two points, trading places: no point is copied as a whole.
        PlotPoint points[2];
        PlotPoint* p = &points[0];
        PlotPoint* q = &points[1];
        mapping_->Map(reader_.Sample(), true, *p);
        mapping_->Map(reader_.Sample(), false, *q);
        NoteScale(*p);
        // The ticked series the zoomed readout keeps, asked once a section.
        std::vector<std::pair<Series, double PlotPoint::*>> kept;
        if (out_.Samples) {
            const std::pair<Series, double PlotPoint::*> values[] = {
                {write ? Series::WriteSpeed : Series::VerifySpeed, &PlotPoint::Speed},
                {write ? Series::WriteRpm : Series::VerifyRpm, &PlotPoint::Rpm},
                {write ? Series::WriteBuffer : Series::VerifyCpu, &PlotPoint::First},
                {Series::WriteCpu, &PlotPoint::Second}};
            for (const auto& value : values) {
                if ((write || value.first != Series::WriteCpu) && Shown(value.first))
                    kept.push_back(value);
            }
        }
        const auto keep = [&](const PlotPoint& point) {
            for (const auto& [series, member] : kept)
                out_.Samples->Add(series, point.Sector, point.*member);
        };
        keep(*p);
        for (;;) {
            bool ended = false;
            if (averaged && q->Sector < out_.Media.DataSectors)
                ended = AverageBlock(*q);
            DrawSegments(speed, percent, *p, *q);
            NoteScale(*q);
            keep(*q);
            if (ended || Next() == GraphToken::SectionEnd)
                return;
            std::swap(p, q);
            mapping_->Map(reader_.Sample(), false, *q);
        }
    }

    bool Shown(Series series) const { return options_.Shown[SeriesIndex(series)]; }

    const std::string& path_;
    const ViewOptions& options_;
    const ViewSurfaces& surfaces_;
    const DateFormatter& generalDate_;
    LoadOutcome out_;
    GraphReader reader_;
    std::optional<SampleMapping> mapping_;
    std::optional<SamplePeaks> peaks_;
    double layerBreak_ = 0;
    bool plotted_ = false;
    bool withinScale_ = false;
};

} // namespace

LoadOutcome LoadGraphFile(const std::string& path, const ViewOptions& options, const ViewSurfaces& surfaces,
                          const DateFormatter& generalDate)
{
    return Pass(path, options, surfaces, generalDate).Run();
}

} // namespace velantro
