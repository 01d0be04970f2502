// The resource downloader fetching a 5 MB picture 100 times from a loopback server
// through its one shared handle, timed against bare libcurl transfers of the same
// picture over one reused handle into a buffer of the right size, in the same run.
// Counter: vs_bare is the downloader's time over the bare transfers' time.

#include <benchmark/benchmark.h>
#include <curl/curl.h>

#include <chrono>
#include <memory>
#include <string>

#include "moxilo/bench/bare_curl.h"
#include "moxilo/bench/run_timing.h"
#include "moxilo/loopback/http_test_server.h"
#include "moxilo/net/resource_download.h"

namespace moxilo::bench {
namespace {

constexpr std::size_t kPictureBytes = 5'000'000;
constexpr int kDownloadsPerRound = 100;
// A JPEG start of image and frame marker, repeated to picture size.
constexpr std::string_view kPicturePattern = "\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00";

loopback::HttpTestServer& server() {
    static loopback::HttpTestServer instance([](const std::string&) {
        loopback::Reply reply;
        reply.head = "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: " +
                     std::to_string(kPictureBytes) + "\r\n\r\n";
        reply.fillerBytes = kPictureBytes;
        reply.fillerPattern = kPicturePattern;
        return reply;
    });
    return instance;
}

void downloadAgainstBareLibcurl(benchmark::State& state) {
    const std::string url = server().url("/face/store/face/0000000123/make.jpg");
    net::ResourceDownloader downloader;
    const BareHandle bare(curl_easy_init());
    curl_easy_setopt(bare.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(bare.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(bare.get(), CURLOPT_WRITEFUNCTION, keepBytes);
    double downloaderSeconds = 0;
    double bareSeconds = 0;

    // Bare and downloader transfers alternate, so that load from elsewhere on the
    // machine falls on both alike.
    for (auto _ : state) {
        double seconds = 0;
        for (int i = 0; i < kDownloadsPerRound; ++i) {
            bareSeconds += secondsFor([&] {
                std::string body;
                body.reserve(kPictureBytes);  // the best a bare transfer can do: no regrowth
                curl_easy_setopt(bare.get(), CURLOPT_WRITEDATA, &body);
                curl_easy_perform(bare.get());
                benchmark::DoNotOptimize(body.data());
            });
            seconds += secondsFor([&] {
                const net::Download picture = downloader.download(url);
                if (!picture.complete || picture.bytes.size() != kPictureBytes) {
                    state.SkipWithError("the downloader did not deliver the whole picture");
                }
            });
        }
        state.SetIterationTime(seconds);
        downloaderSeconds += seconds;
    }
    state.SetBytesProcessed(state.iterations() * kDownloadsPerRound *
                            static_cast<std::int64_t>(kPictureBytes));
    state.counters["vs_bare"] = downloaderSeconds / bareSeconds;
}

BENCHMARK(downloadAgainstBareLibcurl)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace moxilo::bench
