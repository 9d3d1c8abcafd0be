#include "ui/workplace_editor.h"

#include "data/data_man.h"
#include "ui/input_limit.h"
#include "ui/view_resources.h"

#include <QAction>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int SwatchWidth = 16;

// The strip's swatches as red, green, blue.
constexpr QRgb Swatches[16] = {0xFFDFDF, 0xFFEBDF, 0xFFF8DF, 0xEFFFDF, 0xE3FFDF, 0xDFFFE8, 0xDFFFF3, 0xDFFFFF, 0xDFF3FF,
    0xDFE8FF, 0xE3DFFF, 0xEFDFFF, 0xFBDFFF, 0xFFDFF8, 0xFFDFEB, 0xEFEFEF};

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

TWorkplaceEditor::TWorkplaceEditor(QWidget* AParent)
    : TSCModalEditor(QStringLiteral("The workplace is not saved. Do you want to save?"), AParent),
      FPaletteImage(PaletteImage())
{
    setObjectName(QStringLiteral("WorkplaceEditor"));
    setWindowTitle(QStringLiteral("Workplace"));

    EditName = Named(new QLineEdit, "EditName");
    LimitInput(EditName, 40);
    EditName->setToolTip(QStringLiteral("Workplace Name must be filled"));
    EditName->setMinimumWidth(InputColumnWidth);
    EditShortcut = Named(new QLineEdit, "EditShortcut");
    LimitInput(EditShortcut, 5);
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
    LimitInput(EditNote, 80);

    auto* grid = new QGridLayout;
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

    LayOutFields(grid);

    SetEnterWalk({EditName, EditShortcut, EditColor, EditNote});
    FCommitEdits = {EditName, EditShortcut, EditNote};
    ImageColors->installEventFilter(this);
}

QString TWorkplaceEditor::ColorText(TColor AColor)
{
    return QLatin1Char('$') + QStringLiteral("%1").arg(AColor, 8, 16, QLatin1Char('0')).toUpper();
}

void TWorkplaceEditor::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCForm::DataChanged(ASender, AValueName);
    if (!FObject || (ASender && ASender != FObject))
        return;
    const bool silent = FSilent;
    FSilent = true;
    const bool all = AValueName.isEmpty();
    auto is = [&](const char* AName) { return all || IsValueName(AValueName, AName); };
    if (all || AValueName == QLatin1String("Modified"))
        SetCanSave(FObject->IsValid() && (FObject->Modified() || FObject->ID() == 0));
    if (is("Name"))
        EditName->setText(FObject->Name());
    if (is("Shortcut"))
        EditShortcut->setText(FObject->Shortcut());
    if (is("Color")) {
        const TColor color = FObject->Color();
        EditColor->setText(ColorText(color));
        QPalette palette = EditColor->palette();
        palette.setColor(QPalette::Base, QColor(ColorRed(color), ColorGreen(color), ColorBlue(color)));
        palette.setColor(QPalette::Text, Qt::black);
        EditColor->setPalette(palette);
    }
    if (is("Note"))
        EditNote->setText(FObject->Note());
    FSilent = silent;
}

void TWorkplaceEditor::ControlChanged(QObject* ASender)
{
    if (!FObject || FSilent || FClosing)
        return;
    if (ASender == EditName)
        FObject->SetName(EditName->text());
    else if (ASender == EditShortcut)
        FObject->SetShortcut(EditShortcut->text());
    else if (ASender == EditNote)
        FObject->SetNote(EditNote->text());
    else if (ASender == EditColor)
        SelectColor();
    else if (ASender == ImageColors)
        FObject->SetColor(FColor);
}

void TWorkplaceEditor::SelectColor()
{
    TColorDlg fallback;
    TColorDlg& dialog = TDataMan::Instance() ? TDataMan::Instance()->ColorDlg() : fallback;
    dialog.SetColor(FObject->Color());
    if (dialog.Execute())
        FObject->SetColor(dialog.Color());
}

void TWorkplaceEditor::ControlMouseDown(QObject* ASender, Qt::MouseButton, Qt::KeyboardModifiers, int AX, int)
{
    if (ASender != ImageColors)
        return;
    const int x = std::clamp(AX, 0, 16 * SwatchWidth - 1);
    const QRgb pixel = FPaletteImage.pixel(x / SwatchWidth * SwatchWidth + SwatchWidth / 2, 8);
    FColor = RGBToColor(qRed(pixel), qGreen(pixel), qBlue(pixel));
}

bool TWorkplaceEditor::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    switch (AEvent->type()) {
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
            if (FPalettePressed && mouse->button() == Qt::LeftButton
                && ImageColors->rect().contains(mouse->position().toPoint()))
                ControlChanged(ImageColors);
            FPalettePressed = false;
            return true;
        }
        break;
    default:
        break;
    }
    return TSCModalEditor::eventFilter(AWatched, AEvent);
}
