// Loading listing pages from the real demo site, in each charset it serves.

#include "moxilo/catalogue/page_load.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "catalogue_data.h"
#include "listing_page.h"
#include "moxilo/loopback/http_test_server.h"
#include "running_site.h"

namespace moxilo::catalogue {
namespace {

using demo_site::ListingCharset;

Site siteAt(int port) {
    return Site("http://127.0.0.1:" + std::to_string(port));
}

// The faces the demo site lists on a page, as Text.
std::vector<CatalogueItem> expectedItems(int page) {
    std::vector<CatalogueItem> items;
    for (const demo_site::DemoFace& face : demo_site::demoFaces()) {
        if (face.page == page) {
            items.push_back({std::string(face.id), text::utf8ToText(face.title)});
        }
    }
    return items;
}

class PageLoadCharsetTest : public ::testing::TestWithParam<ListingCharset> {};

// Declared UTF-8, undeclared UTF-8 and declared GBK: every title arrives as
// the right characters, character references as they stand.
TEST_P(PageLoadCharsetTest, EveryPageGivesItsFacesInOrder) {
    demo_site::RunningSite site(GetParam());
    for (int page = 1; page <= demo_site::kDemoPageCount; ++page) {
        const PageLoad load = loadListingPage(siteAt(site.port()), page);
        EXPECT_FALSE(load.failure.has_value());
        EXPECT_EQ(load.pageNumber, page);
        ASSERT_FALSE(load.items.empty());
        EXPECT_EQ(load.items, expectedItems(page)) << "page " << page;
    }
}

INSTANTIATE_TEST_SUITE_P(Charsets, PageLoadCharsetTest,
                         ::testing::Values(ListingCharset::Utf8Declared,
                                           ListingCharset::Utf8Undeclared, ListingCharset::Gbk),
                         [](const auto& instance) {
                             std::string name(demo_site::listingCharsetName(instance.param));
                             std::ranges::replace(name, '-', '_');
                             return name;
                         });

TEST(PageLoadTest, PagesPastTheEndAreEmptyWithoutFailure) {
    demo_site::RunningSite site;
    const PageLoad load = loadListingPage(siteAt(site.port()), demo_site::kDemoPageCount + 1);
    EXPECT_TRUE(load.items.empty());
    EXPECT_FALSE(load.failure.has_value());
}

TEST(PageLoadTest, ReferencesInTitlesAreKeptAsCaptured) {
    demo_site::RunningSite site;
    bool sawReference = false;
    for (int page = 1; page <= demo_site::kDemoPageCount; ++page) {
        for (const CatalogueItem& item : loadListingPage(siteAt(site.port()), page).items) {
            sawReference = sawReference || item.title.find('&') != std::string::npos;
        }
    }
    EXPECT_TRUE(sawReference);
}

TEST(PageLoadTest, AFailedFetchIsReportedWithItsNumberedMessage) {
    int port = 0;
    {
        demo_site::RunningSite closed;  // a port that was free a moment ago
        port = closed.port();
    }
    const PageLoad load = loadListingPage(siteAt(port), 1);
    EXPECT_TRUE(load.items.empty());
    ASSERT_TRUE(load.failure.has_value());
    EXPECT_EQ(load.failure->substr(0, 1), "7");
}

TEST(PageLoadTest, AStopEndsALoadThatIsStillWaiting) {
    loopback::HttpTestServer silent([](const std::string&) {
        loopback::Reply reply;
        reply.ending = loopback::Reply::Ending::stall;  // never answers
        return reply;
    });
    std::stop_source stop;
    std::thread stopper([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        stop.request_stop();
    });
    const auto start = std::chrono::steady_clock::now();
    const PageLoad load = loadListingPage(Site(silent.url("")), 1, stop.get_token());
    stopper.join();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
    EXPECT_TRUE(load.failure.has_value());
    EXPECT_TRUE(load.items.empty());
}

TEST(ListingTest, KMatchesGiveKItemsInPageOrder) {
    std::string page;
    for (int i = 0; i < 25; ++i) {
        page += "<li><a href=\"make.aspx?id=" + std::to_string(100 + i) +
                "\"><div class=\"image\"><img alt=\"t" + std::to_string(i) +
                "\" src=\"x\"></div></a></li>\r\n";
    }
    const auto items = extractListing(page);
    ASSERT_EQ(items.size(), 25U);
    EXPECT_EQ(items.front(), (CatalogueItem{"100", "t0"}));
    EXPECT_EQ(items.back(), (CatalogueItem{"124", "t24"}));
    EXPECT_TRUE(extractListing("no items here").empty());
}

}  // namespace
}  // namespace moxilo::catalogue
