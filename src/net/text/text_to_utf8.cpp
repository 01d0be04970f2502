#include "moxilo/text/text_to_utf8.h"

#include "iconv_conversion.h"
#include "iconv_handle.h"
#include "moxilo/text/codec.h"

namespace moxilo::text {

std::string textToUtf8(std::string_view text) {
    // Opening a descriptor costs more than converting a page of titles: one per thread.
    thread_local IconvHandle converter{"UTF-8", "CP936"};
    std::string utf8;
    utf8.reserve(text.size());
    appendConverted(
        converter, text, utf8, [](std::string_view rest) { return characterLength(rest, 0); }, '?');
    return utf8;
}

}  // namespace moxilo::text
