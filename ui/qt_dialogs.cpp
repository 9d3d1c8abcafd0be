#include "ui/qt_dialogs.h"

#include "core/utils.h"
#include "ui/input_limit.h"

#include <QApplication>
#include <QButtonGroup>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <QPrinter>

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

} // namespace

QWidget* TQtDialogs::ActiveWindow()
{
    return QApplication::activeWindow();
}

int TQtDialogs::MessageBox(const QString& AMsg, TMsgDlgType AKind, TMsgDlgButtons AButtons)
{
    QMessageBox box(ActiveWindow());
    static const char* const Titles[] = {"Warning", "Error", "Information", "Confirm", ""};
    static const QMessageBox::Icon Icons[] = {QMessageBox::Warning, QMessageBox::Critical,
                                              QMessageBox::Information, QMessageBox::Question,
                                              QMessageBox::NoIcon};
    box.setWindowTitle(QString::fromLatin1(Titles[AKind]));
    box.setIcon(Icons[AKind]);
    box.setText(QString(AMsg).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    QMessageBox::StandardButtons buttons;
    for (const auto& b : ButtonMap)
        if (AButtons & b.Button)
            buttons |= b.Qt;
    box.setStandardButtons(buttons ? buttons : QMessageBox::Ok);
    std::optional<QRect> active;
    if (QWidget* window = ActiveWindow())
        active = window->frameGeometry();
    if (const auto position = MessageBoxPosition(active))
        box.move(*position);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& b : ButtonMap)
        if (b.Qt == clicked)
            return b.Result;
    // Escape or the window's close button.
    return (AButtons & mbCancel) ? mrCancel : ((AButtons & mbNo) ? mrNo : mrOk);
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

bool TQtDialogs::PrintSetup(QPagedPaintDevice* APrinter)
{
    auto* printer = dynamic_cast<QPrinter*>(APrinter);
    if (!printer)
        return false;
    QPrintDialog dialog(printer, ActiveWindow());
    return dialog.exec() == QDialog::Accepted;
}

bool TQtDialogs::ReportOutputOptions(TReportDestination& ADestination, QString& AFileName)
{
    QDialog dialog(ActiveWindow());
    dialog.setWindowTitle(QStringLiteral("Output Options"));
    auto* layout = new QVBoxLayout(&dialog);
    auto* printer = new QRadioButton(QStringLiteral("Printer"), &dialog);
    auto* preview = new QRadioButton(QStringLiteral("Preview"), &dialog);
    auto* file = new QRadioButton(QStringLiteral("File (PDF)"), &dialog);
    auto* group = new QButtonGroup(&dialog);
    group->addButton(printer, rdPrinter);
    group->addButton(preview, rdPreview);
    group->addButton(file, rdFile);
    auto* fileRow = new QHBoxLayout;
    auto* fileName = new QLineEdit(AFileName, &dialog);
    auto* browse = new QPushButton(QStringLiteral("..."), &dialog);
    fileRow->addWidget(fileName);
    fileRow->addWidget(browse);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    layout->addWidget(printer);
    layout->addWidget(preview);
    layout->addWidget(file);
    layout->addLayout(fileRow);
    layout->addWidget(buttons);
    (ADestination == rdPreview ? preview : ADestination == rdFile ? file : printer)->setChecked(true);
    const auto update = [&] {
        fileName->setEnabled(file->isChecked());
        browse->setEnabled(file->isChecked());
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!file->isChecked() || !fileName->text().trimmed().isEmpty());
    };
    update();
    QObject::connect(group, &QButtonGroup::idToggled, &dialog, update);
    QObject::connect(fileName, &QLineEdit::textChanged, &dialog, update);
    QObject::connect(browse, &QPushButton::clicked, &dialog, [&] {
        const QString name = QFileDialog::getSaveFileName(&dialog, QStringLiteral("Save report as"), fileName->text(),
                                                          QStringLiteral("PDF files (*.pdf)"));
        if (!name.isEmpty())
            fileName->setText(name);
    });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    ADestination = static_cast<TReportDestination>(group->checkedId());
    if (ADestination == rdFile) {
        AFileName = fileName->text().trimmed();
        if (!AFileName.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
            AFileName += QStringLiteral(".pdf");
    }
    return true;
}

void TQtDialogs::ReportPreview(QPagedPaintDevice* APrinter, const std::function<void(QPagedPaintDevice*)>& APaint)
{
    auto* printer = dynamic_cast<QPrinter*>(APrinter);
    if (!printer)
        return;
    QPrintPreviewDialog dialog(printer, ActiveWindow());
    dialog.setWindowTitle(QStringLiteral("Report Preview"));
    // The dialog starts fitted to its width; 100 % is set once the pages exist.
    if (auto* widget = dialog.findChild<QPrintPreviewWidget*>()) {
        auto zoomed = std::make_shared<bool>(false);
        QObject::connect(widget, &QPrintPreviewWidget::previewChanged, &dialog, [widget, zoomed] {
            if (*zoomed)
                return;
            *zoomed = true;
            widget->setZoomMode(QPrintPreviewWidget::CustomZoom);
            widget->setZoomFactor(1.0);
        });
    }
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter* APagePrinter) { APaint(APagePrinter); });
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
