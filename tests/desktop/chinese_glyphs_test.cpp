// Chinese glyphs on the screen: the real program on a private Xvfb, Chinese
// text pasted into a caption's text box, and the caption as the screen shows
// it compared with the same text drawn in the Simplified Chinese face and in
// the Japanese face that this desktop's fallback would otherwise pick.

#include <QPainter>
#include <QProcess>
#include <QTextLayout>

#include <gtest/gtest.h>

#include "x_session.h"

namespace moxilo::e2e {
namespace {

// Characters whose mainland and Japanese forms differ.
const QString kText = QStringLiteral("骨直角");
const QRect kCaption2(232, 217, 200, 24);
constexpr QPoint kCaption2TextBox(112 + 90, 306 + 12);

QString fcMatch(const QString& language, const XSession& session) {
    return QString::fromUtf8(runCommand(QStringLiteral("fc-match"),
                                        {QStringLiteral("-f"), QStringLiteral("%{family[0]}"),
                                         QStringLiteral(":lang=") + language},
                                        session.environment()));
}

// The text as a caption draws it (20 pixels high, wrapped from the top left,
// black), over the background the caption had before.
QImage drawn(const QImage& background, const QString& family) {
    QImage canvas = background.copy();
    QPainter painter(&canvas);
    painter.setPen(Qt::black);
    QFont font(family);
    font.setPixelSize(20);
    QTextLayout layout(kText, font, &canvas);
    QTextOption option(Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    layout.createLine().setLineWidth(canvas.width());
    layout.endLayout();
    layout.draw(&painter, QPointF(0, 0));
    return canvas;
}

// Pixels whose darkness differs by more than a rounding of antialiasing.
int differingPixels(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            differing += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y))) > 48 ? 1 : 0;
        }
    }
    return differing;
}

TEST(ChineseGlyphsEndToEnd, ACaptionDrawsChineseInTheSimplifiedChineseFace) {
    XSession session;
    ASSERT_TRUE(session.ready());
    const QString chinese = fcMatch(QStringLiteral("zh-cn"), session);
    const QString japanese = fcMatch(QStringLiteral("ja"), session);
    ASSERT_NE(chinese, japanese) << "the test needs a Japanese face beside the Chinese one";

    RunningProgram program(session, QStringLiteral(MOXILO_PROGRAM));
    ASSERT_TRUE(program.ready());
    const QImage background = program.shot().copy(kCaption2);

    // Pasted, not typed: the text arrives whole, as from an input method.
    QProcess xclip;
    xclip.setProcessEnvironment(session.environment());
    xclip.start(QStringLiteral("xclip"), {QStringLiteral("-selection"), QStringLiteral("clipboard")});
    xclip.write(kText.toUtf8());
    xclip.closeWriteChannel();
    ASSERT_TRUE(xclip.waitForFinished(10'000));
    program.click(kCaption2TextBox);
    program.key(QStringLiteral("ctrl+v"));

    const QImage shown = program.shot().copy(kCaption2);
    const QImage inChinese = drawn(background, chinese);
    const QImage inJapanese = drawn(background, japanese);
    ASSERT_GT(differingPixels(inChinese, inJapanese), 40) << "the two faces draw these characters alike";
    ASSERT_GT(differingPixels(shown, background), 40) << "the pasted text shows on caption 2";
    EXPECT_LE(differingPixels(shown, inChinese), 8);
    EXPECT_GT(differingPixels(shown, inJapanese), 40);
    if (HasFailure()) {
        shown.save(QStringLiteral(MOXILO_DESKTOP_OUTPUT_DIR "/caption-shown.png"));
        inChinese.save(QStringLiteral(MOXILO_DESKTOP_OUTPUT_DIR "/caption-chinese.png"));
        inJapanese.save(QStringLiteral(MOXILO_DESKTOP_OUTPUT_DIR "/caption-japanese.png"));
    }
}

}  // namespace
}  // namespace moxilo::e2e
