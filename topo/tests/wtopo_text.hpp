// Building "wtopo.dat" texts for the tests, field by field in the columns
// topo reads, and taking "wtopo.out" records apart again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace topo_test {

// v right-justified in w columns.
inline std::string field(long v, int w) {
    std::string s = std::to_string(v);
    return std::string(s.size() < static_cast<std::size_t>(w) ? static_cast<std::size_t>(w) - s.size() : 0, ' ') + s;
}

inline std::string line(const std::string& text) { return text + "\n"; }

// "(I2)" and "(I1)" counts, "(I4)" numbers.
inline std::string count2(long v) { return line(field(v, 2)); }
inline std::string count1(long v) { return line(field(v, 1)); }
inline std::string number4(long v) { return line(field(v, 4)); }

// "(1X,I4,1X,I4)"
inline std::string pair_record(long ond, long nnd) { return line(" " + field(ond, 4) + " " + field(nnd, 4)); }

// "(I4,F6.1,2I3)"; the angle text as it stands in columns 5-10.
inline std::string group_header(long nel, const std::string& ang, long itype, long ngpl) {
    return line(field(nel, 4) + std::string(6 - ang.size(), ' ') + ang + field(itype, 3) + field(ngpl, 3));
}

// A connectivity line: "(I1,18(1X,I3))" for six per line, "(I1,15(1X,I4))"
// for five, the sixth triple of the latter on a continuation record.
inline std::string six_line(long ns, const std::vector<long>& nodes) {
    std::string s = field(ns, 1);
    for (long n : nodes) s += " " + field(n, 3);
    return line(s);
}
inline std::string five_line(long ns, const std::vector<long>& nodes) {
    std::string s = field(ns, 1);
    std::size_t k = 0;
    for (; k < nodes.size() && k < 15; ++k) s += " " + field(nodes[k], 4);
    if (k < nodes.size()) {
        s += "\n";
        for (; k < nodes.size(); ++k) s += " " + field(nodes[k], 4);
    }
    return line(s);
}

// One group with its first element number, pairs and header.
struct pair_value {
    long ond;
    long nnd;
};
inline std::string group_start(long jj, long tnds, const std::vector<pair_value>& pairs) {
    std::string s = number4(jj) + count2(tnds);
    for (const pair_value& p : pairs) s += pair_record(p.ond, p.nnd);
    return s;
}

// "(I1,1X,I2,1X,I4)"
inline std::string section_header(long nlay, long nb, long iel) {
    return line(field(nlay, 1) + " " + field(nb, 2) + " " + field(iel, 4));
}

// The start numbers of the node rows of one layer.
struct layer_starts {
    long itop;
    long imid[9];  // centre row start of element rows 1 to 8 (rows 2 and 7 unused)
    long ibtm[9];  // bottom row start of element rows 1 to 8
};

// "(F5.1,I3,/,I4)" then the start records before rows 1 to 8.
inline std::string layer_text(const std::string& ang, long itype, const layer_starts& s) {
    std::string t = line(std::string(5 - ang.size(), ' ') + ang + field(itype, 3)) + number4(s.itop);
    for (int row = 1; row <= 8; ++row) {
        if (row == 2 || row == 7) t += number4(s.ibtm[row]);
        else t += number4(s.imid[row]) + number4(s.ibtm[row]);
    }
    return t;
}

// An element record of "wtopo.out", as the test expects it.
inline std::string element_record(long number, long n1, long n2, long n3, const std::string& ang, long itype) {
    return field(number, 6) + field(n1, 6) + field(n2, 6) + field(n3, 6) + std::string(8 - ang.size(), ' ') + ang +
           field(itype, 3);
}

struct parsed_element {
    long number;
    long nodes[3];
    std::string ang;
    long itype;
};
inline parsed_element parse_record(const std::string& r) {
    parsed_element e{};
    e.number = std::stol(r.substr(0, 6));
    for (int k = 0; k < 3; ++k) e.nodes[k] = std::stol(r.substr(6 + 6 * static_cast<std::size_t>(k), 6));
    e.ang = r.substr(24, 8);
    e.itype = std::stol(r.substr(32, 3));
    return e;
}

}  // namespace topo_test
