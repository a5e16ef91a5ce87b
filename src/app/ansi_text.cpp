#include "app/ansi_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quillset {

namespace {
constexpr const char* kCodec = "windows-1252";
}

QString fromAnsi(QByteArrayView bytes) {
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
}

std::optional<QByteArray> toAnsi(QStringView text) {
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

} // namespace quillset
