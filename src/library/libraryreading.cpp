#include "library/libraryreading.h"

#include <algorithm>
#include <thread>

namespace velantro {

namespace {

// Hands out the rows one by one to the threads, in order.
template <typename Step>
void EachRow(std::vector<LibraryRow>& rows, [[maybe_unused]] unsigned threads, const std::atomic<bool>* stop, const Step& step)
{
    std::atomic<std::size_t> next{0};
    const auto work = [&] {
        for (std::size_t i; (i = next.fetch_add(1)) < rows.size();) {
            if (stop && stop->load())
                return;
            step(i);
        }
    };
    std::vector<std::thread> pool;
#ifndef __EMSCRIPTEN__
    for (unsigned t = 1; t < threads && t < rows.size(); ++t)
        pool.emplace_back(work);
#endif
    work();
    for (std::thread& thread : pool)
        thread.join();
}

} // namespace

std::vector<LibraryRow> ListedRows(const std::vector<std::string>& paths)
{
    std::vector<LibraryRow> rows(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i)
        rows[i].File = paths[i];
    return rows;
}

void ReadLibrary(std::vector<LibraryRow>& rows, unsigned threads, const RowRead& read, const std::atomic<bool>* stop)
{
    EachRow(rows, threads, stop, [&](std::size_t i) {
        if (rows[i].Stage != RowStage::Listed)
            return;
        ReadRowHeader(rows[i]);
        read(i);
    });
    EachRow(rows, threads, stop, [&](std::size_t i) {
        if (rows[i].Stage == RowStage::Report)
            return;
        ReadRowReport(rows[i]);
        read(i);
    });
}

unsigned ReadingThreads()
{
#ifdef __EMSCRIPTEN__
    return 1;
#else
    return std::max(1u, std::thread::hardware_concurrency());
#endif
}

} // namespace velantro
