// The fixture both period schedule tests share: setup, store, a recording
// screen and the register records Ann, Bob, Cid, Kitchen and Office.
#pragma once

#include "period_test_frame.h"
#include "period_test_store.h"

#include "setup/setup.h"

#include <QDate>
#include <QObject>

#include <gtest/gtest.h>

#include <memory>

inline TDate D(int AYear, int AMonth, int ADay)
{
    return DateToOle(QDate(AYear, AMonth, ADay));
}

// Monday 5 March 2012.
inline const TDate Mon = DateToOle(QDate(2012, 3, 5));

template <class TSchedule>
class TPeriodScheduleFixture : public testing::Test {
protected:
    void SetUp() override { MakeSetup(); }
    void TearDown() override { TSchedule::SetFrameEditorFactory(nullptr); }

    void MakeSetup()
    {
        Setup.reset();
        Setup = std::make_unique<TSetup>();
    }
    // Ann, Bob and Cid with the sorting names given; Kitchen, Office.
    void FillWith(const QString& AAnnSorting, const QString& ABobSorting)
    {
        Ann = Store.AddPersonRecord(QStringLiteral("Ann"), AAnnSorting);
        Bob = Store.AddPersonRecord(QStringLiteral("Bob"), ABobSorting);
        Cid = Store.AddPersonRecord(QStringLiteral("Cid"));
        Kit = Store.AddWorkplaceRecord(QStringLiteral("Kit"), QStringLiteral("Kitchen"));
        Off = Store.AddWorkplaceRecord(QStringLiteral("Off"), QStringLiteral("Office"));
    }
    // The editors rename what they edit to Zed and Zoo and close with OK
    // while AOk holds, else with Cancel.
    void EditorsRename(const bool& AOk)
    {
        Store.EditAction = [&AOk](TRegisterPersonRecord& ARecord) {
            ARecord.Name = QStringLiteral("Zed");
            return AOk;
        };
        Store.EditWorkplaceAction = [&AOk](TRegisterWorkplaceRecord& ARecord) {
            ARecord.Name = QStringLiteral("Zoo");
            return AOk;
        };
    }
    // Binds a recording screen.
    void Show(TSchedule& ASchedule)
    {
        TSchedule::SetFrameEditorFactory([this](TSchedule*) { return std::make_unique<TTestFrame>(&Frame); });
        QObject* scroll = nullptr;
        ASchedule.ShowFrameEditor(&Parent, &scroll);
        ASSERT_NE(scroll, nullptr);
        Frame.Clear();
    }

    std::unique_ptr<TSetup> Setup;
    TPeriodTestStore Store;
    TFrameRecord Frame;
    QObject Parent;
    int Ann = 0, Bob = 0, Cid = 0, Kit = 0, Off = 0;
};
