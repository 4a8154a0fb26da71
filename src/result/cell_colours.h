// The background colour of each cell of the result grids. The colours say at a glance which
// patterns are to be cut, which were set to zero, which cells carry values, and in the summary
// grid which remainders are settled. The window only paints what these rules choose.
#pragma once

#include <cstdint>

#include "base/text_grid.h"

namespace zelk {

enum class CellColour {
    Highlight,    // the system colour of selected items
    ButtonFace,   // the system button-face colour
    Window,       // the system background of text areas
    Yellow,       // the Max LL column
    LightGrey,    // a row set to zero
    SpringGreen,  // a value that counts
    Teal,         // the rest of a counted row; an open remainder
};

struct RgbColour {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;

    bool operator==(const RgbColour&) const = default;
};

// The fixed colours; the system colours come from the platform.
inline constexpr RgbColour kYellow{255, 230, 0};
inline constexpr RgbColour kLightGrey{240, 240, 240};
inline constexpr RgbColour kSpringGreen{0, 255, 191};
inline constexpr RgbColour kTeal{0, 160, 160};
inline constexpr RgbColour kSkyBlue{166, 202, 240};  // both grids outside their cells

// How the grid hands a cell to its painting.
struct CellState {
    bool selected = false;  // inside the current selection
    bool fixed = false;     // header row or first column
};

// A cell of G_V: the Max LL column yellow (highlight when selected); a selected cell highlight;
// a fixed cell button face; a row with a stock cell "0" light grey; a row with a count spring
// green where a cell carries a value, teal elsewhere; any other row window.
CellColour G_VCellColour(const TextGrid& G_V, int stockKinds, int col, int row, CellState state);

// A cell of G_S: fixed cells button face; a remainder (row 1) spring green when it is 0 or below,
// teal otherwise; the planned row window. Selection plays no part.
CellColour G_SCellColour(const TextGrid& G_S, int col, int row, CellState state);

}  // namespace zelk
