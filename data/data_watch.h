// Looks a few times a second at what another copy of the program committed
// to the table files, and whether a file was replaced under this copy; the
// registers and the jobs' memory are brought in step and the listener (the
// main window) is told what changed, as after a change of its own.
#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// What a look found, as bits.
enum TDataChange { dcWorkers = 1, dcWorkplaces = 2, dcJobs = 4, dcTemplates = 8, dcReopened = 16 };

class TDataWatch : public QObject {
public:
    // A change reaches the screens within this and the time a refresh takes.
    static constexpr int IntervalMs = 250;

    TDataWatch();
    ~TDataWatch() override;
    TDataWatch(const TDataWatch&) = delete;
    TDataWatch& operator=(const TDataWatch&) = delete;

    // While the gate says no (a drag under way, a dialog open), changes wait
    // for a later look: nothing is taken from under the user's hands.
    void SetGate(std::function<bool()> AGate) { FGate = std::move(AGate); }
    void SetListener(std::function<void(int AChanges)> AListener) { FListener = std::move(AListener); }
    // One look now; what changed (TDataChange bits), 0 for nothing.
    int Look();

private:
    QTimer FTimer;
    std::function<bool()> FGate;
    std::function<void(int)> FListener;
};
