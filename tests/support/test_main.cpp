// Test entry point: a widget application on the offscreen platform, inside the
// private test environment, with the scripted dialogs checked after each test.
#include "data/table.h"
#include "schedule/schedule_stores.h"
#include "support/scripted_dialogs.h"
#include "support/test_env.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

namespace {
// Every test starts with no settings, no queued answers and a fixed locale.
class TResetListener : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        TestEnv::ClearSettings();
        TestEnv::Dialogs().Reset();
        // A lock a test holds in its own process is never let go meanwhile.
        TTable::SetBusyTimeoutMs(250);
    }
};
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    TestEnv::Init();
    // The schedules run on the managers as in the program; test stores stand
    // in for these while they live.
    TScheduleStores stores;
    testing::UnitTest::GetInstance()->listeners().Append(new TResetListener);
    return RUN_ALL_TESTS();
}
