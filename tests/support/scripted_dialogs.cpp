#include "support/scripted_dialogs.h"

#include <QBuffer>
#include <QPdfWriter>

#include <gtest/gtest.h>

void TScriptedDialogs::Reset()
{
    FQuestions.clear();
    FMessages.clear();
    FChoices.clear();
    FInputs.clear();
    FColors.clear();
    FFolders.clear();
    FFiles.clear();
    FRanges.clear();
    FPicks.clear();
    FPrints.clear();
    FOutputs.clear();
    FPreviews = 0;
    FPreviewPdf.clear();
    FEditors.clear();
}

QStringList TScriptedDialogs::MessageTexts() const
{
    QStringList texts;
    for (const auto& q : FQuestions)
        if (q.Kind == QLatin1String("message"))
            texts << q.Text;
    return texts;
}

bool TScriptedDialogs::AllAnswered() const
{
    return FMessages.empty() && FChoices.empty() && FInputs.empty() && FColors.empty() && FFolders.empty()
           && FFiles.empty() && FRanges.empty() && FPicks.empty() && FPrints.empty() && FOutputs.empty()
           && FPreviews == 0;
}

namespace {
template <class Q, class T>
bool TakeAnswer(Q& AQueue, T& AAnswer, const QString& AWhat)
{
    if (AQueue.empty()) {
        ADD_FAILURE() << "Unanswered " << AWhat.toStdString();
        return false;
    }
    AAnswer = AQueue.front();
    AQueue.pop_front();
    return true;
}
} // namespace

int TScriptedDialogs::MessageBox(const QString& AMsg, TMsgDlgType AKind, TMsgDlgButtons AButtons)
{
    FQuestions.push_back({QStringLiteral("message"), AMsg, AButtons, AKind});
    int result = mrCancel;
    if (!TakeAnswer(FMessages, result, QStringLiteral("message box: ") + AMsg))
        return (AButtons & mbCancel) ? mrCancel : ((AButtons & mbNo) ? mrNo : mrOk);
    return result;
}

int TScriptedDialogs::Choose(const QString& AMsg, TMsgDlgType AKind, const QStringList& AChoices)
{
    FQuestions.push_back({QStringLiteral("choice"), AMsg, 0, AKind, AChoices});
    std::optional<QString> answer;
    if (!TakeAnswer(FChoices, answer, QStringLiteral("choice: ") + AMsg) || !answer)
        return -1;
    const int index = static_cast<int>(AChoices.indexOf(*answer));
    if (index < 0)
        ADD_FAILURE() << "No button \"" << answer->toStdString() << "\" in: " << AChoices.join(", ").toStdString();
    return index;
}

bool TScriptedDialogs::InputQuery(const QString& ACaption, const QString& APrompt, QString& AValue, int AMaxLength)
{
    FQuestions.push_back({QStringLiteral("input"), ACaption + QLatin1Char('|') + APrompt, AMaxLength});
    std::optional<QString> answer;
    if (!TakeAnswer(FInputs, answer, QStringLiteral("input box: ") + APrompt) || !answer)
        return false;
    AValue = AMaxLength > 0 ? CutText(*answer, AMaxLength) : *answer;
    return true;
}

bool TScriptedDialogs::SelectColor(TColor& AColor, QList<TColor>& ACustomColors)
{
    FQuestions.push_back(
        {QStringLiteral("color"), QString::number(AColor, 16), static_cast<int>(ACustomColors.size())});
    std::optional<TColor> answer;
    if (!TakeAnswer(FColors, answer, QStringLiteral("colour dialog")) || !answer)
        return false;
    AColor = *answer;
    return true;
}

bool TScriptedDialogs::SelectFolder(const QString& ACaption, QString& AFolder)
{
    FQuestions.push_back({QStringLiteral("folder"), ACaption});
    std::optional<QString> answer;
    if (!TakeAnswer(FFolders, answer, QStringLiteral("folder browser")) || !answer)
        return false;
    AFolder = *answer;
    return true;
}

bool TScriptedDialogs::OpenFile(const QString& ATitle, const QString& AFilter, QString& AFileName)
{
    FQuestions.push_back({QStringLiteral("file"), ATitle + QLatin1Char('|') + AFilter});
    std::optional<QString> answer;
    if (!TakeAnswer(FFiles, answer, QStringLiteral("file dialog: ") + ATitle) || !answer)
        return false;
    AFileName = *answer;
    return true;
}

bool TScriptedDialogs::SaveFile(const QString& ATitle, const QString& AFilter, QString& AFileName)
{
    FQuestions.push_back({QStringLiteral("save"), ATitle + QLatin1Char('|') + AFilter + QLatin1Char('|') + AFileName});
    std::optional<QString> answer;
    if (!TakeAnswer(FFiles, answer, QStringLiteral("save dialog: ") + ATitle) || !answer)
        return false;
    AFileName = *answer;
    return true;
}

bool TScriptedDialogs::SelectDateRange(const QString& ACaption, TDate& AFrom, TDate& ATo)
{
    FQuestions.push_back({QStringLiteral("range"), ACaption});
    std::optional<std::pair<TDate, TDate>> answer;
    if (!TakeAnswer(FRanges, answer, QStringLiteral("date range: ") + ACaption) || !answer)
        return false;
    AFrom = answer->first;
    ATo = answer->second;
    return true;
}

bool TScriptedDialogs::PickEntry(const QString& ACaption, const QStringList& AEntries, int& AChosen)
{
    FQuestions.push_back({QStringLiteral("pick"), ACaption + QLatin1Char('\n') + AEntries.join(QLatin1Char('\n'))});
    std::optional<QString> answer;
    if (!TakeAnswer(FPicks, answer, QStringLiteral("pick: ") + ACaption) || !answer)
        return false;
    const int index = static_cast<int>(AEntries.indexOf(*answer));
    if (index < 0) {
        ADD_FAILURE() << "\"" << answer->toStdString() << "\" is not offered by " << ACaption.toStdString();
        return false;
    }
    AChosen = index;
    return true;
}

bool TScriptedDialogs::PrintSetup(QPagedPaintDevice*)
{
    FQuestions.push_back({QStringLiteral("print"), QString()});
    bool answer = false;
    TakeAnswer(FPrints, answer, QStringLiteral("print dialog"));
    return answer;
}

bool TScriptedDialogs::ReportOutputOptions(TReportDestination& ADestination, const QString& ATarget)
{
    FQuestions.push_back({QStringLiteral("output"), ATarget});
    std::optional<TReportDestination> answer;
    if (!TakeAnswer(FOutputs, answer, QStringLiteral("report output options")) || !answer)
        return false;
    if (*answer != rdPreview && *answer != ADestination) {
        ADD_FAILURE() << "The output options offer only the printer dialog's choice or a preview";
        return false;
    }
    ADestination = *answer;
    return true;
}

void TScriptedDialogs::ReportPreview(QPagedPaintDevice* APrinter, const std::function<void(QPagedPaintDevice*)>& APaint)
{
    FQuestions.push_back({QStringLiteral("preview"), QString()});
    if (FPreviews == 0) {
        ADD_FAILURE() << "Unanswered report preview";
        return;
    }
    --FPreviews;
    // Renders what the preview would show, on the printer's page layout.
    FPreviewPdf.clear();
    QBuffer buffer(&FPreviewPdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        if (APrinter)
            writer.setPageLayout(APrinter->pageLayout());
        APaint(&writer);
    }
}

std::unique_ptr<ISCModalEditor> TScriptedDialogs::CreateEditor(const QString& AClassName)
{
    FQuestions.push_back({QStringLiteral("editor"), AClassName});
    const auto it = FEditors.find(AClassName);
    if (it == FEditors.end()) {
        ADD_FAILURE() << "No editor provided for " << AClassName.toStdString();
        return nullptr;
    }
    return it->second();
}
