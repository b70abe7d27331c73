#pragma once

// The parse floor the passes are measured against: reads every line of a
// graph file and parses fields 0, 1, 3 and 4 of each, nothing more.

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

inline double ReadFloor(const std::string& path)
{
    std::vector<char> buffer(1 << 16);
    std::string line;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return 0;
    double sum = 0;
    const auto parse = [&] {
        const char* p = line.data();
        const char* end = p + line.size();
        int index = 0;
        while (index <= 4) {
            const char* comma = std::find(p, end, ',');
            if (index != 2) {
                double value = 0;
                std::from_chars(p, comma, value);
                sum += value;
            }
            if (comma == end)
                break;
            p = comma + 1;
            ++index;
        }
        line.clear();
    };
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), file)) > 0) {
        const char* p = buffer.data();
        const char* end = p + got;
        while (p < end) {
            const char* stop = p;
            while (stop < end && *stop != '\r' && *stop != '\n')
                ++stop;
            line.append(p, stop);
            if (stop == end)
                break;
            parse();
            p = stop + 1;
            if (p < end && *p == '\n' && stop[0] == '\r')
                ++p;
        }
    }
    std::fclose(file);
    return sum;
}
