// Texts that may not fit their label: cut with "…" to the label's width, the
// whole text then shown as the label's tool tip.
#pragma once

#include <QString>

class QLabel;

// Shows AText in ALabel, cut to its width; AHint is the tool tip while the
// text fits. Measuring is slow with hundreds of rows: a label cuts again only
// when its text or width changed. AFollowResize cuts again whenever the label
// is resized (for labels placed by a layout).
void SetElidedText(QLabel* ALabel, const QString& AText, const QString& AHint = QString(), bool AFollowResize = false);
// The whole text last given to SetElidedText.
QString ElidedSource(const QLabel* ALabel);
