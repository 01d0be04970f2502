#pragma once
// Form client and resource download tests run against the page client tests' loopback
// server fixture; its page-specific helpers go unused here.

#include <string>

#include "moxilo/net/form_client.h"
#include "page_client_fixture.h"

namespace moxilo::net {

// Announces `announced` body bytes, sends `sent` of them and ends as told.
inline loopback::Reply bodyCutAfter(std::size_t sent, std::size_t announced,
                                    loopback::Reply::Ending ending) {
    loopback::Reply reply = loopback::Reply::ok(std::string(announced, 'b'));
    reply.body.resize(sent);
    reply.ending = ending;
    return reply;
}

// Sends nothing at all and keeps the connection open.
inline loopback::Reply silentReply() {
    loopback::Reply reply;
    reply.ending = loopback::Reply::Ending::stall;
    return reply;
}

// `bytes` body bytes without a length: the end of the connection ends the body.
inline loopback::Reply unannouncedBody(std::size_t bytes) {
    loopback::Reply reply;
    reply.head = "HTTP/1.1 200 OK\r\n\r\n";
    reply.fillerBytes = bytes;
    reply.ending = loopback::Reply::Ending::close;
    return reply;
}

class FormClientTest : public PageClientTest {
protected:
    // The request the only caller sends: POST with a body, everything else absent.
    static FormRequest postTo(const std::string& url, const std::string& body) {
        FormRequest request;
        request.url = url;
        request.methodIndex = 1;
        request.body = body;
        return request;
    }

    FormResult submit(const FormRequest& request) {
        FormResult result;
        submitForm(request, result);
        return result;
    }

    // An address on the loopback interface where nothing listens.
    static std::string unusedAddress(const std::string& pathAndQuery) {
        return "http://127.0.0.1:" + std::to_string(loopback::HttpTestServer::unusedPort()) +
               pathAndQuery;
    }
};

}  // namespace moxilo::net
