// Colours shared by the pictures, so that a series keeps its colour from
// one picture to the next: series k of a chart (a volume fraction, a stress
// component) is always drawn in series_colour(k).
#pragma once

#include <string_view>

namespace plots {

inline std::string_view series_colour(int k) {
    static constexpr std::string_view colours[] = {"#1f5fa8", "#c0392b", "#2e8b3e", "#8e44ad", "#d68910", "#17868f"};
    constexpr int count = sizeof colours / sizeof colours[0];
    int index = k % count;
    if (index < 0) index += count;
    return colours[index];
}

// Pale fills for areas shaded by a category (the element groups of a mesh).
inline std::string_view fill_colour(int k) {
    static constexpr std::string_view colours[] = {"#9ecae1", "#fdae6b", "#a1d99b", "#bcbddc", "#fcbba1",
                                                   "#c7e9c0", "#fdd0a2", "#dadaeb", "#c6dbef", "#d9d9d9",
                                                   "#f2c4de", "#e5d8bd"};
    constexpr int count = sizeof colours / sizeof colours[0];
    int index = k % count;
    if (index < 0) index += count;
    return colours[index];
}

inline constexpr int fill_colour_count = 12;

}  // namespace plots
