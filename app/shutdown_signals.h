// Turns SIGTERM and SIGINT (logout, Ctrl+C) into an orderly quit of the event
// loop, so settings are stored and tables closed as on a normal close.
#pragma once

#include <QObject>

class QSocketNotifier;

class TShutdownSignals : public QObject {
    Q_OBJECT
public:
    explicit TShutdownSignals(QObject* AParent = nullptr);
    ~TShutdownSignals() override;

    // True once a signal asked the program to end.
    bool Signaled() const { return FSignaled; }

signals:
    void ShutdownRequested();

private:
    void Handle();

    QSocketNotifier* FNotifier = nullptr;
    bool FSignaled = false;
};
