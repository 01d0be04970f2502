#include "iconv_conversion.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <string>

namespace moxilo::text {

template <typename Output>
void appendConverted(IconvHandle& converter, std::string_view input, Output& output,
                     BadInputLength badInputLength, typename Output::value_type replacement) {
    using Unit = typename Output::value_type;
    // iconv writes into this block, far larger than any one character, and the output takes
    // what it wrote: each call then costs what it converts, however often bad input stops it.
    std::array<Unit, 1024> block;

    if (converter.valid()) {
        iconv(converter.get(), nullptr, nullptr, nullptr,
              nullptr);  // cached handles: drop old state
    }
    while (!input.empty()) {
        if (converter.valid()) {
            char* in = const_cast<char*>(input.data());  // iconv never writes through it
            std::size_t inLeft = input.size();
            char* out = reinterpret_cast<char*>(block.data());
            std::size_t outLeft = sizeof(block);
            const std::size_t result = iconv(converter.get(), &in, &inLeft, &out, &outLeft);
            const int error = errno;
            output.append(block.data(), block.size() - outLeft / sizeof(Unit));
            input.remove_prefix(input.size() - inLeft);
            if (result != static_cast<std::size_t>(-1) || error == E2BIG) {
                continue;
            }
        }
        input.remove_prefix(std::clamp<std::size_t>(badInputLength(input), 1, input.size()));
        output.push_back(replacement);
    }
}

template void appendConverted<std::string>(IconvHandle&, std::string_view, std::string&,
                                           BadInputLength, char);
template void appendConverted<std::u16string>(IconvHandle&, std::string_view, std::u16string&,
                                              BadInputLength, char16_t);

}  // namespace moxilo::text
