#include "ui/text_box.h"

#include "io/text_lines.h"

#include <QLineEdit>
#include <algorithm>
#include <limits>

namespace quillset::ui {

namespace {

constexpr int kNoLimit = std::numeric_limits<int>::max();

int maxLengthFor(int typingLimit) {
    return typingLimit > 0 ? typingLimit : kNoLimit;
}

int typingLimitOf(const QLineEdit* box) {
    const auto* validator = qobject_cast<const SingleLineValidator*>(box->validator());
    return validator ? validator->typingLimit() : 0;
}

} // namespace

SingleLineValidator::SingleLineValidator(int typingLimit, QObject* parent)
    : QValidator(parent), typingLimit_(typingLimit) {}

QValidator::State SingleLineValidator::validate(QString& input, int& pos) const {
    // QLineEdit applies a changed text from here to every way text gets in,
    // setText included, and signals only the cleaned text.
    if (containsLineBreak(input)) {
        input = firstLine(input);
        pos = std::min(pos, static_cast<int>(input.size()));
    }
    return Acceptable;
}

TextBox::TextBox(int typingLimit, QWidget* parent)
    : QLineEdit(parent), validator_(new SingleLineValidator(typingLimit, this)) {
    setValidator(validator_);
    setMaxLength(maxLengthFor(typingLimit));
    connect(this, &QLineEdit::textChanged, this, &TextBox::valueChanged);
}

void TextBox::setTypingLimit(int typingLimit) {
    validator_->setTypingLimit(typingLimit);
    setBoxText(this, text()); // the text stays whole, the limit follows
}

void setBoxText(QLineEdit* box, const QString& text) {
    const int limit = maxLengthFor(typingLimitOf(box));
    const int maxLength =
        text.size() > limit ? static_cast<int>(std::min<qsizetype>(text.size(), kNoLimit)) : limit;
    // The box cuts its text to a lower limit, which would cut the new text
    // or change the old one on the way: a raised limit comes before the
    // text, a lowered one after it.
    if (maxLength >= box->maxLength()) {
        box->setMaxLength(maxLength);
        box->setText(text);
    } else {
        box->setText(text);
        box->setMaxLength(maxLength);
    }
}

} // namespace quillset::ui
