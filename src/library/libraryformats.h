#pragma once

#include "library/librarygroups.h"

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace velantro {

// The library's rows, or its groups, as text ("text": a header line and
// tab-separated rows, escaped), a JSON array or CSV. Rows are written as
// they are added; groups at Finish, once every row is in.
class LibraryWriter {
public:
    LibraryWriter(std::ostream& out, std::string_view format, std::optional<GroupBy> groupBy);
    void Add(const LibraryRow& row);
    void Finish();

private:
    void WriteGroups();

    std::ostream& out_;
    std::string format_;
    std::optional<LibraryGroups> groups_;
    bool first_ = true;
};

// A row's CSV columns: the burn report's, then date and verified_to_end.
std::string LibraryCsvHeader();
std::string LibraryCsvRow(const LibraryRow& row);

} // namespace velantro
