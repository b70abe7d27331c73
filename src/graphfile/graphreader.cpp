#include "graphfile/graphreader.h"

#include "vocabulary/passfailure.h"
#include "vocabulary/textrules.h"

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

} // namespace

bool GraphReader::Open(const std::string& path)
{
    lines_.Close();
    line_ = {};
    lineNumber_ = 0;
    state_ = State::Closed;
    nextKey_ = 0;
    code_ = 0;
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
    }
    sectionOpen_ = true;

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

} // namespace velantro
