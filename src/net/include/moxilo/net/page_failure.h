#pragma once
// The numbered failures of the page client and the status texts that report them.

#include "moxilo/text/codec.h"

namespace moxilo::net {

enum class PageFailure {
    platformUnsupported = 700,  // libcurl cannot start or speaks no HTTP
    badUrl = 701,               // not an absolute http:// or https:// address
    sessionFailed = 702,        // no transfer handle, or the proxy was refused
    connectionFailed = 703,     // the address was refused by the transfer handle
    requestFailed = 704,        // the method or the request body was refused
    timeoutsFailed = 705,
    credentialsFailed = 707,  // server or proxy credentials
    cookieOptionFailed = 708,
    redirectOptionFailed = 709,
    headersRejected = 710,  // a header line that is not "Name: value"
    sendFailed = 711,       // resolving, connecting, TLS or sending failed
    noResponse = 712,       // no complete response header arrived, or a redirect failed
    readFailed = 713,       // the body was cut, timed out or exceeded the size limit
};

// The status text, in code page 936, such as "701 解析URL地址失败!".
text::Text pageFailureMessage(PageFailure failure);

}  // namespace moxilo::net
