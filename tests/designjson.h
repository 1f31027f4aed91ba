// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <fstream>
#include <stdexcept>
#include <string>

// A control's place in pixels as the page generator writes it in design.json
// (DESIGN_JSON, one control a line), the file the page test reads.
struct DesignedPlace {
    int left, top, width, height;
};

// Example: designedPlace("Text2_44") is {360, 248, 65, 27}.
inline DesignedPlace designedPlace(const std::string& id) {
    std::ifstream design(DESIGN_JSON);
    for (std::string line; std::getline(design, line);) {
        if (!line.starts_with("{\"id\":\"" + id + '"')) continue;
        const auto field = [&line](const char* key) {
            const std::string name = '"' + std::string(key) + "\":";
            return std::stoi(line.substr(line.find(name) + name.size()));
        };
        return {.left = field("left"),
                .top = field("top"),
                .width = field("width"),
                .height = field("height")};
    }
    throw std::runtime_error("no " + id + " in " DESIGN_JSON);
}
