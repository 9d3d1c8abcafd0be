// What the documentation tools share: a private home with English (UK)
// settings, the program's dialogs, and editors that fill new objects in.
#pragma once

#include "core/program_info.h"
#include "ui/qt_dialogs.h"

#include <QLocale>
#include <QSettings>
#include <QTemporaryDir>

#include <functional>

// Stands in for the editors: sets the object's values and confirms.
class TFillEditor final : public ISCModalEditor {
public:
    explicit TFillEditor(std::function<void(TObject*)> AFill) : FFill(std::move(AFill)) {}
    void DataChanged(TObject*, const QString&) override {}
    void Bind(TObject* AObject) override { FObject = AObject; }
    bool ExecModal() override
    {
        FFill(FObject);
        return true;
    }

private:
    std::function<void(TObject*)> FFill;
    TObject* FObject = nullptr;
};

struct TSampleWorkplace {
    const char* Shortcut;
    const char* Name;
    TColor Color;
    const char* Note;
};

// Settings in a temporary home, the dialogs installed for the tool's run.
class TSampleHome {
public:
    TSampleHome()
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, Home.path() + "/config");
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
        SetDialogs(&Dialogs);
        InitProgramInfo();
    }
    ~TSampleHome() { SetDialogs(nullptr); }
    TSampleHome(const TSampleHome&) = delete;
    TSampleHome& operator=(const TSampleHome&) = delete;

    QString DataFolder() const { return Home.path() + "/data"; }

    QTemporaryDir Home;
    TQtDialogs Dialogs;
};
