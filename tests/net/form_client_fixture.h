#pragma once
// Form client and resource download tests run against the page client tests' loopback
// server fixture; its page-specific helpers go unused here.

#include <string>

#include "moxilo/net/form_client.h"
#include "page_client_fixture.h"

namespace moxilo::net {

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
