// The caption drag loop under a real X server: xdotool moves the real pointer.

#include <QRect>

#include <gtest/gtest.h>

#include <optional>

#include "x_session.h"

namespace moxilo::e2e {
namespace {

// The box of black text pixels inside `area` of a window shot (the blue
// handles do not count).
std::optional<QRect> inkBox(const QImage& shot, const QRect& area) {
    std::optional<QRect> box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            if (qRed(pixel) < 80 && qGreen(pixel) < 80 && qBlue(pixel) < 80) {
                box = box ? box->united(QRect(x, y, 1, 1)) : QRect(x, y, 1, 1);
            }
        }
    }
    return box;
}

bool hasBlue(const QImage& shot, const QRect& area) {
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            if (qBlue(pixel) > 200 && qRed(pixel) < 80 && qGreen(pixel) < 80) {
                return true;
            }
        }
    }
    return false;
}

TEST(CaptionDragEndToEnd, DraggingCaption2WithTheRealPointerMovesItAndShowsTheHandles) {
    XSession session;
    ASSERT_TRUE(session.ready());
    RunningProgram program(session, QStringLiteral(MOXILO_PROGRAM));
    ASSERT_TRUE(program.ready());

    program.click({112 + 90, 306 + 12});  // caption 2's text box
    program.type(QStringLiteral("MMMM"));
    const QRect captionArea(232, 217, 200, 24);
    const auto before = inkBox(program.shot(), captionArea);
    ASSERT_TRUE(before.has_value()) << "the typed text shows on caption 2";

    const QPoint delta(-40, -60);
    program.drag(captionArea.topLeft() + QPoint(4, 12),
                 captionArea.topLeft() + QPoint(4, 12) + delta);
    const QImage after = program.shot();
    const QRect moved = captionArea.translated(delta);
    const auto inkAfter = inkBox(after, moved);
    ASSERT_TRUE(inkAfter.has_value()) << "the text moved with the caption";
    EXPECT_EQ(*inkAfter, before->translated(delta));
    EXPECT_FALSE(inkBox(after, captionArea.adjusted(moved.width() + 1, 0, 0, 0)).has_value());
    for (const QPoint corner :
         {moved.topLeft() - QPoint(8, 8), moved.topRight() + QPoint(1, -8),
          moved.bottomLeft() + QPoint(-8, 1), moved.bottomRight() + QPoint(1, 1)}) {
        EXPECT_TRUE(hasBlue(after, QRect(corner, QSize(8, 8))))
            << "a handle at " << corner.x() << "," << corner.y();
    }

    // The arrow keys work at once: the press gave the window the keyboard focus.
    program.key(QStringLiteral("Right"));
    const auto nudged = inkBox(program.shot(), moved.adjusted(0, 0, 2, 0));
    ASSERT_TRUE(nudged.has_value());
    EXPECT_EQ(*nudged, inkAfter->translated(1, 0));
}

}  // namespace
}  // namespace moxilo::e2e
