#include "core/observable.h"
#include "support/recording_view.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

namespace {

// A minimal observable object following the setter protocol.
class TItem : public TSCObject {
public:
    void Init() override
    {
        FName = QStringLiteral("new");
        ++InitCount;
    }
    const QString& Name() const { return FName; }
    void SetName(const QString& AValue)
    {
        if (FName == AValue) {
            Announce(QStringLiteral("Name*"));
            return;
        }
        FName = AValue;
        Announce(QStringLiteral("Name"));
        SetModified(true);
    }
    int Count() const { return FCount; }
    void SetCount(int AValue) { FCount = AValue; }
    bool Modified() const { return FModified; }
    void SetModified(bool AValue)
    {
        FModified = AValue;
        Announce(QStringLiteral("Modified"));
    }
    TObject* Editor() const { return FEditor; }
    void SetEditor(TObject* AEditor) { FEditor = AEditor; }
    void Assign(const TItem& ASource)
    {
        FName = ASource.FName;
        FCount = ASource.FCount;
        FModified = ASource.FModified;
        FEditor = ASource.FEditor;
    }
    void DataChanged(TObject* ASender, const QString& AValueName) { SCNotifyEditor(FEditor, ASender, AValueName); }

    static inline int InitCount = 0;
    static inline int Destroyed = 0;
    int Order = 0;
    std::vector<int>* DestroyLog = nullptr;
    ~TItem() override
    {
        ++Destroyed;
        if (DestroyLog)
            DestroyLog->push_back(Order);
    }

private:
    void Announce(const QString& AValueName) { DataChanged(this, AValueName); }
    QString FName;
    int FCount = 0;
    bool FModified = false;
    TObject* FEditor = nullptr;
};

class TItemList : public TSCTypedList<TItem> {
public:
    void Init() override { Initialised = true; }
    bool Initialised = false;
};

} // namespace

TEST(ObservableTest, CreateRunsInitOnObjectsAndLists)
{
    const int before = TItem::InitCount;
    auto item = TSCObject::Create<TItem>();
    EXPECT_EQ(TItem::InitCount, before + 1);
    EXPECT_EQ(item->Name(), QStringLiteral("new"));
    auto list = TSCList::Create<TItemList>();
    EXPECT_TRUE(list->Initialised);
}

TEST(ObservableTest, SetterAnnouncesNameThenModifiedAndStarsAnUnchangedValue)
{
    auto item = TSCObject::Create<TItem>();
    TRecordingView view;
    item->SetEditor(&view);

    item->SetName(QStringLiteral("Ann"));
    EXPECT_EQ(view.Names, (QStringList{"Name", "Modified"}));
    EXPECT_TRUE(item->Modified());
    ASSERT_EQ(view.Senders.size(), 2u);
    EXPECT_EQ(view.Senders[0], item.get());

    item->SetModified(false);
    view.Clear();
    item->SetName(QStringLiteral("Ann"));
    EXPECT_EQ(view.Names, (QStringList{"Name*"}));
    EXPECT_FALSE(item->Modified());

    // Letter case counts as a change.
    view.Clear();
    item->SetName(QStringLiteral("ann"));
    EXPECT_EQ(view.Names, (QStringList{"Name", "Modified"}));
}

TEST(ObservableTest, EditorThatIsNotAViewReceivesNothing)
{
    auto item = TSCObject::Create<TItem>();
    auto stranger = TSCObject::Create<TItem>(); // a model object, not a view
    item->SetEditor(stranger.get());
    item->SetName(QStringLiteral("x"));
    item->SetEditor(nullptr);
    item->SetName(QStringLiteral("y"));
    EXPECT_EQ(item->Name(), QStringLiteral("y"));
}

TEST(ObservableTest, ItemsIsBoundedAndNeverFails)
{
    TItemList list;
    EXPECT_EQ(list.Items(0), nullptr);
    EXPECT_EQ(list.Items(-1), nullptr);
    list.Add(TSCObject::Create<TItem>());
    list.Add(TSCObject::Create<TItem>());
    EXPECT_NE(list.Items(0), nullptr);
    EXPECT_NE(list.Items(1), nullptr);
    EXPECT_EQ(list.Items(2), nullptr);
    EXPECT_EQ(list.Items(list.Count()), nullptr);
    EXPECT_EQ(list.Items(-1), nullptr);
    EXPECT_EQ(list.Items(INT_MIN), nullptr);
}

TEST(ObservableTest, FreeObjectsDestroysFromTheFrontAndEmpties)
{
    std::vector<int> log;
    TItemList list;
    list.FreeObjects(); // empty: nothing happens
    EXPECT_EQ(list.Count(), 0);
    for (int i = 0; i < 3; ++i) {
        auto item = TSCObject::Create<TItem>();
        item->Order = i;
        item->DestroyLog = &log;
        list.Add(std::move(item));
    }
    list.FreeObjects();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(log, (std::vector<int>{0, 1, 2}));
}

TEST(ObservableTest, ExtractHandsTheItemToTheCaller)
{
    TItemList list;
    list.Add(TSCObject::Create<TItem>());
    const int before = TItem::Destroyed;
    auto item = list.Extract(0);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(TItem::Destroyed, before);
    EXPECT_EQ(list.Extract(0), nullptr);
}

TEST(ObservableTest, ListOrderOperations)
{
    TItemList list;
    for (const char* name : {"c", "a", "b"}) {
        auto item = TSCObject::Create<TItem>();
        item->SetName(QString::fromLatin1(name));
        list.Add(std::move(item));
    }
    list.Sort([](const TItem* a, const TItem* b) { return QString::compare(a->Name(), b->Name()); });
    EXPECT_EQ(list.Items(0)->Name(), "a");
    EXPECT_EQ(list.Items(2)->Name(), "c");
    list.Move(0, 2);
    EXPECT_EQ(list.Items(2)->Name(), "a");
    EXPECT_EQ(list.IndexOf(list.Items(1)), 1);
    list.Move(0, 5); // out of range: unchanged
    EXPECT_EQ(list.Items(0)->Name(), "b");
}

// A short list is walked, a long one remembers its positions (in a table by
// ID while the IDs are small, else in a map): the same answers every way, with
// GetParam().first items of IDs from GetParam().second on after the four.
class ItemWithIDTest : public testing::TestWithParam<std::pair<int, int>> {};

TEST_P(ItemWithIDTest, AnItemFoundByIDWhateverHappenedToTheListSince)
{
    struct TNumbered : TObject {
        explicit TNumbered(int AID) : FID(AID) {}
        int ID() const { return FID; }
        int FID;
    };
    TSCTypedList<TNumbered> list;
    for (int id : {5, 3, 9, 3})
        list.Add(std::make_unique<TNumbered>(id));
    for (int i = 0; i < GetParam().first; ++i)
        list.Add(std::make_unique<TNumbered>(GetParam().second + i));
    TNumbered* firstThree = list.Items(1);
    EXPECT_EQ(list.ItemWithID(9), list.Items(2));
    EXPECT_EQ(list.ItemWithID(3), firstThree); // the first of two
    EXPECT_EQ(list.ItemWithID(4), nullptr);
    list.Move(2, 0);
    EXPECT_EQ(list.ItemWithID(9), list.Items(0));
    EXPECT_EQ(list.ItemWithID(5), list.Items(1));
    list.Sort([](const TNumbered* A, const TNumbered* B) { return A->ID() - B->ID(); });
    EXPECT_EQ(list.ItemWithID(5), list.Items(2));
    EXPECT_EQ(list.ItemWithID(3), firstThree);
    list.Delete(2);
    EXPECT_EQ(list.ItemWithID(5), nullptr);
    EXPECT_EQ(list.ItemWithID(9), list.Items(2));
    // An item given another ID in place, which says so as a store does.
    list.Items(2)->FID = 7;
    SCItemIDsChanged();
    EXPECT_EQ(list.ItemWithID(9), nullptr);
    EXPECT_EQ(list.ItemWithID(7), list.Items(2));
    list.Insert(0, std::make_unique<TNumbered>(9));
    EXPECT_EQ(list.ItemWithID(9), list.Items(0));
    EXPECT_EQ(list.ItemWithID(7), list.Items(3));
    list.FreeObjects();
    EXPECT_EQ(list.ItemWithID(7), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    ShortLongAndSparse, ItemWithIDTest, testing::Values(std::pair(0, 100), std::pair(10, 100), std::pair(10, 1000000)));

TEST(ObservableTest, NewAndAbsentIDsAreAnsweredWithoutAWalk)
{
    long reads = 0;
    struct TCounted : TObject {
        TCounted(int AID, long& AReads) : FID(AID), Reads(AReads) {}
        int ID() const
        {
            ++Reads;
            return FID;
        }
        int FID;
        long& Reads;
    };
    TSCTypedList<TCounted> list;
    // Filled as the daily lists are: each new ID is looked up, then added.
    const int count = 2000;
    for (int id = 1; id <= count; ++id)
        if (!list.ItemWithID(id))
            list.Add(std::make_unique<TCounted>(id, reads));
    EXPECT_LT(reads, 3L * count);
    const long filled = reads;
    for (int id = count + 1; id <= 2 * count; ++id)
        EXPECT_EQ(list.ItemWithID(id), nullptr);
    EXPECT_EQ(reads, filled);
    EXPECT_EQ(list.ItemWithID(count / 2), list.Items(count / 2 - 1));
    // An item stored in place takes its new ID: found by it, not by the old.
    list.Add(std::make_unique<TCounted>(0, reads));
    TCounted* stored = list.Items(count);
    SCSetItemID(stored->FID, 5000);
    EXPECT_EQ(list.ItemWithID(5000), stored);
    EXPECT_EQ(list.ItemWithID(0), nullptr);
    EXPECT_EQ(list.ItemWithID(1), list.Items(0));
}

TEST(ObservableTest, CancelledEditRestoresEveryFieldAndTheFormerEditor)
{
    auto item = TSCObject::Create<TItem>();
    TRecordingView formerView;
    item->SetEditor(&formerView);
    item->SetName(QStringLiteral("before"));
    item->SetCount(3);
    item->SetModified(false);

    TObject* editorDuringEdit = nullptr;
    class TEditor : public ISCModalEditor {
    public:
        explicit TEditor(TItem* AItem, TObject** ASeen, bool AOk) : FItem(AItem), FSeen(ASeen), FOk(AOk) {}
        void Bind(TObject* AObject) override
        {
            Bound = AObject;
            DataChanged(AObject, QString());
        }
        bool ExecModal() override
        {
            *FSeen = FItem->Editor();
            FItem->SetName(QStringLiteral("during"));
            FItem->SetCount(9);
            return FOk;
        }
        void DataChanged(TObject*, const QString& AValueName) override { Names << AValueName; }
        TObject* Bound = nullptr;
        QStringList Names;

    private:
        TItem* FItem;
        TObject** FSeen;
        bool FOk;
    };

    TEditor cancel(item.get(), &editorDuringEdit, false);
    EXPECT_FALSE(SCEditModal(*item, cancel));
    EXPECT_EQ(cancel.Bound, item.get());
    EXPECT_EQ(editorDuringEdit, &cancel);
    EXPECT_EQ(cancel.Names, (QStringList{"", "Name", "Modified"}));
    EXPECT_EQ(item->Name(), QStringLiteral("before"));
    EXPECT_EQ(item->Count(), 3);
    EXPECT_FALSE(item->Modified());
    EXPECT_EQ(item->Editor(), &formerView);

    TEditor ok(item.get(), &editorDuringEdit, true);
    EXPECT_TRUE(SCEditModal(*item, ok));
    EXPECT_EQ(item->Name(), QStringLiteral("during"));
    EXPECT_EQ(item->Count(), 9);
    EXPECT_TRUE(item->Modified());
    EXPECT_EQ(item->Editor(), &formerView);
}
