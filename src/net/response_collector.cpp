#include "moxilo/net/response_collector.h"

#include <sys/mman.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "moxilo/text/text_utils.h"

namespace moxilo::net {
namespace {

constexpr std::uintptr_t kHugePageBytes = std::uintptr_t{2} << 20;
// Far above any real header block; keeps an endless header stream from eating memory.
constexpr std::size_t kHeaderBlockLimit = std::size_t{1} << 20;

std::string_view withoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return line;
}

std::size_t announcedLength(std::string_view line) {
    const std::string_view value = line.substr(line.find(':') + 1);
    const std::size_t digits = value.find_first_not_of(' ');
    std::size_t length = 0;
    if (digits != std::string_view::npos) {
        std::from_chars(value.data() + digits, value.data() + value.size(), length);
    }
    return length;
}

}  // namespace

bool ResponseCollector::addHeaderLine(std::string_view rawLine) {
    const std::string_view line = withoutLineEnd(rawLine);
    if (line.starts_with("HTTP/")) {
        startResponse();
        std::from_chars(line.data() + std::min(line.size(), line.find(' ') + 1),
                        line.data() + line.size(), statusCode_);
    } else if (headersComplete_) {
        return true;  // trailers after a chunked body belong to no header block
    }
    if (headerBlock_.size() + line.size() + 2 > kHeaderBlockLimit) {
        return false;
    }
    headerBlock_.append(line).append("\r\n");
    if (text::startsWithText(line, "Location:", text::LetterCase::ignored)) {
        hasLocation_ = true;
    } else if (text::startsWithText(line, "Content-Length:", text::LetterCase::ignored)) {
        announcedLength_ = announcedLength(line);
    } else if (line.empty()) {
        headersComplete_ = statusCode_ >= 200;
    }
    return true;
}

bool ResponseCollector::addBodyBytes(std::string_view bytes) {
    if (bytes.size() > bodyLimit_ - body_.size()) {
        bodyTooLarge_ = true;
        return false;
    }
    if (body_.empty()) {
        reserveBody(std::min(announcedLength_, bodyLimit_));
    }
    // Looked for while the bytes are fresh in the cache, not in a second pass over the page.
    const void* nul =
        firstNul_ == std::string::npos ? std::memchr(bytes.data(), 0, bytes.size()) : nullptr;
    if (nul != nullptr) {
        firstNul_ =
            body_.size() + static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data());
    }
    body_.append(bytes);
    return true;
}

bool ResponseCollector::isRedirect() const {
    const bool redirectStatus = statusCode_ == 301 || statusCode_ == 302 || statusCode_ == 303 ||
                                statusCode_ == 307 || statusCode_ == 308;
    return redirectStatus && hasLocation_;
}

void ResponseCollector::reserveBody(std::size_t length) {
    body_.reserve(length);  // one allocation for the whole body
    // Backing a large body with huge pages spares the kernel most of its page faults.
    const auto start = reinterpret_cast<std::uintptr_t>(body_.data());
    const std::uintptr_t first = (start + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    const std::uintptr_t end = (start + body_.capacity()) & ~(kHugePageBytes - 1);
    if (end > first) {
        ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
    }
}

void ResponseCollector::startResponse() {
    headerBlock_.clear();
    body_.clear();
    statusCode_ = 0;
    announcedLength_ = 0;
    firstNul_ = std::string::npos;
    hasLocation_ = false;
    headersComplete_ = false;
}

}  // namespace moxilo::net
