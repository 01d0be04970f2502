#include "pattern_search.h"

#include <cstdint>

#include "pcre2_holders.h"

namespace moxilo::regex {
namespace {

static_assert(PCRE2_UNSET == Span::kUnset, "unset groups keep the engine's marker");

// Far above what a scan of a large catalogue page takes, low enough that a pattern with
// runaway backtracking gives up in well under a second instead of hanging.
constexpr std::uint32_t kMatchLimit = 5'000'000;
// Bounds the memory of one search (64 MB of spans): a pattern with thousands of groups
// matching empty at every character of a large page gives up instead.
constexpr std::size_t kMaxSpans = 4 * 1024 * 1024;
// The JIT starts on a small machine-stack block; deeply nested patterns get this much.
constexpr PCRE2_SIZE kJitStackStart = 64 * 1024;
constexpr PCRE2_SIZE kJitStackMax = 16 * 1024 * 1024;

PCRE2_SPTR unitsOf(std::u16string_view text) {
    return reinterpret_cast<PCRE2_SPTR>(text.data());
}

// The VBScript dialect: "." stops at CR and LF, "$" without multiline only at the very
// end, "\uXXXX" and "\xXX" escapes, a reference to an unset group matches nothing,
// "[]" and "[^]" allowed, "\w" and "\d" ASCII only (no PCRE2_UCP).
CodeHolder compile(std::u16string_view pattern, const SearchOptions& options) {
    const CompileContextHolder context{pcre2_compile_context_create(nullptr)};
    if (!context) {
        return {};
    }
    pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANYCRLF);
    std::uint32_t flags = PCRE2_UTF | PCRE2_DOLLAR_ENDONLY | PCRE2_ALT_BSUX |
                          PCRE2_MATCH_UNSET_BACKREF | PCRE2_ALLOW_EMPTY_CLASS;
    if (options.ignoreCase) {
        flags |= PCRE2_CASELESS;
    }
    if (options.multiline) {
        flags |= PCRE2_MULTILINE;
    }
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    CodeHolder code{pcre2_compile(unitsOf(pattern), pattern.size(), flags, &error, &errorOffset,
                                  context.get())};
    if (code) {
        pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE);  // on failure the interpreter runs
    }
    return code;
}

// Runs one compiled pattern over one subject from any start offset.
class SubjectScanner {
public:
    SubjectScanner(const pcre2_code* code, std::u16string_view subject)
        : code_(code),
          subject_(subject),
          matchData_(pcre2_match_data_create_from_pattern(code, nullptr)),
          matchContext_(pcre2_match_context_create(nullptr)) {
        if (matchContext_) {
            pcre2_set_match_limit(matchContext_.get(), kMatchLimit);
        }
    }

    bool ready() const { return matchData_ && matchContext_; }

    // A pcre2_match result: the number of captures set, or a negative error.
    int matchFrom(std::size_t start) {
        int result = run(start, 0);
        if (result == PCRE2_ERROR_JIT_STACKLIMIT && !jitStack_) {
            jitStack_.reset(pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr));
            if (jitStack_) {
                pcre2_jit_stack_assign(matchContext_.get(), nullptr, jitStack_.get());
                result = run(start, 0);
            }
        }
        if (result == PCRE2_ERROR_JIT_STACKLIMIT) {
            result = run(start, PCRE2_NO_JIT);  // the interpreter keeps its frames on the heap
        }
        return result;
    }

    const PCRE2_SIZE* ovector() const { return pcre2_get_ovector_pointer(matchData_.get()); }

private:
    int run(std::size_t start, std::uint32_t extraOptions) {
        return pcre2_match(code_, unitsOf(subject_), subject_.size(), start,
                           PCRE2_NO_UTF_CHECK | extraOptions, matchData_.get(),
                           matchContext_.get());
    }

    const pcre2_code* code_;
    std::u16string_view subject_;
    MatchDataHolder matchData_;
    MatchContextHolder matchContext_;
    JitStackHolder jitStack_;
};

std::size_t captureCount(const pcre2_code* code) {
    std::uint32_t count = 0;
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &count);
    return count;
}

// After an empty match the next search starts one character on, a surrogate pair kept whole.
std::size_t characterUnits(std::u16string_view subject, std::size_t position) {
    const bool pair = position + 1 < subject.size() && subject[position] >= 0xD800 &&
                      subject[position] <= 0xDBFF && subject[position + 1] >= 0xDC00 &&
                      subject[position + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

}  // namespace

std::optional<MatchTable> searchPattern(std::u16string_view pattern, std::u16string_view subject,
                                        const SearchOptions& options) {
    const CodeHolder code = compile(pattern, options);
    if (!code) {
        return std::nullopt;
    }
    SubjectScanner scanner{code.get(), subject};
    if (!scanner.ready()) {
        return std::nullopt;
    }
    MatchTable table;
    table.columns = captureCount(code.get()) + 1;
    std::size_t start = 0;
    while (start <= subject.size()) {
        const int result = scanner.matchFrom(start);
        if (result == PCRE2_ERROR_NOMATCH) {
            break;
        }
        if (result <= 0 || table.spans.size() + table.columns > kMaxSpans) {
            return std::nullopt;
        }
        const PCRE2_SIZE* ovector = scanner.ovector();
        for (std::size_t column = 0; column < table.columns; ++column) {
            table.spans.push_back({ovector[2 * column], ovector[2 * column + 1]});
        }
        if (!options.global) {
            break;
        }
        const std::size_t end = ovector[1];
        start = end > ovector[0] ? end : end + characterUnits(subject, end);
    }
    return table;
}

}  // namespace moxilo::regex
