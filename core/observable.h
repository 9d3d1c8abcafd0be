// Observable model objects and lists, the view interface they notify and the
// modal editing protocol (snapshot, bind, show, restore unless OK).
#pragma once

#include <QString>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

// Root of every model and view object, so a sender or editor can be any of them.
class TObject {
public:
    virtual ~TObject() = default;
};

// What a model object calls on the view bound to it (the form and frame
// families implement it). Anything else bound as an editor receives nothing.
class ISCView : public TObject {
public:
    virtual void DataChanged(TObject* ASender, const QString& AValueName) = 0;
};

// Single-object dispatch: hands the change to AEditor when it is a view.
inline void SCNotifyEditor(TObject* AEditor, TObject* ASender, const QString& AValueName)
{
    if (auto* view = dynamic_cast<ISCView*>(AEditor))
        view->DataChanged(ASender, AValueName);
}

// Base of model objects. Field set-up belongs in Init, which Create runs right
// after construction (a constructor cannot reach an override).
class TSCObject : public TObject {
public:
    virtual void Init() {}

    template <class T, class... Args>
    static std::unique_ptr<T> Create(Args&&... AArgs)
    {
        auto object = std::make_unique<T>(std::forward<Args>(AArgs)...);
        object->Init();
        return object;
    }
};

// Counts the times a listed item took another ID (a store gives a new record
// its ID). Lists trust what they remember of their IDs only while it stands.
inline std::atomic<std::uint64_t>& SCItemIDEpoch()
{
    static std::atomic<std::uint64_t> epoch{0};
    return epoch;
}
inline void SCItemIDsChanged()
{
    SCItemIDEpoch().fetch_add(1, std::memory_order_relaxed);
}
// Sets an item's ID field; a new value of a listed item is counted as above.
inline void SCSetItemID(int& AField, int AValue, bool AListed = true)
{
    if (AField == AValue)
        return;
    AField = AValue;
    if (AListed)
        SCItemIDsChanged();
}

// Base of model lists: owns its items; Items never fails on a bad index.
class TSCList : public TObject {
public:
    TSCList() = default;
    TSCList(const TSCList&) = delete;
    TSCList& operator=(const TSCList&) = delete;
    ~TSCList() override { FreeObjects(); }

    virtual void Init() {}

    template <class T, class... Args>
    static std::unique_ptr<T> Create(Args&&... AArgs)
    {
        auto list = std::make_unique<T>(std::forward<Args>(AArgs)...);
        list->Init();
        return list;
    }

    int Count() const { return static_cast<int>(FItems.size()); }
    // Goes up with every change of the items or their order.
    std::uint64_t Changes() const { return FChanges; }
    TObject* Items(int AIndex) const
    {
        if (AIndex < 0 || AIndex >= Count())
            return nullptr;
        return FItems[static_cast<size_t>(AIndex)].get();
    }
    int IndexOf(const TObject* AItem) const
    {
        for (int i = 0; i < Count(); ++i)
            if (FItems[static_cast<size_t>(i)].get() == AItem)
                return i;
        return -1;
    }
    int Add(std::unique_ptr<TObject> AItem)
    {
        ++FChanges;
        FItems.push_back(std::move(AItem));
        return Count() - 1;
    }
    void Insert(int AIndex, std::unique_ptr<TObject> AItem)
    {
        AIndex = std::clamp(AIndex, 0, Count());
        ++FChanges;
        FItems.insert(FItems.begin() + AIndex, std::move(AItem));
    }
    // Takes the item out without destroying it; the caller decides its end.
    std::unique_ptr<TObject> Extract(int AIndex)
    {
        if (AIndex < 0 || AIndex >= Count())
            return nullptr;
        ++FChanges;
        auto item = std::move(FItems[static_cast<size_t>(AIndex)]);
        FItems.erase(FItems.begin() + AIndex);
        return item;
    }
    // Removes and destroys one item.
    void Delete(int AIndex) { Extract(AIndex); }
    void Move(int AFrom, int ATo)
    {
        if (AFrom < 0 || AFrom >= Count() || ATo < 0 || ATo >= Count() || AFrom == ATo)
            return;
        ++FChanges;
        auto item = std::move(FItems[static_cast<size_t>(AFrom)]);
        FItems.erase(FItems.begin() + AFrom);
        FItems.insert(FItems.begin() + ATo, std::move(item));
    }
    void Exchange(int AIndex1, int AIndex2)
    {
        if (!Items(AIndex1) || !Items(AIndex2))
            return;
        ++FChanges;
        std::swap(FItems[static_cast<size_t>(AIndex1)], FItems[static_cast<size_t>(AIndex2)]);
    }
    // Stable sort with a three-way comparison (negative, 0, positive).
    void Sort(const std::function<int(const TObject*, const TObject*)>& ACompare)
    {
        ++FChanges;
        std::stable_sort(
            FItems.begin(), FItems.end(), [&](const std::unique_ptr<TObject>& a, const std::unique_ptr<TObject>& b) {
                return ACompare(a.get(), b.get()) < 0;
            });
    }
    // Destroys every item, from position 0 upwards, then empties the list.
    void FreeObjects()
    {
        ++FChanges;
        for (auto& item : FItems)
            item.reset();
        FItems.clear();
    }

protected:
    std::vector<std::unique_ptr<TObject>> FItems;

private:
    std::uint64_t FChanges = 0;
};

// The positions of a list's items by their IDs: a plain table while the IDs
// are small beside the count, as register IDs are (a look-up is then one
// read), a map for the others.
class TIDPositions {
public:
    // The first position put for AID; -1 for none.
    int Find(int AID) const
    {
        if (AID >= 0 && static_cast<std::size_t>(AID) < FSmall.size() && FSmall[static_cast<std::size_t>(AID)] > 0)
            return FSmall[static_cast<std::size_t>(AID)] - 1;
        if (FOthers.empty())
            return -1;
        const auto found = FOthers.find(AID);
        return found == FOthers.end() ? -1 : found->second;
    }
    // Files APosition under AID unless AID has one; ACount is the list's.
    void Put(int AID, int APosition, int ACount)
    {
        if (!FOthers.empty() && FOthers.count(AID))
            return;
        if (AID >= 0 && AID <= 4 * ACount + 64) {
            const auto slot = static_cast<std::size_t>(AID);
            if (slot >= FSmall.size())
                FSmall.resize(std::max(slot + 1, FSmall.size() * 2), 0);
            if (FSmall[slot] == 0)
                FSmall[slot] = APosition + 1;
            return;
        }
        FOthers.emplace(AID, APosition);
    }
    void Clear()
    {
        std::fill(FSmall.begin(), FSmall.end(), 0);
        FOthers.clear();
    }

private:
    std::vector<int> FSmall;
    std::unordered_map<int, int> FOthers;
};

// A list whose items are all of class T.
template <class T>
class TSCTypedList : public TSCList {
public:
    T* Items(int AIndex) const { return static_cast<T*>(TSCList::Items(AIndex)); }
    int Add(std::unique_ptr<T> AItem)
    {
        const T* item = AItem.get();
        const bool known = IDsKnown();
        const int index = TSCList::Add(std::move(AItem));
        // An item added to known positions is added to them: filling a list
        // one new ID at a time needs no walk.
        if constexpr (requires(const T& AOne) { AOne.ID(); })
            if (known) {
                FIDPositions.Put(item->ID(), index, Count());
                FIDStamp = Stamp();
            }
        return index;
    }
    void Insert(int AIndex, std::unique_ptr<T> AItem) { TSCList::Insert(AIndex, std::move(AItem)); }
    std::unique_ptr<T> Extract(int AIndex)
    {
        return std::unique_ptr<T>(static_cast<T*>(TSCList::Extract(AIndex).release()));
    }
    void Sort(const std::function<int(const T*, const T*)>& ACompare)
    {
        TSCList::Sort([&](const TObject* a, const TObject* b) {
            return ACompare(static_cast<const T*>(a), static_cast<const T*>(b));
        });
    }
    // The first item whose ID() is AID, none when no item has it. Positions
    // are remembered from the last walk and checked at each use. While
    // neither the list nor a listed item's ID changed since (SCItemIDsChanged),
    // an ID they lack is absent without a walk.
    T* ItemWithID(int AID) const
    {
        if (Count() <= ShortList) {
            for (int i = 0; i < Count(); ++i)
                if (Items(i)->ID() == AID)
                    return Items(i);
            return nullptr;
        }
        const int position = FIDPositions.Find(AID);
        if (position >= 0)
            if (T* item = Items(position); item && item->ID() == AID)
                return item;
        if (position < 0 && IDsKnown())
            return nullptr;
        FIDPositions.Clear();
        for (int k = 0; k < Count(); ++k)
            FIDPositions.Put(Items(k)->ID(), k, Count());
        FIDStamp = Stamp();
        const int now = FIDPositions.Find(AID);
        return now < 0 ? nullptr : Items(now);
    }

private:
    // A list this short is walked: cheaper than keeping its positions (the
    // daily lists hold thousands of such inner lists).
    static constexpr int ShortList = 8;
    struct TIDStamp {
        std::uint64_t Changes = UINT64_MAX;
        std::uint64_t Epoch = 0;
        bool operator==(const TIDStamp&) const = default;
    };
    TIDStamp Stamp() const { return {Changes(), SCItemIDEpoch().load(std::memory_order_relaxed)}; }
    bool IDsKnown() const { return FIDStamp == Stamp(); }

    mutable TIDPositions FIDPositions;
    // The list and the IDs as they were when FIDPositions was right.
    mutable TIDStamp FIDStamp;
};

// A modal dialog that edits one model object in place.
class ISCModalEditor : public ISCView {
public:
    // Binds the dialog to the object, which fills its controls.
    virtual void Bind(TObject* AObject) = 0;
    // Shows the dialog; true when it closed with OK.
    virtual bool ExecModal() = 0;
};

// The editing protocol for objects with Assign, Editor and SetEditor: take a
// snapshot, bind the dialog, show it, put the former editor back and restore
// the snapshot on anything but OK.
template <class T>
bool SCEditModal(T& AObject, ISCModalEditor& AEditor)
{
    auto snapshot = TSCObject::Create<T>();
    snapshot->Assign(AObject);
    TObject* former = AObject.Editor();
    AObject.SetEditor(&AEditor);
    AEditor.Bind(&AObject);
    const bool ok = AEditor.ExecModal();
    AObject.SetEditor(former);
    if (!ok)
        AObject.Assign(*snapshot);
    return ok;
}
