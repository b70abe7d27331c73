#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace velantro {

// Reads a file front to back once. CR LF, a lone CR and a lone LF each end a
// line; a terminator at the very end does not start another line.
class LineReader {
public:
    LineReader() = default;
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // Opens a regular file for reading only; false, with the reason in
    // ErrorString, when it cannot be opened or is anything else (a FIFO, a
    // device, a socket, a folder), which is refused without waiting on it.
    bool Open(const std::string& path);
    void Close();
    const std::string& ErrorString() const { return error_; }

    // False at the end of the file, where the line is left empty. The line
    // is read where it lies in the buffer when it can be: it stays valid
    // until the next call.
    bool ReadLine(std::string_view& line);
    // A line longer than the limit keeps only its first `limit` bytes, and
    // reading ends there: a file without line ends is neither read to its
    // end nor kept in memory.
    void SetLineLimit(std::size_t limit) { limit_ = limit; }
    bool LastLineCut() const { return cut_; }
    // True once every byte of the file has been consumed.
    bool AtEof();

private:
    bool Refill();

    int descriptor_ = -1;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool sourceDone_ = false;
    std::size_t limit_ = static_cast<std::size_t>(-1);
    bool cut_ = false;
    std::string error_;
    // A line that spans two fills of the buffer, put together.
    std::string joined_;
};

} // namespace velantro
