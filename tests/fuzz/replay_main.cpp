// Replays every file of the given folders (or single files) through the fuzz target linked with
// it, without any fuzzing engine: the regression test over the seed corpus and the kept crashes.
// With --long-lines it also feeds lines of 10 MB behind the openings of each file kind, made here
// so that no such file has to be kept.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

std::vector<std::filesystem::path> InputFiles(const std::filesystem::path& place) {
    std::vector<std::filesystem::path> files;
    if (std::filesystem::is_regular_file(place)) {
        files.push_back(place);
    } else if (std::filesystem::is_directory(place)) {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(place)) {
            if (entry.is_regular_file()) {
                files.push_back(entry.path());
            }
        }
    }
    return files;
}

// Openings after which a reader meets the long line: none, a machine file, an order file at its
// unit, name and list count, a result file at its grid size.
const char* const kOpenings[] = {
    "",
    "ZELK_MDATA V2\r\n",
    "ZELK_MDATA V2\r\nSäge\r\n",
    "ZELK_ADATA V2\r\nmm\r\n",
    "ZELK_ADATA V2\r\nmm\r\nA\r\n0\r\n0\r\n0\r\n",
    ("ZELK_MDATA V2\r\nS\r\n0\r\n0\r\n0\r\nmm\r\nZELK_ADATA V2\r\nmm\r\nA\r\n0\r\n0\r\n0\r\n"
     "2\r\n1\t6000\t\r\n2\r\n1\t500\t\r\n\r\n\r\n\r\nZELK_EDATA V1\r\n"),
};

size_t FeedLongLines() {
    size_t fed = 0;
    for (const char* opening : kOpenings) {
        for (char filler : {'9', 'x', '\xC4'}) {
            std::string bytes = opening;
            bytes.append(10 * 1024 * 1024, filler);
            bytes += "\r\n";
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++fed;
        }
    }
    return fed;
}

}  // namespace

int main(int argc, char** argv) {
    size_t replayed = 0;
    for (int i = 1; i < argc; ++i) {
        if (std::string(argv[i]) == "--long-lines") {
            replayed += FeedLongLines();
            continue;
        }
        for (const auto& file : InputFiles(argv[i])) {
            std::ifstream in(file, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(in), {}};
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
            ++replayed;
        }
    }
    std::cout << "replayed " << replayed << " inputs\n";
    return replayed > 0 ? 0 : 1;
}
