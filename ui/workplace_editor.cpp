#include "ui/workplace_editor.h"

#include "core/dialogs.h"
#include "data/data_man.h"
#include "ui/view_resources.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template <class T>
T* Named(T* AWidget, const char* AName)
{
    AWidget->setObjectName(QString::fromLatin1(AName));
    return AWidget;
}

QLabel* RowLabel(const char* ACaption)
{
    auto* label = new QLabel(QString::fromLatin1(ACaption));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

constexpr int LabelColumnWidth = 215;
constexpr int InputColumnWidth = 250;
constexpr int BottomPanelHeight = 41;
constexpr int SwatchWidth = 16;

// The strip's swatches as red, green, blue.
constexpr QRgb Swatches[16] = {0xFFDFDF, 0xFFEBDF, 0xFFF8DF, 0xEFFFDF, 0xE3FFDF, 0xDFFFE8, 0xDFFFF3, 0xDFFFFF,
                               0xDFF3FF, 0xDFE8FF, 0xE3DFFF, 0xEFDFFF, 0xFBDFFF, 0xFFDFF8, 0xFFDFEB, 0xEFEFEF};

// 16 swatches of 16 pixels framed by grey lines: 257 by 15.
QImage PaletteImage()
{
    QImage image(16 * SwatchWidth + 1, 15, QImage::Format_RGB32);
    image.fill(QColor(128, 128, 128));
    QPainter painter(&image);
    for (int i = 0; i < 16; ++i)
        painter.fillRect(i * SwatchWidth + 1, 1, SwatchWidth - 1, image.height() - 2, QColor::fromRgb(Swatches[i]));
    return image;
}
} // namespace

TWorkplaceEditor::TWorkplaceEditor(QWidget* AParent) : TSCForm(AParent), FPaletteImage(PaletteImage())
{
    setObjectName(QStringLiteral("WorkplaceEditor"));
    setWindowTitle(QStringLiteral("Workplace"));

    EditName = Named(new QLineEdit, "EditName");
    EditName->setMaxLength(40);
    EditName->setToolTip(QStringLiteral("Workplace Name must be filled"));
    EditName->setMinimumWidth(InputColumnWidth);
    EditShortcut = Named(new QLineEdit, "EditShortcut");
    EditShortcut->setMaxLength(5);
    EditShortcut->setToolTip(QStringLiteral("Must be filled"));
    EditShortcut->setMinimumWidth(64);
    EditShortcut->setMaximumWidth(EditShortcut->fontMetrics().horizontalAdvance(QStringLiteral("WWWWW")) + 16);
    EditColor = Named(new QLineEdit, "EditColor");
    EditColor->setReadOnly(true);
    QAction* colorButton = EditColor->addAction(ButtonEditIcon(), QLineEdit::TrailingPosition);
    colorButton->setObjectName(QStringLiteral("EditColorButton"));
    connect(colorButton, &QAction::triggered, this, [this] { ControlChanged(EditColor); });
    ImageColors = Named(new QLabel, "ImageColors");
    ImageColors->setPixmap(QPixmap::fromImage(FPaletteImage));
    ImageColors->setFixedSize(FPaletteImage.size());
    ImageColors->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ImageColors->setCursor(Qt::CrossCursor);
    EditNote = Named(new QLineEdit, "EditNote");
    EditNote->setMaxLength(80);

    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, LabelColumnWidth);
    grid->setColumnStretch(1, 1);
    grid->addWidget(RowLabel("Workplace Name"), 0, 0);
    grid->addWidget(EditName, 0, 1);
    grid->addWidget(RowLabel("Shortcut and Color"), 1, 0);
    auto* shortcutRow = new QHBoxLayout;
    shortcutRow->addWidget(EditShortcut);
    shortcutRow->addWidget(EditColor, 1);
    grid->addLayout(shortcutRow, 1, 1);
    grid->addWidget(ImageColors, 2, 1, Qt::AlignLeft);
    grid->addWidget(RowLabel("Note"), 3, 0);
    grid->addWidget(EditNote, 3, 1);

    ButtonOK = Named(new QPushButton(QStringLiteral("OK")), "ButtonOK");
    ButtonCancel = Named(new QPushButton(QStringLiteral("Close")), "ButtonCancel");
    ButtonOK->setAutoDefault(false);
    ButtonCancel->setAutoDefault(false);
    auto* bottom = new QWidget;
    bottom->setObjectName(QStringLiteral("PanelBottom"));
    bottom->setMinimumHeight(BottomPanelHeight);
    auto* buttons = new QHBoxLayout(bottom);
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->addStretch();
    buttons->addWidget(ButtonOK);
    buttons->addWidget(ButtonCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addStretch();
    layout->addWidget(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    const std::initializer_list<QWidget*> tabOrder{EditName, EditShortcut, EditColor, EditNote, ButtonCancel, ButtonOK};
    for (auto it = tabOrder.begin(); it + 1 != tabOrder.end(); ++it)
        QWidget::setTabOrder(*it, *(it + 1));

    connect(ButtonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    for (QWidget* control :
         std::initializer_list<QWidget*>{EditName, EditShortcut, EditColor, EditNote, ButtonOK, ButtonCancel})
        control->installEventFilter(this);
    ImageColors->installEventFilter(this);
}

TWorkplaceEditor::~TWorkplaceEditor()
{
    FClosing = true;
    if (FWorkplace && FWorkplace->Editor() == static_cast<ISCModalEditor*>(this))
        FWorkplace->SetEditor(nullptr);
}

QString TWorkplaceEditor::ColorText(TColor AColor)
{
    return QLatin1Char('$') + QStringLiteral("%1").arg(AColor, 8, 16, QLatin1Char('0')).toUpper();
}

void TWorkplaceEditor::SetWorkplace(TWorkplace* AWorkplace)
{
    FWorkplace = AWorkplace;
    DataChanged(FWorkplace, QString());
}

void TWorkplaceEditor::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCForm::DataChanged(ASender, AValueName);
    if (!FWorkplace || (ASender && ASender != FWorkplace))
        return;
    const bool silent = FSilent;
    FSilent = true;
    const bool all = AValueName.isEmpty();
    auto is = [&](const char* AName) {
        const QString name = QString::fromLatin1(AName);
        return all || AValueName == name || AValueName == name + QLatin1Char('*');
    };
    if (all || AValueName == QLatin1String("Modified")) {
        ButtonOK->setEnabled(FWorkplace->IsValid() && (FWorkplace->Modified() || FWorkplace->ID() == 0));
        ButtonCancel->setText(ButtonOK->isEnabled() ? QStringLiteral("Cancel") : QStringLiteral("Close"));
    }
    if (is("Name"))
        EditName->setText(FWorkplace->Name());
    if (is("Shortcut"))
        EditShortcut->setText(FWorkplace->Shortcut());
    if (is("Color")) {
        const TColor color = FWorkplace->Color();
        EditColor->setText(ColorText(color));
        QPalette palette = EditColor->palette();
        palette.setColor(QPalette::Base, QColor(ColorRed(color), ColorGreen(color), ColorBlue(color)));
        palette.setColor(QPalette::Text, Qt::black);
        EditColor->setPalette(palette);
    }
    if (is("Note"))
        EditNote->setText(FWorkplace->Note());
    FSilent = silent;
}

void TWorkplaceEditor::ControlChanged(QObject* ASender)
{
    if (!FWorkplace || FSilent || FClosing)
        return;
    if (ASender == EditName)
        FWorkplace->SetName(EditName->text());
    else if (ASender == EditShortcut)
        FWorkplace->SetShortcut(EditShortcut->text());
    else if (ASender == EditNote)
        FWorkplace->SetNote(EditNote->text());
    else if (ASender == EditColor)
        SelectColor();
    else if (ASender == ImageColors)
        FWorkplace->SetColor(FColor);
}

void TWorkplaceEditor::SelectColor()
{
    TColorDlg fallback;
    TColorDlg& dialog = TDataMan::Instance() ? TDataMan::Instance()->ColorDlg() : fallback;
    dialog.SetColor(FWorkplace->Color());
    if (dialog.Execute())
        FWorkplace->SetColor(dialog.Color());
}

void TWorkplaceEditor::ControlMouseDown(QObject* ASender, Qt::MouseButton, Qt::KeyboardModifiers, int AX, int)
{
    if (ASender != ImageColors)
        return;
    const int x = std::clamp(AX, 0, 16 * SwatchWidth - 1);
    const QRgb pixel = FPaletteImage.pixel(x / SwatchWidth * SwatchWidth + SwatchWidth / 2, 8);
    FColor = RGBToColor(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

void TWorkplaceEditor::FormShow()
{
    EditName->setFocus();
}

void TWorkplaceEditor::CommitFocusedEdit()
{
    for (QLineEdit* edit : {EditName, EditShortcut, EditNote})
        if (edit->hasFocus())
            ControlChanged(edit);
}

void TWorkplaceEditor::done(int AResult)
{
    if (FClosing)
        return;
    CommitFocusedEdit();
    if (AResult == QDialog::Accepted && !ButtonOK->isEnabled())
        return; // the field just committed left the workplace invalid
    if (AResult != QDialog::Accepted && ButtonOK->isEnabled()) {
        const int answer = ShowMessageBox(QStringLiteral("The workplace is not saved. Do you want to save?"),
                                          mtConfirmation, mbYes | mbNo | mbCancel);
        if (answer == mrYes)
            AResult = QDialog::Accepted;
        else if (answer != mrNo)
            return;
    }
    FClosing = true;
    TSCForm::done(AResult);
}

void TWorkplaceEditor::FormKeyPress(QWidget* AFrom)
{
    QWidget* next = nullptr;
    if (AFrom == EditName)
        next = EditShortcut;
    else if (AFrom == EditShortcut)
        next = EditColor;
    else if (AFrom == EditColor)
        next = EditNote;
    else if (AFrom == EditNote)
        next = ButtonCancel;
    else if (AFrom == ButtonCancel && ButtonOK->isEnabled())
        next = ButtonOK;
    else if (AFrom == ButtonOK) {
        ButtonOK->click();
        return;
    }
    if (next)
        next->setFocus(Qt::TabFocusReason);
}

bool TWorkplaceEditor::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    switch (AEvent->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(AEvent);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            FormKeyPress(qobject_cast<QWidget*>(AWatched));
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            reject();
            return true;
        }
        break;
    }
    case QEvent::FocusOut:
        if (AWatched == EditName || AWatched == EditShortcut || AWatched == EditNote)
            ControlChanged(AWatched);
        break;
    case QEvent::MouseButtonDblClick:
        if (AWatched == EditColor) {
            ControlChanged(EditColor);
            return true;
        }
        break;
    case QEvent::MouseButtonPress:
        if (AWatched == ImageColors) {
            auto* mouse = static_cast<QMouseEvent*>(AEvent);
            const QPoint at = mouse->position().toPoint();
            ControlMouseDown(ImageColors, mouse->button(), mouse->modifiers(), at.x(), at.y());
            FPalettePressed = mouse->button() == Qt::LeftButton;
            return true;
        }
        break;
    case QEvent::MouseButtonRelease:
        if (AWatched == ImageColors) {
            auto* mouse = static_cast<QMouseEvent*>(AEvent);
            // A click: pressed and released on the strip with the left button.
            if (FPalettePressed && mouse->button() == Qt::LeftButton &&
                ImageColors->rect().contains(mouse->position().toPoint()))
                ControlChanged(ImageColors);
            FPalettePressed = false;
            return true;
        }
        break;
    default:
        break;
    }
    return TSCForm::eventFilter(AWatched, AEvent);
}
