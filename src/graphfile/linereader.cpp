#include "graphfile/linereader.h"

#include <cstring>

#ifdef _WIN32
#include <filesystem>
#endif

namespace velantro {

namespace {
constexpr std::size_t ChunkSize = 1 << 16;
}

LineReader::~LineReader()
{
    Close();
}

bool LineReader::Open(const std::string& path)
{
    Close();
#ifdef _WIN32
    const std::filesystem::path native(std::u8string(path.begin(), path.end()));
    file_ = _wfopen(native.c_str(), L"rb");
#else
    file_ = std::fopen(path.c_str(), "rb");
#endif
    if (!file_)
        return false;
    buffer_.resize(ChunkSize);
    pos_ = end_ = 0;
    sourceDone_ = false;
    return true;
}

void LineReader::Close()
{
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    pos_ = end_ = 0;
    sourceDone_ = true;
}

bool LineReader::Refill()
{
    if (sourceDone_ || !file_)
        return false;
    const std::size_t got = std::fread(buffer_.data(), 1, buffer_.size(), file_);
    pos_ = 0;
    end_ = got;
    if (got == 0) {
        sourceDone_ = true;
        return false;
    }
    return true;
}

bool LineReader::AtEof()
{
    return pos_ == end_ && !Refill();
}

void LineReader::Append(std::string& line, const char* data, std::size_t size)
{
    const std::size_t room = limit_ - line.size();
    if (size > room) {
        size = room;
        cut_ = true;
    }
    line.append(data, size);
}

bool LineReader::ReadLine(std::string& line)
{
    line.clear();
    cut_ = false;
    if (AtEof())
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
        if (!stop) {
            Append(line, start, available);
            pos_ = end_;
            if (!Refill())
                return true;
            continue;
        }
        Append(line, start, static_cast<std::size_t>(stop - start));
        pos_ += static_cast<std::size_t>(stop - start) + 1;
        if (*stop == '\r' && (pos_ < end_ || Refill()) && buffer_[pos_] == '\n')
            ++pos_;
        return true;
    }
}

} // namespace velantro
