// The road of one use, as a user walks it: the real program on a private X
// display against the demo site, real input through the X server, the real
// clipboard read back with xclip, the list read through the accessibility bus.

#include <QDir>
#include <QProcess>
#include <QRect>
#include <QTcpSocket>
#include <QThread>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>

#include "catalogue_data.h"
#include "face_picture.h"
#include "x_session.h"

namespace moxilo::e2e {
namespace {

using namespace std::chrono_literals;

const QRect kPictureFrame(232, 42, 280, 220);

QString qstring(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QStringList demoTitles(int page) {
    QStringList titles;
    for (const demo_site::DemoFace& face : demo_site::demoFaces()) {
        if (face.page == page) {
            titles << qstring(face.title);
        }
    }
    return titles;
}

bool eventually(const std::function<bool()>& condition, std::chrono::milliseconds bound = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        QThread::msleep(100);
    }
    return true;
}

// Pixels that differ by more than a little in any channel.
int differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return a.width() * a.height() + 1;
    }
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            differing += std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 ||
                                 std::abs(qBlue(p) - qBlue(q)) > 8
                             ? 1
                             : 0;
        }
    }
    return differing;
}

class DemoSiteProcess {
public:
    explicit DemoSiteProcess(int port) {
        process_.start(QStringLiteral(MOXILO_DEMO_SITE_PROGRAM),
                       {QStringLiteral("--port"), QString::number(port)});
        ready_ = process_.waitForStarted(5000) && eventually([&] {
                     QTcpSocket probe;
                     probe.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
                     return probe.waitForConnected(200);
                 });
    }
    ~DemoSiteProcess() {
        process_.terminate();
        if (!process_.waitForFinished(5000)) {
            process_.kill();
            process_.waitForFinished();
        }
    }
    DemoSiteProcess(const DemoSiteProcess&) = delete;
    DemoSiteProcess& operator=(const DemoSiteProcess&) = delete;

    [[nodiscard]] bool ready() const { return ready_ && process_.state() == QProcess::Running; }

private:
    QProcess process_;
    bool ready_ = false;
};

class RoadTest : public ::testing::Test {
protected:
    RoadTest() { QDir().mkpath(outputDir()); }

    static QString outputDir() { return QStringLiteral(MOXILO_E2E_OUTPUT_DIR "/road"); }

    // Every step leaves its screenshot behind, so a failure can be looked at.
    QImage step(const char* name) {
        const QImage shot = program->shot();
        const QString file = QStringLiteral("%1/%2-%3.png")
                                 .arg(outputDir())
                                 .arg(++steps_, 2, 10, QLatin1Char('0'))
                                 .arg(QString::fromLatin1(name));
        shot.save(file);
        std::cout << "[ step ] " << name << ": " << file.toStdString() << std::endl;
        return shot;
    }

    QString accessible(const QStringList& arguments) const {
        QProcess reader;
        reader.setProcessEnvironment(session.environment());
        reader.start(QStringLiteral("/usr/bin/python3"),
                     QStringList{QStringLiteral(MOXILO_ACCESSIBLE_TREE)} + arguments);
        if (!reader.waitForFinished(20'000) || reader.exitCode() != 0) {
            return QStringLiteral("<unreadable: %1>")
                .arg(QString::fromUtf8(reader.readAllStandardError()));
        }
        return QString::fromUtf8(reader.readAllStandardOutput()).trimmed();
    }

    QStringList listTitles() const {
        const QString rows = accessible({QStringLiteral("rows")});
        return rows.isEmpty() ? QStringList() : rows.split(QLatin1Char('\n'));
    }

    bool enabled(const char* control) const {
        return accessible({QStringLiteral("state"), QString::fromUtf8(control)}) ==
               QStringLiteral("enabled");
    }

    // The centre of an accessible's box, on the screen.
    QPoint centreOf(const QStringList& query) const {
        const QStringList box = accessible(query).split(QLatin1Char(' '));
        if (box.size() != 4) {
            ADD_FAILURE() << "no box for " << query.join(' ').toStdString();
            return {};
        }
        return {box[0].toInt() + box[2].toInt() / 2, box[1].toInt() + box[3].toInt() / 2};
    }

    void clickScreen(QPoint screen) const { program->click(screen - program->origin()); }

    // Types into an edit box one character at a time, reading the box back.
    // xdotool sends characters that have no key by remapping a spare key for a
    // moment; under load one can arrive after the remap is undone and be lost,
    // so a lost character is sent again (a few times at most).
    void typeInto(const char* box, const QString& text) const {
        QString typed;
        for (const QChar character : text) {
            typed += character;
            bool arrived = false;
            for (int attempt = 0; attempt < 3 && !arrived; ++attempt) {
                program->type(QString(character));
                arrived = eventually(
                    [&] {
                        return accessible({QStringLiteral("text"), QString::fromUtf8(box)}) ==
                               typed;
                    },
                    2s);
            }
            EXPECT_TRUE(arrived) << "typed so far: " << typed.toStdString();
        }
    }

    static QImage fromClipboard(const XSession& session, const char* type) {
        const QByteArray bytes =
            runCommand(QStringLiteral("xclip"),
                       {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                        QStringLiteral("-t"), QString::fromLatin1(type), QStringLiteral("-o")},
                       session.environment());
        return QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
    }

    XSession session;
    DemoSiteProcess site{MOXILO_E2E_SITE_PORT};
    std::unique_ptr<RunningProgram> program;

private:
    int steps_ = 0;
};

TEST_F(RoadTest, LoadPagePreviewCaptionAndCopy) {
    ASSERT_TRUE(session.ready());
    ASSERT_TRUE(site.ready()) << "the demo site on port " << MOXILO_E2E_SITE_PORT
                              << " (is another one running?)";
    program = std::make_unique<RunningProgram>(session, QStringLiteral(MOXILO_E2E_PROGRAM));
    ASSERT_TRUE(program->ready());

    {
        SCOPED_TRACE("step: load page 1");
        program->click({376, 24});  // 按钮1
        ASSERT_TRUE(eventually([&] { return listTitles() == demoTitles(1); }));
        EXPECT_TRUE(enabled("按钮2"));
        EXPECT_FALSE(enabled("按钮3"));
        step("page-1");
    }
    {
        SCOPED_TRACE("step: next page");
        program->click({472, 24});  // 按钮2
        ASSERT_TRUE(eventually([&] { return listTitles() == demoTitles(2); }));
        EXPECT_TRUE(enabled("按钮3"));
        step("page-2");
    }
    {
        SCOPED_TRACE("step: previous page");
        program->click({280, 24});  // 按钮3
        ASSERT_TRUE(eventually([&] { return listTitles() == demoTitles(1); }));
        EXPECT_FALSE(enabled("按钮3"));
        step("page-1-again");
    }
    const demo_site::DemoFace face = demo_site::demoFaces()[2];
    {
        SCOPED_TRACE("step: click a row and see its face");
        clickScreen(centreOf({QStringLiteral("cell"), qstring(face.title)}));
        const std::string jpeg = demo_site::drawFacePicture(face.id);
        const QImage expected = QImage::fromData(reinterpret_cast<const uchar*>(jpeg.data()),
                                                 static_cast<int>(jpeg.size()))
                                    .convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(eventually([&] {
            return differingPixels(program->shot().copy(kPictureFrame), expected) == 0;
        })) << "the face fills the picture box";
        step("face");
    }
    {
        SCOPED_TRACE("step: type both captions");
        program->click({112 + 92, 269 + 12});  // 编辑框1
        typeInto("编辑框1", QStringLiteral("好"));
        program->click({112 + 92, 306 + 12});  // 编辑框2
        typeInto("编辑框2", QStringLiteral("你好呀"));
        EXPECT_EQ(accessible({QStringLiteral("text"), QStringLiteral("编辑框1")}),
                  QStringLiteral("好"));
        step("captions");
    }
    {
        SCOPED_TRACE("step: pick red for caption 2 and tick bold");
        program->click({21 + 40, 305 + 12});  // 颜色选择器2 drops its list down
        program->key(QStringLiteral("Down Down Down Return"));  // 黑色, 白色, 红色
        program->click({400 + 8, 313 + 8});                     // 选择框1
        const QImage shot = step("red-bold");
        bool red = false;
        for (int y = 217; y < 241 && !red; ++y) {
            for (int x = 232; x < 300 && !red; ++x) {
                const QRgb p = shot.pixel(x, y);
                red = qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
            }
        }
        EXPECT_TRUE(red) << "caption 2 drawn in red";
    }
    {
        SCOPED_TRACE("step: drag caption 2, then its bottom-right handle, then nudge");
        program->drag({240, 229}, {260, 200});
        program->drag({232 + 20 + 200 + 4, 217 - 29 + 24 + 4},
                      {232 + 20 + 200 + 14, 217 - 29 + 24 + 14});
        program->key(QStringLiteral("Left"));
        program->key(QStringLiteral("shift+Down"));
        step("moved");
    }
    {
        SCOPED_TRACE("step: copy and paste back");
        program->click({376 + 32, 276 + 16});  // 按钮4
        const QImage frame = step("copied").copy(kPictureFrame);
        const QString targets = QString::fromLatin1(
            runCommand(QStringLiteral("xclip"),
                       {QStringLiteral("-selection"), QStringLiteral("clipboard"),
                        QStringLiteral("-t"), QStringLiteral("TARGETS"), QStringLiteral("-o")},
                       session.environment()));
        EXPECT_TRUE(targets.contains(QStringLiteral("image/png"))) << targets.toStdString();
        EXPECT_TRUE(targets.contains(QStringLiteral("image/bmp"))) << targets.toStdString();
        for (const char* type : {"image/png", "image/bmp"}) {
            const QImage pasted = fromClipboard(session, type);
            EXPECT_EQ(pasted.size(), QSize(280, 220)) << type;
            EXPECT_EQ(differingPixels(pasted, frame), 0)
                << type << " equals the frame on the screen";
        }
    }
}

}  // namespace
}  // namespace moxilo::e2e
