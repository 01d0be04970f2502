#include "page_url.h"

#include <curl/curl.h>

#include <array>
#include <memory>

#include "moxilo/text/text_to_utf8.h"

namespace moxilo::net {
namespace {

struct UrlCleanup {
    void operator()(CURLU* url) const { curl_url_cleanup(url); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlCleanup>;

struct StringFree {
    void operator()(char* text) const { curl_free(text); }
};
using CurlString = std::unique_ptr<char, StringFree>;

std::string percentEscapeUnsafe(std::string_view utf8) {
    constexpr std::array<char, 16> kDigits = {'0', '1', '2', '3', '4', '5', '6', '7',
                                              '8', '9', 'A', 'B', 'C', 'D', 'E', 'F'};
    std::string escaped;
    escaped.reserve(utf8.size());
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80 || byte == ' ') {
            escaped.append({'%', kDigits[byte >> 4], kDigits[byte & 0x0F]});
        } else {
            escaped.push_back(c);
        }
    }
    return escaped;
}

std::optional<std::string> part(const UrlHandle& url, CURLUPart which) {
    char* value = nullptr;
    if (curl_url_get(url.get(), which, &value, 0) != CURLUE_OK) {
        return std::nullopt;
    }
    return std::string(CurlString(value).get());
}

}  // namespace

std::optional<std::string> requestUrl(std::string_view url) {
    const std::string escaped = percentEscapeUnsafe(text::textToUtf8(url));
    const UrlHandle parsed(curl_url());
    if (!parsed || curl_url_set(parsed.get(), CURLUPART_URL, escaped.c_str(), 0) != CURLUE_OK) {
        return std::nullopt;
    }
    const std::optional<std::string> scheme = part(parsed, CURLUPART_SCHEME);
    const std::optional<std::string> host = part(parsed, CURLUPART_HOST);
    if (!scheme || (*scheme != "http" && *scheme != "https") || !host || host->empty()) {
        return std::nullopt;
    }
    return part(parsed, CURLUPART_URL);
}

}  // namespace moxilo::net
