// The synthetic register the in-memory benchmarks share: APersons numbered
// workers and AWorkplaces numbered workplaces (IDs from 1) behind the
// register half of a schedule store interface.
#pragma once

#include <QString>

#include <optional>
#include <vector>

template <class TStore, class TPersonRecord, class TWorkplaceRecord>
class TBenchRegisterStore : public TStore {
public:
    TBenchRegisterStore(int APersons, int AWorkplaces)
    {
        for (int i = 1; i <= APersons; ++i)
            FPersons.push_back({i, QStringLiteral("Worker %1").arg(i),
                QStringLiteral("Worker %1").arg(i, 3, 10, QLatin1Char('0')), QString(), 0, 0, 0, QString()});
        for (int i = 1; i <= AWorkplaces; ++i)
            FWorkplaces.push_back(
                {i, QStringLiteral("W%1").arg(i), QStringLiteral("Workplace %1").arg(i), QString(), 0xFFFFFF});
    }

    int PersonCount() const override { return static_cast<int>(FPersons.size()); }
    int PersonIDAt(int AIndex) const override { return FPersons[static_cast<size_t>(AIndex)].ID; }
    std::optional<TPersonRecord> PersonRecord(int AID) const override
    {
        if (AID < 1 || AID > PersonCount())
            return std::nullopt;
        return FPersons[static_cast<size_t>(AID - 1)];
    }
    TPerson* PersonObject(int) const override { return nullptr; }
    int PersonObjectID(const TPerson*) const override { return 0; }
    bool PersonIsOut(int, TDate) const override { return false; }
    TEditOutcome EditPerson(int) override { return eoCancelled; }
    bool DeletePerson(int) override { return false; }
    int WorkplaceCount() const override { return static_cast<int>(FWorkplaces.size()); }
    int WorkplaceIDAt(int AIndex) const override { return FWorkplaces[static_cast<size_t>(AIndex)].ID; }
    std::optional<TWorkplaceRecord> WorkplaceRecord(int AID) const override
    {
        if (AID < 1 || AID > WorkplaceCount())
            return std::nullopt;
        return FWorkplaces[static_cast<size_t>(AID - 1)];
    }
    TWorkplace* WorkplaceObject(int) const override { return nullptr; }
    int WorkplaceObjectID(const TWorkplace*) const override { return 0; }
    TEditOutcome EditWorkplace(int) override { return eoCancelled; }
    bool DeleteWorkplace(int) override { return false; }
    QString LastError() const override { return QString(); }

protected:
    std::vector<TPersonRecord> FPersons;
    std::vector<TWorkplaceRecord> FWorkplaces;
};
