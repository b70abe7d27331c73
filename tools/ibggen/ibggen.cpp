#include "ibggen.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <fstream>
#include <numbers>
#include <random>
#include <sstream>
#include <vector>

namespace ibggen {
namespace {

// The reader takes the speed-block values from fixed character positions, so
// these key lengths are part of the format, not cosmetics.
constexpr std::string_view WriteTestModeKey = "WRITE_TEST_MODE=";
constexpr std::array<std::string_view, 6> WriteSpeedKeys{
    "WRITE_SPEED_SELECTED=", "WRITE_SPEED_START=", "WRITE_SPEED_END=",
    "WRITE_SPEED_AVERAGE=",  "WRITE_SPEED_MAX=",   "WRITE_TIME_TAKEN=",
};
constexpr std::array<std::string_view, 5> VerifySpeedKeys{
    "VERIFY_SPEED_START=", "VERIFY_SPEED_END=", "VERIFY_SPEED_AVERAGE=", "VERIFY_SPEED_MAX=", "VERIFY_TIME_TAKEN=",
};
static_assert(WriteSpeedKeys[0].size() == 21 && WriteSpeedKeys[1].size() == 18 && WriteSpeedKeys[2].size() == 16 &&
              WriteSpeedKeys[3].size() == 20 && WriteSpeedKeys[4].size() == 16 && WriteSpeedKeys[5].size() == 17);
static_assert(VerifySpeedKeys[0].size() == 19 && VerifySpeedKeys[1].size() == 17 && VerifySpeedKeys[2].size() == 21 &&
              VerifySpeedKeys[3].size() == 17 && VerifySpeedKeys[4].size() == 18);

// mt19937 output is fixed by the standard; the <random> distributions are not,
// and the same seed must give the same file with any standard library.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : engine_(seed) {}

    double Uniform() { return (static_cast<double>(engine_()) + 0.5) / 4294967296.0; }

    double Gauss()
    {
        const double u1 = Uniform();
        const double u2 = Uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
    }

    bool Chance(double p) { return Uniform() < p; }

    int Between(int lo, int hi)
    {
        const int value = lo + static_cast<int>(Uniform() * (hi - lo + 1));
        return std::min(value, hi);
    }

private:
    std::mt19937 engine_;
};

struct Disc {
    const char* mediaType;
    const char* bookType;
    const char* mediaId;
    const char* mediaSpeeds;
    double capacity;
    double layerBreak;     // 0: single layer
    double innerRadius;    // mm, start of the data area
    double outerRadius;    // mm, end of the data area
    double sectorsPer1x;   // sectors per second at 1x
    double fillLow;        // data size as a share of the capacity, drawn between these
    double fillHigh;
    const char* dataType = "MODE1/2048";
};

// Drives write and read in CAV up to cavRadius, then hold their top speed (P-CAV).
struct Shape {
    double topSpeed;
    double cavRadius;
    double spinUp;    // share of the data spent accelerating at the start
    double layerDip;  // speed factor right after the layer change
    double spinDown = 0;  // share of the data spent slowing down at the end
    bool zoned = false;   // Z-CLV: the zones of ZoneLevels instead of CAV
    bool falling = false; // a hard disk: fastest on the outer tracks, where it starts
};

// Z-CLV at a half, three quarters and all of the top speed, by share of the layer.
constexpr std::array<std::pair<double, double>, 3> ZoneLevels{{{0.0, 0.5}, {0.3, 0.75}, {0.6, 1.0}}};

enum class SpeedBlock { Write, Verify };

struct Recipe {
    const char* makeModel;
    const char* firmware;
    const char* address;
    const char* volumeLabel;
    const char* selectedSpeed;
    Disc disc;
    Shape write;
    Shape verify;
    SpeedBlock speedBlock;
    bool writeData;      // write section with samples
    bool emptyWrite;     // write section present but empty
    bool verifyData;     // verify section with samples
    bool verifyInHeader; // burns that were verified also note the verify speeds
    bool truncated;      // stops inside the write section
    bool readLog = false; // another dump tool's: its own date form, the first sample's speed as the start
};

constexpr double DvdSectorsPer1x = 1385000.0 / 2048.0;
constexpr double CdSectorsPer1x = 75.0;
constexpr double BdSectorsPer1x = 4500000.0 / 2048.0;

constexpr Disc DvdPlusR{"DVD+R", "DVD+R", "NORDISC-R16-001", "4x, 8x, 12x, 16x",
                        2295104, 0, 24, 58, DvdSectorsPer1x, 0.78, 0.97};
constexpr Disc DvdPlusRDl{"DVD+R DL", "DVD+R DL", "FENWICK-D08-000", "2.4x, 4x, 6x, 8x",
                          4173824, 2086912, 24, 58, DvdSectorsPer1x, 0.62, 0.96};
constexpr Disc CdR{"CD-R", "N/A", "97m15s17f (Pellucid)", "16x, 24x, 32x, 40x, 48x",
                   359845, 0, 25, 58, CdSectorsPer1x, 0.80, 0.98};
constexpr Disc BdR{"BD-R", "BD-R", "PELLUC-BR1-002", "2x, 4x, 6x, 8x, 10x",
                   12219392, 0, 24, 58, BdSectorsPer1x, 0.55, 0.96};
constexpr Disc DvdMinusR{"DVD-R", "DVD-R", "MARLOWE-R16-004", "4x, 8x, 12x, 16x",
                         2298496, 0, 24, 58, DvdSectorsPer1x, 0.70, 0.97};
// 160 GB in sectors of 512 bytes, read whole.
constexpr Disc Hdd{"HDD", "N/A", "N/A", "N/A", 312581808, 0, 24, 58, 1385000.0 / 512.0, 1, 1, "RAW/512"};

constexpr Shape Dvd16Write{16, 56, 0.012, 1};
constexpr Shape Dvd16Read{16, 58, 0.004, 1};
constexpr Shape Dl8Write{8, 50, 0.010, 0.35};
constexpr Shape Dl8Read{12, 58, 0.004, 0.55};
constexpr Shape Cd48Write{48, 58, 0.015, 1};
constexpr Shape Bd10Read{10, 58, 0.003, 1};
constexpr Shape HddRead{120, 58, 0, 1, 0, false, true};

Shape ProfileShape(Strategy strategy)
{
    switch (strategy) {
    case Strategy::Clv:
        return {8, 1, 0.012, 1, 0.01};
    case Strategy::Cav:
        return {16, 58, 0.012, 1, 0.01};
    case Strategy::Pcav:
        return {16, 45, 0.012, 1, 0.01};
    case Strategy::Zclv:
        return {16, 58, 0.012, 1, 0.01, true};
    case Strategy::Kind:
        break;
    }
    return Dvd16Write;
}

Recipe RecipeFor(Kind kind)
{
    switch (kind) {
    case Kind::DvdBurnVerify:
        return {"KESTREL DVDRW KD-1648S", "1.02", "[1:0:0]", "HOLIDAY_2026", "16x",
                DvdPlusR, Dvd16Write, Dvd16Read, SpeedBlock::Write, true, false, true, true, false};
    case Kind::DvdDualLayer:
        return {"QUILLON DVD-RAM QD-22X", "QL07", "[2:1:0]", "ARCHIVE_VOL_03", "8x",
                DvdPlusRDl, Dl8Write, Dl8Read, SpeedBlock::Write, true, false, true, true, false};
    case Kind::CdWriteOnly:
        // 0xE9 is the Windows-1252 e-acute, kept as a single byte.
        return {"HALBERD CDRW HC-4824", "2.10", "[0:1:0]", "Soir\xE9" "e_2026", "48x",
                CdR, Cd48Write, Cd48Write, SpeedBlock::Write, true, false, false, false, false};
    case Kind::BdVerifyOnly:
        return {"NORVANE BD-RE NB-12X4", "1.00", "[1:0:0]", "BACKUP_2026_11", "MAX",
                BdR, Bd10Read, Bd10Read, SpeedBlock::Verify, false, false, true, false, false};
    case Kind::NoSections:
        return {"KESTREL DVDRW KD-1648S", "1.03", "[1:0:0]", "EMPTY_RUN", "16x",
                DvdMinusR, Dvd16Write, Dvd16Read, SpeedBlock::Write, false, false, false, false, false};
    case Kind::TruncatedWrite:
        return {"QUILLON DVD-RAM QD-22X", "QL07", "[2:1:0]", "PHOTOS_SPRING", "16x",
                DvdMinusR, Dvd16Write, Dvd16Read, SpeedBlock::Write, true, false, false, false, true};
    case Kind::EmptyWriteWithVerify:
        return {"KESTREL DVDRW KD-1648S", "1.02", "[1:0:0]", "MUSIC_LIBRARY", "16x",
                DvdMinusR, Dvd16Write, Dvd16Read, SpeedBlock::Write, false, true, true, true, false};
    case Kind::ReadLog:
        return {"KESTREL DVDRW KD-1648S", "1.02", "[1:0:0]", "FAMILY_VIDEOS", "MAX",
                DvdMinusR, Dvd16Read, Dvd16Read, SpeedBlock::Verify, false, false, true, false, false, true};
    case Kind::HddReadLog:
        return {"HALDANE HD160-S2", "SN04", "[0:0:0]", "", "MAX",
                Hdd, HddRead, HddRead, SpeedBlock::Verify, false, false, true, false, false, true};
    }
    return RecipeFor(Kind::DvdBurnVerify);
}

// Speed over the disc for one pass, and the time it takes, so that samples can
// be spaced evenly in time as a drive reports them.
class Timeline {
public:
    Timeline(const Disc& disc, const Shape& shape, double dataSectors)
        : disc_(disc), shape_(shape), dataSectors_(dataSectors), elapsed_(Steps + 1, 0.0)
    {
        const double step = dataSectors_ / Steps;
        for (std::size_t k = 0; k < Steps; ++k) {
            const double v = SpeedAt(step * (static_cast<double>(k) + 0.5));
            elapsed_[k + 1] = elapsed_[k] + step / (v * disc_.sectorsPer1x);
            maxSpeed_ = std::max(maxSpeed_, v);
        }
    }

    double SpeedAt(double sector) const
    {
        double v = shape_.topSpeed * std::min(1.0, Radius(sector) / shape_.cavRadius);
        if (shape_.falling)
            v = shape_.topSpeed * (1 - 0.5 * LayerShare(sector));
        if (shape_.zoned) {
            for (const auto& [from, level] : ZoneLevels)
                if (LayerShare(sector) >= from)
                    v = shape_.topSpeed * level;
        }
        const double spinUpEnd = shape_.spinUp * dataSectors_;
        if (sector < spinUpEnd)
            v *= 0.45 + 0.55 * sector / spinUpEnd;
        const double spinDownStart = (1 - shape_.spinDown) * dataSectors_;
        if (shape_.spinDown > 0 && sector > spinDownStart)
            v *= 1 - 0.5 * (sector - spinDownStart) / (shape_.spinDown * dataSectors_);
        if (disc_.layerBreak > 0 && sector > disc_.layerBreak) {
            // The drive slows down to refocus on the second layer, then climbs back.
            const double recovery = (sector - disc_.layerBreak) / (0.02 * disc_.capacity);
            if (recovery < 1)
                v *= shape_.layerDip + (1 - shape_.layerDip) * recovery;
        }
        return v;
    }

    // Sector reached after the given share of the pass's time.
    double SectorAt(double timeShare) const
    {
        const double t = std::clamp(timeShare, 0.0, 1.0) * Seconds();
        auto it = std::upper_bound(elapsed_.begin(), elapsed_.end(), t);
        if (it == elapsed_.end())
            return dataSectors_;
        const auto k = static_cast<std::size_t>(it - elapsed_.begin()) - 1;
        const double span = elapsed_[k + 1] - elapsed_[k];
        const double within = span > 0 ? (t - elapsed_[k]) / span : 0;
        return (static_cast<double>(k) + within) * dataSectors_ / Steps;
    }

    double Seconds() const { return elapsed_.back(); }
    double DataSectors() const { return dataSectors_; }
    double StartSpeed() const { return SpeedAt(shape_.spinUp * dataSectors_); }
    double EndSpeed() const { return SpeedAt(dataSectors_); }
    double MaxSpeed() const { return maxSpeed_; }
    double AverageSpeed() const { return dataSectors_ / (Seconds() * disc_.sectorsPer1x); }

private:
    static constexpr std::size_t Steps = 4096;

    // How far out the sector lies on its layer, from 0 at the hub to 1 at the rim.
    double LayerShare(double sector) const
    {
        double share = 0;
        if (disc_.layerBreak > 0 && sector > disc_.layerBreak)
            // Opposite track path: the second layer runs back from the rim.
            share = 1 - (sector - disc_.layerBreak) / (disc_.capacity - disc_.layerBreak);
        else
            share = sector / (disc_.layerBreak > 0 ? disc_.layerBreak : disc_.capacity);
        return std::clamp(share, 0.0, 1.0);
    }

    double Radius(double sector) const
    {
        const double share = LayerShare(sector);
        const double ri = disc_.innerRadius;
        const double ro = disc_.outerRadius;
        return std::sqrt(ri * ri + (ro * ro - ri * ri) * share);
    }

    Disc disc_;
    Shape shape_;
    double dataSectors_;
    double maxSpeed_ = 0;
    std::vector<double> elapsed_;
};

void Append(std::string& text, long long value)
{
    char digits[24];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value);
    text.append(digits, result.ptr);
}

// to_chars ignores the C locale, so the decimal point is always ".".
void AppendFixed2(std::string& text, double value)
{
    char digits[48];
    const auto result = std::to_chars(std::begin(digits), std::end(digits), value,
                                      std::chars_format::fixed, 2);
    text.append(digits, result.ptr);
}

std::string Fixed2(double value)
{
    std::string text;
    AppendFixed2(text, value);
    return text;
}

// Makes the sample lines of one section, one at a time.
class SampleMaker {
public:
    SampleMaker(const Timeline& timeline, bool write, std::size_t planned, Noise& noise, const Profile& profile,
                NumberFormat numbers = NumberFormat::EnUs)
        : timeline_(timeline), write_(write), planned_(planned), noise_(noise), profile_(profile), numbers_(numbers)
    {
    }

    // The speed of the last line, written with a point.
    const std::string& SpeedText() const { return speedText_; }

    const std::string& Next()
    {
        const double dataSectors = timeline_.DataSectors();
        long long sector = 0;
        if (index_ + 1 >= planned_)
            sector = static_cast<long long>(dataSectors);
        else
            sector = std::llround(timeline_.SectorAt(static_cast<double>(index_) /
                                                     static_cast<double>(planned_ - 1)));

        double speed = timeline_.SpeedAt(static_cast<double>(sector)) * (1 + 0.004 * noise_.Gauss());
        if (Within(profile_.dips))
            speed *= 0.5;
        if (!write_ && !profile_.calm) {
            // Hard-to-read spots make the drive slow down for a moment.
            if (slowLeft_ == 0 && noise_.Chance(0.002)) {
                slowLeft_ = noise_.Between(3, 15);
                slowFactor_ = 0.55 + 0.3 * noise_.Uniform();
            }
            if (slowLeft_ > 0) {
                speed *= slowFactor_;
                --slowLeft_;
            }
        }
        speed = std::max(0.0, speed);
        speedText_ = Fixed2(speed);

        line_ = speedText_;
        if (numbers_ == NumberFormat::DeDe)
            line_[line_.size() - 3] = ',';
        line_ += ',';
        Append(line_, sector);
        line_ += ',';
        if (write_) {
            Append(line_, 100 - noise_.Between(0, 3));  // the drive's own buffer
            line_ += ',';
            Append(line_, Buffer());
            line_ += ',';
            Append(line_, Cpu(4.0));
        } else {
            Append(line_, static_cast<long long>(index_));
            line_ += ',';
            Append(line_, Cpu(2.0));
        }
        ++index_;
        return line_;
    }

private:
    bool Within(const std::vector<Stretch>& stretches) const
    {
        return std::any_of(stretches.begin(), stretches.end(), [this](const Stretch& s) {
            return index_ >= s.first && index_ - s.first < s.length;
        });
    }

    int Buffer()
    {
        if (Within(profile_.drops))
            return 30;
        if (dipLeft_ == 0 && !profile_.calm && noise_.Chance(0.004)) {
            dipLength_ = noise_.Between(4, 24);
            dipLeft_ = dipLength_;
            dipDepth_ = noise_.Between(15, 60);
        }
        double fill = 100 - std::min(10.0, std::abs(noise_.Gauss()) * 2.5);
        if (dipLeft_ > 0) {
            const double progress = 1.0 - static_cast<double>(dipLeft_) / dipLength_;
            fill -= dipDepth_ * std::sin(std::numbers::pi * progress);
            --dipLeft_;
        }
        return static_cast<int>(std::clamp(std::lround(fill), 0L, 100L));
    }

    int Cpu(double base)
    {
        double load = base + 1.5 * noise_.Gauss();
        if (noise_.Chance(0.01))
            load += noise_.Between(8, 25);
        return static_cast<int>(std::clamp(std::lround(load), 0L, 100L));
    }

    const Timeline& timeline_;
    bool write_;
    std::size_t planned_;
    Noise& noise_;
    const Profile& profile_;
    NumberFormat numbers_;
    std::string speedText_;
    std::size_t index_ = 0;
    int dipLeft_ = 0;
    int dipLength_ = 1;
    int dipDepth_ = 0;
    int slowLeft_ = 0;
    double slowFactor_ = 1;
    std::string line_;
};

class LineOut {
public:
    LineOut(std::ostream& out, std::string_view eol) : out_(out), eol_(eol) {}

    void operator()(std::string_view key, std::string_view value = {})
    {
        out_.write(key.data(), static_cast<std::streamsize>(key.size()));
        out_.write(value.data(), static_cast<std::streamsize>(value.size()));
        out_.write(eol_.data(), static_cast<std::streamsize>(eol_.size()));
    }

    void Torn(std::string_view text) { out_.write(text.data(), static_cast<std::streamsize>(text.size())); }

private:
    std::ostream& out_;
    std::string_view eol_;
};

void AppendTwoDigits(std::string& text, int value)
{
    text += static_cast<char>('0' + value / 10);
    text += static_cast<char>('0' + value % 10);
}

// ISO order, or the read logs' own "07.12.2026 10:39:28".
std::string DateText(Noise& noise, bool ownForm)
{
    // One draw per statement: C++ leaves the order of argument evaluation open.
    const int month = noise.Between(1, 12);
    const int day = noise.Between(1, 28);
    const int hour = noise.Between(0, 23);
    const int minute = noise.Between(0, 59);
    const int second = noise.Between(0, 59);
    std::string text;
    if (ownForm) {
        AppendTwoDigits(text, day);
        text += '.';
        AppendTwoDigits(text, month);
        text += ".2026 ";
    } else {
        text = "2026-";
        AppendTwoDigits(text, month);
        text += '-';
        AppendTwoDigits(text, day);
        text += ' ';
    }
    AppendTwoDigits(text, hour);
    text += ':';
    AppendTwoDigits(text, minute);
    text += ':';
    AppendTwoDigits(text, second);
    return text;
}

std::string WholeNumber(double value)
{
    std::string text;
    Append(text, std::llround(value));
    return text;
}

void WriteSection(LineOut& line, const char* start, const char* end, const Timeline& timeline,
                  bool write, std::size_t samples, Noise& noise, const Profile& profile, NumberFormat numbers,
                  double reach = 1)
{
    line(start);
    SampleMaker maker(timeline, write, samples, noise, profile, numbers);
    const auto written = static_cast<std::size_t>(std::llround(static_cast<double>(samples) * std::clamp(reach, 0.0, 1.0)));
    for (std::size_t i = 0; i < written; ++i)
        line(maker.Next());
    line(end);
}

}  // namespace

void Write(const Options& options, std::ostream& out, const Profile& profile, const BurnSetup& setup)
{
    Recipe recipe = RecipeFor(options.kind);
    if (profile.writeStrategy != Strategy::Kind)
        recipe.write = ProfileShape(profile.writeStrategy);
    const auto own = [](const std::string& given, const char*& text) {
        if (!given.empty())
            text = given.c_str();
    };
    own(setup.drive, recipe.makeModel);
    own(setup.firmware, recipe.firmware);
    own(setup.speedSelected, recipe.selectedSpeed);
    own(setup.mediaId, recipe.disc.mediaId);
    const Disc& disc = recipe.disc;
    Noise noise(options.seed);
    LineOut line(out, options.eol);

    const std::string date = DateText(noise, recipe.readLog);
    const double fill = disc.fillLow + (disc.fillHigh - disc.fillLow) * noise.Uniform();
    const double dataSectors = std::round(disc.capacity * fill);
    const Timeline writeTime(disc, recipe.write, dataSectors);
    const Timeline verifyTime(disc, recipe.verify, dataSectors);
    const Timeline& firstPass = recipe.speedBlock == SpeedBlock::Write ? writeTime : verifyTime;

    // A burn cut short reports fewer samples than the whole pass would have had.
    const std::size_t planned =
        recipe.truncated ? std::max(options.samples + 1, options.samples / 3 * 5) : options.samples;
    const double sampleMs = planned > 1 ? firstPass.Seconds() * 1000.0 / static_cast<double>(planned - 1) : 1000.0;

    line("[START_CONFIGURATION]");
    line("IBG_VERSION=", "1.4.2");
    line("DATE=", date);
    line("SAMPLE_RATE=", WholeNumber(std::max(1.0, sampleMs)));
    line("DEVICE_ADDRESS=", recipe.address);
    line("DEVICE_MAKEMODEL=", recipe.makeModel);
    line("DEVICE_FIRMWAREVERSION=", recipe.firmware);
    line("DEVICE_INTERFACE=", "SATA");
    line("MEDIA_TYPE=", disc.mediaType);
    line("MEDIA_BOOKTYPE=", disc.bookType);
    line("MEDIA_ID=", disc.mediaId);
    line("MEDIA_SPEEDS=", disc.mediaSpeeds);
    line("MEDIA_CAPACITY=", WholeNumber(disc.capacity));
    line("MEDIA_LAYER_BREAK=", WholeNumber(disc.layerBreak));
    line("DATA_SECTORS=", WholeNumber(dataSectors));
    line("DATA_TYPE=", disc.dataType);
    line("DATA_VOLUMEIDENTIFIER=", recipe.volumeLabel);
    line("DATA_FILESYSTEM=", "ISO9660, UDF");

    if (recipe.speedBlock == SpeedBlock::Write) {
        line(WriteTestModeKey, "No");
        line(WriteSpeedKeys[0], recipe.selectedSpeed);
        line(WriteSpeedKeys[1], Fixed2(writeTime.StartSpeed()));
        line(WriteSpeedKeys[2], Fixed2(writeTime.EndSpeed()));
        line(WriteSpeedKeys[3], Fixed2(writeTime.AverageSpeed()));
        line(WriteSpeedKeys[4], Fixed2(writeTime.MaxSpeed()));
        line(WriteSpeedKeys[5], WholeNumber(writeTime.Seconds()));
    }
    if (recipe.speedBlock == SpeedBlock::Verify || recipe.verifyInHeader) {
        std::string start = Fixed2(verifyTime.StartSpeed());
        if (recipe.readLog) {
            // That tool states the speed of its first sample, drawn here from the same noise.
            Noise ahead = noise;
            SampleMaker first(verifyTime, false, options.samples, ahead, profile);
            first.Next();
            start = first.SpeedText();
        }
        line(VerifySpeedKeys[0], start);
        line(VerifySpeedKeys[1], Fixed2(verifyTime.EndSpeed()));
        line(VerifySpeedKeys[2], Fixed2(verifyTime.AverageSpeed()));
        line(VerifySpeedKeys[3], Fixed2(verifyTime.MaxSpeed()));
        line(VerifySpeedKeys[4], WholeNumber(verifyTime.Seconds()));
    }
    line("[END_CONFIGURATION]");

    if (recipe.truncated) {
        line("[START_WRITE]");
        SampleMaker maker(writeTime, true, planned, noise, profile, options.numbers);
        for (std::size_t i = 0; i < options.samples; ++i)
            line(maker.Next());
        const std::string& torn = maker.Next();
        line.Torn(std::string_view(torn).substr(0, std::max<std::size_t>(1, torn.size() / 2)));
        return;
    }
    if (recipe.writeData)
        WriteSection(line, "[START_WRITE]", "[END_WRITE]", writeTime, true, options.samples, noise, profile, options.numbers);
    else if (recipe.emptyWrite)
        WriteSection(line, "[START_WRITE]", "[END_WRITE]", writeTime, true, 0, noise, profile, options.numbers);
    if (recipe.verifyData)
        WriteSection(line, "[START_VERIFY]", "[END_VERIFY]", verifyTime, false, options.samples, noise, profile,
                     options.numbers, setup.verifyReach);
}

std::string Generate(const Options& options, const Profile& profile)
{
    std::ostringstream out;
    Write(options, out, profile);
    return std::move(out).str();
}

bool WriteFile(const Options& options, const std::string& path, const Profile& profile, const BurnSetup& setup)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    Write(options, out, profile, setup);
    out.flush();
    return static_cast<bool>(out);
}

namespace {
constexpr std::array<std::pair<Kind, std::string_view>, 9> KindNames{{
    {Kind::DvdBurnVerify, "dvd-verify"},
    {Kind::DvdDualLayer, "dvd-dl"},
    {Kind::CdWriteOnly, "cd-write"},
    {Kind::BdVerifyOnly, "bd-verify"},
    {Kind::NoSections, "no-sections"},
    {Kind::TruncatedWrite, "truncated-write"},
    {Kind::EmptyWriteWithVerify, "empty-write-verify"},
    {Kind::ReadLog, "read-log"},
    {Kind::HddReadLog, "hdd-read-log"},
}};
}  // namespace

std::optional<Kind> KindFromName(std::string_view name)
{
    for (const auto& [kind, kindName] : KindNames)
        if (kindName == name)
            return kind;
    return std::nullopt;
}

std::string_view KindName(Kind kind)
{
    for (const auto& [k, kindName] : KindNames)
        if (k == kind)
            return kindName;
    return {};
}

std::optional<Strategy> StrategyFromName(std::string_view name)
{
    constexpr std::array<std::pair<Strategy, std::string_view>, 4> names{{
        {Strategy::Clv, "clv"}, {Strategy::Cav, "cav"}, {Strategy::Pcav, "pcav"}, {Strategy::Zclv, "zclv"},
    }};
    for (const auto& [strategy, strategyName] : names)
        if (strategyName == name)
            return strategy;
    return std::nullopt;
}

std::optional<NumberFormat> NumberFormatFromName(std::string_view name)
{
    if (name == "en-US")
        return NumberFormat::EnUs;
    if (name == "de-DE")
        return NumberFormat::DeDe;
    return std::nullopt;
}

}  // namespace ibggen
