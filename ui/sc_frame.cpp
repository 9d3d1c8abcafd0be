#include "ui/sc_frame.h"

TSCFrame::TSCFrame(QWidget* AParent) : QWidget(AParent) {}

void TSCFrame::DataChanged(TObject*, const QString&) {}
