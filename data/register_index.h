// A register list whose unique texts (a worker's name; a workplace's name and
// shortcut) are kept by their case-folded form, so finding one or making one
// unique costs no walk of the list.
#pragma once

#include "core/observable.h"
#include "core/utils.h"

#include <QHash>
#include <QString>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

// Splits "Room 12" into "Room " and 12; a run of digits that is no valid
// int counts as 0. The number is wider than an int, so the numbers counted
// on from the largest int do not overflow.
inline void SplitTrailingNumber(const QString& AName, QString& AStem, qint64& ANumber)
{
    qsizetype end = AName.size();
    while (end > 0 && AName[end - 1] >= QLatin1Char('0') && AName[end - 1] <= QLatin1Char('9'))
        --end;
    AStem = AName.left(end);
    bool ok = false;
    ANumber = AName.mid(end).toInt(&ok);
    if (!ok || ANumber < 0)
        ANumber = 0;
}

// One text of the items of a list, each item filed under the folded form of
// its text (the form SameTextIgnoringCase compares), folded once per change.
template <class TItem>
class TRegisterTextIndex {
public:
    using TTextOf = const QString& (TItem::*)() const;

    explicit TRegisterTextIndex(TTextOf ATextOf) : FTextOf(ATextOf) {}

    static QString Key(const QString& AText) { return UpperText(AText); }

    void Put(TItem* AItem)
    {
        const QString key = Key((AItem->*FTextOf)());
        FKeys.insert(AItem, key);
        FItems[key].push_back(AItem);
    }
    // False when AItem was not filed.
    bool Drop(const TItem* AItem)
    {
        const auto key = FKeys.constFind(AItem);
        if (key == FKeys.constEnd())
            return false;
        const auto items = FItems.find(key.value());
        items->erase(std::find(items->begin(), items->end(), AItem));
        if (items->empty())
            FItems.erase(items);
        FKeys.erase(key);
        return true;
    }
    // A filed item is filed anew under its present text.
    void Refile(TItem* AItem)
    {
        const auto key = FKeys.constFind(AItem);
        if (key != FKeys.constEnd() && key.value() != Key((AItem->*FTextOf)()) && Drop(AItem))
            Put(AItem);
    }
    void Clear()
    {
        FItems.clear();
        FKeys.clear();
    }
    // The items whose text folds as AText does, in the order they were filed.
    const std::vector<TItem*>* Items(const QString& AText) const
    {
        const auto items = FItems.constFind(Key(AText));
        return items == FItems.constEnd() ? nullptr : &items.value();
    }

private:
    TTextOf FTextOf;
    QHash<QString, std::vector<TItem*>> FItems;
    QHash<const TItem*, QString> FKeys;
};

// The list's Add, Extract, Delete and FreeObjects keep the indexes; the items
// tell TextChanged. Any other change of the list (an order or an insert) has
// them filed anew at the next look.
template <class TItem>
class TRegisterIndexedList : public TSCTypedList<TItem> {
    using TBase = TSCTypedList<TItem>;

public:
    int Add(std::unique_ptr<TItem> AItem)
    {
        TItem* item = AItem.get();
        const bool known = Known();
        const int position = TBase::Add(std::move(AItem));
        if (known) {
            for (auto& index : FIndexes)
                index.Put(item);
            FStamp = this->Changes();
        }
        return position;
    }
    std::unique_ptr<TItem> Extract(int AIndex)
    {
        const bool known = Known();
        auto item = TBase::Extract(AIndex);
        if (known && item) {
            for (auto& index : FIndexes)
                index.Drop(item.get());
            FStamp = this->Changes();
        }
        return item;
    }
    void Delete(int AIndex) { Extract(AIndex); }
    void FreeObjects()
    {
        TBase::FreeObjects();
        for (auto& index : FIndexes)
            index.Clear();
        FStamp = this->Changes();
    }
    // An item's text changed (an item not in the list is ignored).
    void TextChanged(TItem* AItem)
    {
        ++FTextChanges;
        if (Known())
            for (auto& index : FIndexes)
                index.Refile(AItem);
    }

    // Grows with every change of the list and of its items' texts, so what is
    // made from the register can tell it still holds.
    std::uint64_t Revision() const { return this->Changes() + FTextChanges; }
    // Tells this list from any other, also from one made later at its address.
    std::uint64_t Serial() const { return FSerial; }

protected:
    // Each text is named by its reader, its index by its place here.
    explicit TRegisterIndexedList(std::initializer_list<typename TRegisterTextIndex<TItem>::TTextOf> ATexts)
    {
        for (const auto text : ATexts)
            FIndexes.emplace_back(text);
    }

    // The first item of the list whose text ATextIndex is AText ignoring case.
    TItem* Find(std::size_t ATextIndex, const QString& AText) const
    {
        const std::vector<TItem*>* items = Filed(ATextIndex, AText);
        if (!items)
            return nullptr;
        if (items->size() == 1)
            return items->front();
        // A text held twice (for a moment, as another copy stored it): the list's order decides.
        return *std::min_element(items->begin(), items->end(),
            [this](const TItem* a, const TItem* b) { return this->IndexOf(a) < this->IndexOf(b); });
    }

    // AText unless an item other than AWithOut has it (ignoring case); then
    // its stem with the first number above its own that no other item has.
    QString UniqueText(std::size_t ATextIndex, const QString& AText, const TItem* AWithOut) const
    {
        if (AText.isEmpty())
            return QString();
        const std::vector<TItem*>* items = Filed(ATextIndex, AText);
        if (!items || std::all_of(items->begin(), items->end(), [AWithOut](const TItem* a) { return a == AWithOut; }))
            return AText;
        QString stem;
        qint64 number = 0;
        SplitTrailingNumber(AText, stem, number);
        for (;;) {
            ++number;
            const TItem* found = Find(ATextIndex, stem + QString::number(number));
            if (!found || found == AWithOut)
                break;
        }
        return stem + QString::number(number);
    }

private:
    bool Known() const { return FStamp == this->Changes(); }
    const std::vector<TItem*>* Filed(std::size_t ATextIndex, const QString& AText) const
    {
        if (!Known()) {
            for (auto& index : FIndexes) {
                index.Clear();
                for (int i = 0; i < this->Count(); ++i)
                    index.Put(TBase::Items(i));
            }
            FStamp = this->Changes();
        }
        return FIndexes[ATextIndex].Items(AText);
    }

    static std::uint64_t NextSerial()
    {
        static std::atomic<std::uint64_t> serial{0};
        return ++serial;
    }

    mutable std::vector<TRegisterTextIndex<TItem>> FIndexes;
    std::uint64_t FTextChanges = 0;
    const std::uint64_t FSerial = NextSerial();
    // The list's Changes() when the indexes were last right.
    mutable std::uint64_t FStamp = UINT64_MAX;
};
