#include "graphfile/linereader.h"

#include <cerrno>
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

bool LineReader::ReadLine(std::string& line)
{
    line.clear();
    if (cut_ || AtEof())
        return false;
    for (;;) {
        const char* start = buffer_.data() + pos_;
        const std::size_t available = end_ - pos_;
        const char* stop = nullptr;
        for (const char* p = start; p != start + available; ++p) {
            if (*p == '\r' || *p == '\n') {
                stop = p;
                break;
            }
        }
        const std::size_t size = stop ? static_cast<std::size_t>(stop - start) : available;
        if (size > limit_ - line.size()) {
            // Nothing after the cut is read: the rest of a line without an end may be endless.
            line.append(start, limit_ - line.size());
            cut_ = true;
            pos_ = end_ = 0;
            sourceDone_ = true;
            return true;
        }
        line.append(start, size);
        if (!stop) {
            pos_ = end_;
            if (!Refill())
                return true;
            continue;
        }
        pos_ += size + 1;
        if (*stop == '\r' && (pos_ < end_ || Refill()) && buffer_[pos_] == '\n')
            ++pos_;
        return true;
    }
}

} // namespace velantro
