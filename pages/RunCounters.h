// A page's counters are a plain struct of doubles under the names its
// Visual Log shows. A run counts each item from 0 on a worker and adds the
// item's counters to the run's when it applies the item: one operation
// over every value, so that a counter added to a struct is never left out.
#pragma once

#include <array>
#include <bit>
#include <concepts>
#include <cstddef>
#include <type_traits>
#include <utility>

namespace runcounters {

// Converts to double and to nothing else, so that a struct initialised
// from N of them has N leading members that are all doubles.
struct AnyDouble {
    template <class T>
        requires std::same_as<T, double>
    operator T() const {
        return 0;
    }
};

template <class C, std::size_t... I>
constexpr bool MadeFrom(std::index_sequence<I...>) {
    return requires { C{((void)I, AnyDouble{})...}; };
}

// How many leading members of the aggregate C are doubles.
template <class C, std::size_t N = 0>
constexpr std::size_t LeadingDoubles() {
    if constexpr (N < 64 && MadeFrom<C>(std::make_index_sequence<N + 1>{}))
        return LeadingDoubles<C, N + 1>();
    else
        return N;
}

}  // namespace runcounters

// A struct whose members are all doubles (member functions allowed).
template <class C>
concept CounterSet = std::is_aggregate_v<C> && std::is_trivially_copyable_v<C> &&
                     sizeof(C) == runcounters::LeadingDoubles<C>() * sizeof(double);

// Adds every value of `from` to the same value of `to`.
template <CounterSet C>
void AddCounters(C& to, const C& from) {
    constexpr std::size_t n = sizeof(C) / sizeof(double);
    auto sum = std::bit_cast<std::array<double, n>>(to);
    const auto add = std::bit_cast<std::array<double, n>>(from);
    for (std::size_t i = 0; i < n; ++i) sum[i] += add[i];
    to = std::bit_cast<C>(sum);
}
