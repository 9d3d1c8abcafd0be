// The one seam through which every modal interaction goes: message boxes, the
// input box, colour, folder, picture-file and print dialogs, modal editors.
// The program installs the widget implementation; tests install answers.
#pragma once

#include "core/observable.h"
#include "core/utils.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QPagedPaintDevice;

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

enum TMsgDlgBtn : int {
    mbYes = 0x0001,
    mbNo = 0x0002,
    mbOK = 0x0004,
    mbCancel = 0x0008,
    mbAbort = 0x0010,
    mbRetry = 0x0020,
    mbIgnore = 0x0040,
    mbAll = 0x0080,
    mbNoToAll = 0x0100,
    mbYesToAll = 0x0200,
    mbHelp = 0x0400,
    mbClose = 0x0800,
};
using TMsgDlgButtons = int;

enum TModalResult : int {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrClose = 8,
    mrAll = 12,
    mrNoToAll = 13,
    mrYesToAll = 14,
};

// Where a report goes after it was laid out.
enum TReportDestination { rdPrinter, rdPreview, rdFile };

class TDialogs {
public:
    virtual ~TDialogs() = default;

    // A modal message box; returns the button pressed as a modal result.
    virtual int MessageBox(const QString& AMsg, TMsgDlgType AKind, TMsgDlgButtons AButtons) = 0;
    // A message box whose buttons say what they do: one per entry of
    // AChoices, left to right. Returns the index chosen, -1 when closed
    // without a choice.
    virtual int Choose(const QString& AMsg, TMsgDlgType AKind, const QStringList& AChoices) = 0;
    // A one-line input box; false when cancelled. AValue is in and out.
    virtual bool InputQuery(const QString& ACaption, const QString& APrompt, QString& AValue, int AMaxLength) = 0;
    // The colour dialog with sixteen custom colours (in and out).
    virtual bool SelectColor(TColor& AColor, QList<TColor>& ACustomColors) = 0;
    // The folder browser; AFolder is in and out.
    virtual bool SelectFolder(const QString& ACaption, QString& AFolder) = 0;
    // An existing file chosen with a filter such as "Bitmaps (*.bmp)".
    virtual bool OpenFile(const QString& ATitle, const QString& AFilter, QString& AFileName) = 0;
    // A file to write, AFileName proposing one (in and out); an existing
    // file is confirmed by the dialog.
    virtual bool SaveFile(const QString& ATitle, const QString& AFilter, QString& AFileName) = 0;
    // A range of days, AFrom and ATo proposing one (in and out, AFrom first).
    virtual bool SelectDateRange(const QString& ACaption, TDate& AFrom, TDate& ATo) = 0;
    // One of AEntries chosen by typing part of it (a name or a shortcut) and
    // Enter; AChosen is in (the entry proposed) and out (its index). False when
    // cancelled or when there is nothing to choose.
    virtual bool PickEntry(const QString& ACaption, const QStringList& AEntries, int& AChosen) = 0;
    // The printer setup dialog for a printer; false when cancelled.
    virtual bool PrintSetup(QPagedPaintDevice* APrinter) = 0;
    // The report engine's "Output Options", asked after the printer dialog:
    // the destination that dialog chose (rdPrinter or rdFile, ATarget naming
    // the printer or the PDF file), which is the default, or a preview first.
    // ADestination is in and out; false when cancelled.
    virtual bool ReportOutputOptions(TReportDestination& ADestination, const QString& ATarget) = 0;
    // The modal "Report Preview" of a printer, fitted to its width and at the
    // top of the first page; APaint draws every page
    // on the device it is handed (the preview's pages or the chosen printer).
    virtual void ReportPreview(QPagedPaintDevice* APrinter, const std::function<void(QPagedPaintDevice*)>& APaint) = 0;
    // Creates the modal editor of a class name ("TSetupEditor", "TPersonEditor", …);
    // none when no such editor exists.
    virtual std::unique_ptr<ISCModalEditor> CreateEditor(const QString& AClassName) = 0;
};

// Every question answered as cancelled and every message only logged: the
// service when no front end is installed, and a base for one that answers
// only some questions.
class THeadlessDialogs : public TDialogs {
public:
    int MessageBox(const QString& AMsg, TMsgDlgType AKind, TMsgDlgButtons AButtons) override;
    int Choose(const QString& AMsg, TMsgDlgType AKind, const QStringList& AChoices) override;
    bool InputQuery(const QString&, const QString&, QString&, int) override { return false; }
    bool SelectColor(TColor&, QList<TColor>&) override { return false; }
    bool SelectFolder(const QString&, QString&) override { return false; }
    bool OpenFile(const QString&, const QString&, QString&) override { return false; }
    bool SaveFile(const QString&, const QString&, QString&) override { return false; }
    bool SelectDateRange(const QString&, TDate&, TDate&) override { return false; }
    bool PickEntry(const QString&, const QStringList&, int&) override { return false; }
    bool PrintSetup(QPagedPaintDevice*) override { return false; }
    bool ReportOutputOptions(TReportDestination&, const QString&) override { return false; }
    void ReportPreview(QPagedPaintDevice*, const std::function<void(QPagedPaintDevice*)>&) override {}
    std::unique_ptr<ISCModalEditor> CreateEditor(const QString&) override { return nullptr; }
};

// The service in force. Without one installed, every question is answered
// as cancelled and every message only logged, so headless code never blocks.
TDialogs& Dialogs();
// Installs a service (not owned); none puts the headless default back.
void SetDialogs(TDialogs* ADialogs);

// Shows a message box through the service; returns the modal result.
int ShowMessageBox(const QString& AMsg, TMsgDlgType AKind, TMsgDlgButtons AButtons);

// Where a message box goes: over the active window's centre for a 375 by 150
// box, never left of or above 0; none without an active window.
std::optional<QPoint> MessageBoxPosition(const std::optional<QRect>& AActiveWindow);
// Where a form of ASize goes: centred over the active window, or the screen
// when there is none; never left of or above 0.
QPoint CenterFormPosition(const std::optional<QRect>& AActiveWindow, const QRect& AScreen, const QSize& ASize);
