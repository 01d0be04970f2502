#include "moxilo/catalogue/site.h"

#include <gtest/gtest.h>

#include <string>

namespace moxilo::catalogue {
namespace {

const Site kSite("http://127.0.0.1:8377");

TEST(SiteTest, ListingAndMakeAddresses) {
    EXPECT_EQ(kSite.listingAddress(1), "http://127.0.0.1:8377/face/ListWithImage.aspx?pn=1");
    EXPECT_EQ(kSite.listingAddress(12345),
              "http://127.0.0.1:8377/face/ListWithImage.aspx?pn=12345");
    EXPECT_EQ(kSite.makeAddress("123"), "http://127.0.0.1:8377/face/make.aspx?id=123");
    EXPECT_EQ(kSite.makeAddress(""), "http://127.0.0.1:8377/face/make.aspx?id=");
}

struct PictureCase {
    const char* label;
    std::string itemId;
    std::string expected;  // empty: no picture address
};

class PictureAddressTest : public ::testing::TestWithParam<PictureCase> {};

TEST_P(PictureAddressTest, PadsDigitIdsToTenAndRefusesEverythingElse) {
    EXPECT_EQ(kSite.pictureAddress(GetParam().itemId), GetParam().expected);
}

const std::string kStore = "http://127.0.0.1:8377/face/store/face/";

INSTANTIATE_TEST_SUITE_P(
    Ids, PictureAddressTest,
    ::testing::Values(PictureCase{"ThreeDigits", "123", kStore + "0000000123/make.jpg"},
                      PictureCase{"FourDigits", "1234", kStore + "0000001234/make.jpg"},
                      PictureCase{"OneDigit", "7", kStore + "0000000007/make.jpg"},
                      PictureCase{"SixDigits", "123456", kStore + "0000123456/make.jpg"},
                      PictureCase{"TenDigits", "1234567890", kStore + "1234567890/make.jpg"},
                      PictureCase{"ElevenDigits", "12345678901", ""}, PictureCase{"Empty", "", ""},
                      PictureCase{"Slash", "12/4", ""}, PictureCase{"DotDot", "../1", ""},
                      PictureCase{"Letter", "12a", ""}, PictureCase{"Blank", " 123", ""},
                      PictureCase{"FullWidthDigits", "１２３", ""}),
    [](const auto& instance) { return std::string(instance.param.label); });

}  // namespace
}  // namespace moxilo::catalogue
