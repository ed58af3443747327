// An array of N elements numbered 1..N, as the tags, window numbers and rows
// it is looked up by count them: no element 0 to keep unused.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>

template <class T, std::size_t N>
class TOneBased {
public:
    T& operator[](std::size_t Number) { return items_[Index(Number)]; }
    const T& operator[](std::size_t Number) const { return items_[Index(Number)]; }
    static constexpr std::size_t size() { return N; }

    // In number order, 1 first.
    auto begin() { return items_.begin(); }
    auto end() { return items_.end(); }
    auto begin() const { return items_.begin(); }
    auto end() const { return items_.end(); }

    bool operator==(const TOneBased&) const = default;

private:
    // Number 0 (or past N) is a fault of the caller's, never an element.
    static std::size_t Index(std::size_t Number) {
        if (Number < 1 || Number > N) throw std::out_of_range("number outside 1..N");
        return Number - 1;
    }
    std::array<T, N> items_{};
};
