// A project as the host dumps it, made comparable with the same project saved and read back: each
// track's items in position order (a changed track is saved in that order), without item numbers
// and source generations (a copy read back is an original).
#pragma once

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "sim/host.h"

inline std::string canonical_dump(const sim::Host& host) {
    std::istringstream in(host.dump());
    std::string out, line;
    std::vector<std::pair<double, std::string>> items;
    const auto flush = [&] {
        std::stable_sort(items.begin(), items.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& item : items) out += item.second;
        items.clear();
    };
    while (std::getline(in, line)) {
        const auto generation = line.find(" generation ");
        if (generation != std::string::npos) line.erase(generation);
        if (line.rfind("  item ", 0) == 0) {
            line = "  item";
            items.emplace_back(0.0, "");
        } else if (line.rfind("  ", 0) != 0) {
            flush();
        } else if (line.rfind("    D_POSITION ", 0) == 0) {
            items.back().first = std::strtod(line.c_str() + 15, nullptr);
        }
        (items.empty() ? out : items.back().second) += line + "\n";
    }
    flush();
    return out;
}
