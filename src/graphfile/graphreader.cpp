#include "graphfile/graphreader.h"

#include "vocabulary/passfailure.h"
#include "vocabulary/textrules.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <string_view>

namespace velantro {

namespace {

// No graph file line comes near this; a longer one is not a graph file, and
// the limit keeps a file without line ends from filling memory.
constexpr std::size_t LongestLine = std::size_t{1} << 20;

constexpr const char* EndOfFileText = "unexpected end of file";

constexpr const char* KeyTexts[HeaderKeyCount] = {
    "DATE=",      "SAMPLE_RATE=",    "DEVICE_MAKEMODEL=", "DEVICE_FIRMWAREVERSION=", "MEDIA_TYPE=", "MEDIA_BOOKTYPE=",
    "MEDIA_ID=",  "MEDIA_CAPACITY=", "MEDIA_LAYER_BREAK=", "DATA_SECTORS=", "DATA_TYPE=",  "DATA_VOLUMEIDENTIFIER=",
};

bool StartsWith(std::string_view line, std::string_view key)
{
    return line.substr(0, key.size()) == key;
}

// Markers are read from the second character; the first may be anything.
bool IsMarker(std::string_view line, std::string_view marker)
{
    // Every sample line is tested: most fail on their second character.
    return line.size() > marker.size() && line[1] == marker.front() && line.substr(1, marker.size()) == marker;
}

std::string Value(std::string_view line, std::size_t position)
{
    return std::string(ValueFrom(line, position));
}

// A verify line written with a decimal comma: whole speed, its hundredths,
// sector, the field never read, CPU.
constexpr std::size_t DecimalCommaFields = 5;

// The fields of a line, at most `most`; one more than asked for tells a
// line that has too many.
std::size_t SplitFields(std::string_view line, std::string_view* fields, std::size_t most)
{
    std::size_t count = 0;
    if (line.empty())
        return 0;
    while (count < most) {
        const std::size_t comma = line.find(',');
        fields[count++] = line.substr(0, comma);
        if (comma == std::string_view::npos)
            break;
        line.remove_prefix(comma + 1);
    }
    return count;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool AllDigits(std::string_view text, std::size_t most)
{
    return !text.empty() && text.size() <= most && std::all_of(text.begin(), text.end(), IsDigit);
}

bool IsTwoDigits(std::string_view text)
{
    return text.size() == 2 && IsDigit(text[0]) && IsDigit(text[1]);
}

// Whether whole.hundredths is the header's speed, each rounded to its own
// last place: they may differ by half a unit of the coarser one. Counted in
// whole units of the finer place, so no binary fraction blurs the edge.
bool SameSpeedAsHeader(std::string_view whole, std::string_view hundredths, std::string_view header)
{
    constexpr std::size_t MostDigits = 9;
    if (!AllDigits(whole, MostDigits))
        return false;
    while (!header.empty() && (header.front() == ' ' || header.front() == '\t'))
        header.remove_prefix(1);
    std::size_t wholeDigits = 0;
    while (wholeDigits < header.size() && IsDigit(header[wholeDigits]))
        ++wholeDigits;
    std::size_t places = 0;
    if (wholeDigits < header.size() && header[wholeDigits] == '.') {
        while (wholeDigits + 1 + places < header.size() && IsDigit(header[wholeDigits + 1 + places]))
            ++places;
    }
    if (wholeDigits + places == 0 || wholeDigits > MostDigits || places > 6)
        return false;

    const auto scaled = [](std::string_view digits, std::size_t by) {
        std::int64_t value = 0;
        for (const char c : digits) {
            if (IsDigit(c))
                value = value * 10 + (c - '0');
        }
        for (; by > 0; --by)
            value *= 10;
        return value;
    };
    constexpr std::size_t SamplePlaces = 2;
    const std::size_t finer = std::max(places, SamplePlaces);
    const std::size_t coarser = std::min(places, SamplePlaces);
    const std::int64_t sample = scaled(std::string(whole) + std::string(hundredths), finer - SamplePlaces);
    const std::int64_t stated = scaled(header.substr(0, wholeDigits + (places > 0 ? 1 + places : 0)), finer - places);
    const std::int64_t difference = sample > stated ? sample - stated : stated - sample;
    return 2 * difference <= scaled("1", finer - coarser);
}

} // namespace

bool GraphReader::Open(const std::string& path)
{
    lines_.Close();
    line_ = {};
    lineNumber_ = 0;
    state_ = State::Closed;
    nextKey_ = 0;
    code_ = 0;
    decimalComma_ = false;
    header_ = GraphHeader();
    error_.clear();
    if (!lines_.Open(path)) {
        Fail(lines_.ErrorString());
        return false;
    }
    lines_.SetLineLimit(LongestLine);
    state_ = State::Header;
    return true;
}

void GraphReader::Close()
{
    lines_.Close();
    state_ = State::Closed;
}

GraphToken GraphReader::ReadNext()
{
    if (state_ == State::Closed)
        return HasError() ? GraphToken::Invalid : GraphToken::None;
    try {
        const GraphToken token = Step();
        if (token == GraphToken::EndOfFile)
            lines_.Close();
        return token;
    } catch (const PassFailure& failure) {
        return Fail(failure.what());
    } catch (const std::bad_alloc&) {
        return Fail("out of memory");
    }
}

GraphToken GraphReader::Fail(const std::string& reason)
{
    lines_.Close();
    state_ = State::Closed;
    error_ = lineNumber_ > 0 ? "line " + std::to_string(lineNumber_) + ": " + reason : reason;
    return GraphToken::Invalid;
}

void GraphReader::NextLine()
{
    if (!lines_.ReadLine(line_))
        throw PassFailure(EndOfFileText);
    ++lineNumber_;
    if (lines_.LastLineCut())
        throw PassFailure("line too long");
}

// A file that ends before the first key is no graph file at all, whatever
// its lines are; one that stops later was cut short.
void GraphReader::FindFirstKey(const char* key)
{
    try {
        NextLine();
        FindKey(key);
    } catch (const PassFailure& failure) {
        if (std::string_view(failure.what()) != EndOfFileText)
            throw;
        lineNumber_ = 0;
        throw PassFailure("not a graph file");
    }
}

// Searches forward from the current line; all keys are required, in order.
void GraphReader::FindKey(const char* key)
{
    while (!StartsWith(line_, key))
        NextLine();
}

GraphToken GraphReader::Step()
{
    switch (state_) {
    case State::Header: {
        const char* key = KeyTexts[nextKey_];
        if (nextKey_ == 0)
            FindFirstKey(key);
        else
            FindKey(key);
        const std::size_t from = std::strlen(key) + 1;
        key_ = static_cast<HeaderKey>(nextKey_);
        switch (key_) {
        case HeaderKey::Date:
            header_.Date = Value(line_, from);
            break;
        case HeaderKey::SampleRate:
            header_.SampleRate = Value(line_, from);
            break;
        case HeaderKey::DriveModel:
            header_.Drive = Value(line_, from);
            break;
        case HeaderKey::Firmware:
            header_.Firmware = Value(line_, from);
            break;
        case HeaderKey::MediaType:
            header_.MediaType = Value(line_, from);
            break;
        case HeaderKey::BookType:
            header_.BookType = Value(line_, from);
            break;
        case HeaderKey::MediaId:
            header_.MediaId = Value(line_, from);
            break;
        case HeaderKey::Capacity:
            header_.Capacity = LeadingNumber(ValueFrom(line_, from));
            break;
        case HeaderKey::LayerBreak:
            header_.LayerBreak = LeadingNumber(ValueFrom(line_, from));
            break;
        case HeaderKey::DataSectors:
            header_.DataSectors = LeadingNumber(ValueFrom(line_, from));
            break;
        case HeaderKey::DataType: {
            header_.DataType = Value(line_, from);
            // The sector size follows the last "/" of the whole line.
            const std::size_t slash = line_.rfind('/');
            const std::string_view size =
                slash == std::string::npos ? std::string_view(line_) : std::string_view(line_).substr(slash + 1);
            header_.SectorSize = RoundToInt16(LeadingNumber(size));
            break;
        }
        case HeaderKey::VolumeLabel:
            header_.VolumeLabel = Value(line_, from);
            break;
        }
        if (++nextKey_ == HeaderKeyCount)
            state_ = State::SpeedBlock;
        return GraphToken::HeaderValue;
    }
    case State::SpeedBlock:
        ReadSpeedBlock();
        state_ = State::FirstSection;
        return GraphToken::SpeedBlock;
    case State::FirstSection:
        return FindFirstSection();
    case State::Write:
        return SampleOrEnd("END_WRITE", 5);
    case State::VerifySearch:
        return FindVerifySection();
    case State::Verify:
        return SampleOrEnd("END_VERIFY", 4);
    case State::Done:
    case State::Closed:
        break;
    }
    return GraphToken::EndOfFile;
}

// The lines after the first are taken by position: only their key lengths matter.
void GraphReader::ReadSpeedBlock()
{
    while (!StartsWith(line_, "WRITE_TEST_MODE=") && !StartsWith(line_, "VERIFY_SPEED_START=") &&
           line_ != "[END_CONFIGURATION]")
        NextLine();
    if (StartsWith(line_, "WRITE_TEST_MODE=")) {
        header_.Block = SpeedBlockKind::Write;
        header_.TestMode = Value(line_, 17);
        NextLine();
        header_.SpeedSelected = Value(line_, 22);
        NextLine();
        header_.SpeedStart = Value(line_, 19);
        NextLine();
        header_.SpeedEnd = Value(line_, 17);
        NextLine();
        header_.SpeedAvg = Value(line_, 21);
        NextLine();
        header_.SpeedMax = Value(line_, 17);
        NextLine();
        header_.BurnTime = Value(line_, 18);
    } else if (StartsWith(line_, "VERIFY_SPEED_START=")) {
        header_.Block = SpeedBlockKind::Verify;
        header_.SpeedStart = Value(line_, 20);
        NextLine();
        header_.SpeedEnd = Value(line_, 18);
        NextLine();
        header_.SpeedAvg = Value(line_, 22);
        NextLine();
        header_.SpeedMax = Value(line_, 18);
        NextLine();
        header_.BurnTime = Value(line_, 19);
    }
    header_.BurnSeconds = LeadingNumber(header_.BurnTime);
}

// The first start marker decides: a verify start means no write section.
// A start marker on the very last line counts as absent.
GraphToken GraphReader::FindFirstSection()
{
    while (!IsMarker(line_, "START_WRITE") && !IsMarker(line_, "START_VERIFY") && !lines_.AtEof())
        NextLine();
    if (lines_.AtEof()) {
        state_ = State::Done;
        return GraphToken::EndOfFile;
    }
    code_ = 3;
    state_ = State::VerifySearch;
    if (IsMarker(line_, "START_VERIFY")) {
        code_ = 2;
        return FindVerifySection();
    }
    NextLine();
    if (IsMarker(line_, "END_WRITE")) {
        code_ = 2;
        return FindVerifySection();
    }
    section_ = GraphSection::Write;
    state_ = State::Write;
    sectionOpen_ = false;
    return GraphToken::SectionStart;
}

// Whatever stands between the write end and the verify start is passed over.
GraphToken GraphReader::FindVerifySection()
{
    state_ = State::Done;
    while (!IsMarker(line_, "START_VERIFY") && !lines_.AtEof())
        NextLine();
    if (lines_.AtEof()) {
        code_ -= 2;
        return GraphToken::EndOfFile;
    }
    NextLine();
    if (IsMarker(line_, "END_VERIFY")) {
        code_ -= 2;
        return GraphToken::EndOfFile;
    }
    section_ = GraphSection::Verify;
    state_ = State::Verify;
    sectionOpen_ = false;
    return GraphToken::SectionStart;
}

// The line after a section's start is its first sample; every line up to the
// end marker is a sample.
GraphToken GraphReader::SampleOrEnd(std::string_view endMarker, std::size_t fieldsNeeded)
{
    if (sectionOpen_) {
        NextLine();
        if (IsMarker(line_, endMarker)) {
            state_ = section_ == GraphSection::Write ? State::VerifySearch : State::Done;
            return GraphToken::SectionEnd;
        }
    } else if (section_ == GraphSection::Verify) {
        decimalComma_ = StartsDecimalComma();
    }
    sectionOpen_ = true;
    if (decimalComma_) {
        ReadDecimalCommaSample();
        return GraphToken::Sample;
    }

    // Fields 0, 1, 3 and 4 are numbers. A plain decimal that ends its field
    // is read on the way; any other field is read by the full rule once the
    // line is known to be long enough.
    // Read straight into the sample: a copy of fields just stored one by
    // one into a wider load would wait for the stores.
    double unused = 0;
    double* const values[5] = {&sample_.Speed, &sample_.Sector, &unused, &sample_.First, &sample_.Second};
    std::string_view texts[5];
    bool byRule[5] = {};
    std::size_t count = 0;
    if (!line_.empty()) {
        const char* p = line_.data();
        const char* const end = p + line_.size();
        for (;;) {
            const char* stop = nullptr;
            if (count != 2)
                stop = ReadPlainDecimal(p, end, *values[count]);
            if (stop == nullptr || (stop != end && *stop != ',')) {
                // Fields are a few characters: a plain loop beats a library search.
                stop = p;
                while (stop != end && *stop != ',')
                    ++stop;
                byRule[count] = true;
                texts[count] = std::string_view(p, static_cast<std::size_t>(stop - p));
            }
            ++count;
            if (stop == end || count >= fieldsNeeded)
                break;
            p = stop + 1;
        }
    }
    if (count < fieldsNeeded)
        throw PassFailure("sample line too short");
    for (std::size_t i = 0; i < fieldsNeeded; ++i) {
        if (byRule[i] && i != 2)
            *values[i] = LeadingNumber(texts[i]);
    }
    if (fieldsNeeded <= 4)
        sample_.Second = 0;
    return GraphToken::Sample;
}

// Another dump tool writes its read logs' samples in the desktop's number
// format. Only a verify alone states its first speed in the header, and
// only all of these together tell its decimal comma from a file whose
// lines merely carry a field more: one field too many, a field 1 of two
// digits, and the speed they make the one the header states.
bool GraphReader::StartsDecimalComma() const
{
    if (header_.Block != SpeedBlockKind::Verify)
        return false;
    std::string_view fields[DecimalCommaFields + 1];
    return SplitFields(line_, fields, DecimalCommaFields + 1) == DecimalCommaFields && IsTwoDigits(fields[1]) &&
           SameSpeedAsHeader(fields[0], fields[1], header_.SpeedStart);
}

// Read as the same line with a decimal point would be, to the last bit.
void GraphReader::ReadDecimalCommaSample()
{
    std::string_view fields[DecimalCommaFields + 1];
    const std::size_t count = SplitFields(line_, fields, DecimalCommaFields + 1);
    if (count < DecimalCommaFields)
        throw PassFailure("sample line too short");
    if (count > DecimalCommaFields || !IsTwoDigits(fields[1]))
        throw PassFailure("sample line without the decimal comma of the lines before it");
    joinedSpeed_.assign(fields[0]);
    joinedSpeed_ += '.';
    joinedSpeed_ += fields[1];
    sample_.Speed = LeadingNumber(joinedSpeed_);
    sample_.Sector = LeadingNumber(fields[2]);
    sample_.First = LeadingNumber(fields[4]);
    sample_.Second = 0;
}

} // namespace velantro
