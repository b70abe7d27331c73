#include "graphfile/loadpass.h"

#include "charts/frames.h"
#include "charts/seriescolours.h"
#include "charts/surface.h"
#include "graphfile/burncontrols.h"
#include "graphfile/burnfields.h"
#include "graphfile/infopanel.h"
#include "graphfile/linereader.h"
#include "graphfile/passfailure.h"
#include "graphfile/seriesboxes.h"
#include "graphfile/textrules.h"

#include <cmath>
#include <new>
#include <optional>
#include <string_view>

namespace velantro {

namespace {

// No graph file line comes near this; a longer one is not a graph file, and
// the limit keeps a file without line ends from filling memory.
constexpr std::size_t LongestLine = std::size_t{1} << 20;

constexpr double RpmScale = 2.66e-5;

bool StartsWith(std::string_view line, std::string_view key)
{
    return line.substr(0, key.size()) == key;
}

// Markers are read from the second character; the first may be anything.
bool IsMarker(std::string_view line, std::string_view marker)
{
    return line.size() > marker.size() && line.substr(1, marker.size()) == marker;
}

struct SectionKind {
    std::string_view EndMarker;
    std::size_t FieldsNeeded;
    bool Write;
};

constexpr SectionKind WriteSection{"END_WRITE", 5, true};
constexpr SectionKind VerifySection{"END_VERIFY", 4, false};

// One plotted point: a sample, or the mean of a block of samples. The write
// section has buffer and CPU percents, the verify section CPU only (First).
struct PlotPoint {
    double Sector = 0;
    double Speed = 0;
    double Rpm = 0;
    double First = 0;
    double Second = 0;
};

double Finite(double value)
{
    if (!std::isfinite(value))
        throw PassFailure("arithmetic overflow");
    return value;
}

class Pass {
public:
    Pass(BurnFields& fields, BurnControls& controls) : fields_(fields), controls_(controls) {}

    LoadOutcome Run()
    {
        try {
            if (fields_.GraphFilePath != fields_.LoadedFilePath)
                EnableAllSeries(controls_);
            if (!reader_.Open(fields_.GraphFilePath))
                throw PassFailure("cannot open");
            reader_.SetLineLimit(LongestLine);
            ReadHeader();
            DrawSpeedFrame(fields_, controls_);
            DrawPercentFrame(fields_, controls_);
            DrawMarkers();
            const DataPresent sections = PlotSections();
            reader_.Close();
            AdjustSeriesBoxes(sections);
            fields_.LoadedFilePath = fields_.GraphFilePath;
            return {true, sections};
        } catch (const PassFailure&) {
        } catch (const std::bad_alloc&) {
        }
        reader_.Close();
        controls_.MsgBox(FileErrorText, FileErrorTitle);
        fields_.GraphFilePath = fields_.LoadedFilePath;
        return {false, DataPresent::None};
    }

private:
    void NextLine()
    {
        if (!reader_.ReadLine(line_))
            throw PassFailure("unexpected end of file");
        if (reader_.LastLineCut())
            throw PassFailure("line too long");
    }

    // Searches forward from the current line; all keys are required, in order.
    std::string_view FindKey(std::string_view key)
    {
        while (!StartsWith(line_, key))
            NextLine();
        return ValueFrom(line_, key.size() + 1);
    }

    std::string Text(std::string_view value) const { return Cp1252ToUtf8(value); }

    void Store(int index, std::string value) { fields_.InfoCaptions[static_cast<std::size_t>(index)] = std::move(value); }

    void ReadHeader()
    {
        NextLine();
        Store(9, controls_.GeneralDate(Text(FindKey("DATE="))));
        Store(10, Text(FindKey("SAMPLE_RATE=")) + " ms");

        const std::string drive = Text(FindKey("DEVICE_MAKEMODEL="));
        Surface& drivePanel = controls_.Picture(7);
        drivePanel.Cls();
        PrintCentred(drivePanel, drive, 0);

        Store(0, Text(FindKey("DEVICE_FIRMWAREVERSION=")));
        fields_.MediaType = Text(FindKey("MEDIA_TYPE="));
        Store(3, fields_.MediaType);
        Store(4, Text(FindKey("MEDIA_BOOKTYPE=")));
        Store(2, Text(FindKey("MEDIA_ID=")));
        fields_.MediaCapacity = LeadingNumber(FindKey("MEDIA_CAPACITY="));
        Store(5, NumberText(fields_.MediaCapacity));
        layerBreak_ = LeadingNumber(FindKey("MEDIA_LAYER_BREAK="));
        fields_.DataSectors = LeadingNumber(FindKey("DATA_SECTORS="));
        Store(6, NumberText(fields_.DataSectors));
        Store(7, Text(FindKey("DATA_TYPE=")));
        const std::size_t slash = line_.rfind('/');
        const std::string_view sectorText =
            slash == std::string::npos ? std::string_view(line_) : std::string_view(line_).substr(slash + 1);
        fields_.SectorSize = RoundToInt16(LeadingNumber(sectorText));
        Store(1, Text(FindKey("DATA_VOLUMEIDENTIFIER=")));

        ReadSpeedBlock();
        Store(8, BurnTimeText(LeadingNumber(burnTime_)));

        Surface& values = controls_.Picture(5);
        values.Cls();
        for (int i = 0; i < InfoValueCount; ++i)
            PrintCentred(values, fields_.InfoCaptions[static_cast<std::size_t>(i)], i * InfoRowTwips);
    }

    // The lines after the first are taken by position: only their key lengths matter.
    void ReadSpeedBlock()
    {
        while (!StartsWith(line_, "WRITE_TEST_MODE=") && !StartsWith(line_, "VERIFY_SPEED_START=") &&
               line_ != "[END_CONFIGURATION]")
            NextLine();
        if (StartsWith(line_, "WRITE_TEST_MODE=")) {
            Store(16, Text(ValueFrom(line_, 17)));
            NextLine();
            Store(11, Text(ValueFrom(line_, 22)));
            NextLine();
            Store(12, Text(ValueFrom(line_, 19)) + "x");
            NextLine();
            Store(14, Text(ValueFrom(line_, 17)) + "x");
            NextLine();
            Store(13, Text(ValueFrom(line_, 21)) + "x");
            NextLine();
            Store(15, Text(ValueFrom(line_, 17)) + "x");
            NextLine();
            burnTime_ = ValueFrom(line_, 18);
        } else if (StartsWith(line_, "VERIFY_SPEED_START=")) {
            Store(16, "N/A");
            Store(11, "N/A");
            Store(12, Text(ValueFrom(line_, 20)) + "x");
            NextLine();
            Store(14, Text(ValueFrom(line_, 18)) + "x");
            NextLine();
            Store(13, Text(ValueFrom(line_, 22)) + "x");
            NextLine();
            Store(15, Text(ValueFrom(line_, 18)) + "x");
            NextLine();
            burnTime_ = ValueFrom(line_, 19);
        } else {
            // Without a speed block the previous file's speeds must not stay on show.
            for (int i = 11; i <= 16; ++i)
                Store(i, "N/A");
            burnTime_.clear();
        }
    }

    void DrawMarkers()
    {
        Surface& speed = controls_.Picture(1);
        Surface& percent = controls_.Picture(2);
        const auto height = static_cast<float>(fields_.SpeedChartHeight);
        if (layerBreak_ > 0) {
            const float x = ToSingle(layerBreak_);
            speed.Line(x, 0, x, height, LayerBreakColour);
            percent.Line(x, 0, x, PercentChartHeight, LayerBreakColour);
        } else {
            layerBreak_ = fields_.MediaCapacity;
        }
        const float x = ToSingle(fields_.DataSectors);
        speed.Line(x, 0, x, height, DataEndColour);
        percent.Line(x, 0, x, PercentChartHeight, DataEndColour);
    }

    DataPresent PlotSections()
    {
        while (!IsMarker(line_, "START_WRITE") && !IsMarker(line_, "START_VERIFY") && !reader_.AtEof())
            NextLine();
        if (reader_.AtEof())
            return DataPresent::None;

        int code = 3;
        if (IsMarker(line_, "START_VERIFY")) {
            code = 2;
        } else {
            NextLine();
            if (IsMarker(line_, "END_WRITE"))
                code = 2;
            else
                PlotSection(WriteSection);
        }

        while (!IsMarker(line_, "START_VERIFY") && !reader_.AtEof())
            NextLine();
        if (reader_.AtEof())
            return static_cast<DataPresent>(code - 2);
        NextLine();
        if (IsMarker(line_, "END_VERIFY"))
            return static_cast<DataPresent>(code - 2);
        PlotSection(VerifySection);
        return static_cast<DataPresent>(code);
    }

    double RpmEstimate(double speed, double sector, bool firstSample) const
    {
        const double capacity = fields_.MediaCapacity;
        if (capacity == 0)
            throw PassFailure("division by zero");
        const double f = (firstSample || sector <= layerBreak_) ? Finite((capacity - sector) / capacity)
                                                                : Finite(sector / capacity);
        return Finite(speed * (fields_.RpmSpan * Finite(f * f) + fields_.RpmBase));
    }

    PlotPoint ParseSample(const SectionKind& kind, bool firstSample) const
    {
        std::string_view fields[5];
        std::size_t count = 0;
        if (!line_.empty()) {
            std::string_view rest(line_);
            for (;;) {
                const std::size_t comma = rest.find(',');
                if (count < 5)
                    fields[count] = rest.substr(0, comma);
                ++count;
                if (comma == std::string_view::npos || count >= kind.FieldsNeeded)
                    break;
                rest.remove_prefix(comma + 1);
            }
        }
        if (count < kind.FieldsNeeded)
            throw PassFailure("sample line too short");

        PlotPoint point;
        point.Speed = LeadingNumber(fields[0]);
        point.Sector = LeadingNumber(fields[1]);
        point.Rpm = RpmEstimate(point.Speed, point.Sector, firstSample);
        point.First = LeadingNumber(fields[3]);
        if (kind.Write)
            point.Second = LeadingNumber(fields[4]);
        // Every sample must map into the charts, drawn or not, so that raw and
        // averaged plots and every choice of series accept the same files.
        ToSingle(point.Sector);
        SpeedY(point.Speed);
        RpmY(point.Rpm);
        PercentY(point.First);
        PercentY(point.Second);
        return point;
    }

    int BlockSize()
    {
        if (!blockSize_)
            blockSize_ = RoundToInt16(LeadingNumber(controls_.Combo1Text()));
        return *blockSize_;
    }

    // Extends q over the samples of its block; a block cut short by the end
    // marker is averaged over what it has.
    void AverageBlock(const SectionKind& kind, PlotPoint& q)
    {
        const int size = BlockSize();
        PlotPoint sum = q;
        int count = 1;
        while (count < size) {
            NextLine();
            if (IsMarker(line_, kind.EndMarker))
                break;
            const PlotPoint next = ParseSample(kind, false);
            sum.Speed = Finite(sum.Speed + next.Speed);
            sum.Rpm = Finite(sum.Rpm + next.Rpm);
            sum.First = Finite(sum.First + next.First);
            sum.Second = Finite(sum.Second + next.Second);
            q.Sector = next.Sector;
            ++count;
        }
        q.Speed = sum.Speed / count;
        q.Rpm = sum.Rpm / count;
        q.First = sum.First / count;
        q.Second = sum.Second / count;
    }

    float SpeedY(double speed) const { return ToSingle(fields_.SpeedChartHeight - 100 * speed); }
    float RpmY(double rpm) const
    {
        return ToSingle(fields_.SpeedChartHeight - fields_.SpeedChartHeight * RpmScale * rpm);
    }
    static float PercentY(double percent) { return ToSingle(PercentChartHeight - 10 * percent); }

    void DrawSegments(const SectionKind& kind, const bool ticked[], const PlotPoint& p, const PlotPoint& q)
    {
        Surface& speed = controls_.Picture(1);
        Surface& percent = controls_.Picture(2);
        const float x1 = ToSingle(p.Sector);
        const float x2 = ToSingle(q.Sector);
        const int base = kind.Write ? 0 : 4;
        const auto colour = [&](int box) { return SeriesColour[box]; };
        if (ticked[0])
            speed.Line(x1, SpeedY(p.Speed), x2, SpeedY(q.Speed), colour(base));
        if (ticked[1])
            speed.Line(x1, RpmY(p.Rpm), x2, RpmY(q.Rpm), colour(base + 1));
        if (kind.Write) {
            if (ticked[3])
                percent.Line(x1, PercentY(p.First), x2, PercentY(q.First), colour(3));
            if (ticked[2])
                percent.Line(x1, PercentY(p.Second), x2, PercentY(q.Second), colour(2));
        } else if (ticked[2]) {
            percent.Line(x1, PercentY(p.First), x2, PercentY(q.First), colour(6));
        }
    }

    // The current line is the section's first sample line; ends on its end marker.
    void PlotSection(const SectionKind& kind)
    {
        const bool averaged = controls_.Option2Value();
        const int base = kind.Write ? 0 : 4;
        bool ticked[4] = {};
        for (int i = 0; i < (kind.Write ? 4 : 3); ++i)
            ticked[i] = controls_.Check1Value(base + i) != 0;

        // The first pass of the loop reads the first sample again: in raw mode
        // the section starts with a segment from that sample to itself.
        PlotPoint p = ParseSample(kind, true);
        for (;;) {
            if (IsMarker(line_, kind.EndMarker))
                break;
            PlotPoint q = ParseSample(kind, false);
            if (averaged && q.Sector < fields_.DataSectors)
                AverageBlock(kind, q);
            DrawSegments(kind, ticked, p, q);
            p = q;
            if (!IsMarker(line_, kind.EndMarker))
                NextLine();
        }
    }

    void AdjustSeriesBoxes(DataPresent sections)
    {
        if (fields_.GraphFilePath == fields_.LoadedFilePath)
            return;
        switch (sections) {
        case DataPresent::Both:
            EnableAllSeries(controls_);
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

    BurnFields& fields_;
    BurnControls& controls_;
    LineReader reader_;
    std::string line_;
    double layerBreak_ = 0;
    std::string burnTime_;
    std::optional<int> blockSize_;
};

} // namespace

LoadOutcome LoadGraphFile(BurnFields& fields, BurnControls& controls)
{
    return Pass(fields, controls).Run();
}

} // namespace velantro
