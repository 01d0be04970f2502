// One catalogue load of a 5,000-item listing page from a loopback server, as the program
// does it: the page client's fetch, the one decode, the listing scan, the rows made into
// QStrings and appended to the list model. Timed against what it cannot do without, in
// the same run: a bare libcurl transfer of the same page and a bare PCRE2 JIT scan of the
// same text (already in UTF-16). Counters: vs_bare is the load's median time over the
// median of the bare transfer plus the bare scan (load_ms, bare_ms), and the medians of
// the bare transfer and scan alone (bare_fetch_ms, bare_scan_ms).

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <QString>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue_rows.h"
#include "face_titles.h"
#include "moxilo/bench/bare_curl.h"
#include "moxilo/bench/run_timing.h"
#include "moxilo/catalogue/listing.h"
#include "moxilo/catalogue/page_load.h"
#include "moxilo/catalogue/site.h"
#include "moxilo/loopback/http_test_server.h"
#include "moxilo/text/codec.h"
#include "pcre2_holders.h"
#include "widgets/catalogue_list.h"

namespace moxilo::bench {
namespace {

constexpr std::size_t kItems = 5'000;

std::string storeFolder(const std::string& id) {
    return std::string(10 - id.size(), '0') + id;
}

// The site's listing markup, one item a line, UTF-8 declared in a meta tag.
std::string makeListingPage() {
    std::string page =
        "<!DOCTYPE html>\r\n<html lang=\"zh-CN\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n"
        "<title>表情大全</title>\r\n</head>\r\n<body>\r\n<h1>表情大全</h1>\r\n"
        "<ul class=\"facelist\">\r\n";
    for (std::size_t item = 0; item < kItems; ++item) {
        const std::string id = std::to_string(20'000 + item * 7);
        page += "<li><a href=\"make.aspx?id=" + id + "\"><div class=\"image\"><img alt=\"" +
                faceTitleUtf8(item) + "\" src=\"store/face/" + storeFolder(id) +
                "/thumb.jpg\" /></div></a></li>\r\n";
    }
    page +=
        "</ul>\r\n<p class=\"pager\">第 1 页 <a href=\"ListWithImage.aspx?pn=2\">下一页</a></p>\r\n"
        "</body>\r\n</html>\r\n";
    return page;
}

const std::string& listingPage() {
    static const std::string page = makeListingPage();
    return page;
}

loopback::HttpTestServer& server() {
    static loopback::HttpTestServer instance([](const std::string&) {
        return loopback::Reply::ok(listingPage(), "Content-Type: text/html; charset=utf-8\r\n");
    });
    return instance;
}

// A fresh handle per transfer, as the page client uses; the size of what arrived.
std::size_t bareTransfer(const std::string& url) {
    const bench::BareHandle handle(curl_easy_init());
    std::string body;
    curl_easy_setopt(handle.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, bench::keepBytes);
    curl_easy_setopt(handle.get(), CURLOPT_WRITEDATA, &body);
    curl_easy_perform(handle.get());
    benchmark::DoNotOptimize(body.data());
    return body.size();
}

// The listing pattern compiled for the JIT with the matcher's mode, and a scan that
// counts its matches; the subject's UTF is checked once, on the first match.
class BareListingScan {
public:
    BareListingScan() {
        const std::u16string pattern = text::toWide(catalogue::kListingPattern);
        int error = 0;
        PCRE2_SIZE errorOffset = 0;
        code_.reset(pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(),
                                  PCRE2_UTF | PCRE2_CASELESS | PCRE2_MULTILINE, &error,
                                  &errorOffset, nullptr));
        if (code_ && pcre2_jit_compile(code_.get(), PCRE2_JIT_COMPLETE) == 0) {
            matchData_.reset(pcre2_match_data_create_from_pattern(code_.get(), nullptr));
        }
    }

    [[nodiscard]] bool ready() const { return matchData_ != nullptr; }

    std::size_t matches(std::u16string_view subject) const {
        const auto* units = reinterpret_cast<PCRE2_SPTR>(subject.data());
        std::size_t count = 0;
        std::uint32_t utfCheck = 0;
        for (PCRE2_SIZE start = 0; pcre2_match(code_.get(), units, subject.size(), start, utfCheck,
                                               matchData_.get(), nullptr) > 0;
             start = pcre2_get_ovector_pointer(matchData_.get())[1]) {
            utfCheck = PCRE2_NO_UTF_CHECK;
            ++count;
        }
        return count;
    }

private:
    regex::CodeHolder code_;
    regex::MatchDataHolder matchData_;
};

void catalogueLoadAgainstBare(benchmark::State& state) {
    const catalogue::Site site(server().url(""));
    const std::string url = site.listingAddress(1);
    const BareListingScan scan;
    if (!scan.ready()) {
        state.SkipWithError("the listing pattern did not compile for the JIT");
        return;
    }
    const std::u16string subject = text::toWide(text::utf8ToText(listingPage()));
    app::CatalogueModel model(nullptr);
    PairedTimes times;
    std::vector<double> fetchSeconds;
    std::vector<double> scanSeconds;

    // Bare and program loads alternate, so that load from elsewhere on the machine falls
    // on both alike.
    for (auto _ : state) {
        std::size_t fetched = 0;
        std::size_t scanned = 0;
        fetchSeconds.push_back(secondsFor([&] { fetched = bareTransfer(url); }));
        scanSeconds.push_back(secondsFor([&] { scanned = scan.matches(subject); }));
        const double seconds = secondsFor([&] {
            const catalogue::PageLoad load = catalogue::loadListingPage(site, 1);
            model.clear();
            model.appendRows(app::catalogueRows(load.items));
        });
        if (fetched != listingPage().size() || scanned != kItems || model.rows().size() != kItems) {
            state.SkipWithError("a load did not deliver every item of the page");
            return;
        }
        state.SetIterationTime(seconds);
        times.add(seconds, fetchSeconds.back() + scanSeconds.back());
    }
    times.report(state, "load", "bare", "vs_bare");
    state.counters["bare_fetch_ms"] = median(fetchSeconds) * 1e3;
    state.counters["bare_scan_ms"] = median(scanSeconds) * 1e3;
    state.counters["page_bytes"] = static_cast<double>(listingPage().size());
}
BENCHMARK(catalogueLoadAgainstBare)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moxilo::bench
