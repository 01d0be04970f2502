#pragma once
// Runs bytes through an iconv conversion without ever stopping on bad input.

#include <cstddef>
#include <string_view>

#include "iconv_handle.h"

namespace moxilo::text {

// How many bytes at the front of `rest` make up one piece that did not convert (at least 1).
using BadInputLength = std::size_t (*)(std::string_view rest);

// Appends the conversion of `input` to `output`, a string of the target charset's code units.
// Each piece of input that does not convert, as measured by `badInputLength`, becomes one
// `replacement` and the conversion goes on after it; with a converter that is not valid,
// all of the input is bad. Instantiated for std::string and std::u16string.
template <typename Output>
void appendConverted(IconvHandle& converter, std::string_view input, Output& output,
                     BadInputLength badInputLength, typename Output::value_type replacement);

}  // namespace moxilo::text
