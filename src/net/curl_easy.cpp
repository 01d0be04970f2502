#include "moxilo/net/curl_easy.h"

#include <algorithm>
#include <cstring>

namespace moxilo::net {
namespace {

constexpr const char* kWebProtocols = "http,https";

// Initialises libcurl once for the process and cleans it up at exit.
class CurlGlobal {
public:
    CurlGlobal() : ready_(curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK && speaksHttp()) {}
    ~CurlGlobal() { curl_global_cleanup(); }
    CurlGlobal(const CurlGlobal&) = delete;
    CurlGlobal& operator=(const CurlGlobal&) = delete;

    bool ready() const { return ready_; }

private:
    static bool speaksHttp() {
        const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
        for (const char* const* protocol = info->protocols; *protocol != nullptr; ++protocol) {
            if (std::strcmp(*protocol, "http") == 0) {
                return true;
            }
        }
        return false;
    }

    bool ready_;
};

std::size_t receiveHeaderLine(char* data, std::size_t size, std::size_t count, void* collector) {
    const std::size_t length = size * count;
    return static_cast<ResponseCollector*>(collector)->addHeaderLine({data, length}) ? length : 0;
}

std::size_t receiveBodyBytes(char* data, std::size_t size, std::size_t count, void* collector) {
    const std::size_t length = size * count;
    return static_cast<ResponseCollector*>(collector)->addBodyBytes({data, length}) ? length : 0;
}

int checkStop(void* stop, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<const std::stop_token*>(stop)->stop_requested() ? 1 : 0;
}

template <typename Value>
bool setOption(CURL* handle, CURLoption option, Value value) {
    return curl_easy_setopt(handle, option, value) == CURLE_OK;
}

}  // namespace

bool curlReady() {
    static const CurlGlobal global;
    return global.ready();
}

std::optional<CurlEasy> CurlEasy::create() {
    if (!curlReady()) {
        return std::nullopt;
    }
    CURL* handle = curl_easy_init();
    if (handle == nullptr) {
        return std::nullopt;
    }
    CurlEasy easy(handle);
    CURL* const h = easy.handle_.get();
    const bool configured =
        setOption(h, CURLOPT_ERRORBUFFER, easy.errorBuffer_.get()) &&
        setOption(h, CURLOPT_NOSIGNAL, 1L) &&
        setOption(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1)) &&
        setOption(h, CURLOPT_PROTOCOLS_STR, kWebProtocols) &&
        setOption(h, CURLOPT_REDIR_PROTOCOLS_STR, kWebProtocols) &&
        setOption(h, CURLOPT_SSL_VERIFYPEER, 1L) && setOption(h, CURLOPT_SSL_VERIFYHOST, 2L) &&
        setOption(h, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L) && setOption(h, CURLOPT_PROXY, "");
    if (!configured) {
        return std::nullopt;
    }
    return easy;
}

CurlEasy::CurlEasy(CURL* handle)
    : handle_(handle), errorBuffer_(std::make_unique<char[]>(CURL_ERROR_SIZE)) {}

bool CurlEasy::setUrl(const std::string& url) {
    return setOption(handle_.get(), CURLOPT_URL, url.c_str());
}

bool CurlEasy::setMethod(HttpMethod method, std::string_view body) {
    CURL* const h = handle_.get();
    const auto setBody = [h, body] {
        return setOption(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size())) &&
               setOption(h, CURLOPT_COPYPOSTFIELDS, body.empty() ? "" : body.data());
    };
    switch (method) {
        case HttpMethod::head:
            return setOption(h, CURLOPT_NOBODY, 1L);
        case HttpMethod::post:
            return setBody();
        case HttpMethod::put:
            return setOption(h, CURLOPT_CUSTOMREQUEST, "PUT") && setBody();
        case HttpMethod::get:
            return body.empty() ? setOption(h, CURLOPT_HTTPGET, 1L)
                                : setOption(h, CURLOPT_CUSTOMREQUEST, "GET") && setBody();
    }
    return false;
}

bool CurlEasy::setTimeouts(const Timeouts& timeouts) {
    using std::chrono::ceil;
    using std::chrono::seconds;
    CURL* const h = handle_.get();
    // libcurl counts idle time in whole seconds: "slower than 1 byte/s for that long".
    const long idleSeconds = std::max(1L, static_cast<long>(ceil<seconds>(timeouts.idle).count()));
    return setOption(h, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count())) &&
           setOption(h, CURLOPT_LOW_SPEED_LIMIT, 1L) &&
           setOption(h, CURLOPT_LOW_SPEED_TIME, idleSeconds) &&
           setOption(h, CURLOPT_TIMEOUT_MS, static_cast<long>(timeouts.total.count()));
}

bool CurlEasy::setServerCredentials(const Credentials& credentials) {
    CURL* const h = handle_.get();
    return setOption(h, CURLOPT_HTTPAUTH, static_cast<unsigned long>(CURLAUTH_BASIC)) &&
           setOption(h, CURLOPT_USERNAME, std::string(credentials.user).c_str()) &&
           setOption(h, CURLOPT_PASSWORD, std::string(credentials.password).c_str());
}

bool CurlEasy::setProxy(const std::string& address) {
    CURL* const h = handle_.get();
    return setOption(h, CURLOPT_PROXY, address.c_str()) &&
           (address.empty() || setOption(h, CURLOPT_PROXYTYPE, static_cast<long>(CURLPROXY_HTTP)));
}

bool CurlEasy::setProxyCredentials(const Credentials& credentials) {
    CURL* const h = handle_.get();
    return setOption(h, CURLOPT_PROXYAUTH, static_cast<unsigned long>(CURLAUTH_BASIC)) &&
           setOption(h, CURLOPT_PROXYUSERNAME, std::string(credentials.user).c_str()) &&
           setOption(h, CURLOPT_PROXYPASSWORD, std::string(credentials.password).c_str());
}

bool CurlEasy::enableCookieEngine() {
    return setOption(handle_.get(), CURLOPT_COOKIEFILE, "");
}

bool CurlEasy::setRedirects(bool follow, long maxRedirects) {
    followsRedirects_ = follow;
    CURL* const h = handle_.get();
    return setOption(h, CURLOPT_FOLLOWLOCATION, follow ? 1L : 0L) &&
           setOption(h, CURLOPT_MAXREDIRS, maxRedirects);
}

bool CurlEasy::setHeaders(CurlHeaderList headers) {
    headers_ = std::move(headers);
    return setOption(handle_.get(), CURLOPT_HTTPHEADER, headers_->get());
}

bool CurlEasy::setUserAgent(const std::string& agent) {
    return setOption(handle_.get(), CURLOPT_USERAGENT, agent.c_str());
}

bool CurlEasy::useHttp10() {
    return setOption(handle_.get(), CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_0));
}

bool CurlEasy::setStopToken(std::stop_token stop) {
    if (!stop_) {
        stop_ = std::make_unique<std::stop_token>();
    }
    *stop_ = std::move(stop);
    CURL* const h = handle_.get();
    return setOption(h, CURLOPT_XFERINFOFUNCTION, checkStop) &&
           setOption(h, CURLOPT_XFERINFODATA, stop_.get()) && setOption(h, CURLOPT_NOPROGRESS, 0L);
}

TransferError CurlEasy::perform(ResponseCollector& collector) {
    CURL* const h = handle_.get();
    const bool receiving = setOption(h, CURLOPT_HEADERFUNCTION, receiveHeaderLine) &&
                           setOption(h, CURLOPT_HEADERDATA, &collector) &&
                           setOption(h, CURLOPT_WRITEFUNCTION, receiveBodyBytes) &&
                           setOption(h, CURLOPT_WRITEDATA, &collector);
    if (!receiving) {
        return TransferError::requestNotSent;
    }
    errorBuffer_[0] = '\0';
    const CURLcode code = curl_easy_perform(h);
    if (code == CURLE_OK) {
        // libcurl accepts a connection closed in the middle of the header lines.
        return collector.headersComplete() ? TransferError::none : TransferError::noResponse;
    }
    if (errorBuffer_[0] == '\0') {
        std::strncpy(errorBuffer_.get(), curl_easy_strerror(code), CURL_ERROR_SIZE - 1);
    }
    if (collector.bodyTooLarge()) {
        return TransferError::bodyTooLarge;
    }
    // A redirect that is being followed is not the final response: its failures are the
    // response's failures, not the body's.
    if (collector.headersComplete() && !(followsRedirects_ && collector.isRedirect())) {
        return TransferError::bodyIncomplete;
    }
    if (!collector.responseStarted() && (code == CURLE_SEND_ERROR || !requestWasSent())) {
        return TransferError::requestNotSent;
    }
    return TransferError::noResponse;
}

bool CurlEasy::requestWasSent() const {
    curl_off_t pretransfer = 0;
    return curl_easy_getinfo(handle_.get(), CURLINFO_PRETRANSFER_TIME_T, &pretransfer) ==
               CURLE_OK &&
           pretransfer > 0;
}

}  // namespace moxilo::net
