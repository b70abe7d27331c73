#pragma once

#include "library/libraryrow.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace velantro {

// Rows for the files, each only named so far.
std::vector<LibraryRow> ListedRows(const std::vector<std::string>& paths);

// Called from a reading thread when a row has been read a stage further
// (Report when it is final); rows are only written by the thread reading them.
using RowRead = std::function<void(std::size_t index)>;

// Reads every row's header, then every row's report, on as many threads as
// given (1 reads on the caller's thread, as the page must). Each file is read
// by one thread at a time with a few dozen samples in memory, so memory
// grows with the rows only. Stops early, leaving rows unread, once `stop`.
void ReadLibrary(std::vector<LibraryRow>& rows, unsigned threads, const RowRead& read,
                 const std::atomic<bool>* stop = nullptr);

// The desktop reads on every core.
unsigned ReadingThreads();

} // namespace velantro
