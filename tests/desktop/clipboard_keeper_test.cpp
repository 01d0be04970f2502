// A copy that outlives the window on X11: the real program on a private Xvfb,
// closed as a window manager closes it; the clipboard read back with xclip
// after it has ended, with and without a clipboard manager.

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "desktop_support.h"
#include "x_session.h"

namespace moxilo::e2e {
namespace {

using namespace std::chrono_literals;
using desktop_test::clipboardPicture;
using desktop_test::eventually;

constexpr QPoint kCaption2TextBox(112 + 90, 306 + 12);
constexpr QPoint kCopyButton(376 + 32, 276 + 16);

// Keeper processes serving this session's display.
int keepersOn(const XSession& session) {
    const QByteArray display = "DISPLAY=" + session.display().toLatin1() + '\0';
    int keepers = 0;
    for (const QString& pid :
         QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QString exe = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
        if (exe != QFileInfo(QStringLiteral(MOXILO_CLIPBOARD_KEEPER)).canonicalFilePath()) {
            continue;
        }
        QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
        if (environ.open(QIODevice::ReadOnly) &&
            ('\0' + environ.readAll()).contains('\0' + display)) {
            ++keepers;
        }
    }
    return keepers;
}

QByteArray png(const QImage& picture) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return bytes;
}

class ClipboardAfterCloseTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.ready()); }

    void TearDown() override {
        // A keeper left behind would serve this display until the server ends.
        desktop_test::putTextOnClipboard(session, "taken elsewhere");
        EXPECT_TRUE(eventually([&] { return keepersOn(session) == 0; }, 5s));
    }

    // Starts the program, captions the picture and copies it; the copy as
    // pasted while the program runs.
    QImage copyAndClose() {
        RunningProgram program(session, QStringLiteral(MOXILO_PROGRAM));
        if (!program.ready()) {
            ADD_FAILURE() << "the program did not start";
            return {};
        }
        program.click(kCaption2TextBox);
        program.type(QStringLiteral("kept"));
        program.click(kCopyButton);
        std::optional<QImage> copied;
        EXPECT_TRUE(
            eventually([&] { return (copied = clipboardPicture(session)).has_value(); }, 10s))
            << "the copy is pasteable while the program runs";
        const std::optional<int> exitCode = program.close(10s);
        EXPECT_EQ(exitCode, std::optional(0)) << "the program ends cleanly after the hand-over";
        return copied.value_or(QImage());
    }

    XSession session;
};

TEST_F(ClipboardAfterCloseTest,
       WithoutAManagerTheKeeperServesThePictureUntilAnotherProgramTakesIt) {
    const QImage copied = copyAndClose();
    ASSERT_EQ(copied.size(), QSize(280, 220));

    std::optional<QImage> afterClose;
    ASSERT_TRUE(
        eventually([&] { return (afterClose = clipboardPicture(session)).has_value(); }, 10s))
        << "nothing to paste once the window has closed";
    EXPECT_EQ(*afterClose, copied);
    EXPECT_EQ(keepersOn(session), 1);

    desktop_test::putTextOnClipboard(session, "taken elsewhere");
    EXPECT_TRUE(eventually([&] { return keepersOn(session) == 0; }, 5s))
        << "the keeper ends once another program owns the clipboard";
}

TEST_F(ClipboardAfterCloseTest, WithAManagerThePictureGoesToTheManagerAndNoKeeperStays) {
    QProcess manager;
    manager.setProcessEnvironment(session.environment());
    manager.start(QStringLiteral(MOXILO_CLIPBOARD_MANAGER), {});
    ASSERT_TRUE(manager.waitForReadyRead(10'000));
    ASSERT_EQ(manager.readLine().trimmed(), "ready");

    const QImage copied = copyAndClose();
    ASSERT_EQ(copied.size(), QSize(280, 220));
    ASSERT_TRUE(
        eventually([&] { return manager.canReadLine() || manager.waitForReadyRead(100); }, 10s));
    EXPECT_TRUE(manager.readLine().startsWith("saved "))
        << "the manager was asked to save the clipboard";
    EXPECT_TRUE(eventually([&] { return keepersOn(session) == 0; }, 10s))
        << "with a manager running nothing stays behind";

    std::optional<QImage> fromManager;
    ASSERT_TRUE(
        eventually([&] { return (fromManager = clipboardPicture(session)).has_value(); }, 10s))
        << "the manager serves the picture";
    EXPECT_EQ(*fromManager, copied);

    desktop_test::stop(manager);
}

TEST_F(ClipboardAfterCloseTest, ClosingWithNothingCopiedStartsNoKeeper) {
    RunningProgram program(session, QStringLiteral(MOXILO_PROGRAM));
    ASSERT_TRUE(program.ready());
    EXPECT_EQ(program.close(10s), std::optional(0));
    EXPECT_EQ(keepersOn(session), 0);
    EXPECT_FALSE(clipboardPicture(session).has_value());
}

// The keeper on its own: started as the program starts it, picture on stdin.
class KeeperTest : public ClipboardAfterCloseTest {
protected:
    void start(const QByteArray& input, const QStringList& arguments = {}) {
        keeper.setProcessEnvironment(session.environment());
        keeper.start(QStringLiteral(MOXILO_CLIPBOARD_KEEPER), arguments);
        ASSERT_TRUE(keeper.waitForStarted(10'000));
        keeper.write(input);
        ASSERT_TRUE(input.isEmpty() || keeper.waitForBytesWritten(10'000));
        keeper.closeWriteChannel();
    }

    QProcess keeper;
};

TEST_F(KeeperTest, EndsWhenItsLifetimePassesAndTheClipboardEmpties) {
    QImage picture(280, 220, QImage::Format_RGB32);
    picture.fill(QColor(200, 40, 90));
    start(png(picture), {QStringLiteral("2")});

    ASSERT_TRUE(eventually([&] { return clipboardPicture(session).has_value(); }, 10s));
    EXPECT_EQ(clipboardPicture(session), std::optional(picture));
    ASSERT_TRUE(keeper.waitForFinished(10'000)) << "still running long after its lifetime";
    EXPECT_EQ(keeper.exitCode(), 0);
    EXPECT_FALSE(clipboardPicture(session).has_value());
}

struct BadInput {
    const char* name;
    QByteArray bytes;
};

class KeeperBadInputTest : public KeeperTest, public ::testing::WithParamInterface<BadInput> {};

TEST_P(KeeperBadInputTest, EndsAtOnceWithAFailureAndLeavesTheClipboardAlone) {
    desktop_test::putTextOnClipboard(session, "taken elsewhere");
    start(GetParam().bytes);
    ASSERT_TRUE(keeper.waitForFinished(10'000));
    EXPECT_NE(keeper.exitCode(), 0);
    EXPECT_FALSE(clipboardPicture(session).has_value());
}

QByteArray truncatedPng() {
    QImage picture(280, 220, QImage::Format_RGB32);
    picture.fill(Qt::white);
    return png(picture).left(100);
}

INSTANTIATE_TEST_SUITE_P(Inputs, KeeperBadInputTest,
                         ::testing::Values(BadInput{"Empty", {}},
                                           BadInput{"NotAPicture", "hello keeper"},
                                           BadInput{"TruncatedPng", truncatedPng()}),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace moxilo::e2e
