// Chinese typing: the input method frontends that the common Chinese input
// methods need are found and loaded by Qt at run time, and text an input
// method commits reaches the caption.

#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

#include "desktop_support.h"
#include "moxilo/app/main_window.h"
#include "widgets/transparent_label.h"
#include "x_session.h"

namespace moxilo {
namespace {

struct InputMethod {
    const char* module;   // QT_IM_MODULE
    const char* context;  // the class of the platform input context Qt makes
    bool needsDaemon;     // the ibus frontend loads only while ibus-daemon answers
};

class InputMethodModuleTest : public ::testing::TestWithParam<InputMethod> {};

// The probe runs on a real X display and session bus, as the program does,
// with a configuration folder of its own where ibus-daemon leaves its address.
TEST_P(InputMethodModuleTest, NamingTheModuleGivesItsPlatformInputContext) {
    const InputMethod& method = GetParam();
    e2e::XSession session;
    ASSERT_TRUE(session.ready());
    const QTemporaryDir configuration;
    ASSERT_TRUE(configuration.isValid());
    QProcessEnvironment environment = session.environment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configuration.path());
    environment.insert(QStringLiteral("HOME"), configuration.path());

    QProcess daemon;
    if (method.needsDaemon) {
        daemon.setProcessEnvironment(environment);
        daemon.start(
            QStringLiteral("ibus-daemon"),
            {QStringLiteral("--single"), QStringLiteral("--panel=disable"),
             QStringLiteral("--emoji-extension=disable"), QStringLiteral("--config=disable")});
        ASSERT_TRUE(daemon.waitForStarted(10'000));
        const QDir address(configuration.filePath(QStringLiteral("ibus/bus")));
        ASSERT_TRUE(
            desktop_test::eventually([&] { return !address.isEmpty(); }, std::chrono::seconds(20)))
            << "ibus-daemon left no address";
    }

    environment.insert(QStringLiteral("QT_IM_MODULE"), QString::fromLatin1(method.module));
    const QByteArray context =
        e2e::runCommand(QStringLiteral(MOXILO_INPUT_CONTEXT_PROBE), {}, environment).trimmed();
    EXPECT_EQ(context, method.context);

    desktop_test::stop(daemon);
}

INSTANTIATE_TEST_SUITE_P(
    Frontends, InputMethodModuleTest,
    ::testing::Values(InputMethod{"fcitx", "fcitx::QFcitxPlatformInputContext", false},
                      InputMethod{"fcitx5", "fcitx::QFcitxPlatformInputContext", false},
                      InputMethod{"ibus", "QIBusPlatformInputContext", true},
                      // Without an input method Qt falls back to dead keys and compose
                      // sequences: the probe tells the frontends apart from it.
                      InputMethod{"", "QComposeInputContext", false}),
    [](const auto& test) {
        return std::string(*test.param.module == '\0' ? "NoModule" : test.param.module);
    });

// An input method's events as the frontends deliver them: the composition
// (preedit) while the user picks characters, then the committed text.
class InputMethodCommitTest : public ::testing::Test {
protected:
    InputMethodCommitTest() {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        box->setFocus();
    }

    void compose(const QString& preedit) {
        QInputMethodEvent event(preedit, {});
        QCoreApplication::sendEvent(QGuiApplication::focusObject(), &event);
    }

    void commit(const QString& text) {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(QGuiApplication::focusObject(), &event);
    }

    app::MainWindow window;
    QLineEdit* box = window.control<QLineEdit>(app::control::caption1TextBox);
    app::TransparentLabel* caption = window.control<app::TransparentLabel>(app::control::caption1);
};

TEST_F(InputMethodCommitTest, CommittedChineseTextShowsOnCaption1AndTheCompositionDoesNot) {
    ASSERT_EQ(QGuiApplication::focusObject(), box);
    ASSERT_TRUE(box->testAttribute(Qt::WA_InputMethodEnabled));

    compose(QStringLiteral("ni"));
    EXPECT_EQ(caption->text(), QString()) << "a composition in progress is no text yet";
    commit(QStringLiteral("你好"));
    EXPECT_EQ(caption->text(), QStringLiteral("你好"));

    compose(QStringLiteral("shijie"));
    EXPECT_EQ(caption->text(), QStringLiteral("你好"));
    commit(QStringLiteral("世界"));
    EXPECT_EQ(box->text(), QStringLiteral("你好世界"));
    EXPECT_EQ(caption->text(), QStringLiteral("你好世界"));
    EXPECT_EQ(window.control<app::TransparentLabel>(app::control::caption2)->text(), QString());
}

}  // namespace
}  // namespace moxilo
