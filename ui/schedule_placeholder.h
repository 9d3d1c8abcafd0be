// A plain page standing in for a schedule screen that this version does not
// have yet: its caption and a way back to the daily schedule.
#pragma once

#include "ui/view_guard.h"

#include "ui/sc_frame.h"

class QScrollArea;

class TSchedulePlaceholderFrame : public TSCFrame {
    Q_OBJECT
public:
    explicit TSchedulePlaceholderFrame(const QString& ACaption, QWidget* AParent = nullptr);

    QObject* ScrollBox() const { return nullptr; }

    // Installs this page as the screen of the worker and workplace schedules.
    static void InstallFactories();
    static void UninstallFactories();
};
