#include "cli/grid_text.h"

#include <algorithm>
#include <vector>

#include "base/translate.h"

namespace zelk {

namespace {

// Characters on the screen: UTF-8 continuation bytes take no place of their own.
size_t DisplayWidth(const std::string& text) {
    return std::count_if(text.begin(), text.end(),
                         [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

// The widest cell of each column over both grids, which share their columns.
std::vector<size_t> ColumnWidths(const TextGrid& upper, const TextGrid& lower) {
    std::vector<size_t> widths(std::max(upper.ColCount(), lower.ColCount()), 0);
    for (const TextGrid* grid : {&upper, &lower}) {
        for (int row = 0; row < grid->RowCount(); ++row) {
            for (int col = 0; col < grid->ColCount(); ++col) {
                widths[col] = std::max(widths[col], DisplayWidth(grid->Cell(row, col)));
            }
        }
    }
    return widths;
}

void PrintGrid(std::ostream& out, const TextGrid& grid, const std::vector<size_t>& widths) {
    for (int row = 0; row < grid.RowCount(); ++row) {
        std::string line;
        for (int col = 0; col < grid.ColCount(); ++col) {
            const std::string& cell = grid.Cell(row, col);
            line += cell + std::string(widths[col] - DisplayWidth(cell) + 2, ' ');
        }
        line.erase(line.find_last_not_of(' ') + 1);
        out << line << '\n';
    }
}

}  // namespace

void PrintCalculationPage(std::ostream& out, const CalculationPage& page) {
    std::vector<size_t> widths = ColumnWidths(page.G_V, page.G_S);
    PrintGrid(out, page.G_V, widths);
    out << '\n';
    PrintGrid(out, page.G_S, widths);
    out << '\n';
    const std::pair<const char*, const std::string*> figures[] = {
        {TranslatedLater("verplanter Verbrauch LL"), &page.L_HLSumme},
        {TranslatedLater("Summe verplanter FL"), &page.L_FIXLSumme},
        {TranslatedLater("Restlängen zurück ins Lager"), &page.L_LagerRest},
        {TranslatedLater("Maschinenbedingter Entfall"), &page.L_Maschrest},
        {TranslatedLater("Entfall"), &page.L_Rest},
    };
    size_t captionWidth = 0;
    for (const auto& [caption, value] : figures) {
        captionWidth = std::max(captionWidth, DisplayWidth(Translate(caption)));
    }
    for (const auto& [caption, value] : figures) {
        std::string text = Translate(caption);
        out << text << std::string(captionWidth - DisplayWidth(text) + 2, ' ') << *value << '\n';
    }
    if (page.L_AuftragNichtErfuelltVisible) {
        out << page.L_AuftragNichtErfuellt << '\n';
    }
}

}  // namespace zelk
