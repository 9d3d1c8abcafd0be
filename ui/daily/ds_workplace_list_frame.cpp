#include "ui/daily/ds_workplace_list_frame.h"

#include "schedule/daily/ds_lists.h"

#include <QScrollArea>
#include <QVBoxLayout>

TDSWorkplaceListFrame::TDSWorkplaceListFrame(QWidget* AParent) : TSCFrame(AParent)
{
    setObjectName(QStringLiteral("DSWorkplaceListFrame"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    FScrollBox = new QScrollArea(this);
    FScrollBox->setObjectName(QStringLiteral("ScrollBox"));
    layout->addWidget(FScrollBox);
}

TDSWorkplaceListFrame::~TDSWorkplaceListFrame()
{
    if (FWorkplaces && FWorkplaces->Editor() == this)
        FWorkplaces->SetEditor(nullptr);
}

void TDSWorkplaceListFrame::SetWorkplaces(TDSWorkplaceList* AValue)
{
    if (FWorkplaces && FWorkplaces != AValue && FWorkplaces->Editor() == this)
        FWorkplaces->SetEditor(nullptr);
    if (AValue)
        AValue->SetEditor(this);
    FWorkplaces = AValue;
    DataChanged(nullptr, QString());
}

void TDSWorkplaceListFrame::DataChanged(TObject* ASender, const QString& AValueName)
{
    TSCFrame::DataChanged(ASender, AValueName);
}
