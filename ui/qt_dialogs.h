// The widget implementation of the dialog seam: real message boxes, input
// box, colour, folder, file and print dialogs, and the registered editors.
#pragma once

#include "ui/view_guard.h"

#include "core/dialogs.h"

#include <functional>
#include <map>

class QWidget;

class TQtDialogs : public TDialogs {
public:
    int MessageBox(const QString& AMsg, TMsgDlgType AKind, TMsgDlgButtons AButtons) override;
    int Choose(const QString& AMsg, TMsgDlgType AKind, const QStringList& AChoices) override;
    bool InputQuery(const QString& ACaption, const QString& APrompt, QString& AValue, int AMaxLength) override;
    bool SelectColor(TColor& AColor, QList<TColor>& ACustomColors) override;
    bool SelectFolder(const QString& ACaption, QString& AFolder) override;
    bool OpenFile(const QString& ATitle, const QString& AFilter, QString& AFileName) override;
    bool SaveFile(const QString& ATitle, const QString& AFilter, QString& AFileName) override;
    bool SelectDateRange(const QString& ACaption, TDate& AFrom, TDate& ATo) override;
    bool PickEntry(const QString& ACaption, const QStringList& AEntries, int& AChosen) override;
    bool PrintSetup(QPagedPaintDevice* APrinter) override;
    bool ReportOutputOptions(TReportDestination& ADestination, const QString& ATarget) override;
    void ReportPreview(QPagedPaintDevice* APrinter, const std::function<void(QPagedPaintDevice*)>& APaint) override;
    std::unique_ptr<ISCModalEditor> CreateEditor(const QString& AClassName) override;

    // Views register the editors that models open by class name.
    void RegisterEditor(const QString& AClassName, std::function<std::unique_ptr<ISCModalEditor>()> AFactory);

    // The window dialogs open over: the active one, else the program's
    // visible main window, else none.
    static QWidget* ActiveWindow();
    // Sizes a dialog and places it centred over that window (or the screen).
    static void CenterOverProgram(QWidget& ADialog);

private:
    std::map<QString, std::function<std::unique_ptr<ISCModalEditor>()>> FEditors;
};
