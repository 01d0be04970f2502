#pragma once
// Caption arithmetic runs in 64 bits and lands back in int without overflow.

#include <algorithm>
#include <cstdint>
#include <limits>

namespace moxilo::captions {

constexpr int saturatedInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

}  // namespace moxilo::captions
