// The program started in a private home: it opens its data folder, and a
// termination signal (as at log-out) ends it cleanly, tables closed and
// settings stored, or while a server that does not answer is asked about.
#include "support/test_env.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSettings>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// The program in a private home, headless, its errors passed on.
void StartProgram(QProcess& AProgram, const QString& AHome, const QStringList& AArgs)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", AHome);
    env.remove("XDG_CONFIG_HOME");
    env.remove("XDG_DATA_HOME");
    env.insert("QT_QPA_PLATFORM", "offscreen");
    AProgram.setProcessEnvironment(env);
    AProgram.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    AProgram.start(PLENVO_PROGRAM, AArgs);
}

class ProgramTest : public testing::TestWithParam<int> {};

TEST_P(ProgramTest, ASignalEndsTheProgramCleanly)
{
    const QString home = TestEnv::NewFolder("home");
    QProcess program;
    StartProgram(program, home, {});
    ASSERT_TRUE(program.waitForStarted(20000));

    // Up once its tables exist in the default data folder.
    const QString data = home + "/Documents/Plenvo";
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(data + "/Macros.cds") && waited.elapsed() < 60000)
        QThread::msleep(50);
    ASSERT_TRUE(QFile::exists(data + "/Macros.cds"));
    QThread::msleep(300);

    ::kill(static_cast<pid_t>(program.processId()), GetParam());
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);

    // Closed tables leave exactly the four files behind.
    EXPECT_EQ(QDir(data).entryList(QDir::Files, QDir::Name),
        (QStringList{"Jobs.cds", "Macros.cds", "Workers.cds", "Workplaces.cds"}));
    QSettings settings(home + "/.config/Zanthor Software/Plenvo.conf", QSettings::IniFormat);
    EXPECT_TRUE(settings.childGroups().contains("MainWindow")) << settings.childGroups().join(",").toStdString();
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramTest, testing::Values(SIGTERM, SIGINT));

TEST(ProgramStart, ASignalWhileAServerIsAskedAboutEndsTheProgram)
{
    const QString home = TestEnv::NewFolder("home");
    QProcess program;
    // No server listens in an empty folder: the question stays open.
    StartProgram(program, home, {"--server", "host=" + TestEnv::NewFolder("nosocket") + " dbname=plenvo"});
    ASSERT_TRUE(program.waitForStarted(20000));
    EXPECT_FALSE(program.waitForFinished(3000));

    ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    // No table was opened anywhere in its place.
    EXPECT_FALSE(QFile::exists(home + "/Documents/Plenvo"));
}

} // namespace
