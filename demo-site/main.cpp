// moxilo-demo-site: the face catalogue that `./moxilo demo` browses offline.

#include "demo_server.h"
#include "options.h"

#include <iostream>
#include <string_view>
#include <vector>

namespace {

constexpr int kBadCommandLine = 2;

}  // namespace

int main(int argc, char** argv) {
    using namespace moxilo::demo_site;
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    const ParsedOptions parsed = parseOptions(arguments);
    if (!parsed.error.empty()) {
        std::cerr << "moxilo-demo-site: " << parsed.error << "\n\n" << usage();
        return kBadCommandLine;
    }
    if (parsed.options.showHelp) {
        std::cout << usage();
        return 0;
    }

    DemoServer server(parsed.options.charset);
    const BindResult bound = server.bind(parsed.options.port);
    if (bound.error == std::errc::address_in_use) {
        std::cerr << "moxilo-demo-site: port " << bound.port << " on " << kLoopbackAddress
                  << " is already in use (is a demo site running already?); choose another "
                     "with --port N\n";
        return 1;
    }
    if (bound.error) {
        std::cerr << "moxilo-demo-site: cannot listen on " << kLoopbackAddress << ":" << bound.port
                  << ": " << bound.error.message() << "\n";
        return 1;
    }
    std::cout << "moxilo-demo-site: serving http://" << kLoopbackAddress << ":" << bound.port
              << " (listing pages: " << listingCharsetName(parsed.options.charset) << ")"
              << std::endl;
    server.run();
    return 0;
}
