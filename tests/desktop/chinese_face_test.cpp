// Which face draws Chinese text: the captions and the rest of the interface
// draw their Chinese characters in the face fontconfig matches for Simplified
// Chinese, never in a Japanese face that a desktop's fallback would pick.
// A Japanese face is installed beside the Chinese one, so a wrong pick shows.

#include <QApplication>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QSet>
#include <QTextLayout>

#include <gtest/gtest.h>

#include "desktop_support.h"
#include "moxilo/app/chinese_face.h"
#include "moxilo/app/main_window.h"
#include "widgets/transparent_label.h"

namespace moxilo {
namespace {

// Characters whose mainland and Japanese forms differ, and some that Japanese lacks.
const QString kChinese = QStringLiteral("处骨直复制读取表情");

// The families whose glyphs draw `text` laid out in `font`.
QSet<QString> drawingFamilies(const QString& text, const QFont& font) {
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QSet<QString> families;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        families.insert(run.rawFont().familyName());
    }
    return families;
}

bool isChinese(QStringView text) {
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return c.script() == QChar::Script_Han; });
}

class ChineseFaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(face.isEmpty()) << "no installed face covers Simplified Chinese";
        ASSERT_NE(desktop_test::fontconfigMatch(QStringLiteral("ja")), face)
            << "the test needs a Japanese face beside the Chinese one";
    }

    const QString face = desktop_test::fontconfigMatch(QStringLiteral("zh-cn"));
};

TEST_F(ChineseFaceTest, IsTheFaceFontconfigMatchesForSimplifiedChinese) {
    EXPECT_EQ(app::simplifiedChineseFace(), face);
}

TEST_F(ChineseFaceTest, CaptionsDrawEverythingInThatFaceBoldOrNot) {
    app::MainWindow window;
    for (const std::string_view name : {app::control::caption1, app::control::caption2}) {
        auto* caption = window.control<app::TransparentLabel>(name);
        EXPECT_EQ(drawingFamilies(kChinese + QStringLiteral(" Face 2"), caption->font()),
                  QSet{face});
        caption->setBold(true);
        EXPECT_EQ(drawingFamilies(kChinese, caption->font()), QSet{face});
    }
}

// The program sets the interface font at start-up; the test does the same.
class InterfaceFontTest : public ChineseFaceTest {
protected:
    InterfaceFontTest() : plain_(QApplication::font()) {
        QApplication::setFont(app::withChineseFallback(plain_));
    }
    ~InterfaceFontTest() override { QApplication::setFont(plain_); }

    const QFont plain_;
};

TEST_F(InterfaceFontTest, ChineseTextsOfTheControlsDrawInThatFaceAndLatinKeepsTheInterfaceFace) {
    app::MainWindow window;
    int checked = 0;
    for (const app::ControlEntry& entry : app::controlTable()) {
        const QString text =
            QString::fromUtf8(entry.text.data(), static_cast<qsizetype>(entry.text.size()));
        if (!isChinese(text)) {
            continue;
        }
        const QFont font = window.control<QWidget>(entry.name)->font();
        EXPECT_EQ(drawingFamilies(text, font), QSet{face}) << entry.name;
        ++checked;
    }
    EXPECT_GT(checked, 0);
    EXPECT_EQ(drawingFamilies(QStringLiteral("MoxiloV1.0"), window.font()),
              QSet{QFontInfo(plain_).family()});
}

TEST_F(InterfaceFontTest, WithoutTheFallbackThisDesktopWouldDrawChineseInAnotherFace) {
    EXPECT_NE(drawingFamilies(kChinese, plain_), QSet{face});
}

// Desktop interface fonts: a Latin one, an alias, and a Japanese face whose
// own Han characters would take the Japanese forms.
class InterfaceBaseFontTest : public ChineseFaceTest,
                              public ::testing::WithParamInterface<const char*> {};

TEST_P(InterfaceBaseFontTest, ChineseDrawsInThatFace) {
    const QFont base(QString::fromUtf8(GetParam()));
    EXPECT_EQ(drawingFamilies(kChinese, app::withChineseFallback(base)), QSet{face});
}

INSTANTIATE_TEST_SUITE_P(Desktops, InterfaceBaseFontTest,
                         ::testing::Values("DejaVu Sans", "Sans Serif", "VL Gothic"),
                         [](const auto& test) {
                             return QString::fromUtf8(test.param).remove(' ').toStdString();
                         });

}  // namespace
}  // namespace moxilo
