#include "moxilo/export/picture_copy.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "moxilo/app/main_window.h"
#include "widgets/picture_box.h"

namespace moxilo::exporting {
namespace {

using app::MainWindow;
namespace control = app::control;

class PictureCopyTest : public ::testing::Test {
protected:
    PictureCopyTest() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        QApplication::clipboard()->clear();
    }

    QRect frameRect() const { return window.control<QWidget>(control::pictureFrame)->geometry(); }

    void pressCopy() {
        QTest::mouseClick(window.control<QPushButton>(control::copyButton), Qt::LeftButton);
    }

    static QImage clipboardImage() {
        return QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    }

    MainWindow window;
};

TEST_F(PictureCopyTest, CopyPutsTheFrameAsShownOnTheClipboard) {
    QImage face(50, 40, QImage::Format_RGB32);
    face.fill(QColor(200, 120, 40));
    window.control<app::PictureBox>(control::pictureBox)->setPicture(face);
    window.control<QLineEdit>(control::caption2TextBox)->setText(QStringLiteral("好的"));
    pressCopy();
    const QImage copied = clipboardImage();
    ASSERT_EQ(copied.size(), QSize(280, 220));
    const QImage shown = window.grab(frameRect()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(copied, shown);
    EXPECT_EQ(copied.pixelColor(5, 5), QColor(200, 120, 40)) << "the face, stretched";
}

TEST_F(PictureCopyTest, PastingAsBmpGivesTheSnapshotBytes) {
    pressCopy();
    const QImage shown = snapshot(window, frameRect(), QSize(280, 220));
    const std::vector<std::uint8_t> bytes = snapshotBytes(shown);
    const QByteArray offered =
        QApplication::clipboard()->mimeData()->data(QString::fromLatin1(kBmpMimeType));
    ASSERT_EQ(offered.size(), 54 + 184'800);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), offered.begin(), [](std::uint8_t a, char b) {
        return a == static_cast<std::uint8_t>(b);
    }));
    EXPECT_TRUE(QApplication::clipboard()->mimeData()->hasImage())
        << "and as a picture for the rest";
}

TEST_F(PictureCopyTest, VisibleHandlesAreInTheCopyAndStayShown) {
    QTest::mouseClick(window.control<QWidget>(control::caption2), Qt::LeftButton, {}, QPoint(2, 2));
    ASSERT_TRUE(window.handle(0)->isVisible());
    pressCopy();
    EXPECT_TRUE(window.handle(0)->isVisible()) << "copying does not hide the handles";
    // 左上 sits at (224, 209): inside the frame at (224 - 232 + 8 ...) partly; 中中 at (328, 209).
    const QPoint topMiddle = QPoint(328, 209) - frameRect().topLeft();
    const QImage copied = clipboardImage();
    bool blue = false;
    for (int y = topMiddle.y(); y < topMiddle.y() + 8; ++y) {
        for (int x = topMiddle.x(); x < topMiddle.x() + 8; ++x) {
            const QColor pixel = copied.pixelColor(x, y);
            blue = blue || (pixel.blue() > 200 && pixel.red() < 60 && pixel.green() < 60);
        }
    }
    EXPECT_TRUE(blue);
}

TEST_F(PictureCopyTest, CopyingTwiceReplacesTheFirstPicture) {
    pressCopy();
    const QImage first = clipboardImage();
    window.control<QLineEdit>(control::caption2TextBox)->setText(QStringLiteral("第二张"));
    pressCopy();
    const QImage second = clipboardImage();
    EXPECT_NE(first, second);
    EXPECT_EQ(second.size(), QSize(280, 220));
}

TEST_F(PictureCopyTest, AFailedSnapshotKeepsTheClipboardsPreviousContent) {
    QApplication::clipboard()->setText(QStringLiteral("earlier"));
    EXPECT_FALSE(
        copyToClipboard(snapshot(window, QRect(), QSize(280, 220)), *QApplication::clipboard()));
    EXPECT_FALSE(copyToClipboard(QImage(), *QApplication::clipboard()));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("earlier"));
}

TEST_F(PictureCopyTest, SnapshotIsAlwaysTheAskedSize) {
    const QImage image = snapshot(window, frameRect(), QSize(140, 110));
    EXPECT_EQ(image.size(), QSize(140, 110));
    EXPECT_EQ(image.devicePixelRatio(), 1.0);
}

}  // namespace
}  // namespace moxilo::exporting
