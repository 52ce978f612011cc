// The nodes' places in the picture as its markup writes them, each scaled,
// rounded and written once: a node of a large mesh is a corner of some six
// elements and a dot of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "mesh/large_tables.hpp"
#include "meshplot/node_table.hpp"
#include "plots/axes.hpp"

namespace meshplot {

class node_places {
public:
    node_places(const mesh_model::large_table<node_record>& nodes, const plots::chart_scales& s);

    // Writes "x,y", the place of the node at `position` in the node list,
    // from `out` on (room for 16 characters, all of which may be written
    // over); returns the end, or null when the place is written the general
    // way (append_point).
    char* put_point(char* out, std::size_t position) const {
        const place& p = places_[position];
        if (p.comma == general) return nullptr;
        std::memcpy(out, p.text, sizeof p.text);
        return out + p.length;
    }
    // The same with `between` for the comma (room for 14 characters and
    // `between`).
    char* put_apart(char* out, std::size_t position, std::string_view between) const {
        const place& p = places_[position];
        if (p.comma == general) return nullptr;
        std::memcpy(out, p.text, p.comma);
        out += p.comma;
        std::memcpy(out, between.data(), between.size());
        out += between.size();
        std::memcpy(out, p.text + p.comma + 1, sizeof p.text - p.comma - 1u);
        return out + (p.length - p.comma - 1u);
    }
    // Appends "x,y" as plots::number writes x and y.
    void append_point(std::string& out, std::size_t position) const;
    // Appends x or y alone.
    void append_x(std::string& out, std::size_t position) const;
    void append_y(std::string& out, std::size_t position) const;

private:
    // "x,y" as plots::number writes x and y, when it is short enough to be
    // kept here, as a place within the picture is; a place far outside it,
    // or one that plots::number writes its own way (a hair from half a
    // hundredth), is written when it is asked for.
    struct place {
        char text[14];
        std::uint8_t comma;  // where the comma stands; `general` for a place not kept
        std::uint8_t length;
    };
    static constexpr std::uint8_t general = 0xFF;
    // Nodes from this many on have their places made on two threads.
    static constexpr std::size_t shared_from = 65536;
    const mesh_model::large_table<node_record>& nodes_;
    plots::chart_scales scales_;
    mesh_model::large_table<place> places_;
};

}  // namespace meshplot
