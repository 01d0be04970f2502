#include "moxilo/net/curl_header_list.h"

#include <algorithm>
#include <string>

#include "moxilo/text/text_utils.h"

namespace moxilo::net {
namespace {

bool isNameCharacter(char c) {
    return c > ' ' && c < 0x7F && c != ':';
}

bool isValidLine(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos ||
        !std::all_of(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(colon),
                     isNameCharacter)) {
        return false;
    }
    return line.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

// libcurl drops a "Name:" entry without a value; "Name;" is its way of sending one.
std::string asListEntry(std::string_view line) {
    const std::size_t colon = line.find(':');
    if (line.find_first_not_of(' ', colon + 1) == std::string_view::npos) {
        return std::string(line.substr(0, colon)) + ";";
    }
    return std::string(line);
}

}  // namespace

std::optional<CurlHeaderList> CurlHeaderList::fromBlock(std::string_view block) {
    CurlHeaderList headers;
    for (const text::Text& line : text::splitText(block, "\r\n")) {
        if (!isValidLine(line) || !headers.append(asListEntry(line).c_str())) {
            return std::nullopt;
        }
    }
    // An entry with nothing after the colon removes libcurl's own header of that name.
    for (const char* own : {"Accept:", "Expect:", "Content-Type:"}) {
        if (!headers.append(own)) {
            return std::nullopt;
        }
    }
    return headers;
}

bool CurlHeaderList::append(const char* line) {
    curl_slist* grown = curl_slist_append(list_.get(), line);
    if (grown == nullptr) {
        return false;
    }
    static_cast<void>(list_.release());  // the old head is part of the grown list
    list_.reset(grown);
    return true;
}

}  // namespace moxilo::net
