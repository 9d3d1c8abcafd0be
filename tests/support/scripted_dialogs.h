// The dialog service of the tests: answers are queued in advance and every
// question is recorded; a question without an answer fails the test.
#pragma once

#include "core/dialogs.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>

class TScriptedDialogs final : public TDialogs {
public:
    struct TQuestion {
        QString Kind; // "message", "choice", "input", "color", "folder", "file", "save", "range", "pick", "print",
                      // "output", "preview", "editor"
        QString Text;
        int Buttons = 0;
        TMsgDlgType MsgKind = mtCustom;
        // The buttons of a "choice" question.
        QStringList Choices;
    };

    // Forgets queued answers, questions and editors.
    void Reset();

    void AnswerMessage(int AModalResult) { FMessages.push_back(AModalResult); }
    // Presses the button with this text in the next choice question; none
    // closes it without a choice.
    void AnswerChoice(std::optional<QString> AChoice) { FChoices.push_back(std::move(AChoice)); }
    // None cancels the box.
    void AnswerInput(std::optional<QString> AValue) { FInputs.push_back(std::move(AValue)); }
    void AnswerColor(std::optional<TColor> AColor) { FColors.push_back(AColor); }
    void AnswerFolder(std::optional<QString> AFolder) { FFolders.push_back(std::move(AFolder)); }
    // Answers the next open or save file dialog.
    void AnswerFile(std::optional<QString> AFile) { FFiles.push_back(std::move(AFile)); }
    // None cancels the range dialog.
    void AnswerDateRange(std::optional<std::pair<TDate, TDate>> ARange) { FRanges.push_back(ARange); }
    // Picks the entry with this text from the list offered; none cancels.
    void AnswerPick(std::optional<QString> AEntry) { FPicks.push_back(std::move(AEntry)); }
    void AnswerPrintSetup(bool AConfirmed) { FPrints.push_back(AConfirmed); }
    // None cancels the output options; rdPreview asks for a preview, any other
    // destination must be the one offered (the printer dialog's choice).
    void AnswerReportOutput(std::optional<TReportDestination> ADestination) { FOutputs.push_back(ADestination); }
    // Lets one report preview open; it renders its pages into PreviewPdf().
    void AnswerReportPreview() { ++FPreviews; }
    // The PDF the last preview rendered.
    const QByteArray& PreviewPdf() const { return FPreviewPdf; }
    // The editor to hand out for a class name (one per request, made anew).
    void ProvideEditor(const QString& AClassName, std::function<std::unique_ptr<ISCModalEditor>()> AFactory)
    {
        FEditors[AClassName] = std::move(AFactory);
    }

    const std::vector<TQuestion>& Questions() const { return FQuestions; }
    // The texts of the message boxes shown so far.
    QStringList MessageTexts() const;
    // True when every queued answer was used.
    bool AllAnswered() const;

    int MessageBox(const QString& AMsg, TMsgDlgType AKind, TMsgDlgButtons AButtons) override;
    int Choose(const QString& AMsg, TMsgDlgType AKind, const QStringList& AChoices) override;
    bool InputQuery(const QString& ACaption, const QString& APrompt, QString& AValue, int AMaxLength) override;
    bool SelectColor(TColor& AColor, QList<TColor>& ACustomColors) override;
    bool SelectFolder(const QString& ACaption, QString& AFolder) override;
    bool OpenFile(const QString& ATitle, const QString& AFilter, QString& AFileName) override;
    // Recorded as a "save" question, its text the title, filter and proposed name.
    bool SaveFile(const QString& ATitle, const QString& AFilter, QString& AFileName) override;
    bool SelectDateRange(const QString& ACaption, TDate& AFrom, TDate& ATo) override;
    // Recorded as a "pick" question, its text the caption and the entries, one a line.
    bool PickEntry(const QString& ACaption, const QStringList& AEntries, int& AChosen) override;
    bool PrintSetup(QPagedPaintDevice* APrinter) override;
    bool ReportOutputOptions(TReportDestination& ADestination, const QString& ATarget) override;
    void ReportPreview(QPagedPaintDevice* APrinter, const std::function<void(QPagedPaintDevice*)>& APaint) override;
    std::unique_ptr<ISCModalEditor> CreateEditor(const QString& AClassName) override;

private:
    std::vector<TQuestion> FQuestions;
    std::deque<int> FMessages;
    std::deque<std::optional<QString>> FChoices;
    std::deque<std::optional<QString>> FInputs;
    std::deque<std::optional<TColor>> FColors;
    std::deque<std::optional<QString>> FFolders;
    std::deque<std::optional<QString>> FFiles;
    std::deque<std::optional<std::pair<TDate, TDate>>> FRanges;
    std::deque<std::optional<QString>> FPicks;
    std::deque<bool> FPrints;
    std::deque<std::optional<TReportDestination>> FOutputs;
    int FPreviews = 0;
    QByteArray FPreviewPdf;
    std::map<QString, std::function<std::unique_ptr<ISCModalEditor>()>> FEditors;
};

// A modal editor double: runs a scripted action on the bound object while
// "open" and closes with the given result.
class TScriptedEditor : public ISCModalEditor {
public:
    TScriptedEditor(std::function<void(TObject*)> AAction, bool AOk) : FAction(std::move(AAction)), FOk(AOk) {}
    void Bind(TObject* AObject) override
    {
        FObject = AObject;
        DataChanged(AObject, QString());
    }
    bool ExecModal() override
    {
        if (FAction)
            FAction(FObject);
        return FOk;
    }
    void DataChanged(TObject* ASender, const QString& AValueName) override { Received.push_back(AValueName); }

    QStringList Received;

protected:
    std::function<void(TObject*)> FAction;
    bool FOk;
    TObject* FObject = nullptr;
};
