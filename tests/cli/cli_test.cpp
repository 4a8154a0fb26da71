// zelk-cli run as a program: exit codes, messages and the JSON our checks read.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

namespace {

namespace fs = std::filesystem;

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs zelk-cli with the arguments (already quoted for the shell).
CliRun RunCli(const std::string& arguments) {
    fs::path errFile = fs::temp_directory_path() / ("zelk-cli-err-" + std::to_string(getpid()));
    std::string command =
        std::string("'") + ZELK_CLI + "' " + arguments + " 2>'" + errFile.string() + "'";
    CliRun run;
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer;
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) {
        run.out.append(buffer.data(), n);
    }
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream err(errFile);
    run.err.assign(std::istreambuf_iterator<char>(err), {});
    fs::remove(errFile);
    return run;
}

std::string Job(const std::string& name) {
    std::string base = std::string(ZELK_BENCH_JOBS) + "/" + name;
    return "'" + base + ".zkm' '" + base + ".zka'";
}

// A scratch folder with files written by the test.
class CliFiles : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("zelk-cli-test-" + std::to_string(getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Write(const std::string& name, const std::string& lines) {
        fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << lines;
        return '\'' + path.string() + '\'';
    }

    fs::path dir_;
};

TEST(CliSearch, TheExampleJobEndsWithItsKnownBestPlan) {
    CliRun run = RunCli("--json --decimal-separator . " + Job("example"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto out = nlohmann::json::parse(run.out);
    EXPECT_EQ(out["job"]["fix_length"], nlohmann::json({600, 300, 100}));
    EXPECT_EQ(out["job"]["stock_usable"], nlohmann::json({1000}));
    EXPECT_EQ(out["job"]["long_piece_limit"], 20);
    const auto& best = out["best"];
    ASSERT_EQ(best["bars"].size(), 2u);
    EXPECT_EQ(best["bars"][0],
              nlohmann::json::parse(R"({"stock":1,"count":2,"pieces":[1,1,1],"rest":0})"));
    EXPECT_EQ(best["bars"][1],
              nlohmann::json::parse(R"({"stock":1,"count":1,"pieces":[0,1,3],"rest":400})"));
    EXPECT_TRUE(best["fulfilled"]);
    EXPECT_EQ(best["used_length"], 3000);
    EXPECT_EQ(best["total_rest"], 400);
    EXPECT_EQ(best["rest_except_last"], 0);
    EXPECT_EQ(out["improvements"].back(), best);
    EXPECT_GT(out["stats"]["nodes"], 0);
    EXPECT_GT(out["stats"]["candidates_generated"], 0);
    EXPECT_FALSE(out["stats"]["stopped"]);
}

TEST(CliSearch, CandidatesListTheGeneratedAndTheSelectedPatterns) {
    CliRun run = RunCli("--json --candidates --decimal-separator . " + Job("example"));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto out = nlohmann::json::parse(run.out);
    ASSERT_EQ(out["generated"].size(), 13u);
    EXPECT_EQ(
        out["generated"][0],
        nlohmann::json::parse(R"({"stock":1,"count":1,"pieces":[0,0,5],"rest":500,"score":null})"));
    const auto& selected = out["selected15"];
    ASSERT_FALSE(selected.empty());
    EXPECT_EQ(selected[0]["pieces"], nlohmann::json({1, 1, 1}));
    EXPECT_NEAR(selected[0]["score"].get<double>(), 11.4667, 1e-4);
}

TEST(CliSearch, TextShowsTheGridsTheFiguresAndTheOrderState) {
    CliRun text = RunCli("--decimal-separator , " + Job("example"));
    ASSERT_EQ(text.exitCode, 0) << text.err;
    EXPECT_NE(text.out.find("Nr.       LL 10  Max LL  6  3  1  Rest/LL\n"
                            "2         2      2       1  1  1  0\n"
                            "3         1      1          1  3  4\n"),
              std::string::npos)
        << text.out;
    EXPECT_NE(text.out.find("Verplant  3              2  3  5  4\n"), std::string::npos);
    EXPECT_NE(text.out.find("verplanter Verbrauch LL      0,03 m\n"), std::string::npos);
    EXPECT_EQ(text.out.find("Auftrag nicht erf"), std::string::npos);

    // Two bars for five pieces of 6: the plan cannot meet the order, and says so.
    CliRun unmet = RunCli("--decimal-separator , " + Job("example") + " --kbis 1 --bins 1");
    ASSERT_EQ(unmet.exitCode, 0) << unmet.err;
    EXPECT_NE(unmet.out.find("Rest      0              0  0  5\n"), std::string::npos) << unmet.out;
    EXPECT_NE(unmet.out.find("Auftrag nicht erfüllt!\n"), std::string::npos);
}

TEST(CliSearch, StoppedBeforeTheFirstNodeThereIsNoPlan) {
    CliRun stopped = RunCli("--json --time-limit 0 --decimal-separator . " + Job("sawshop"));
    ASSERT_EQ(stopped.exitCode, 0) << stopped.err;
    auto out = nlohmann::json::parse(stopped.out);
    EXPECT_TRUE(out["stats"]["stopped"]);
    EXPECT_TRUE(out["best"].is_null());
    EXPECT_TRUE(out["improvements"].empty());
}

TEST_F(CliFiles, RefusedInputEndsWithCodeTwoAndTheMessage) {
    std::string machine = Write("m.zkm", "ZELK_MDATA V2\r\nS\r\n0\r\n0\r\n2.125\r\nmm\r\n");
    std::string order =
        Write("o.zka", "ZELK_ADATA V2\r\nmm\r\nA\r\n0\r\n0\r\n0\r\n1\r\n3\t10\r\n1\r\n2\t6\r\n");
    CliRun run = RunCli("--decimal-separator . " + machine + " " + order);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Die Schnittkanalbreite darf nur zwei Nachkommastellen umfassen!"),
              std::string::npos);

    std::string inches =
        Write("i.zka", "ZELK_ADATA V2\r\nin.\r\nA\r\n0\r\n0\r\n0\r\n1\r\n3\t10\r\n");
    std::string goodMachine = Write("g.zkm", "ZELK_MDATA V2\r\nS\r\n0\r\n0\r\n0\r\nmm\r\n");
    run = RunCli(goodMachine + " " + inches);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Die Maßeinheit von Auftrag und Maschine stimmen nicht überein!"),
              std::string::npos);

    run = RunCli(Write("x.zkm", "kein Maschinenformat\r\n") + " " + order);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("Die Maschineninformationen sind ungültig."), std::string::npos);

    run = RunCli(goodMachine + " '" + (dir_ / "fehlt.zka").string() + "'");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("fehlt.zka"), std::string::npos);
}

TEST(CliOptions, UsageAndBadOptions) {
    CliRun help = RunCli("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("--depth"), std::string::npos);
    EXPECT_EQ(RunCli("--depth XXL " + Job("example")).exitCode, 2);
    EXPECT_EQ(RunCli(Job("example").substr(0, Job("example").find(' '))).exitCode, 2);
}

}  // namespace

namespace {

TEST(CliSearch, InterruptKeepsTheBestPlanFoundSoFar) {
    // Ctrl-C during a long search: the plan found so far is printed and the run counts as done.
    CliRun run = RunCli("--json --depth XS --decimal-separator . " + Job("sawshop") +
                        " & pid=$!; sleep 2; kill -INT $pid; wait $pid");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    auto out = nlohmann::json::parse(run.out);
    EXPECT_TRUE(out["stats"]["stopped"]);
    EXPECT_FALSE(out["best"].is_null());
}

}  // namespace
