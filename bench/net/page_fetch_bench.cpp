// The page client fetching a 1 MB and a 50 MB listing page from a loopback server,
// timed against bare libcurl transfers of the same page in the same run.
// Each iteration runs the three transfers back to back. Counters: vs_bare_keep and
// vs_bare_discard are the page client's median time over the bare transfer's (keeping
// the body in memory, sized once from its Content-Length, or dropping it); medians, because the
// machine is shared and a busy neighbour lengthens single runs. peak_x_body is the most heap the
// page client held during a fetch, over the body size.

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "heap_peak.h"
#include "moxilo/loopback/http_test_server.h"
#include "moxilo/net/page_client.h"

namespace moxilo::bench {
namespace {

constexpr std::int64_t kOneMegabyte = 1'000'000;
constexpr std::int64_t kFiftyMegabytes = 50'000'000;
constexpr std::string_view kListingRow =
    "<li><a href=\"make.aspx?id=1234\"><div class=\"image\"><img alt=\"表情 标题\" "
    "src=\"/face/store/face/0000001234/s.jpg\"></div></a></li>\r\n";

loopback::HttpTestServer& server() {
    static loopback::HttpTestServer instance([](const std::string& request) {
        const std::size_t bytes =
            request.starts_with("GET /50mb ") ? kFiftyMegabytes : kOneMegabyte;
        loopback::Reply reply;
        reply.head = "HTTP/1.1 200 OK\r\nContent-Type: text/html\r\nContent-Length: " +
                     std::to_string(bytes) + "\r\n\r\n";
        reply.fillerBytes = bytes;
        reply.fillerPattern = kListingRow;
        return reply;
    });
    return instance;
}

enum class Sink { keep, discard };

// The body and the handle that fills it, so the first write can size the body at once.
struct KeptBody {
    CURL* handle = nullptr;
    std::string bytes;
};

std::size_t keepBytes(char* data, std::size_t size, std::size_t count, void* sink) {
    auto* body = static_cast<KeptBody*>(sink);
    if (body->bytes.empty()) {
        curl_off_t length = 0;
        curl_easy_getinfo(body->handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
        body->bytes.reserve(static_cast<std::size_t>(std::max<curl_off_t>(length, 0)));
    }
    body->bytes.append(data, size * count);
    return size * count;
}

std::size_t dropBytes(char*, std::size_t size, std::size_t count, void*) {
    return size * count;
}

struct EasyCleanup {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

// A fresh handle per transfer, as the page client uses.
void bareTransfer(const std::string& url, Sink sink) {
    const std::unique_ptr<CURL, EasyCleanup> handle(curl_easy_init());
    KeptBody body{.handle = handle.get(), .bytes = {}};
    curl_easy_setopt(handle.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(handle.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION,
                     sink == Sink::keep ? keepBytes : dropBytes);
    curl_easy_setopt(handle.get(), CURLOPT_WRITEDATA, &body);
    curl_easy_perform(handle.get());
    benchmark::DoNotOptimize(body.bytes.data());
}

double median(std::vector<double> values) {
    std::nth_element(values.begin(),
                     values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

template <typename Work>
double secondsFor(Work&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void pageFetchAgainstBareLibcurl(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    const std::string url = server().url(bytes == kFiftyMegabytes ? "/50mb" : "/1mb");
    net::PageRequest request;
    request.url = url;
    std::vector<double> clientSeconds;
    std::vector<double> keepSeconds;
    std::vector<double> discardSeconds;
    std::size_t peak = 0;

    for (auto _ : state) {
        discardSeconds.push_back(secondsFor([&] { bareTransfer(url, Sink::discard); }));
        keepSeconds.push_back(secondsFor([&] { bareTransfer(url, Sink::keep); }));
        net::PageResult result;
        resetHeapPeak();
        const double seconds = secondsFor([&] {
            const std::string page = net::fetchPage(request, result);
            if (page.size() != bytes) {
                state.SkipWithError("the page client did not deliver the whole page");
            }
        });
        peak = std::max(peak, heapPeak());
        state.SetIterationTime(seconds);
        clientSeconds.push_back(seconds);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    const double client = median(clientSeconds);
    state.counters["client_ms"] = client * 1e3;
    state.counters["bare_discard_ms"] = median(discardSeconds) * 1e3;
    state.counters["vs_bare_keep"] = client / median(keepSeconds);
    state.counters["vs_bare_discard"] = client / median(discardSeconds);
    state.counters["peak_x_body"] = static_cast<double>(peak) / static_cast<double>(bytes);
}

BENCHMARK(pageFetchAgainstBareLibcurl)
    ->Arg(kOneMegabyte)
    ->Arg(kFiftyMegabytes)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moxilo::bench
