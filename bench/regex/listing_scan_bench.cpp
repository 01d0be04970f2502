// The catalogue's listing scan over a 1 MB page: the whole matcher path (UTF-16 conversion,
// search, every id and title read back as Text) against a bare PCRE2 JIT loop over the
// same UTF-16 subject. Both report the page's Text bytes per second.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "moxilo/regex/pattern_matcher.h"
#include "moxilo/text/codec.h"
#include "pcre2_holders.h"

namespace {

constexpr std::string_view kListingPattern =
    R"re(<li><a href="make.aspx\?id=(.*?)"><div class="image"><img alt="(.*?)" src=)re";
constexpr std::size_t kItems = 5'000;

// Titles of two to nine Chinese characters, so most of the page is ASCII markup as on the site.
std::string titleUtf8(std::size_t item) {
    constexpr std::array<std::string_view, 16> kCharacters = {"熊", "猫", "头", "金", "馆", "长",
                                                              "表", "情", "包", "笑", "哭", "怒",
                                                              "狗", "猴", "的", "了"};
    std::string title;
    for (std::size_t i = 0; i < 2 + item % 8; ++i) {
        title += kCharacters[(item * 7 + i * 3) % kCharacters.size()];
    }
    return title;
}

moxilo::text::Text makeListingPage() {
    std::string page = "<html><head><title>表情列表</title></head><body><ul class=\"list\">\r\n";
    for (std::size_t item = 0; item < kItems; ++item) {
        const std::string id = std::to_string(10'000 + item * 13);
        const std::string title = titleUtf8(item);
        page += "<li><a href=\"make.aspx?id=" + id + "\"><div class=\"image\"><img alt=\"" + title +
                "\" src=\"/face/store/face/00000" + id +
                "/thumb.jpg\" width=\"120\" height=\"120\">" + "</div>\r\n<div class=\"title\">" +
                title + "</div><div class=\"count\">" + std::to_string(item % 977) +
                "</div></a></li>\r\n";
    }
    page += "</ul></body></html>\r\n";
    return moxilo::text::utf8ToText(page);
}

const moxilo::text::Text& listingPage() {
    static const moxilo::text::Text page = makeListingPage();
    return page;
}

void MatcherListingScan(benchmark::State& state) {
    const moxilo::text::Text& page = listingPage();
    std::int32_t items = 0;
    for (auto _ : state) {
        moxilo::regex::PatternMatcher matcher;
        matcher.createAndExecute(kListingPattern, page);
        items = matcher.matchCount();
        for (std::int32_t i = 1; i <= items; ++i) {
            benchmark::DoNotOptimize(matcher.subMatchText(i, 1));
            benchmark::DoNotOptimize(matcher.subMatchText(i, 2));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
    state.counters["items"] = items;
    state.counters["page_bytes"] = static_cast<double>(page.size());
}
BENCHMARK(MatcherListingScan)->Unit(benchmark::kMillisecond);

// Baseline: the engine alone, pattern compiled and subject converted beforehand.
void BarePcre2JitScan(benchmark::State& state) {
    using namespace moxilo::regex;
    const moxilo::text::Text& page = listingPage();
    const std::u16string subject = moxilo::text::toWide(page);
    const std::u16string pattern = moxilo::text::toWide(kListingPattern);
    int error = 0;
    PCRE2_SIZE errorOffset = 0;
    const CodeHolder code{
        pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                      PCRE2_UTF | PCRE2_CASELESS | PCRE2_MULTILINE, &error, &errorOffset, nullptr)};
    if (!code || pcre2_jit_compile(code.get(), PCRE2_JIT_COMPLETE) != 0) {
        state.SkipWithError("pattern did not compile for the JIT");
        return;
    }
    const MatchDataHolder matchData{pcre2_match_data_create_from_pattern(code.get(), nullptr)};
    const auto* units = reinterpret_cast<PCRE2_SPTR>(subject.data());
    std::int64_t items = 0;
    for (auto _ : state) {
        items = 0;
        std::uint32_t utfCheck = 0;
        for (PCRE2_SIZE start = 0; pcre2_match(code.get(), units, subject.size(), start, utfCheck,
                                               matchData.get(), nullptr) > 0;
             start = pcre2_get_ovector_pointer(matchData.get())[1]) {
            utfCheck = PCRE2_NO_UTF_CHECK;
            ++items;
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
    state.counters["items"] = static_cast<double>(items);
}
BENCHMARK(BarePcre2JitScan)->Unit(benchmark::kMillisecond);

}  // namespace
