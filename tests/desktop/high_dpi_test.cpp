// High DPI: the real program on a private Xvfb with QT_SCALE_FACTOR set. The
// window is drawn at the screen's resolution, not drawn small and stretched,
// and the copy stays the 280 x 220 picture of the frame.

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "desktop_support.h"
#include "x_session.h"

namespace moxilo::e2e {
namespace {

constexpr QSize kClient(513, 353);
const QRect kPictureFrame(232, 42, 280, 220);
constexpr QPoint kCaption2TextBox(112 + 90, 306 + 12);
constexpr QPoint kCopyButton(376 + 32, 276 + 16);
// The controls below the picture: texts, edit boxes, borders.
const QRect kControls(0, 264, 513, 72);

QRect scaled(const QRect& logical, double ratio) {
    return {static_cast<int>(std::lround(logical.x() * ratio)),
            static_cast<int>(std::lround(logical.y() * ratio)),
            static_cast<int>(std::lround(logical.width() * ratio)),
            static_cast<int>(std::lround(logical.height() * ratio))};
}

// Mean squared brightness step between neighbours: a sharp edge keeps its
// whole step between two pixels, a stretched one spreads it thin.
double edgeEnergy(const QImage& image) {
    double energy = 0;
    for (int y = 0; y + 1 < image.height(); ++y) {
        for (int x = 0; x + 1 < image.width(); ++x) {
            const int here = qGray(image.pixel(x, y));
            const int right = qGray(image.pixel(x + 1, y)) - here;
            const int below = qGray(image.pixel(x, y + 1)) - here;
            energy += right * right + below * below;
        }
    }
    return energy / (image.width() * image.height());
}

// The program at one pixel ratio: its window area on the screen after a
// caption is typed and the picture copied, and the copy.
struct ScaledRun {
    QImage window;
    QImage copy;
};

// The session's programs take the test's environment, so the ratio is set
// there while the program starts.
class ScaleFactor {
public:
    explicit ScaleFactor(double ratio) { qputenv("QT_SCALE_FACTOR", QByteArray::number(ratio)); }
    ~ScaleFactor() { qunsetenv("QT_SCALE_FACTOR"); }
    ScaleFactor(const ScaleFactor&) = delete;
    ScaleFactor& operator=(const ScaleFactor&) = delete;
};

ScaledRun runAt(double ratio) {
    XSession session;
    if (!session.ready()) {
        ADD_FAILURE() << "no X session";
        return {};
    }
    std::optional<ScaleFactor> scale(ratio);
    RunningProgram program(session, QStringLiteral(MOXILO_PROGRAM));
    scale.reset();
    if (!program.ready()) {
        ADD_FAILURE() << "the program did not start";
        return {};
    }
    const auto device = [ratio](QPoint logical) {
        return QPoint(static_cast<int>(logical.x() * ratio), static_cast<int>(logical.y() * ratio));
    };
    program.click(device(kCaption2TextBox));
    program.type(QStringLiteral("Sharp 123"));
    program.click(device(kCopyButton));
    const QRect window(program.origin(),
                       QSize(static_cast<int>(std::lround(kClient.width() * ratio)),
                             static_cast<int>(std::lround(kClient.height() * ratio))));
    std::optional<QImage> copy;
    desktop_test::eventually(
        [&] { return (copy = desktop_test::clipboardPicture(session)).has_value(); },
        std::chrono::seconds(10));
    return {session.screenshot().copy(window), copy.value_or(QImage())};
}

class HighDpiTest : public ::testing::TestWithParam<double> {};

TEST_P(HighDpiTest, TheWindowIsDrawnAtScreenResolutionAndTheCopyStays280By220) {
    const double ratio = GetParam();
    const ScaledRun plain = runAt(1.0);
    const ScaledRun high = runAt(ratio);
    ASSERT_FALSE(plain.window.isNull());
    ASSERT_FALSE(high.window.isNull());

    ASSERT_EQ(high.copy.size(), QSize(280, 220));
    EXPECT_EQ(plain.copy.size(), QSize(280, 220));
    // The copy is the frame as shown, brought to its size at ratio 1.
    const QImage frame =
        high.window.copy(scaled(kPictureFrame, ratio))
            .scaled(kPictureFrame.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LE(desktop_test::differingPixels(high.copy, frame, 24), 280 * 220 / 100);

    // Sharp: the controls hold more edge energy than the ratio-1 window
    // stretched to the same size would.
    const QImage controls = high.window.copy(scaled(kControls, ratio));
    const QImage stretched = plain.window.copy(kControls).scaled(
        controls.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_GT(edgeEnergy(controls), 1.3 * edgeEnergy(stretched))
        << "drawn " << edgeEnergy(controls) << ", stretched " << edgeEnergy(stretched);
}

INSTANTIATE_TEST_SUITE_P(Ratios, HighDpiTest, ::testing::Values(1.25, 1.5, 2.0),
                         [](const auto& test) {
                             return "Ratio" +
                                    std::to_string(static_cast<int>(std::lround(test.param * 100)));
                         });

}  // namespace
}  // namespace moxilo::e2e
