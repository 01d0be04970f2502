// The caption editor driven through the real widgets: styling controls,
// handles, drag loops and arrow keys.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "moxilo/app/main_window.h"
#include "moxilo/captions/font_size.h"
#include "widgets/colour_picker.h"
#include "widgets/transparent_label.h"
#include "widgets/up_down_control.h"

namespace moxilo::app {
namespace {

// Types text key by key, as a keyboard or an input method delivers it.
void typeText(QWidget* target, const QString& text) {
    for (const QChar character : text) {
        QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(character),
                            Qt::NoModifier);
    }
}

class CaptionEditorTest : public ::testing::Test {
protected:
    CaptionEditorTest() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    TransparentLabel* caption(std::string_view name) const {
        return window.control<TransparentLabel>(name);
    }

    QWidget* widget(std::string_view name) const { return window.control<QWidget>(name); }

    // Presses at `from`, moves through the midpoint to `to` and releases, in
    // window coordinates, as a user's drag does. The pressed widget holds the
    // pointer grab, so every event goes to it, wherever it now lies.
    void drag(QWidget* pressed, QPoint from, QPoint to) {
        const auto local = [&](QPoint point) {
            return pressed->mapFromGlobal(window.mapToGlobal(point));
        };
        QTest::mousePress(pressed, Qt::LeftButton, {}, local(from));
        ASSERT_EQ(QWidget::mouseGrabber(), pressed);
        QTest::mouseMove(pressed, local((from + to) / 2));
        QTest::mouseMove(pressed, local(to));
        QTest::mouseRelease(pressed, Qt::LeftButton, {}, local(to));
    }

    void click(std::string_view name) {
        QWidget* pressed = widget(name);
        QTest::mouseClick(pressed, Qt::LeftButton, {}, QPoint(2, 2));
    }

    std::map<std::string, QPoint> visibleHandles() const {
        std::map<std::string, QPoint> places;
        for (int offset = 0; offset < control::kHandleCount; ++offset) {
            QWidget* handle = window.handle(offset);
            if (handle->isVisible()) {
                places.emplace(handle->objectName().toStdString(), handle->pos());
            }
        }
        return places;
    }

    void pressArrowSpinner(std::string_view spinner, const char* arrow, int times) {
        auto* button = widget(spinner)->findChild<QToolButton*>(QString::fromLatin1(arrow));
        for (int i = 0; i < times; ++i) {
            QTest::mouseClick(button, Qt::LeftButton);
        }
    }

    MainWindow window;
};

TEST_F(CaptionEditorTest, TypingShowsTheTextAtOnceAsPlainText) {
    auto* box1 = window.control<QLineEdit>(control::caption1TextBox);
    typeText(box1, QStringLiteral("<b>好</b>"));
    EXPECT_EQ(caption(control::caption1)->text(), QStringLiteral("<b>好</b>"));
    EXPECT_TRUE(caption(control::caption2)->text().isEmpty());
    typeText(window.control<QLineEdit>(control::caption2TextBox), QStringLiteral("哈哈"));
    EXPECT_EQ(caption(control::caption2)->text(), QStringLiteral("哈哈"));
    EXPECT_EQ(caption(control::caption1)->text(), QStringLiteral("<b>好</b>"));
    box1->clear();
    EXPECT_TRUE(caption(control::caption1)->text().isEmpty());
    EXPECT_EQ(caption(control::caption1)->geometry(), QRect(472, 64, 28, 128));
}

TEST_F(CaptionEditorTest, ColourPickersColourTheirOwnCaption) {
    window.control<ColourPicker>(control::caption2ColourPicker)->choose(QColor(255, 0, 0));
    EXPECT_EQ(caption(control::caption2)->textColour(), QColor(255, 0, 0));
    EXPECT_EQ(caption(control::caption1)->textColour(), QColor(Qt::black));
}

TEST_F(CaptionEditorTest, SpinnerStepsOnePointAndReturnsToTheFirstSize) {
    TransparentLabel* caption1 = caption(control::caption1);
    const int dpi = caption1->logicalDpiY();
    const int startPoints = captions::pointsFromHeight(-20, dpi);
    pressArrowSpinner(control::caption1SizeSpinner, "up", 5);
    EXPECT_EQ(captions::pointsFromHeight(caption1->fontHeight(), dpi), startPoints + 5);
    EXPECT_EQ(caption1->font().pixelSize(), -caption1->fontHeight());
    pressArrowSpinner(control::caption1SizeSpinner, "down", 5);
    EXPECT_EQ(captions::pointsFromHeight(caption1->fontHeight(), dpi), startPoints);
    EXPECT_EQ(caption(control::caption2)->fontHeight(), -20) << "the other caption keeps its size";
}

TEST_F(CaptionEditorTest, SpinnerFloorsAtTheDefaultHeightAndClimbsBack) {
    TransparentLabel* caption2 = caption(control::caption2);
    pressArrowSpinner(control::caption2SizeSpinner, "down", 40);
    EXPECT_EQ(caption2->fontHeight(), 0);
    pressArrowSpinner(control::caption2SizeSpinner, "up", 1);
    EXPECT_EQ(captions::pointsFromHeight(caption2->fontHeight(), caption2->logicalDpiY()), 1);
}

TEST_F(CaptionEditorTest, BoldBoxSetsBothCaptionsAndKeepsTheirSizes) {
    pressArrowSpinner(control::caption1SizeSpinner, "up", 2);
    const int height1 = caption(control::caption1)->fontHeight();
    click(control::boldCheckBox);
    for (auto name : {control::caption1, control::caption2}) {
        EXPECT_EQ(caption(name)->font().weight(), QFont::Bold);
    }
    EXPECT_EQ(caption(control::caption1)->fontHeight(), height1);
    pressArrowSpinner(control::caption2SizeSpinner, "up", 1);
    EXPECT_EQ(caption(control::caption2)->font().weight(), QFont::Bold) << "a size step keeps bold";
    click(control::boldCheckBox);
    for (auto name : {control::caption1, control::caption2}) {
        EXPECT_EQ(caption(name)->font().weight(), QFont::Normal);
    }
}

TEST_F(CaptionEditorTest, Caption1WrapsAChinesePhraseOneCharacterPerLine) {
    window.control<QLineEdit>(control::caption1TextBox)->setText(QStringLiteral("中国人"));
    QImage image = window.grab(caption(control::caption1)->geometry()).toImage();
    // Count the bands of rows that carry ink: one per character (each of
    // these characters is one connected shape from top to bottom).
    int bands = 0;
    bool inInk = false;
    for (int y = 0; y < image.height(); ++y) {
        bool ink = false;
        for (int x = 0; x < image.width() && !ink; ++x) {
            ink = qGray(image.pixel(x, y)) < 128;
        }
        bands += ink && !inInk ? 1 : 0;
        inInk = ink;
    }
    EXPECT_EQ(bands, 3);
}

TEST_F(CaptionEditorTest, MouseOverACaptionShowsNothingBeforeAnyPress) {
    QTest::mouseMove(widget(control::caption2), QPoint(5, 5));
    EXPECT_TRUE(visibleHandles().empty());
    EXPECT_TRUE(window.state().selectedCaption.isNone());
}

TEST_F(CaptionEditorTest, PressingEachCaptionSelectsItAndLaysOutTheHandles) {
    click(control::caption2);
    EXPECT_EQ(window.state().selectedCaption, controlEntry(control::caption2).address());
    EXPECT_TRUE(window.state().handlesShown);
    EXPECT_EQ(visibleHandles(), (std::map<std::string, QPoint>{{"左上", {224, 209}},
                                                               {"左中", {224, 225}},
                                                               {"左下", {224, 241}},
                                                               {"中中", {328, 209}},
                                                               {"中下", {328, 241}},
                                                               {"右上", {432, 209}},
                                                               {"右中", {432, 225}},
                                                               {"右下", {432, 241}}}));
    EXPECT_EQ(widget(control::caption2)->geometry(), QRect(232, 217, 200, 24));

    click(control::caption1);
    EXPECT_EQ(window.state().selectedCaption, controlEntry(control::caption1).address());
    EXPECT_EQ(visibleHandles(), (std::map<std::string, QPoint>{{"左上", {464, 56}},
                                                               {"左中", {464, 124}},
                                                               {"左下", {464, 192}},
                                                               {"中中", {482, 56}},
                                                               {"中下", {482, 192}},
                                                               {"右上", {500, 56}},
                                                               {"右中", {500, 124}},
                                                               {"右下", {500, 192}}}));
    const QObjectList& stack = window.children();
    EXPECT_GT(stack.indexOf(widget(control::caption1)), stack.indexOf(widget(control::caption2)))
        << "the pressed caption is raised";
    EXPECT_TRUE(window.hasFocus()) << "arrow keys work at once";
}

TEST_F(CaptionEditorTest, DraggingACaptionMovesItByTheDragAndHandlesFollowOnRelease) {
    drag(widget(control::caption1), {480, 100}, {430, 130});
    EXPECT_EQ(widget(control::caption1)->geometry(), QRect(422, 94, 28, 128));
    EXPECT_EQ(visibleHandles().at("左上"), QPoint(414, 86));
    EXPECT_EQ(visibleHandles().at("右下"), QPoint(450, 222));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "the loop ends on release";
}

struct HandleDragCase {
    const char* label;
    const char* handle;
    QPoint delta;
    QRect expected;  // caption 2 starts at (232, 217) 200 x 24
};

class HandleDragTest : public CaptionEditorTest,
                       public ::testing::WithParamInterface<HandleDragCase> {};

TEST_P(HandleDragTest, EachHandleResizesFromItsOwnSides) {
    click(control::caption2);
    QWidget* handle = window.findChild<QWidget*>(QString::fromUtf8(GetParam().handle));
    const QPoint from = handle->geometry().center();
    drag(handle, from, from + GetParam().delta);
    EXPECT_EQ(widget(control::caption2)->geometry(), GetParam().expected);
    EXPECT_EQ(window.state().selectedCaption, controlEntry(control::caption2).address());
    EXPECT_EQ(visibleHandles().at("右下"),
              GetParam().expected.topLeft() +
                  QPoint(GetParam().expected.width(), GetParam().expected.height()));
}

INSTANTIATE_TEST_SUITE_P(
    EightHandles, HandleDragTest,
    ::testing::Values(HandleDragCase{"TopLeft", "左上", {-10, -6}, QRect(222, 211, 210, 30)},
                      HandleDragCase{"MiddleLeft", "左中", {-10, -6}, QRect(222, 217, 210, 24)},
                      HandleDragCase{"BottomLeft", "左下", {-10, 6}, QRect(222, 217, 210, 30)},
                      HandleDragCase{"TopMiddle", "中中", {-10, -6}, QRect(232, 211, 200, 30)},
                      HandleDragCase{"BottomMiddle", "中下", {-10, 6}, QRect(232, 217, 200, 30)},
                      HandleDragCase{"TopRight", "右上", {10, -6}, QRect(232, 211, 210, 30)},
                      HandleDragCase{"MiddleRight", "右中", {10, 6}, QRect(232, 217, 210, 24)},
                      HandleDragCase{"BottomRight", "右下", {10, 6}, QRect(232, 217, 210, 30)}),
    [](const auto& instance) { return std::string(instance.param.label); });

struct ArrowCase {
    const char* label;
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    QRect expected;  // caption 2 starts at (232, 217) 200 x 24
};

class ArrowKeyTest : public CaptionEditorTest, public ::testing::WithParamInterface<ArrowCase> {};

TEST_P(ArrowKeyTest, ArrowsNudgeTheSelectedCaption) {
    click(control::caption2);
    QTest::keyClick(&window, GetParam().key, GetParam().modifiers);
    EXPECT_EQ(widget(control::caption2)->geometry(), GetParam().expected);
    const QRect& r = GetParam().expected;
    EXPECT_EQ(visibleHandles().at("右下"), QPoint(r.x() + r.width(), r.y() + r.height()));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ArrowKeyTest,
    ::testing::Values(
        ArrowCase{"Right", Qt::Key_Right, Qt::NoModifier, QRect(233, 217, 200, 24)},
        ArrowCase{"Left", Qt::Key_Left, Qt::NoModifier, QRect(231, 217, 200, 24)},
        ArrowCase{"Up", Qt::Key_Up, Qt::NoModifier, QRect(232, 216, 200, 24)},
        ArrowCase{"Down", Qt::Key_Down, Qt::NoModifier, QRect(232, 218, 200, 24)},
        ArrowCase{"ShiftRight", Qt::Key_Right, Qt::ShiftModifier, QRect(232, 217, 201, 24)},
        ArrowCase{"ShiftUp", Qt::Key_Up, Qt::ShiftModifier, QRect(232, 217, 200, 23)},
        ArrowCase{"CtrlRight", Qt::Key_Right, Qt::ControlModifier, QRect(233, 217, 200, 24)},
        ArrowCase{"OtherKey", Qt::Key_A, Qt::NoModifier, QRect(232, 217, 200, 24)}),
    [](const auto& instance) { return std::string(instance.param.label); });

TEST_F(CaptionEditorTest, ClickOnThePictureHidesHandlesAndArrowsThenDoNothing) {
    click(control::caption2);
    click(control::pictureBox);
    EXPECT_TRUE(visibleHandles().empty());
    window.setFocus();
    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_EQ(widget(control::caption2)->geometry(), QRect(232, 217, 200, 24));
    QTest::mouseMove(widget(control::caption2), QPoint(4, 4));
    EXPECT_TRUE(visibleHandles().empty()) << "mouse over does not bring them back";
    click(control::caption1);
    EXPECT_EQ(visibleHandles().size(), 8U);
}

TEST_F(CaptionEditorTest, ClicksOnOtherControlsKeepTheHandles) {
    click(control::caption2);
    for (auto name : {control::loadButton, control::caption1TextBox, control::catalogueList}) {
        click(name);
        EXPECT_EQ(visibleHandles().size(), 8U) << name;
    }
}

TEST_F(CaptionEditorTest, ShrinkingBelowTenPixelsDropsTheSideHandles) {
    click(control::caption2);
    for (int i = 0; i < 15; ++i) {
        QTest::keyClick(&window, Qt::Key_Up, Qt::ShiftModifier);
    }
    EXPECT_EQ(widget(control::caption2)->height(), 9);
    EXPECT_EQ(visibleHandles().count("左中"), 0U);
    EXPECT_EQ(visibleHandles().count("右中"), 0U);
    EXPECT_EQ(visibleHandles().size(), 6U);
}

TEST_F(CaptionEditorTest, HostileTextAndSizesKeepTheWindowWorking) {
    auto* box = window.control<QLineEdit>(control::caption1TextBox);
    box->setText(QString(100'000, QChar(0x4E2D)));
    box->setText(QStringLiteral("a\tb\nc\x01\u200F😀👨‍👩‍👧") +
                 QString(50'000, QLatin1Char('x')));
    pressArrowSpinner(control::caption1SizeSpinner, "up", 400);
    EXPECT_FALSE(window.grab().isNull());
    pressArrowSpinner(control::caption1SizeSpinner, "down", 600);
    EXPECT_EQ(caption(control::caption1)->fontHeight(), 0);
    EXPECT_FALSE(window.grab().isNull());
}

}  // namespace
}  // namespace moxilo::app
