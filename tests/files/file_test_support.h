// What the data file tests share: a dialog recorder, a scratch folder, raw file bytes, and the
// text of the runtime error a call ends with.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "base/dialogs.h"
#include "base/errors.h"
#include "base/text_grid.h"

namespace zelk {

// Failed grid comparisons show the cells.
inline void PrintTo(const TextGrid& grid, std::ostream* out) {
    for (int row = 0; row < grid.RowCount(); ++row) {
        *out << "\n  ";
        for (const std::string& cell : grid.Row(row)) {
            *out << '[' << cell << ']';
        }
    }
}

class RecordingDialogs : public Dialogs {
public:
    std::vector<std::string> messages;
    std::vector<std::string> confirmations;  // caption | question | yes | no
    bool answer = true;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    bool Confirm(const std::string& caption, const std::string& question,
                 const std::string& yesButton, const std::string& noButton) override {
        confirmations.push_back(caption + "|" + question + "|" + yesButton + "|" + noButton);
        return answer;
    }
    void ShowError(const std::string& text) override { messages.push_back("error: " + text); }
};

class ScratchFolder {
public:
    ScratchFolder()
        : path_(std::filesystem::temp_directory_path() /
                ("zelk-files-" + std::to_string(std::random_device{}()))) {
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    std::string Path() const { return path_.string(); }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    std::set<std::string> Entries() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(path_)) {
            names.insert(entry.path().filename().string());
        }
        return names;
    }

private:
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The text of the runtime error the call ends with, or a note that it ended otherwise.
template <typename Call>
std::string RuntimeErrorOf(Call call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.what();
    } catch (const Abort&) {
        return "<abort>";
    }
    return "<no error>";
}

}  // namespace zelk
