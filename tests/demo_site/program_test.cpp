// The moxilo-demo-site program itself, run as `./moxilo demo` runs it.

#include "running_site.h"

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

namespace moxilo::demo_site {
namespace {

constexpr int kWaitMs = 10000;

class DemoSiteProgram {
public:
    explicit DemoSiteProgram(const QStringList& arguments) {
        process_.start(QString::fromUtf8(MOXILO_DEMO_SITE_PROGRAM), arguments);
        EXPECT_TRUE(process_.waitForStarted(kWaitMs));
    }
    DemoSiteProgram(const DemoSiteProgram&) = delete;
    DemoSiteProgram& operator=(const DemoSiteProgram&) = delete;
    ~DemoSiteProgram() {
        if (process_.state() != QProcess::NotRunning) {
            process_.kill();
            process_.waitForFinished(kWaitMs);
        }
    }

    // Exit code, or -1 when it did not end in time.
    int exitCode() {
        if (!process_.waitForFinished(kWaitMs)) {
            return -1;
        }
        return process_.exitCode();
    }
    QString output() { return QString::fromUtf8(process_.readAllStandardOutput()); }
    QString errors() { return QString::fromUtf8(process_.readAllStandardError()); }

    // The first line the program prints, read within the time limit.
    QString firstLine() {
        while (!process_.canReadLine() && process_.waitForReadyRead(kWaitMs)) {
        }
        return QString::fromUtf8(process_.readLine()).trimmed();
    }

private:
    QProcess process_;
};

TEST(ProgramTest, TakenPortIsReportedClearlyWithStatusOne) {
    const RunningSite occupant;
    DemoSiteProgram program({"--port", QString::number(occupant.port())});
    EXPECT_EQ(program.exitCode(), 1);
    const QString errors = program.errors();
    EXPECT_TRUE(errors.contains("port " + QString::number(occupant.port())))
        << errors.toStdString();
    EXPECT_TRUE(errors.contains("already in use")) << errors.toStdString();
    EXPECT_TRUE(errors.contains("--port N")) << errors.toStdString();
}

TEST(ProgramTest, ServesOnTheFreePortItAnnounces) {
    DemoSiteProgram program({"--port", "0", "--charset", "gbk"});
    const QString line = program.firstLine();
    const auto match =
        QRegularExpression(R"(serving http://127\.0\.0\.1:(\d+) \(listing pages: gbk\))")
            .match(line);
    ASSERT_TRUE(match.hasMatch()) << line.toStdString();

    httplib::Client client(kLoopbackAddress, match.captured(1).toInt());
    client.set_connection_timeout(2);
    client.set_read_timeout(5);
    const auto response = client.Get("/face/ListWithImage.aspx?pn=1");
    ASSERT_TRUE(response) << httplib::to_string(response.error());
    EXPECT_EQ(response->status, 200);
    EXPECT_EQ(response->get_header_value("Content-Type"), "text/html; charset=gbk");
}

TEST(ProgramTest, HelpPrintsUsage) {
    DemoSiteProgram program({"--help"});
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(program.output().contains("--charset utf-8-declared|utf-8|gbk"));
}

TEST(ProgramTest, WrongCommandLineIsRefusedWithUsage) {
    DemoSiteProgram program({"--port", "http"});
    EXPECT_EQ(program.exitCode(), 2);
    const QString errors = program.errors();
    EXPECT_TRUE(errors.contains("--port takes a number")) << errors.toStdString();
    EXPECT_TRUE(errors.contains("usage:")) << errors.toStdString();
}

}  // namespace
}  // namespace moxilo::demo_site
