#include "ui/qt_dialogs.h"

#include "core/screen.h"
#include "core/utils.h"
#include "ui/input_limit.h"
#include "ui/pick_entry_dialog.h"

#include <QApplication>
#include <QButtonGroup>
#include <QColorDialog>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace {

struct TButtonMap {
    int Button;
    QMessageBox::StandardButton Qt;
    int Result;
};

const TButtonMap ButtonMap[] = {
    {mbYes, QMessageBox::Yes, mrYes},
    {mbNo, QMessageBox::No, mrNo},
    {mbOK, QMessageBox::Ok, mrOk},
    {mbCancel, QMessageBox::Cancel, mrCancel},
    {mbAbort, QMessageBox::Abort, mrAbort},
    {mbRetry, QMessageBox::Retry, mrRetry},
    {mbIgnore, QMessageBox::Ignore, mrIgnore},
    {mbAll, QMessageBox::YesAll, mrAll},
    {mbNoToAll, QMessageBox::NoToAll, mrNoToAll},
    {mbYesToAll, QMessageBox::YesToAll, mrYesToAll},
    {mbHelp, QMessageBox::Help, mrNone},
    {mbClose, QMessageBox::Close, mrClose},
};

QColor ToQColor(TColor AColor)
{
    return QColor(ColorRed(AColor), ColorGreen(AColor), ColorBlue(AColor));
}

TColor FromQColor(const QColor& AColor)
{
    return RGBToColor(AColor.red(), AColor.green(), AColor.blue());
}

void DressMessageBox(QMessageBox& ABox, const QString& AMsg, TMsgDlgType AKind)
{
    static const char* const Titles[] = {"Warning", "Error", "Information", "Confirm", ""};
    static const QMessageBox::Icon Icons[] = {QMessageBox::Warning, QMessageBox::Critical, QMessageBox::Information,
        QMessageBox::Question, QMessageBox::NoIcon};
    ABox.setWindowTitle(QString::fromLatin1(Titles[AKind]));
    ABox.setIcon(Icons[AKind]);
    ABox.setText(QString(AMsg).replace(QLatin1String("\r\n"), QLatin1String("\n")));
}

void PlaceMessageBox(QMessageBox& ABox)
{
    std::optional<QRect> active;
    if (QWidget* window = TQtDialogs::ActiveWindow())
        active = window->frameGeometry();
    if (const auto position = MessageBoxPosition(active))
        ABox.move(*position);
}

} // namespace

QWidget* TQtDialogs::ActiveWindow()
{
    if (QWidget* active = QApplication::activeWindow())
        return active;
    // Right after a dialog closed the window system may not have activated
    // the program's window again yet.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && qobject_cast<QMainWindow*>(window))
            return window;
    return nullptr;
}

void TQtDialogs::CenterOverProgram(QWidget& ADialog)
{
    ADialog.adjustSize();
    std::optional<QRect> over;
    if (QWidget* window = ActiveWindow())
        over = window->frameGeometry();
    const QRect screen = AvailableScreenArea(over ? over->center() : QPoint());
    ADialog.move(CenterFormPosition(over, screen, ADialog.size()));
}

int TQtDialogs::MessageBox(const QString& AMsg, TMsgDlgType AKind, TMsgDlgButtons AButtons)
{
    QMessageBox box(ActiveWindow());
    DressMessageBox(box, AMsg, AKind);
    QMessageBox::StandardButtons buttons;
    for (const auto& b : ButtonMap)
        if (AButtons & b.Button)
            buttons |= b.Qt;
    box.setStandardButtons(buttons ? buttons : QMessageBox::Ok);
    PlaceMessageBox(box);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& b : ButtonMap)
        if (b.Qt == clicked)
            return b.Result;
    // Escape or the window's close button.
    return (AButtons & mbCancel) ? mrCancel : ((AButtons & mbNo) ? mrNo : mrOk);
}

int TQtDialogs::Choose(const QString& AMsg, TMsgDlgType AKind, const QStringList& AChoices)
{
    QMessageBox box(ActiveWindow());
    box.setObjectName(QStringLiteral("ChoiceBox"));
    DressMessageBox(box, AMsg, AKind);
    std::vector<QAbstractButton*> buttons;
    for (int i = 0; i < AChoices.size(); ++i) {
        // Action roles keep the buttons in the order given.
        QPushButton* button = box.addButton(AChoices[i], QMessageBox::ActionRole);
        button->setObjectName(QStringLiteral("ChoiceButton%1").arg(i));
        buttons.push_back(button);
    }
    PlaceMessageBox(box);
    box.exec();
    const auto found = std::find(buttons.begin(), buttons.end(), box.clickedButton());
    return found == buttons.end() ? -1 : static_cast<int>(found - buttons.begin());
}

bool TQtDialogs::InputQuery(const QString& ACaption, const QString& APrompt, QString& AValue, int AMaxLength)
{
    QInputDialog dialog(ActiveWindow());
    dialog.setWindowTitle(ACaption);
    dialog.setLabelText(APrompt);
    dialog.setTextValue(AValue);
    if (AMaxLength > 0)
        if (auto* edit = dialog.findChild<QLineEdit*>())
            LimitInput(edit, AMaxLength);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    AValue = AMaxLength > 0 ? CutText(dialog.textValue(), AMaxLength) : dialog.textValue();
    return true;
}

bool TQtDialogs::SelectColor(TColor& AColor, QList<TColor>& ACustomColors)
{
    for (int i = 0; i < QColorDialog::customCount() && i < ACustomColors.size(); ++i)
        QColorDialog::setCustomColor(i, ToQColor(ACustomColors[i]));
    QColorDialog dialog(ToQColor(AColor), ActiveWindow());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    const bool ok = dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < QColorDialog::customCount() && i < ACustomColors.size(); ++i)
        ACustomColors[i] = FromQColor(QColorDialog::customColor(i));
    if (ok)
        AColor = FromQColor(dialog.selectedColor());
    return ok;
}

bool TQtDialogs::SelectFolder(const QString& ACaption, QString& AFolder)
{
    const QString folder = QFileDialog::getExistingDirectory(ActiveWindow(), ACaption, AFolder);
    if (folder.isEmpty())
        return false;
    AFolder = folder;
    return true;
}

bool TQtDialogs::OpenFile(const QString& ATitle, const QString& AFilter, QString& AFileName)
{
    const QString file = QFileDialog::getOpenFileName(ActiveWindow(), ATitle, AFileName, AFilter);
    if (file.isEmpty())
        return false;
    AFileName = file;
    return true;
}

bool TQtDialogs::SaveFile(const QString& ATitle, const QString& AFilter, QString& AFileName)
{
    const QString file = QFileDialog::getSaveFileName(ActiveWindow(), ATitle, AFileName, AFilter);
    if (file.isEmpty())
        return false;
    AFileName = file;
    return true;
}

bool TQtDialogs::SelectDateRange(const QString& ACaption, TDate& AFrom, TDate& ATo)
{
    QDialog dialog(ActiveWindow());
    dialog.setObjectName(QStringLiteral("DateRangeDialog"));
    dialog.setWindowTitle(ACaption);
    auto* form = new QFormLayout(&dialog);
    auto dateEdit = [&](const QString& AName, TDate AValue) {
        auto* edit = new QDateEdit(OleToDate(AValue), &dialog);
        edit->setObjectName(AName);
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
        return edit;
    };
    QDateEdit* from = dateEdit(QStringLiteral("DateFrom"), AFrom);
    QDateEdit* to = dateEdit(QStringLiteral("DateTo"), ATo);
    form->addRow(QStringLiteral("&From:"), from);
    form->addRow(QStringLiteral("&To:"), to);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    // The end never lies before the start.
    QObject::connect(from, &QDateEdit::dateChanged, to, [to](QDate ADate) { to->setMinimumDate(ADate); });
    to->setMinimumDate(from->date());
    if (dialog.exec() != QDialog::Accepted)
        return false;
    AFrom = DateToOle(from->date());
    ATo = DateToOle(to->date());
    return true;
}

bool TQtDialogs::PickEntry(const QString& ACaption, const QStringList& AEntries, int& AChosen)
{
    if (AEntries.isEmpty())
        return false;
    TPickEntryDialog dialog(ACaption, AEntries, AChosen, ActiveWindow());
    CenterOverProgram(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen() < 0)
        return false;
    AChosen = dialog.Chosen();
    return true;
}

bool TQtDialogs::PrintSetup(QPagedPaintDevice* APrinter)
{
    auto* printer = dynamic_cast<QPrinter*>(APrinter);
    if (!printer)
        return false;
    QPrintDialog dialog(printer, ActiveWindow());
    return dialog.exec() == QDialog::Accepted;
}

bool TQtDialogs::ReportOutputOptions(TReportDestination& ADestination, const QString& ATarget)
{
    QDialog dialog(ActiveWindow());
    dialog.setWindowTitle(QStringLiteral("Output Options"));
    auto* layout = new QVBoxLayout(&dialog);
    const bool toFile = ADestination == rdFile;
    auto* chosen = new QRadioButton(toFile ? QStringLiteral("File (PDF)") : QStringLiteral("Printer"), &dialog);
    chosen->setObjectName(QStringLiteral("RBOutputChosen"));
    auto* target = new QLabel(ATarget, &dialog);
    target->setObjectName(QStringLiteral("LabelOutputTarget"));
    target->setTextInteractionFlags(Qt::TextSelectableByMouse);
    target->setIndent(24);
    auto* preview = new QRadioButton(QStringLiteral("Preview"), &dialog);
    preview->setObjectName(QStringLiteral("RBOutputPreview"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(chosen);
    layout->addWidget(target);
    layout->addWidget(preview);
    layout->addWidget(buttons);
    (ADestination == rdPreview ? preview : chosen)->setChecked(true);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    CenterOverProgram(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (preview->isChecked())
        ADestination = rdPreview;
    else
        ADestination = toFile ? rdFile : rdPrinter;
    return true;
}

void TQtDialogs::ReportPreview(QPagedPaintDevice* APrinter, const std::function<void(QPagedPaintDevice*)>& APaint)
{
    auto* printer = dynamic_cast<QPrinter*>(APrinter);
    if (!printer)
        return;
    QPrintPreviewDialog dialog(printer, ActiveWindow());
    dialog.setWindowTitle(QStringLiteral("Report Preview"));
    if (auto* widget = dialog.findChild<QPrintPreviewWidget*>()) {
        widget->setZoomMode(QPrintPreviewWidget::FitToWidth);
        // The pages exist only once the dialog shows, and the view then sits
        // at their middle: go to the top of the first page once.
        auto placed = std::make_shared<bool>(false);
        QObject::connect(widget, &QPrintPreviewWidget::previewChanged, &dialog, [widget, placed] {
            if (*placed)
                return;
            *placed = true;
            QTimer::singleShot(0, widget, [widget] {
                if (auto* view = widget->findChild<QGraphicsView*>())
                    view->verticalScrollBar()->setValue(view->verticalScrollBar()->minimum());
            });
        });
    }
    QObject::connect(
        &dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* APagePrinter) { APaint(APagePrinter); });
    dialog.exec();
}

std::unique_ptr<ISCModalEditor> TQtDialogs::CreateEditor(const QString& AClassName)
{
    const auto it = FEditors.find(AClassName);
    return it == FEditors.end() ? nullptr : it->second();
}

void TQtDialogs::RegisterEditor(const QString& AClassName, std::function<std::unique_ptr<ISCModalEditor>()> AFactory)
{
    FEditors[AClassName] = std::move(AFactory);
}
