// zelk-cli run as a program, for the tests that check what it prints.
#pragma once

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

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

}  // namespace
