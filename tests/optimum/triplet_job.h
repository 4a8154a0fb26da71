// A job whose optimum the search takes long to find and the optimum stage proves at once: twenty
// bars of 1000 mm, each cut into three pieces that fill it exactly (no kerf), so the optimum and
// the lower bound are 20 bars. The machine and order files as text.
#pragma once

#include <algorithm>
#include <functional>
#include <map>
#include <string>

namespace zelk::test {

inline std::string TripletMachineText() {
    return "ZELK_MDATA V2\r\nSaw\r\n0\r\n0\r\n0\r\nmm\r\n";
}

inline std::string TripletOrderText() {
    std::map<int, int, std::greater<>> pieces;
    unsigned state = 12345;
    auto next = [&state](int low, int high) {
        state = state * 1103515245u + 12345u;
        return low + static_cast<int>((state >> 8) % static_cast<unsigned>(high - low + 1));
    };
    for (int bar = 0; bar < 20; ++bar) {
        const int first = next(250, 450);
        const int second = next(250, std::min(450, 1000 - first - 250));
        ++pieces[first];
        ++pieces[second];
        ++pieces[1000 - first - second];
    }
    std::string order = "ZELK_ADATA V2\r\nmm\r\nTriplets\r\n0\r\n0\r\n0\r\n1\r\n60\t1000\r\n" +
                        std::to_string(pieces.size()) + "\r\n";
    for (const auto& [length, count] : pieces) {
        order += std::to_string(count) + "\t" + std::to_string(length) + "\r\n";
    }
    return order + "1\r\n\t\r\n1\r\n\t\r\n\r\n\r\n\r\n";
}

}  // namespace zelk::test
