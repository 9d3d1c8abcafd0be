// Line edits limited to the size of the field they fill. QLineEdit's own
// maximum cuts typed or pasted text in UTF-16 units and can keep half a
// character; these limits cut between characters, as the stored text is cut.
#pragma once

class QLineEdit;

// At most AMaxLength UTF-16 units; an insertion that does not fit keeps
// those of its characters that do.
void LimitInput(QLineEdit* AEdit, int AMaxLength);
// The limit LimitInput set; 0 for none.
int InputLimit(const QLineEdit* AEdit);
