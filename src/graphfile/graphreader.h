#pragma once

#include "graphfile/linereader.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace velantro {

// Which sections held samples: 3 both, 1 write only, 2 verify only, 0 neither.
enum class DataPresent { None = 0, WriteOnly = 1, VerifyOnly = 2, Both = 3 };

enum class GraphToken {
    None,
    HeaderValue, // one of the twelve header keys, in file order
    SpeedBlock,  // the speed block, or the end of the search for one
    SectionStart,
    Sample,
    SectionEnd,
    EndOfFile,
    Invalid, // the file is rejected; ErrorString() says why
};

// The header keys in the order they must appear.
enum class HeaderKey {
    Date,
    SampleRate,
    DriveModel,
    Firmware,
    MediaType,
    BookType,
    MediaId,
    Capacity,
    LayerBreak,
    DataSectors,
    DataType,
    VolumeLabel,
};
constexpr int HeaderKeyCount = 12;

enum class SpeedBlockKind { None, Write, Verify };

// Said with a file's information when its verify samples were written with a decimal comma.
inline constexpr const char* DecimalCommaText = "Samples written with a decimal comma";
enum class GraphSection { Write, Verify };

// What the header holds. Texts are the file's 8-bit bytes, untrimmed.
struct GraphHeader {
    std::string Date;
    std::string SampleRate;
    std::string Drive;
    std::string Firmware;
    std::string MediaType;
    std::string BookType;
    std::string MediaId;
    double Capacity = 0;
    double LayerBreak = 0;
    double DataSectors = 0;
    std::string DataType;
    std::int16_t SectorSize = 0;
    std::string VolumeLabel;

    SpeedBlockKind Block = SpeedBlockKind::None;
    std::string TestMode;
    std::string SpeedSelected;
    std::string SpeedStart;
    std::string SpeedEnd;
    std::string SpeedAvg;
    std::string SpeedMax;
    std::string BurnTime;
    double BurnSeconds = 0;
};

// A sample line's fields as numbers. First is the write buffer or the verify
// CPU, Second the write CPU (0 in a verify section).
struct RawSample {
    double Speed = 0;
    double Sector = 0;
    double First = 0;
    double Second = 0;
};

// Pulls a graph file apart front to back, one token at a time, holding one
// line: the header keys, the speed block, then each section's samples. Every
// reader of graph files goes through it, so they all accept and reject the
// same files. After Invalid it yields nothing more.
class GraphReader {
public:
    // False (and HasError) when the file cannot be opened for reading.
    bool Open(const std::string& path);
    GraphToken ReadNext();
    // Ends the read early; the file is closed at the end or on rejection anyway.
    void Close();

    HeaderKey Key() const { return key_; }
    const GraphHeader& Header() const { return header_; }
    GraphSection Section() const { return section_; }
    const RawSample& Sample() const { return sample_; }
    // Which sections held samples; final once EndOfFile was read.
    DataPresent Sections() const { return static_cast<DataPresent>(code_); }
    // The verify samples were written with a decimal comma, "6,41,0,106,0"
    // for "6.41,0,106,0", and are read as meant. Known from the section's
    // first sample on; each later one must be written alike.
    bool DecimalComma() const { return decimalComma_; }

    bool HasError() const { return !error_.empty(); }
    const std::string& ErrorString() const { return error_; }
    // 1-based number of the line the reader stands on.
    long LineNumber() const { return lineNumber_; }

private:
    enum class State { Closed, Header, SpeedBlock, FirstSection, Write, VerifySearch, Verify, Done };

    GraphToken Step();
    void NextLine();
    void FindKey(const char* key);
    void FindFirstKey(const char* key);
    void ReadSpeedBlock();
    GraphToken FindFirstSection();
    GraphToken FindVerifySection();
    GraphToken SampleOrEnd(std::string_view endMarker, std::size_t fieldsNeeded);
    bool StartsDecimalComma() const;
    void ReadDecimalCommaSample();
    GraphToken Fail(const std::string& reason);

    LineReader lines_;
    std::string_view line_;
    long lineNumber_ = 0;
    State state_ = State::Closed;
    int nextKey_ = 0;
    bool sectionOpen_ = false;
    bool decimalComma_ = false;
    std::string joinedSpeed_;
    int code_ = 0;
    HeaderKey key_ = HeaderKey::Date;
    GraphHeader header_;
    GraphSection section_ = GraphSection::Write;
    RawSample sample_;
    std::string error_;
};

} // namespace velantro
