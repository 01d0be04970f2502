#pragma once
// What every fuzz target shares: the input as text, split into the arguments of the
// calls under test, and a check that turns a broken promise into a crash libFuzzer keeps.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace moxilo::fuzz {

inline std::string_view asText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The first Count - 1 NUL-separated pieces of `input`, then all that is left; pieces
// the input runs out before are empty. Text never holds a NUL, so it is free to separate.
template <std::size_t Count>
std::array<std::string_view, Count> splitArguments(std::string_view input) {
    std::array<std::string_view, Count> pieces{};
    for (std::size_t i = 0; i + 1 < Count && !input.empty(); ++i) {
        const std::size_t end = input.find('\0');
        pieces[i] = input.substr(0, end);
        input.remove_prefix(end == std::string_view::npos ? input.size() : end + 1);
    }
    pieces[Count - 1] = input;
    return pieces;
}

// A promise the code under test makes; breaking it aborts, so libFuzzer saves the input.
inline void require(bool holds, const char* promise) {
    if (!holds) {
        std::fprintf(stderr, "broken promise: %s\n", promise);
        std::abort();
    }
}

}  // namespace moxilo::fuzz
