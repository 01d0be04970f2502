#include <gtest/gtest.h>

#include <string>

#include "moxilo/text/codec.h"

namespace moxilo::text {
namespace {

struct PercentCase {
    const char* name;
    std::string text;
    bool convertFromUtf8;
    std::string decoded;
};

class PercentDecodeTest : public testing::TestWithParam<PercentCase> {};

TEST_P(PercentDecodeTest, Decodes) {
    EXPECT_EQ(percentDecode(GetParam().text, GetParam().convertFromUtf8), GetParam().decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Codec, PercentDecodeTest,
    testing::Values(
        PercentCase{"Empty", "", false, ""}, PercentCase{"LowerCaseHex", "a%2fb", false, "a/b"},
        PercentCase{"UpperCaseHex", "a%2Fb", false, "a/b"},
        PercentCase{"PlusStays", "a+b", false, "a+b"},
        PercentCase{"ZeroByteAppendsNothing", "%00x", false, "x"},
        PercentCase{"PercentAtEnd", "ab%", false, "ab%"},
        PercentCase{"OneDigitAtEnd", "ab%4", false, "ab%4"},
        PercentCase{"FirstDigitNotHex", "%G1", false, "%G1"},
        PercentCase{"SecondDigitNotHex", "%4G", false, "%4G"},
        PercentCase{"MalformedThenEscape", "%%41", false, "%A"},
        PercentCase{"MalformedBeforeTwoByteCharacter", "%\xD6\xD0", false, "%\xD6\xD0"},
        PercentCase{"HighBytesWithoutConversion", "%D6%D0", false, "\xD6\xD0"},
        PercentCase{"Utf8EscapesToText", "%E4%B8%AD", true, "\xD6\xD0"},
        PercentCase{"MixedEscapesAndRawUtf8", "\xE4\xB8\xAD%41+%e6%96%87", true,
                    "\xD6\xD0"
                    "A+\xCE\xC4"},
        PercentCase{"BadUtf8AfterDecode", "a%FFb", true, "a?b"},
        PercentCase{"NoEscapesStillConverted", "\xE4\xB8\xAD+x\xFF", true, "\xD6\xD0+x?"},
        PercentCase{"NoEscapesWithoutConversion", "\xE4\xB8\xAD+x", false, "\xE4\xB8\xAD+x"}),
    [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace moxilo::text
