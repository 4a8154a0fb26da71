// Where the printed pages of a wide sheet begin, so that groups of columns that belong together
// (the columns of one drop-off bin) are never split over two pages.
#pragma once

#include <map>
#include <vector>

namespace zelk {

// Neighbouring columns that are printed on one page, first to last.
struct ColumnRun {
    int first = 0;
    int last = 0;
};

// The first column of each printed page after the first, for a sheet printed on portrait pages
// of the paper the printer is set to and the spreadsheet program's normal margins. The title
// columns 1..titleColumns print on every page; the runs follow them left to right without gaps.
// Each page takes as many whole runs as fit; a run wider than a page gets a page of its own.
// widths: characters by column; a column not listed, or listed with 0, has the standard width.
std::vector<int> PageBreaksBetweenRuns(const std::vector<ColumnRun>& runs, int titleColumns,
                                       const std::map<int, int>& widths);

}  // namespace zelk
