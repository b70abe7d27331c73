// What the page's worker calls for the burn library: the rows and groups of
// the files of a folder, read one after the other, headers first. The page
// keeps the files; the core keeps a few numbers a row and every rule.

#include "library/librarygroups.h"
#include "library/libraryfiles.h"
#include "library/libraryrow.h"

#include <emscripten/emscripten.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <numeric>
#include <string>
#include <vector>

namespace {

using Json = nlohmann::json;
using namespace velantro;

std::vector<LibraryRow> rows;
// The names the page shows, by row: a path within the folder chosen.
std::vector<std::string> names;
std::string answer;

const char* Answer(const Json& json)
{
    answer = json.dump(-1, ' ', false, Json::error_handler_t::replace);
    return answer.c_str();
}

// Reads through the mounted path; the row keeps the page's name.
template <typename Read>
void ReadAs(std::size_t index, const char* path, Read read)
{
    if (index >= rows.size())
        return;
    LibraryRow& row = rows[index];
    row.File = path;
    read(row);
    row.File = names[index];
}

} // namespace

extern "C" {

// Forgets every row.
EMSCRIPTEN_KEEPALIVE const char* velantro_library_clear()
{
    rows.clear();
    names.clear();
    return Answer(Json::object());
}

// Takes the graph files among the names (a JSON array); the positions taken.
EMSCRIPTEN_KEEPALIVE const char* velantro_library_add(const char* list)
{
    const Json given = Json::parse(list, nullptr, false);
    Json taken = Json::array();
    if (!given.is_array())
        return Answer(taken);
    for (std::size_t i = 0; i < given.size(); ++i) {
        if (!given[i].is_string() || !HasGraphFileEnding(given[i].get<std::string>()))
            continue;
        names.push_back(given[i].get<std::string>());
        rows.emplace_back().File = names.back();
        taken.push_back(i);
    }
    return Answer(taken);
}

EMSCRIPTEN_KEEPALIVE const char* velantro_library_header(int index, const char* path)
{
    ReadAs(static_cast<std::size_t>(index), path, [](LibraryRow& row) {
        if (row.Stage == RowStage::Listed)
            ReadRowHeader(row);
    });
    return Answer(Json::object());
}

EMSCRIPTEN_KEEPALIVE const char* velantro_library_report(int index, const char* path)
{
    ReadAs(static_cast<std::size_t>(index), path, [](LibraryRow& row) {
        if (row.Stage != RowStage::Report)
            ReadRowReport(row);
    });
    return Answer(Json::object());
}

// The table as the window shows it: the rows that match the filter in the
// column's order, and the groups; with how far the reading has got.
EMSCRIPTEN_KEEPALIVE const char* velantro_library_view(const char* filter, int column, int descending, int bySpeed,
                                                       int groupColumn, int groupDescending)
{
    const auto sortColumn = static_cast<LibraryColumn>(std::clamp(column, -1, LibraryColumnCount - 1));
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (RowMatches(rows[i], filter))
            order.push_back(i);
    if (column >= 0) {
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return RowBefore(rows[a], rows[b], sortColumn, descending != 0);
        });
    }
    Json view;
    view["titles"] = Json::array();
    for (int c = 0; c < LibraryColumnCount; ++c)
        view["titles"].push_back(ColumnTitle(static_cast<LibraryColumn>(c)));
    view["rows"] = Json::array();
    for (const std::size_t i : order) {
        Json cells = Json::array();
        for (int c = 0; c < LibraryColumnCount; ++c)
            cells.push_back(CellText(rows[i], static_cast<LibraryColumn>(c)));
        view["rows"].push_back({{"index", i}, {"cells", cells}});
    }
    const GroupBy by = bySpeed ? GroupBy::DriveMediaSpeed : GroupBy::DriveMedia;
    LibraryGroups groups(by);
    std::size_t headers = 0, reports = 0;
    for (const LibraryRow& row : rows) {
        groups.Add(row);
        headers += row.Stage != RowStage::Listed;
        reports += row.Stage == RowStage::Report;
    }
    // The columns shown, by their number, so that a click on one sorts by it.
    view["groupColumns"] = Json::array();
    view["groupTitles"] = Json::array();
    for (int c = 0; c < GroupColumnCount; ++c) {
        if (bySpeed || static_cast<GroupColumn>(c) != GroupColumn::SpeedSelected) {
            view["groupColumns"].push_back(c);
            view["groupTitles"].push_back(GroupColumnTitle(static_cast<GroupColumn>(c)));
        }
    }
    std::vector<LibraryGroup> sorted = groups.Groups();
    if (groupColumn >= 0 && groupColumn < GroupColumnCount) {
        const auto by = static_cast<GroupColumn>(groupColumn);
        std::stable_sort(sorted.begin(), sorted.end(), [&](const LibraryGroup& a, const LibraryGroup& b) {
            return groupDescending ? GroupCellLess(b, a, by) : GroupCellLess(a, b, by);
        });
    }
    view["groups"] = Json::array();
    for (const LibraryGroup& group : sorted) {
        Json cells = Json::array();
        for (int c = 0; c < GroupColumnCount; ++c)
            if (bySpeed || static_cast<GroupColumn>(c) != GroupColumn::SpeedSelected)
                cells.push_back(GroupCellText(group, static_cast<GroupColumn>(c)));
        view["groups"].push_back(cells);
    }
    view["total"] = rows.size();
    view["headers"] = headers;
    view["reports"] = reports;
    return Answer(view);
}

} // extern "C"
