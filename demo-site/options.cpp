#include "options.h"

#include "demo_server.h"

#include <charconv>
#include <cstddef>
#include <optional>

namespace moxilo::demo_site {
namespace {

constexpr int kMaxPort = 65535;

std::optional<int> portNumber(std::string_view text) {
    int port = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() || port < 0 ||
        port > kMaxPort) {
        return std::nullopt;
    }
    return port;
}

}  // namespace

ParsedOptions parseOptions(std::span<const std::string_view> arguments) {
    ParsedOptions parsed{{kDefaultPort}, {}};
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view option = arguments[i];
        if (option == "--help" || option == "-h") {
            parsed.options.showHelp = true;
            continue;
        }
        if (option != "--port" && option != "--charset") {
            return {parsed.options, "unknown option \"" + std::string(option) + "\""};
        }
        if (i + 1 == arguments.size()) {
            return {parsed.options, std::string(option) + " needs a value"};
        }
        const std::string_view value = arguments[++i];
        if (option == "--port") {
            const auto port = portNumber(value);
            if (!port) {
                return {parsed.options, "--port takes a number from 0 to 65535, not \"" +
                                            std::string(value) + "\""};
            }
            parsed.options.port = *port;
        } else {
            const auto charset = listingCharsetNamed(value);
            if (!charset) {
                return {parsed.options, "--charset takes utf-8-declared, utf-8 or gbk, not \"" +
                                            std::string(value) + "\""};
            }
            parsed.options.charset = *charset;
        }
    }
    return parsed;
}

std::string usage() {
    return "usage: moxilo-demo-site [--port N] [--charset utf-8-declared|utf-8|gbk]\n"
           "\n"
           "Serves the demo face catalogue on http://127.0.0.1:N (" +
           std::to_string(kDefaultPort) +
           " by default; 0 picks a free port).\n"
           "  --port N         the port to listen on\n"
           "  --charset C      how listing pages are encoded:\n"
           "                     utf-8-declared  UTF-8 with a meta charset and a Content-Type "
           "charset (default)\n"
           "                     utf-8           UTF-8 with no charset declared anywhere\n"
           "                     gbk             GBK with a meta charset and a Content-Type "
           "charset\n"
           "  --help           this text\n";
}

}  // namespace moxilo::demo_site
