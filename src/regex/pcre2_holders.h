#pragma once
// PCRE2 in its 16-bit build (the engine matches UTF-16), and one owning holder per handle.

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <memory>

namespace moxilo::regex {

template <auto Free>
struct Pcre2Free {
    template <typename Handle>
    void operator()(Handle* handle) const {
        Free(handle);
    }
};

using CompileContextHolder =
    std::unique_ptr<pcre2_compile_context, Pcre2Free<pcre2_compile_context_free>>;
using CodeHolder = std::unique_ptr<pcre2_code, Pcre2Free<pcre2_code_free>>;
using MatchContextHolder =
    std::unique_ptr<pcre2_match_context, Pcre2Free<pcre2_match_context_free>>;
using MatchDataHolder = std::unique_ptr<pcre2_match_data, Pcre2Free<pcre2_match_data_free>>;
using JitStackHolder = std::unique_ptr<pcre2_jit_stack, Pcre2Free<pcre2_jit_stack_free>>;

}  // namespace moxilo::regex
