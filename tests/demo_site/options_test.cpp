#include "options.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace moxilo::demo_site {
namespace {

struct OptionsCase {
    std::vector<std::string_view> arguments;
    int port;
    ListingCharset charset;
    bool help;
    std::string error;  // a part of the message; empty: accepted
};

void PrintTo(const OptionsCase& options, std::ostream* out) {
    std::string_view separator;
    *out << "[";
    for (const std::string_view argument : options.arguments) {
        *out << separator << argument;
        separator = " ";
    }
    *out << "]";
}

class OptionsTest : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(OptionsTest, Parses) {
    const OptionsCase& expected = GetParam();
    const ParsedOptions parsed = parseOptions(expected.arguments);
    if (!expected.error.empty()) {
        EXPECT_NE(parsed.error.find(expected.error), std::string::npos) << parsed.error;
        return;
    }
    EXPECT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.options.port, expected.port);
    EXPECT_EQ(parsed.options.charset, expected.charset);
    EXPECT_EQ(parsed.options.showHelp, expected.help);
}

constexpr auto kDeclared = ListingCharset::Utf8Declared;

INSTANTIATE_TEST_SUITE_P(
    CommandLines, OptionsTest,
    ::testing::Values(
        OptionsCase{{}, 8377, kDeclared, false, ""},
        OptionsCase{{"--port", "9000"}, 9000, kDeclared, false, ""},
        OptionsCase{{"--port", "0"}, 0, kDeclared, false, ""},
        OptionsCase{{"--port", "65535"}, 65535, kDeclared, false, ""},
        OptionsCase{{"--charset", "utf-8"}, 8377, ListingCharset::Utf8Undeclared, false, ""},
        OptionsCase{{"--charset", "gbk", "--port", "81"}, 81, ListingCharset::Gbk, false, ""},
        OptionsCase{{"--charset", "utf-8-declared"}, 8377, kDeclared, false, ""},
        OptionsCase{{"--help"}, 8377, kDeclared, true, ""},
        OptionsCase{{"-h"}, 8377, kDeclared, true, ""},
        OptionsCase{{"--port", "65536"}, 0, kDeclared, false, "--port takes"},
        OptionsCase{{"--port", "-1"}, 0, kDeclared, false, "--port takes"},
        OptionsCase{{"--port", "80x"}, 0, kDeclared, false, "--port takes"},
        OptionsCase{{"--port", ""}, 0, kDeclared, false, "--port takes"},
        OptionsCase{{"--port"}, 0, kDeclared, false, "--port needs a value"},
        OptionsCase{{"--charset", "GBK"}, 0, kDeclared, false, "--charset takes"},
        OptionsCase{{"--charset"}, 0, kDeclared, false, "--charset needs a value"},
        OptionsCase{{"8377"}, 0, kDeclared, false, "unknown option \"8377\""},
        OptionsCase{{"--port=9000"}, 0, kDeclared, false, "unknown option"}));

}  // namespace
}  // namespace moxilo::demo_site
