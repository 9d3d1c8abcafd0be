#include "ui/top_band.h"

#include "setup/setup.h"
#include "ui/frame_info.h"
#include "ui/view_resources.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

QString TTopBand::EditNotesHint()
{
    return QStringLiteral("Edit left captions (company, address, contact informations..)");
}

void TTopBand::SetEditNotesIcon(QAction* AAction)
{
    AAction->setIcon(ButtonEditIcon());
}

TTopBand::TTopBand(QWidget* AParent, QWidget* ALogo, const QString& ACaption, QAction* AEditNotes)
    : QWidget(AParent),
      FLogo(ALogo)
{
    setObjectName(QStringLiteral("PanelTop"));
    FLogo->setParent(this);
    FLogo->setFixedSize(70, 70);
    PanelTopClient = new QWidget(this);
    PanelTopClient->setObjectName(QStringLiteral("PanelTopClient"));
    LabelTopCaption = new QLabel(ACaption, PanelTopClient);
    LabelTopCaption->setObjectName(QStringLiteral("LabelTopCaption"));
    LabelTopCaption->setFont(LargeFont(font(), true, 1.5));
    // A long name takes the width beside the date and is cut with "…" there.
    LabelTopCaption->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    LabelTopDate = new QLabel(PanelTopClient);
    LabelTopDate->setObjectName(QStringLiteral("LabelTopDate"));
    LabelTopDate->setFont(LargeFont(font(), true, 1.5));
    LabelTopDate->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    PanelTopMark = new QWidget(PanelTopClient);
    PanelTopMark->setObjectName(QStringLiteral("PanelTopMark"));
    auto* mark = new QHBoxLayout(PanelTopMark);
    mark->setContentsMargins(0, 0, 8, 0);
    mark->setSpacing(4);
    auto* markPicture = new QLabel(PanelTopMark);
    markPicture->setObjectName(QStringLiteral("ImageTopMark"));
    // The picture the lists show for a worker who is away.
    markPicture->setPixmap(SmallIcon(1).pixmap(16, 16));
    mark->addWidget(markPicture);
    LabelTopMark = new QLabel(PanelTopMark);
    LabelTopMark->setObjectName(QStringLiteral("LabelTopMark"));
    QFont markFont = font();
    markFont.setBold(true);
    LabelTopMark->setFont(markFont);
    QPalette markPalette = LabelTopMark->palette();
    markPalette.setColor(QPalette::WindowText, QColor(170, 30, 30));
    LabelTopMark->setPalette(markPalette);
    mark->addWidget(LabelTopMark);
    PanelTopMark->hide();

    PanelTopNote = new QWidget(PanelTopClient);
    PanelTopNote->setObjectName(QStringLiteral("PanelTopNote"));
    LabelTopNote = new QLabel(PanelTopNote);
    LabelTopNote->setObjectName(QStringLiteral("LabelTopNote"));
    QFont bold = font();
    bold.setBold(true);
    LabelTopNote->setFont(bold);
    LabelTopNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    LabelTopSubnote = new QLabel(PanelTopNote);
    LabelTopSubnote->setObjectName(QStringLiteral("LabelTopSubnote"));
    LabelTopSubnote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SBEditNotes = new QToolButton(PanelTopNote);
    SBEditNotes->setObjectName(QStringLiteral("SBEditNotes"));
    SBEditNotes->setDefaultAction(AEditNotes);
    SBEditNotes->setToolButtonStyle(Qt::ToolButtonIconOnly);
    SBEditNotes->setAutoRaise(true);
    const int buttonSide = std::max(22, fontMetrics().height() + 6);
    SBEditNotes->setFixedSize(buttonSide, buttonSide);
    FrameInfo = new TFrameInfo(PanelTopNote);
    PanelTopNote->installEventFilter(this);

    // Two note lines at least; never shorter than the drawn 37 pixels.
    const int noteHeight = std::max(
        {37, QFontMetrics(bold).height() + fontMetrics().height() + 2, FrameInfo->height() + 1, buttonSide + 1});
    PanelTopNote->setFixedHeight(noteHeight);
    const int captionHeight = QFontMetrics(LabelTopCaption->font()).height();
    setFixedHeight(std::max(70, captionHeight + noteHeight + 4));

    auto* client = new QGridLayout(PanelTopClient);
    client->setContentsMargins(0, 0, 0, 0);
    client->setSpacing(0);
    client->addWidget(LabelTopCaption, 0, 0, Qt::AlignTop);
    client->addWidget(PanelTopMark, 0, 1, Qt::AlignRight | Qt::AlignVCenter);
    client->addWidget(LabelTopDate, 0, 2, Qt::AlignRight | Qt::AlignTop);
    client->addWidget(PanelTopNote, 2, 0, 1, 3);
    client->setRowStretch(1, 1);
    client->setColumnStretch(0, 1);
    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(10);
    top->addWidget(FLogo, 0, Qt::AlignVCenter);
    top->addWidget(PanelTopClient, 1);
}

TTopBand::~TTopBand()
{
    PanelTopNote->removeEventFilter(this);
}

void TTopBand::SetupChanged(TObject* ASender, const QString& AValueName)
{
    auto* senderSetup = dynamic_cast<TSetup*>(ASender);
    auto* senderGeneral = dynamic_cast<TSetupGeneral*>(ASender);
    if (ASender && !senderSetup && !senderGeneral)
        return;
    TSetupGeneral* general = senderGeneral        ? senderGeneral
                             : senderSetup        ? senderSetup->General()
                             : TSetup::Instance() ? TSetup::Instance()->General()
                                                  : nullptr;
    const bool all = AValueName.isEmpty();
    if (all || AValueName == QLatin1String("Logo")) {
        const QImage logo = general ? general->LogoImage() : QImage();
        if (auto* label = qobject_cast<QLabel*>(FLogo)) {
            if (logo.isNull())
                label->clear();
            else
                label->setPixmap(QPixmap::fromImage(logo));
        } else if (auto* button = qobject_cast<QAbstractButton*>(FLogo)) {
            button->setIcon(logo.isNull() ? QIcon() : QIcon(QPixmap::fromImage(logo)));
            button->setIconSize(logo.isNull() ? QSize() : logo.size().boundedTo(FLogo->size()));
        }
    }
    if (all || AValueName == QLatin1String("Note"))
        LabelTopNote->setText(general ? general->Note() : QString());
    if (all || AValueName == QLatin1String("SubNote") || AValueName == QLatin1String("Subnote"))
        LabelTopSubnote->setText(general ? general->Subnote() : QString());
    FrameInfo->setVisible(LabelTopNote->text().isEmpty() && LabelTopSubnote->text().isEmpty());
}

void TTopBand::SetAbsenceMark(const QStringList& ALines)
{
    PanelTopMark->setVisible(!ALines.isEmpty());
    if (ALines.isEmpty())
        return;
    LabelTopMark->setText(QStringLiteral("%1 away").arg(ALines.size()));
    const QString lines = ALines.join(QLatin1Char('\n'));
    PanelTopMark->setToolTip(lines);
    PanelTopMark->setAccessibleName(QStringLiteral("Planned while away: %1").arg(ALines.size()));
    PanelTopMark->setAccessibleDescription(lines);
}

bool TTopBand::eventFilter(QObject* AWatched, QEvent* AEvent)
{
    if (AWatched == PanelTopNote && AEvent->type() == QEvent::Resize)
        PanelTopNoteResize();
    return QWidget::eventFilter(AWatched, AEvent);
}

void TTopBand::PanelTopNoteResize()
{
    const int width = PanelTopNote->width();
    const int height = PanelTopNote->height();
    SBEditNotes->move(width - SBEditNotes->width() - 1, (height - SBEditNotes->height()) / 2);
    FrameInfo->move(SBEditNotes->x() - FrameInfo->width(), (height - FrameInfo->height()) / 2);
    const int textWidth = std::max(0, SBEditNotes->x() - 4);
    const int noteHeight = LabelTopNote->fontMetrics().height();
    LabelTopNote->setGeometry(0, 0, textWidth, noteHeight);
    LabelTopSubnote->setGeometry(0, noteHeight, textWidth, std::max(0, height - noteHeight));
}
