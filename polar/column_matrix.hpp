// A column-major matrix with 1-based indices over borrowed storage, the one
// way the program's matrices and tables are indexed: element (i,j) with
// leading dimension `leading` lives at offset (j-1)*leading + (i-1). Every
// access is checked against the rows and the storage it was given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>

namespace polar {

template <typename T>
class column_matrix {
public:
    column_matrix(std::span<T> data, std::int32_t leading) : data_(data), leading_(leading) {}

    T& operator()(std::int32_t i, std::int32_t j) const {
        if (i < 1 || j < 1 || i > leading_) throw std::out_of_range("matrix element outside its rows");
        std::size_t offset = static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(leading_) +
                             static_cast<std::size_t>(i - 1);
        if (offset >= data_.size()) throw std::out_of_range("matrix element outside its storage");
        return data_[offset];
    }

private:
    std::span<T> data_;
    std::int32_t leading_;
};

}  // namespace polar
