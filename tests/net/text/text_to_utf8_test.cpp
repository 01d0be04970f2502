#include "moxilo/text/text_to_utf8.h"

#include <gtest/gtest.h>

#include "moxilo/text/codec.h"

namespace moxilo::text {
namespace {

TEST(TextToUtf8, ConvertsCodePage936) {
    EXPECT_EQ(textToUtf8("a\xD6\xD0z"),
              "a\xE4\xB8\xAD"
              "z");
    EXPECT_EQ(textToUtf8("\x81\x40@"), "\xE4\xB8\x82@");
    EXPECT_EQ(textToUtf8(""), "");
}

TEST(TextToUtf8, MarksBytesThatDoNotConvert) {
    EXPECT_EQ(textToUtf8("ab\xD6"), "ab?");
    EXPECT_EQ(textToUtf8("a\xFF"
                         "b"),
              "a?b");
}

TEST(TextToUtf8, RoundTripsThroughUtf8ToText) {
    const Text text = "\xB1\xED\xC7\xE9 face \xD6\xD0\xCE\xC4";
    EXPECT_EQ(utf8ToText(textToUtf8(text)), text);
}

}  // namespace
}  // namespace moxilo::text
