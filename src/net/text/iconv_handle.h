#pragma once
// Owns one glibc iconv conversion descriptor.

#include <iconv.h>

namespace moxilo::text {

class IconvHandle {
public:
    // Opens a conversion from `fromCharset` to `toCharset`; check valid() afterwards.
    IconvHandle(const char* toCharset, const char* fromCharset);
    ~IconvHandle();

    IconvHandle(IconvHandle&& other) noexcept;
    IconvHandle& operator=(IconvHandle&& other) noexcept;
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    // False when the system knows no such conversion.
    bool valid() const { return descriptor_ != kInvalid; }
    iconv_t get() const { return descriptor_; }

private:
    static inline const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

    iconv_t descriptor_;
};

}  // namespace moxilo::text
