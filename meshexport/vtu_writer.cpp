// mesh.vtu: the XML heading names every array and where its bytes begin;
// the arrays follow it as raw appended data, each a 32-bit little-endian
// count of its bytes and then its values, little-endian too. The values are
// the tables' own: the same bits a reader gets back, no digits lost.
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "meshexport/mesh_writers.hpp"

namespace meshexport {
namespace {

std::size_t value_size(std::string_view type) { return type == "UInt8" ? 1 : 4; }

// The file's bytes, gathered in blocks and handed to the unit as they
// stand: mesh.vtu is replaced whole, so binary bytes need no records. A
// block is as large as the largest a unit gathers (256 KiB), so that the
// unit writes it to the file as it stands instead of copying it again.
class appended_bytes {
public:
    appended_bytes(records::run& r, records::output_unit unit) : r_(r), unit_(unit), bytes_(new char[block]) {}

    void put_u32(std::uint32_t x) {
        if (used_ + 4 > block) hand_on();
        const unsigned char b[4] = {static_cast<unsigned char>(x & 0xFF), static_cast<unsigned char>((x >> 8) & 0xFF),
                                    static_cast<unsigned char>((x >> 16) & 0xFF), static_cast<unsigned char>(x >> 24)};
        std::memcpy(bytes_.get() + used_, b, 4);
        used_ += 4;
    }
    void put_i32(std::int32_t x) { put_u32(static_cast<std::uint32_t>(x)); }
    void put_f32(float x) { put_u32(std::bit_cast<std::uint32_t>(x)); }
    void put_u8(std::uint8_t x) {
        if (used_ + 1 > block) hand_on();
        bytes_[used_++] = static_cast<char>(x);
    }
    void put_text(std::string_view text) {
        hand_on();
        r_.write_bytes(unit_, text);
    }

private:
    static constexpr std::size_t block = 1 << 18;

    void hand_on() {
        r_.write_bytes(unit_, std::string_view(bytes_.get(), used_));
        used_ = 0;
    }

    records::run& r_;
    records::output_unit unit_;
    std::unique_ptr<char[]> bytes_;
    std::size_t used_ = 0;
};

// An array as the heading announces it, and how its values are written.
struct array_entry {
    std::string_view type;  // "Int32", "Float32" or "UInt8"
    std::string_view name;  // empty for the points
    int components;
    std::size_t count;  // values, components counted
    std::function<void(appended_bytes&)> values;
    std::size_t bytes() const { return 4 + count * value_size(type); }
    std::size_t offset = 0;  // of its byte count in the appended data
};

std::string heading(const mesh& m, const std::vector<array_entry>& arrays, std::size_t point_arrays,
                    std::size_t cell_arrays) {
    std::string text =
        "<?xml version=\"1.0\"?>\n"
        "<VTKFile type=\"UnstructuredGrid\" version=\"1.0\" byte_order=\"LittleEndian\" header_type=\"UInt32\">\n"
        "  <UnstructuredGrid>\n";
    text += "    <Piece NumberOfPoints=\"" + std::to_string(m.nodes.size()) + "\" NumberOfCells=\"" +
            std::to_string(m.elements.size()) + "\">\n";
    auto array = [&](const array_entry& a) {
        text += "        <DataArray type=\"" + std::string(a.type) + "\"";
        if (!a.name.empty()) text += " Name=\"" + std::string(a.name) + "\"";
        if (a.components != 1) text += " NumberOfComponents=\"" + std::to_string(a.components) + "\"";
        text += " format=\"appended\" offset=\"" + std::to_string(a.offset) + "\"/>\n";
    };
    std::size_t k = 0;
    text += "      <PointData>\n";
    for (; k < point_arrays; ++k) array(arrays[k]);
    text += "      </PointData>\n      <CellData>\n";
    for (; k < point_arrays + cell_arrays; ++k) array(arrays[k]);
    text += "      </CellData>\n      <Points>\n";
    array(arrays[k++]);
    text += "      </Points>\n      <Cells>\n";
    for (; k < arrays.size(); ++k) array(arrays[k]);
    text +=
        "      </Cells>\n"
        "    </Piece>\n"
        "  </UnstructuredGrid>\n"
        "  <AppendedData encoding=\"raw\">\n";
    return text;
}

}  // namespace

void write_vtu(records::run& r, records::output_unit unit, const mesh& m) {
    const std::size_t np = m.nodes.size(), nc = m.elements.size();
    using out = appended_bytes;
    std::vector<array_entry> arrays;
    arrays.push_back(
        {"Int32", "node", 1, np, [&](out& o) { for (const node_record& n : m.nodes) o.put_i32(n.number); }});
    static const char* const flag_names[3] = {"H0V12", "H0", "V12"};
    for (std::size_t f = 0; f < 3; ++f)
        arrays.push_back({"Int32", flag_names[f], 1, np,
                          [&m, f](out& o) { for (const node_record& n : m.nodes) o.put_i32(n.flags[f]); }});
    arrays.push_back(
        {"Int32", "element", 1, nc, [&](out& o) { for (const element_record& e : m.elements) o.put_i32(e.number); }});
    arrays.push_back(
        {"Float32", "angle", 1, nc, [&](out& o) { for (const element_record& e : m.elements) o.put_f32(e.angle); }});
    arrays.push_back(
        {"Int32", "type", 1, nc, [&](out& o) { for (const element_record& e : m.elements) o.put_i32(e.type); }});
    if (!m.stresses.empty()) {
        using mesh_model::stress_record;
        arrays.push_back(
            {"Float32", "SH", 1, nc, [&](out& o) { for (const stress_record& s : m.stresses) o.put_f32(s.sh); }});
        arrays.push_back(
            {"Float32", "SZ", 1, nc, [&](out& o) { for (const stress_record& s : m.stresses) o.put_f32(s.sz); }});
        arrays.push_back(
            {"Float32", "SHZ", 1, nc, [&](out& o) { for (const stress_record& s : m.stresses) o.put_f32(s.shz); }});
    }
    const std::size_t cell_arrays = arrays.size() - 4;
    arrays.push_back({"Float32", "", 3, 3 * np, [&](out& o) {
                          for (const node_record& n : m.nodes) {
                              o.put_f32(n.h);
                              o.put_f32(n.v);
                              o.put_f32(0.0f);
                          }
                      }});
    // Corners by position in the points (from 0), anticlockwise.
    arrays.push_back({"Int32", "connectivity", 1, 3 * nc, [&](out& o) {
                          for (const element_record& e : m.elements)
                              for (std::int32_t node : e.nodes)
                                  o.put_i32(m.node_position[static_cast<std::size_t>(node)] - 1);
                      }});
    arrays.push_back({"Int32", "offsets", 1, nc, [&](out& o) {
                          for (std::size_t i = 1; i <= nc; ++i) o.put_u32(static_cast<std::uint32_t>(3 * i));
                      }});
    // 5 is the VTK code of a three-node triangle.
    arrays.push_back({"UInt8", "types", 1, nc, [&](out& o) { for (std::size_t i = 0; i < nc; ++i) o.put_u8(5); }});

    // The arrays' bytes stand in the reverse order of their headings. Any
    // order is one a reader that follows the offsets takes alike; meshio
    // 5.0, which turns raw data into base64 array by array and looks each
    // array up by its offset's text, mistakes an array already turned for a
    // later one when an offset in base64 characters equals a later raw
    // offset, which in heading order happens (a model of five nodes has it);
    // in reverse order the array it looks for always comes first.
    std::size_t offset = 0;
    for (auto a = arrays.rbegin(); a != arrays.rend(); ++a) {
        a->offset = offset;
        offset += a->bytes();
    }
    // 32-bit byte counts hold every array of a model within the tables'
    // limits: at most 3 * 999999 values of 4 bytes.
    out o(r, unit);
    // The data begins right after the underscore.
    o.put_text(heading(m, arrays, 4, cell_arrays) + "   _");
    for (auto a = arrays.rbegin(); a != arrays.rend(); ++a) {
        o.put_u32(static_cast<std::uint32_t>(a->count * value_size(a->type)));
        a->values(o);
    }
    o.put_text("\n  </AppendedData>\n</VTKFile>\n");
}

}  // namespace meshexport
