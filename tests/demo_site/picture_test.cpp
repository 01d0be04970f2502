#include "running_site.h"

#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace moxilo::demo_site {
namespace {

QImage fetchFace(const RunningSite& site, const std::string& folder) {
    const auto response = site.client().Get("/face/store/face/" + folder + "/make.jpg");
    EXPECT_TRUE(response);
    if (!response) {
        return {};
    }
    EXPECT_EQ(response->status, 200);
    EXPECT_EQ(response->get_header_value("Content-Type"), "image/jpeg");
    QImage image;
    EXPECT_TRUE(image.loadFromData(QByteArray::fromStdString(response->body), "JPEG"));
    return image;
}

TEST(PictureTest, ListedFacesAreJpegsOfTheRenderedSize) {
    RunningSite site;
    for (const std::string folder : {"0000001024", "0000000318"}) {
        SCOPED_TRACE(folder);
        const QImage face = fetchFace(site, folder);
        EXPECT_EQ(face.width(), 280);
        EXPECT_EQ(face.height(), 220);
    }
}

TEST(PictureTest, FacesDifferBetweenIdsAndRepeatForTheSameId) {
    RunningSite site;
    const QImage first = fetchFace(site, "0000001024");
    const QImage again = fetchFace(site, "0000001024");
    const QImage next = fetchFace(site, "0000001025");
    const QImage threeDigits = fetchFace(site, "0000000318");
    EXPECT_EQ(first, again);
    EXPECT_NE(first, next);
    EXPECT_NE(first, threeDigits);
    EXPECT_NE(next, threeDigits);
}

class MissingPictureTest : public ::testing::TestWithParam<std::string> {};

TEST_P(MissingPictureTest, IsNotFound) {
    RunningSite site;
    const auto response = site.client().Get(GetParam());
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 404);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, MissingPictureTest,
    ::testing::Values("/face/store/face/0000009998/make.jpg",   // no such face
                      "/face/store/face/1024/make.jpg",         // not padded
                      "/face/store/face/00000001024/make.jpg",  // padded past ten
                      "/face/store/face/000000102a/make.jpg", "/face/store/face//make.jpg",
                      "/face/store/face/0000000000/make.jpg",
                      "/face/store/face/..%2F..%2Fetc/make.jpg",
                      "/face/store/face/0000001024/thumb.jpg", "/face/store/face/0000001024/",
                      "/etc/passwd"));

}  // namespace
}  // namespace moxilo::demo_site
