// The library's reading of a folder against the parse floor of the same
// bytes on as many threads: the figures of bench/library.sh.
//   libraryrun FOLDER [THREADS]

#include "readfloor.h"

#include "library/libraryfiles.h"
#include "library/libraryreading.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Every file through the floor, handed out one by one as the library does.
double FloorSeconds(const std::vector<std::string>& paths, unsigned threads)
{
    const auto start = Clock::now();
    std::atomic<std::size_t> next{0};
    std::atomic<long long> sink{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < paths.size();)
            sink += static_cast<long long>(ReadFloor(paths[i]));
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work);
    work();
    for (std::thread& thread : pool)
        thread.join();
    return SecondsSince(start);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: libraryrun FOLDER [THREADS]\n");
        return 2;
    }
    const unsigned threads = argc > 2 ? static_cast<unsigned>(std::atoi(argv[2])) : velantro::ReadingThreads();

    const auto start = Clock::now();
    const velantro::LibraryFiles found = velantro::FindLibraryFiles({argv[1]});
    const double searched = SecondsSince(start);
    std::vector<velantro::LibraryRow> rows = velantro::ListedRows(found.Paths);
    std::atomic<std::size_t> headers{0};
    std::atomic<double> allHeaders{0};
    std::vector<char> seen(rows.size()); // the first call of a row is its header
    velantro::ReadLibrary(rows, threads, [&](std::size_t index) {
        if (seen[index]++ == 0 && ++headers == rows.size())
            allHeaders = SecondsSince(start);
    });
    const double allReports = SecondsSince(start);
    std::size_t read = 0;
    for (const velantro::LibraryRow& row : rows)
        read += row.Read();

    const double floor = FloorSeconds(found.Paths, threads);
    std::printf("files %zu (read %zu), threads %u\n", rows.size(), read, threads);
    std::printf("folder search        %8.3f s\n", searched);
    std::printf("every row's header   %8.3f s\n", allHeaders.load());
    std::printf("every row's report   %8.3f s\n", allReports);
    std::printf("parse floor          %8.3f s\n", floor);
    std::printf("all reports / floor  %8.2f x\n", allReports / floor);
    std::printf("report pass / floor  %8.2f x\n", (allReports - allHeaders.load()) / floor);
    return 0;
}
