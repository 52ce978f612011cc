#include "meshplot/node_table.hpp"

namespace meshplot {

node_table::node_table(const std::vector<node_record>& nodes) {
    reserve(nodes.size());
    for (const node_record& n : nodes) add(n);
}

void node_table::add(const node_record& n) {
    if (by_number_.put(n.number, nodes_.size()) != 0 && twice_.insert(n.number))
        numbers_twice_.push_back(n.number);
    nodes_.push_back(n);
}

}  // namespace meshplot
