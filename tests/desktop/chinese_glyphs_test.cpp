// Chinese glyphs on the screen: the real program on a private Xvfb, Chinese
// text pasted into a caption's text box, and the caption as the screen shows
// it compared with the same text drawn in the Simplified Chinese face and in
// the Japanese face that this desktop's fallback would otherwise pick.

#include <QPainter>
#include <QTextLayout>

#include <gtest/gtest.h>

#include "desktop_support.h"
#include "x_session.h"

namespace moxilo::e2e {
namespace {

// Characters whose mainland and Japanese forms differ.
const QString kText = QStringLiteral("骨直角");
const QRect kCaption2(232, 217, 200, 24);
constexpr QPoint kCaption2TextBox(112 + 90, 306 + 12);

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
int differs(const QImage& a, const QImage& b) {
    return desktop_test::differingPixels(a, b, 48);
}

TEST(ChineseGlyphsEndToEnd, ACaptionDrawsChineseInTheSimplifiedChineseFace) {
    XSession session;
    ASSERT_TRUE(session.ready());
    const QString chinese = desktop_test::fontconfigMatch(QStringLiteral("zh-cn"));
    const QString japanese = desktop_test::fontconfigMatch(QStringLiteral("ja"));
    ASSERT_NE(chinese, japanese) << "the test needs a Japanese face beside the Chinese one";

    RunningProgram program(session, QStringLiteral(MOXILO_PROGRAM));
    ASSERT_TRUE(program.ready());
    const QImage background = program.shot().copy(kCaption2);

    // Pasted, not typed: the text arrives whole, as from an input method.
    desktop_test::putTextOnClipboard(session, kText.toUtf8());
    program.click(kCaption2TextBox);
    program.key(QStringLiteral("ctrl+v"));

    const QImage shown = program.shot().copy(kCaption2);
    const QImage inChinese = drawn(background, chinese);
    const QImage inJapanese = drawn(background, japanese);
    ASSERT_GT(differs(inChinese, inJapanese), 40) << "the two faces draw these characters alike";
    ASSERT_GT(differs(shown, background), 40) << "the pasted text shows on caption 2";
    EXPECT_LE(differs(shown, inChinese), 8);
    EXPECT_GT(differs(shown, inJapanese), 40);
    if (HasFailure()) {
        shown.save(QStringLiteral(MOXILO_DESKTOP_OUTPUT_DIR "/caption-shown.png"));
        inChinese.save(QStringLiteral(MOXILO_DESKTOP_OUTPUT_DIR "/caption-chinese.png"));
        inJapanese.save(QStringLiteral(MOXILO_DESKTOP_OUTPUT_DIR "/caption-japanese.png"));
    }
}

}  // namespace
}  // namespace moxilo::e2e
