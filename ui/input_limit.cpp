#include "ui/input_limit.h"

#include "core/utils.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace {

class TInputLimit final : public QValidator {
public:
    TInputLimit(int AMaxLength, QObject* AParent) : QValidator(AParent), FMaxLength(AMaxLength) {}
    int MaxLength() const { return FMaxLength; }

    State validate(QString& AInput, int& APos) const override
    {
        if (AInput.size() <= FMaxLength)
            return Acceptable;
        // The cursor stands after what was just typed or pasted: that is cut,
        // the text behind it stays.
        const qsizetype pos = std::clamp<qsizetype>(APos, 0, AInput.size());
        const QString tail = AInput.mid(pos);
        if (tail.size() > FMaxLength) {
            AInput = CutText(AInput, FMaxLength);
            APos = static_cast<int>(AInput.size());
            return Acceptable;
        }
        const QString head = CutText(AInput.left(pos), FMaxLength - tail.size());
        AInput = head + tail;
        APos = static_cast<int>(head.size());
        return Acceptable;
    }

private:
    int FMaxLength;
};

} // namespace

void LimitInput(QLineEdit* AEdit, int AMaxLength)
{
    if (!AEdit)
        return;
    AEdit->setValidator(new TInputLimit(AMaxLength, AEdit));
}

int InputLimit(const QLineEdit* AEdit)
{
    const auto* limit = AEdit ? dynamic_cast<const TInputLimit*>(AEdit->validator()) : nullptr;
    return limit ? limit->MaxLength() : 0;
}
