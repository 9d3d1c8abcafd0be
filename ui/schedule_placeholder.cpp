#include "ui/schedule_placeholder.h"

#include "schedule/worker/person_schedule.h"
#include "schedule/workplace/workplace_schedule.h"
#include "ui/navigator.h"
#include "ui/sc_frame_editor.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TSchedulePlaceholderFrame::TSchedulePlaceholderFrame(const QString& ACaption, QWidget* AParent) : TSCFrame(AParent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 5, 10, 5);
    auto* caption = new QLabel(ACaption, this);
    caption->setObjectName(QStringLiteral("LabelTopCaption"));
    QFont font = caption->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.6);
    caption->setFont(font);
    layout->addWidget(caption);
    auto* note = new QLabel(tr("This schedule cannot be shown in this version of the program."), this);
    note->setObjectName(QStringLiteral("LabelNote"));
    layout->addWidget(note);
    auto* back = new QPushButton(tr("Daily schedule"), this);
    back->setObjectName(QStringLiteral("ButtonDailySchedule"));
    connect(back, &QPushButton::clicked, this, [] {
        if (ISCNavigator* navigator = Navigator())
            navigator->ShowDailySchedule(0);
    });
    layout->addWidget(back, 0, Qt::AlignLeft);
    layout->addStretch(1);
}

void TSchedulePlaceholderFrame::InstallFactories()
{
    TPersonSchedule::SetFrameEditorFactory([](TPersonSchedule*) -> std::unique_ptr<ISCFrameEditor> {
        return std::make_unique<TSCFrameEditor<TSchedulePlaceholderFrame>>(
            std::make_unique<TSchedulePlaceholderFrame>(tr("Worker schedule")));
    });
    TWorkplaceSchedule::SetFrameEditorFactory([](TWorkplaceSchedule*) -> std::unique_ptr<ISCFrameEditor> {
        return std::make_unique<TSCFrameEditor<TSchedulePlaceholderFrame>>(
            std::make_unique<TSchedulePlaceholderFrame>(tr("Workplace schedule")));
    });
}

void TSchedulePlaceholderFrame::UninstallFactories()
{
    TPersonSchedule::SetFrameEditorFactory(nullptr);
    TWorkplaceSchedule::SetFrameEditorFactory(nullptr);
}
