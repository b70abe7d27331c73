#include "graphfile/linereader.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#include <filesystem>
#include <io.h>
#endif

namespace velantro {

namespace {

constexpr std::size_t ChunkSize = 1 << 16;

int OpenForReading(const std::string& path)
{
#ifdef _WIN32
    const std::filesystem::path native(std::u8string(path.begin(), path.end()));
    return _wopen(native.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
#else
    // Without O_NONBLOCK a FIFO with no writer would block the open forever.
    return open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
#endif
}

// Eight bytes at a time: only a word with a byte below 14 (CR, LF, but also a
// tab or another control character) is looked at byte by byte.
const char* FindLineEnd(const char* begin, const char* end)
{
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highs = 0x8080808080808080;
    const char* p = begin;
    for (; end - p >= 8; p += 8) {
        std::uint64_t word = 0;
        std::memcpy(&word, p, sizeof word);
        if (((word - 14 * ones) & ~word & highs) == 0)
            continue;
        for (const char* q = p; q != p + 8; ++q) {
            if (*q == '\r' || *q == '\n')
                return q;
        }
    }
    for (; p != end; ++p) {
        if (*p == '\r' || *p == '\n')
            return p;
    }
    return nullptr;
}

} // namespace

LineReader::~LineReader()
{
    Close();
}

bool LineReader::Open(const std::string& path)
{
    Close();
    error_.clear();
    cut_ = false;
    descriptor_ = OpenForReading(path);
    if (descriptor_ < 0) {
        error_ = std::strerror(errno);
        return false;
    }
    // The opened file is checked, not the name, so nothing can be swapped in between.
    struct stat status {};
    if (fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
        error_ = S_ISDIR(status.st_mode) ? std::strerror(EISDIR) : "not a regular file";
        Close();
        return false;
    }
    buffer_.resize(ChunkSize);
    pos_ = end_ = 0;
    sourceDone_ = false;
    return true;
}

void LineReader::Close()
{
    if (descriptor_ >= 0) {
        close(descriptor_);
        descriptor_ = -1;
    }
    pos_ = end_ = 0;
    sourceDone_ = true;
}

bool LineReader::Refill()
{
    if (sourceDone_ || descriptor_ < 0)
        return false;
    ssize_t got = 0;
    do {
        got = read(descriptor_, buffer_.data(), buffer_.size());
    } while (got < 0 && errno == EINTR);
    pos_ = 0;
    end_ = got > 0 ? static_cast<std::size_t>(got) : 0;
    if (got <= 0) {
        if (got < 0)
            error_ = std::strerror(errno);
        sourceDone_ = true;
        return false;
    }
    return true;
}

bool LineReader::AtEof()
{
    return pos_ == end_ && !Refill();
}

bool LineReader::ReadLine(std::string_view& line)
{
    line = {};
    if (cut_ || AtEof())
        return false;
    joined_.clear();
    bool joining = false;
    for (;;) {
        const char* start = buffer_.data() + pos_;
        const std::size_t available = end_ - pos_;
        const char* stop = FindLineEnd(start, start + available);
        const std::size_t size = stop ? static_cast<std::size_t>(stop - start) : available;
        if (size > limit_ - joined_.size()) {
            // Nothing after the cut is read: the rest of a line without an end may be endless.
            joined_.append(start, limit_ - joined_.size());
            line = joined_;
            cut_ = true;
            pos_ = end_ = 0;
            sourceDone_ = true;
            return true;
        }
        if (!stop) {
            // The line goes on past what the buffer holds: keep its start.
            joined_.append(start, size);
            joining = true;
            pos_ = end_;
            if (!Refill()) {
                line = joined_;
                return true;
            }
            continue;
        }
        if (joining) {
            joined_.append(start, size);
            line = joined_;
        } else {
            line = std::string_view(start, size);
        }
        pos_ += size + 1;
        if (*stop == '\r') {
            if (pos_ == end_) {
                // Whether an LF follows is for the next fill to tell, which
                // overwrites the buffer: the line moves out first.
                if (!joining) {
                    joined_.assign(start, size);
                    line = joined_;
                }
                if (Refill() && buffer_[pos_] == '\n')
                    ++pos_;
            } else if (buffer_[pos_] == '\n') {
                ++pos_;
            }
        }
        return true;
    }
}

} // namespace velantro
