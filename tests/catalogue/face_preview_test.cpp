// Previewing faces: against the demo site, and against a recording server
// that can misbehave.

#include "moxilo/catalogue/face_preview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "catalogue_data.h"
#include "face_picture.h"
#include "moxilo/catalogue/make_form.h"
#include "moxilo/loopback/http_test_server.h"
#include "moxilo/net/resource_download.h"
#include "running_site.h"

namespace moxilo::catalogue {
namespace {

using loopback::HttpTestServer;
using loopback::Reply;

std::string firstDemoIdOfLength(std::size_t length) {
    for (const demo_site::DemoFace& face : demo_site::demoFaces()) {
        if (face.id.size() == length) {
            return std::string(face.id);
        }
    }
    return {};
}

class DemoSitePreviewTest : public ::testing::Test {
protected:
    demo_site::RunningSite running;
    Site site{"http://127.0.0.1:" + std::to_string(running.port())};
    net::ResourceDownloader downloader;
};

TEST_F(DemoSitePreviewTest, ThreeAndFourDigitIdsShowTheirRenderedFace) {
    for (const std::size_t length : {3U, 4U}) {
        const std::string id = firstDemoIdOfLength(length);
        ASSERT_FALSE(id.empty());
        const QImage picture = previewFace(site, id, downloader, {});
        ASSERT_FALSE(picture.isNull()) << id;
        EXPECT_EQ(picture.size(), QSize(280, 220));
        QImage expected;
        const std::string jpeg = demo_site::drawFacePicture(id);
        ASSERT_TRUE(expected.loadFromData(reinterpret_cast<const uchar*>(jpeg.data()),
                                          static_cast<int>(jpeg.size())));
        EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32),
                  expected.convertToFormat(QImage::Format_RGB32));
    }
}

TEST_F(DemoSitePreviewTest, AnErrorPageInsteadOfAPictureLeavesTheBoxEmpty) {
    EXPECT_TRUE(previewFace(site, "987654", downloader, {}).isNull()) << "unknown id: 404 page";
}

// A recording server: the make page answers 200, the store answers what the case asks.
class RecordedPreviewTest : public ::testing::Test {
protected:
    explicit RecordedPreviewTest(Reply storeReply = Reply::ok("not a picture"))
        : server([storeReply](const std::string& request) {
              return request.starts_with("POST ") ? Reply::ok("<html>made</html>") : storeReply;
          }) {}

    QImage preview(std::string_view id) {
        return previewFace(Site(server.url("")), id, downloader, {});
    }

    std::vector<std::string> requestLines() const {
        std::vector<std::string> lines;
        for (const std::string& request : server.requests()) {
            lines.push_back(request.substr(0, request.find("\r\n")));
        }
        return lines;
    }

    HttpTestServer server;
    net::ResourceDownloader downloader;
};

TEST_F(RecordedPreviewTest, TheMakeFormGoesFirstThenTheStoreFolderPaddedToTen) {
    for (const std::string id : {"123", "1234", "123456"}) {
        preview(id);
    }
    const std::vector<std::string> expected{
        "POST /face/make.aspx?id=123 HTTP/1.1",
        "GET /face/store/face/0000000123/make.jpg HTTP/1.0",
        "POST /face/make.aspx?id=1234 HTTP/1.1",
        "GET /face/store/face/0000001234/make.jpg HTTP/1.0",
        "POST /face/make.aspx?id=123456 HTTP/1.1",
        "GET /face/store/face/0000123456/make.jpg HTTP/1.0",
    };
    EXPECT_EQ(requestLines(), expected);
    const std::string post = server.requests().front();
    EXPECT_TRUE(post.ends_with("\r\n\r\n" + makeFormBody())) << "the fixed form body, unchanged";
}

TEST_F(RecordedPreviewTest, IdsThatAreNotDigitsSubmitTheFormButDownloadNothing) {
    for (const std::string id : {"", "12/4", "abc", "../../etc", "12345678901"}) {
        EXPECT_TRUE(preview(id).isNull()) << id;
    }
    const auto lines = requestLines();
    EXPECT_TRUE(std::ranges::none_of(
        lines, [](const std::string& line) { return line.starts_with("GET "); }));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "POST /face/make.aspx?id= HTTP/1.1") << "an empty id, as sent";
}

TEST_F(RecordedPreviewTest, BytesThatAreNoPictureLeaveTheBoxEmpty) {
    EXPECT_TRUE(preview("123").isNull());
}

class TruncatedPictureTest : public RecordedPreviewTest {
protected:
    TruncatedPictureTest() : RecordedPreviewTest(truncatedPicture()) {}

    static Reply truncatedPicture() {
        const std::string jpeg = demo_site::drawFacePicture("123");
        Reply reply = Reply::ok(jpeg.substr(0, jpeg.size() / 2));
        // Announce the whole length, send half, then close: the client sees a cut body.
        reply.head = "HTTP/1.1 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: " +
                     std::to_string(jpeg.size()) + "\r\n\r\n";
        reply.ending = Reply::Ending::close;
        return reply;
    }
};

TEST_F(TruncatedPictureTest, ATruncatedPictureLeavesTheBoxEmpty) {
    EXPECT_TRUE(preview("123").isNull());
}

TEST(PicturePreviewStopTest, AStoppedPreviewEndsAtOnceWithNoPicture) {
    HttpTestServer silent([](const std::string&) {
        Reply reply;
        reply.ending = Reply::Ending::stall;
        return reply;
    });
    net::ResourceDownloader downloader;
    std::stop_source stop;
    stop.request_stop();
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(previewFace(Site(silent.url("")), "123", downloader, stop.get_token()).isNull());
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

}  // namespace
}  // namespace moxilo::catalogue
