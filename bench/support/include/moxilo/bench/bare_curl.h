#pragma once
// The bare libcurl transfers that benchmarks measure the program's clients against.

#include <curl/curl.h>

#include <cstddef>
#include <memory>
#include <string>

namespace moxilo::bench {

struct EasyCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using BareHandle = std::unique_ptr<CURL, EasyCleanup>;

// A write callback that appends what arrives to the std::string given as its data.
inline std::size_t keepBytes(char* data, std::size_t size, std::size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

}  // namespace moxilo::bench
