#include "graphfile/loadpass.h"

#include "graphfile/samplepeaks.h"
#include "charts/frames.h"
#include "charts/seriescolours.h"
#include "charts/seriespens.h"
#include "charts/surface.h"
#include "vocabulary/windowcontrols.h"
#include "vocabulary/windowfields.h"
#include "graphfile/graphreader.h"
#include "graphfile/infopanel.h"
#include "vocabulary/passfailure.h"
#include "graphfile/plotpoint.h"
#include "graphfile/seriesboxes.h"
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
    Pass(WindowFields& fields, WindowControls& controls) : fields_(fields), controls_(controls) {}

    LoadOutcome Run()
    {
        std::string reason = "out of memory";
        try {
            if (fields_.GraphFilePath != fields_.LoadedFilePath)
                EnableAllSeries(controls_, fields_.HiddenOnLoad);
            if (!reader_.Open(fields_.GraphFilePath))
                throw PassFailure(reader_.ErrorString());
            ReadHeader();
            FindPeaks();
            DrawSpeedFrame(fields_, controls_);
            DrawPercentFrame(fields_, controls_);
            DrawMarkers();
            if (fields_.Zoom)
                nearest_.emplace(*fields_.Zoom, ReadoutColumns);
            mapping_.emplace(fields_, layerBreak_);
            const DataPresent sections = PlotSections();
            SayWhenAboveTheScale();
            AdjustSeriesBoxes(sections);
            fields_.LoadedFilePath = fields_.GraphFilePath;
            LoadOutcome outcome{true, sections, {}, std::move(nearest_)};
            outcome.DecimalComma = reader_.DecimalComma();
            return outcome;
        } catch (const PassFailure& failure) {
            reason = failure.what();
        } catch (const std::bad_alloc&) {
        }
        reader_.Close();
        controls_.ShowMessage(FileErrorText, FileErrorTitle);
        fields_.GraphFilePath = fields_.LoadedFilePath;
        return {false, DataPresent::None, reason, std::nullopt};
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
                Surface& drivePanel = controls_.DrivePanel();
                drivePanel.Cls();
                PrintCentred(drivePanel, Cp1252ToUtf8(header.Drive), 0);
                break;
            }
            case HeaderKey::MediaType:
                fields_.MediaType = Cp1252ToUtf8(header.MediaType);
                break;
            case HeaderKey::Capacity:
                fields_.MediaCapacity = header.Capacity;
                break;
            case HeaderKey::DataSectors:
                fields_.DataSectors = header.DataSectors;
                break;
            case HeaderKey::DataType:
                fields_.SectorSize = header.SectorSize;
                break;
            default:
                break;
            }
        }
        layerBreak_ = header.LayerBreak;

        const auto values =
            InfoValues(header, [this](const std::string& text) { return controls_.GeneralDate(text); });
        Surface& panel = controls_.InfoValuesPanel();
        panel.Cls();
        for (int i = 0; i < InfoValueCount; ++i) {
            const auto index = static_cast<std::size_t>(i);
            fields_.InfoCaptions[index] = values[index];
            PrintCentred(panel, values[index], i * InfoRowTwips);
        }
    }

    // A fitted scale needs the peaks before the frame is drawn: the file is
    // read once more, by the same reader, keeping two numbers.
    void FindPeaks()
    {
        if (!fields_.FitSpeedScale)
            return;
        const std::optional<SamplePeaks> peaks = PeaksOf(fields_.GraphFilePath, fields_.Zoom);
        if (!peaks)
            throw PassFailure("file changed while read");
        fields_.PeakSpeed = peaks->Speed;
        fields_.PeakRpm = peaks->Rpm;
    }

    // A curve far above the media's scale draws nothing; the chart says why.
    void SayWhenAboveTheScale()
    {
        if (fields_.FitSpeedScale || !plotted_ || withinScale_)
            return;
        Surface& chart = controls_.SpeedChart();
        chart.SetCurrentX(chart.ScaleLeft() + chart.ScaleWidth() / 50);
        chart.SetCurrentY(static_cast<double>(fields_.SpeedChartHeight) / 2);
        chart.SetForeColor(AboveTheScaleColour);
        chart.Print(AboveTheScaleText);
    }

    void NoteScale(const PlotPoint& point)
    {
        plotted_ = true;
        withinScale_ = withinScale_ || point.SpeedHeights[0] >= 0 || point.SpeedHeights[1] >= 0;
    }

    void DrawMarkers()
    {
        Surface& speed = controls_.SpeedChart();
        Surface& percent = controls_.PercentChart();
        const auto height = static_cast<float>(fields_.SpeedChartHeight);
        if (layerBreak_ > 0) {
            const float x = ToSingle(layerBreak_);
            speed.Line(x, 0, x, height, LayerBreakColour);
            percent.Line(x, 0, x, PercentChartHeight, LayerBreakColour);
        }
        const float x = ToSingle(fields_.DataSectors);
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

    int BlockSize()
    {
        if (!blockSize_)
            blockSize_ = controls_.BlockSize();
        return *blockSize_;
    }

    // Extends q over the samples of its block; a block cut short by the end
    // marker is averaged over what it has. True when the section ended.
    bool AverageBlock(PlotPoint& q)
    {
        const int size = BlockSize();
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
        const bool averaged = controls_.Averaged();
        const auto add = [this](SeriesPens& pens, int slot, Series series) {
            pens.AddSeries(slot, ColourOf(series), controls_.SeriesShown(series));
        };
        // Speed before RPM; the percent chart's First (the write buffer, the
        // verify CPU) before the write CPU.
        SeriesPens speed(controls_.SpeedChart());
        add(speed, 0, write ? Series::WriteSpeed : Series::VerifySpeed);
        add(speed, 1, write ? Series::WriteRpm : Series::VerifyRpm);
        SeriesPens percent(controls_.PercentChart());
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
        if (nearest_) {
            const std::pair<Series, double PlotPoint::*> values[] = {
                {write ? Series::WriteSpeed : Series::VerifySpeed, &PlotPoint::Speed},
                {write ? Series::WriteRpm : Series::VerifyRpm, &PlotPoint::Rpm},
                {write ? Series::WriteBuffer : Series::VerifyCpu, &PlotPoint::First},
                {Series::WriteCpu, &PlotPoint::Second}};
            for (const auto& value : values) {
                if ((write || value.first != Series::WriteCpu) && controls_.SeriesShown(value.first))
                    kept.push_back(value);
            }
        }
        const auto keep = [&](const PlotPoint& point) {
            for (const auto& [series, member] : kept)
                nearest_->Add(series, point.Sector, point.*member);
        };
        keep(*p);
        for (;;) {
            bool ended = false;
            if (averaged && q->Sector < fields_.DataSectors)
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

    void AdjustSeriesBoxes(DataPresent sections)
    {
        if (fields_.GraphFilePath == fields_.LoadedFilePath)
            return;
        switch (sections) {
        case DataPresent::Both:
            EnableAllSeries(controls_, fields_.HiddenOnLoad);
            break;
        case DataPresent::WriteOnly:
            DisableVerifySeries(controls_);
            break;
        case DataPresent::VerifyOnly:
            DisableWriteSeries(controls_);
            break;
        case DataPresent::None:
            DisableWriteSeries(controls_);
            DisableVerifySeries(controls_);
            break;
        }
    }

    WindowFields& fields_;
    WindowControls& controls_;
    GraphReader reader_;
    std::optional<SampleMapping> mapping_;
    double layerBreak_ = 0;
    std::optional<int> blockSize_;
    std::optional<NearestSamples> nearest_;
    bool plotted_ = false;
    bool withinScale_ = false;
};

} // namespace

LoadOutcome LoadGraphFile(WindowFields& fields, WindowControls& controls)
{
    return Pass(fields, controls).Run();
}

} // namespace velantro
