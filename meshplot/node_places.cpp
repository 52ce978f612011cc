#include "meshplot/node_places.hpp"

#include "meshplot/coordinate_text.hpp"
#include "records/side_by_side.hpp"

namespace meshplot {

node_places::node_places(const mesh_model::large_table<node_record>& nodes, const plots::chart_scales& s)
    : nodes_(nodes), scales_(s), places_(nodes.size()) {
    auto place_of = [&](std::size_t first, std::size_t last) {
        for (std::size_t i = first; i < last; ++i) {
            const node_record& n = nodes[i];
            place& p = places_[i];
            p.comma = general;
            char text[2 * 17 + 1];  // each coordinate takes at most 17 characters
            char* x_end = put_coordinate(text, s.x(n.h));
            if (x_end == text) continue;
            *x_end = ',';
            char* end = put_coordinate(x_end + 1, s.y(n.v));
            if (end != x_end + 1 && end - text <= static_cast<std::ptrdiff_t>(sizeof p.text)) {
                std::memcpy(p.text, text, static_cast<std::size_t>(end - text));
                p.comma = static_cast<std::uint8_t>(x_end - text);
                p.length = static_cast<std::uint8_t>(end - text);
            }
        }
    };
    // Each place is the node's alone: a large mesh's are made in two halves
    // at once.
    const std::size_t half = nodes.size() / 2;
    if (nodes.size() < shared_from) {
        place_of(0, nodes.size());
    } else {
        records::side_by_side([&] { place_of(half, nodes.size()); }, [&] { place_of(0, half); });
    }
}

void node_places::append_point(std::string& out, std::size_t position) const {
    append_x(out, position);
    out += ',';
    append_y(out, position);
}

void node_places::append_x(std::string& out, std::size_t position) const {
    const place& p = places_[position];
    if (p.comma == general)
        append_coordinate(out, scales_.x(nodes_[position].h));
    else
        out.append(p.text, p.comma);
}

void node_places::append_y(std::string& out, std::size_t position) const {
    const place& p = places_[position];
    if (p.comma == general)
        append_coordinate(out, scales_.y(nodes_[position].v));
    else
        out.append(p.text + p.comma + 1, p.length - p.comma - 1u);
}

}  // namespace meshplot
