// Clicking faces in the list, against the real demo site.

#include "face_previewer.h"

#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "catalogue_data.h"
#include "face_picture.h"
#include "moxilo/app/background_tasks.h"
#include "moxilo/app/main_window.h"
#include "moxilo/gui_test/wait.h"
#include "running_site.h"
#include "widgets/catalogue_list.h"
#include "widgets/picture_box.h"

namespace moxilo::app {
namespace {

QString qstring(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QImage demoPicture(std::string_view id) {
    const std::string jpeg = demo_site::drawFacePicture(id);
    return QImage::fromData(reinterpret_cast<const uchar*>(jpeg.data()),
                            static_cast<int>(jpeg.size()))
        .convertToFormat(QImage::Format_RGB32);
}

class FacePreviewerTest : public ::testing::Test {
protected:
    FacePreviewerTest() {
        new FacePreviewer(
            window, catalogue::Site("http://127.0.0.1:" + std::to_string(site.port())), tasks);
        std::vector<CatalogueRow> rows;
        for (const demo_site::DemoFace& face : demo_site::demoFaces()) {
            rows.push_back({qstring(face.id), qstring(face.title)});
        }
        list()->catalogue().appendRows(std::move(rows));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    CatalogueList* list() const { return window.control<CatalogueList>(control::catalogueList); }
    PictureBox* box() const { return window.control<PictureBox>(control::pictureBox); }

    void clickRow(int row) {
        list()->scrollTo(list()->model()->index(row, 1));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                          list()->visualRect(list()->model()->index(row, 1)).center());
    }

    QString idOf(int row) const {
        return list()->catalogue().rows()[static_cast<std::size_t>(row)].itemId;
    }

    QImage shown() const { return box()->picture().convertToFormat(QImage::Format_RGB32); }

    demo_site::RunningSite site;
    BackgroundTasks tasks;
    MainWindow window;
};

TEST_F(FacePreviewerTest, ClickingARowShowsItsFaceBelowTheCaptions) {
    clickRow(2);
    ASSERT_TRUE(gui_test::waitUntil([this] { return !box()->picture().isNull(); }));
    EXPECT_EQ(shown(), demoPicture(idOf(2).toStdString()));
    EXPECT_EQ(window.control<QWidget>(control::pictureFrame)->children().indexOf(box()), 0)
        << "sent to the bottom of its siblings";
}

TEST_F(FacePreviewerTest, ClickOnEmptySpaceEmptiesTheBox) {
    clickRow(0);
    ASSERT_TRUE(gui_test::waitUntil([this] { return !box()->picture().isNull(); }));
    list()->catalogue().clear();
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(gui_test::waitUntil([this] { return box()->picture().isNull(); }));
}

TEST_F(FacePreviewerTest, KeyboardSelectionChangesNothing) {
    clickRow(0);
    ASSERT_TRUE(gui_test::waitUntil([this] { return !box()->picture().isNull(); }));
    const QImage first = shown();
    QTest::keyClick(list(), Qt::Key_Down);
    EXPECT_EQ(list()->selectedRow(), 1);
    EXPECT_EQ(tasks.running(), 0U) << "no preview started";
    QTest::qWait(100);
    EXPECT_EQ(shown(), first);
}

TEST_F(FacePreviewerTest, RapidClicksLeaveTheLatestFace) {
    const int rows = list()->model()->rowCount();
    int last = 0;
    for (int click = 0; click < 50; ++click) {
        last = (click * 7) % rows;
        clickRow(last);
    }
    const QImage expected = demoPicture(idOf(last).toStdString());
    EXPECT_TRUE(gui_test::waitUntil([&] { return shown() == expected; }, std::chrono::seconds(30)));
    EXPECT_TRUE(tasks.stopAndWait(std::chrono::seconds(30)));  // every preview has ended
    QTest::qWait(50);  // results posted meanwhile are delivered, stale ones ignored
    EXPECT_EQ(shown(), expected);
}

}  // namespace
}  // namespace moxilo::app
