#pragma once
// Face titles as the catalogue site writes them: a few Chinese words, UTF-8.

#include <cstddef>
#include <string>

namespace moxilo::bench {

// The title of the face at `item`; neighbours differ, and lengths vary from 4 to 8 characters.
std::string faceTitleUtf8(std::size_t item);

}  // namespace moxilo::bench
