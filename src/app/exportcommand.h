#pragma once

#include <QString>
#include <set>

namespace velantro {

struct ExportOptions {
    QString Output;
    QString GraphFile;
    bool Raw = false;
    int BlockSize = 10;
    std::set<int> Hidden; // series check box indices
};

// The series names of --hide, in check box order.
inline constexpr const char* SeriesOptionNames[] = {
    "write-speed", "write-rpm", "write-cpu", "write-buffer", "verify-speed", "verify-rpm", "verify-cpu",
};

// Renders the window as it looks with the file loaded under the options,
// menu bar and client area, without showing it, into a PNG. 0 when written,
// 1 (reason on standard error) when the file or the image failed.
int RunExport(int argc, char** argv, const ExportOptions& options);

} // namespace velantro
