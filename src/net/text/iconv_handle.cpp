#include "iconv_handle.h"

#include <utility>

namespace moxilo::text {

IconvHandle::IconvHandle(const char* toCharset, const char* fromCharset)
    : descriptor_(iconv_open(toCharset, fromCharset)) {}

IconvHandle::~IconvHandle() {
    if (valid()) {
        iconv_close(descriptor_);
    }
}

IconvHandle::IconvHandle(IconvHandle&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, kInvalid)) {}

IconvHandle& IconvHandle::operator=(IconvHandle&& other) noexcept {
    if (this != &other) {
        if (valid()) {
            iconv_close(descriptor_);
        }
        descriptor_ = std::exchange(other.descriptor_, kInvalid);
    }
    return *this;
}

}  // namespace moxilo::text
