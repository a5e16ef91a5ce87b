#include "settings/settings_writer.h"

#include "io/atomic_file.h"
#include "settings/typed_value.h"

namespace quillset {

namespace {

class Writer {
public:
    explicit Writer(qsizetype reserve) { out_.reserve(reserve); }

    void number(const KeyDef& def, int value) { line(def, QByteArray::number(value)); }

    bool text(const KeyDef& def, const QString& value) {
        const std::variant<QByteArray, TextProblem> bytes = settingsFileText(value);
        if (const auto* problem = std::get_if<TextProblem>(&bytes)) {
            // A line break would end the line early and start a line of its
            // own, which the next load would read as another key.
            error_ = (*problem == TextProblem::LineBreak
                          ? QStringLiteral("The value of %1 holds a line break, which a settings "
                                           "file cannot store.")
                          : QStringLiteral("The value of %1 holds characters that a settings file "
                                           "cannot store."))
                         .arg(def.name());
            return false;
        }
        line(def, std::get<QByteArray>(bytes));
        return true;
    }

    void raw(QByteArrayView bytes) { out_.append(bytes.data(), bytes.size()); }

    QByteArray take() { return std::move(out_); }
    const QString& error() const { return error_; }

private:
    void line(const KeyDef& def, QByteArrayView value) {
        out_.append(def.key);
        out_.append(kSeparator);
        out_.append(value.data(), value.size());
        out_.append("\r\n");
    }

    QByteArray out_;
    QString error_;
};

} // namespace

std::variant<QByteArray, EncodeError>
serializeSettings(const SettingsModel& model, const std::optional<AccountCdKeys>& accountKeys) {
    Writer writer(2048 + model.unknownLines.size());
    const auto catalogue = keyCatalogue();
    for (int i = 0; i < kKeyCount; ++i) {
        const KeyDef& def = catalogue[i];
        const int number = model.numbers[i];
        bool ok = true;
        switch (def.kind) {
        case KeyKind::Flag:
        case KeyKind::Number:
            writer.number(def, number);
            break;
        case KeyKind::WaitRetrace:
            // Checked is stored as the key's absence.
            if (number == 0)
                writer.number(def, 0);
            break;
        case KeyKind::Choice:
            for (const ChoiceButton& button : def.choices()) {
                if (number == button.digit - '0')
                    writer.number(def, number);
            }
            break;
        case KeyKind::Text:
            ok = writer.text(def, model.texts[i]);
            break;
        case KeyKind::FontPages:
            ok = writer.text(def, model.fontPagesValue);
            break;
        case KeyKind::CdKey:
            ok = writer.text(def, accountKeys ? accountKeys->korrin : model.fileCdKey);
            break;
        case KeyKind::CdKey2:
            ok = writer.text(def, accountKeys ? accountKeys->deepfall : model.fileCdKey2);
            break;
        }
        if (!ok)
            return EncodeError{writer.error()};
    }
    writer.raw(model.unknownLines);
    writer.raw("\r\n");
    return writer.take();
}

std::optional<QString> writeSettingsFile(const QString& path, const SettingsModel& model,
                                         const std::optional<AccountCdKeys>& accountKeys) {
    auto result = serializeSettings(model, accountKeys);
    if (const auto* error = std::get_if<EncodeError>(&result))
        return error->message;
    return writeFileAtomically(path, std::get<QByteArray>(result));
}

} // namespace quillset
