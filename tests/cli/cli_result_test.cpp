// What zelk-cli saves loads back as the window loads it.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/dialogs.h"
#include "cli/grid_text.h"
#include "result/result_file.h"

namespace zelk {
namespace {

namespace fs = std::filesystem;

class SilentDialogs : public Dialogs {
public:
    void ShowMessage(const std::string& text) override { shown += text + "\n"; }
    bool Confirm(const std::string&, const std::string&, const std::string&,
                 const std::string&) override {
        return false;
    }
    void ShowError(const std::string& text) override { shown += text + "\n"; }
    std::string shown;
};

std::string CommandOutput(const std::string& command) {
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    EXPECT_EQ(pclose(pipe), 0) << command;
    return out;
}

// Time for a first plan; the bound beside the search shares the machine with it, and a sanitized
// build is slower.
#ifdef ZELK_SLOW_BUILD
const std::string kSearchSeconds = "10";
#else
const std::string kSearchSeconds = "1";
#endif

TEST(CliResultFile, LoadsBackToTheSameGridsAndFigures) {
    fs::path file = fs::temp_directory_path() / ("zelk-cli-" + std::to_string(getpid()) + ".zke");
    std::string job = std::string(ZELK_BENCH_JOBS) + "/groups";
    std::string printed =
        CommandOutput(std::string("'") + ZELK_CLI + "' --depth XS --time-limit " + kSearchSeconds +
                      " --decimal-separator , "
                      "--result '" +
                      file.string() + "' '" + job + ".zkm' '" + job + ".zka'");

    OrderPage page;
    CalculationPage calc;
    JobTables tables;
    SilentDialogs dialogs;
    LoadResultFile(page, calc, tables, file.string(), ',', '.', dialogs);
    fs::remove(file);
    EXPECT_EQ(dialogs.shown, "");
    EXPECT_EQ(page.order.E_ABez, "Fensterbau Haus C");
    EXPECT_EQ(page.order.e_fixbez2, "Flügel");
    EXPECT_EQ(tables.FixKinds, 25);
    EXPECT_GT(calc.G_V.RowCount(), 2);
    std::ostringstream shown;
    PrintCalculationPage(shown, calc);
    // Grids, headers with group names and every figure; then the bound of the calculation.
    EXPECT_EQ(printed.substr(0, shown.str().size()), shown.str());
    EXPECT_EQ(printed.substr(shown.str().size()).rfind("Untergrenze Verbrauch LL", 0), 0u);
}

}  // namespace
}  // namespace zelk

namespace zelk {
namespace {

TEST(CliWorkbook, TheSawPlanIsWrittenAsAWorkbook) {
    fs::path file = fs::temp_directory_path() / ("zelk-cli-" + std::to_string(getpid()) + ".xlsx");
    std::string job = std::string(ZELK_BENCH_JOBS) + "/example";
    CommandOutput(std::string("'") + ZELK_CLI + "' --decimal-separator , --xlsx '" + file.string() +
                  "' '" + job + ".zkm' '" + job + ".zka'");
    std::ifstream workbook(file, std::ios::binary);
    char magic[2] = {};
    workbook.read(magic, 2);
    EXPECT_EQ(std::string(magic, 2), "PK");  // an .xlsx is a zip archive
    fs::remove(file);
}

}  // namespace
}  // namespace zelk
