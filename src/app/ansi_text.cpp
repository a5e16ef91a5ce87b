#include "app/ansi_text.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace quillset {

namespace {
constexpr const char* kCodec = "windows-1252";

// Opening a converter costs far more than converting a settings value, so
// each thread keeps one of each; stateless, so reuse is safe after a reset.
QStringDecoder& decoder() {
    thread_local QStringDecoder instance(kCodec, QStringConverter::Flag::Stateless);
    return instance;
}

QStringEncoder& encoder() {
    thread_local QStringEncoder instance(kCodec, QStringConverter::Flag::Stateless);
    return instance;
}
} // namespace

QString fromAnsi(QByteArrayView bytes) {
    QStringDecoder& d = decoder();
    d.resetState();
    return d.decode(bytes);
}

std::optional<QByteArray> toAnsi(QStringView text) {
    QStringEncoder& e = encoder();
    e.resetState();
    QByteArray bytes = e.encode(text);
    if (e.hasError())
        return std::nullopt;
    return bytes;
}

} // namespace quillset
