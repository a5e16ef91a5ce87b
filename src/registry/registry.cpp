#include "registry/registry.h"

#include "io/ansi_text.h"

namespace quillset {

namespace {

QString stringUpToNul(QByteArrayView data, RegistryText text) {
    if (text == RegistryText::Ansi) {
        const qsizetype nul = data.indexOf('\0');
        return fromAnsi(nul < 0 ? data : data.first(nul));
    }
    // An odd trailing byte is half a code unit: it carries no character.
    const qsizetype units = data.size() / 2;
    QString result;
    result.reserve(units);
    for (qsizetype i = 0; i < units; ++i) {
        const auto low = static_cast<uchar>(data[2 * i]);
        const auto high = static_cast<uchar>(data[2 * i + 1]);
        const char16_t unit = static_cast<char16_t>(low | (high << 8));
        if (unit == 0)
            break;
        result.append(QChar(unit));
    }
    return result;
}

QString binaryAsNumber(QByteArrayView data) {
    if (data.size() < 2)
        return {};
    const auto low = static_cast<uchar>(data[0]);
    const auto high = static_cast<uchar>(data[1]);
    const auto number = static_cast<qint16>(static_cast<quint16>(low | (high << 8)));
    return QString::number(number);
}

} // namespace

QString registryValueText(quint32 type, QByteArrayView data, RegistryText text) {
    switch (type) {
    case kRegSz:
        return stringUpToNul(data, text);
    case kRegBinary:
        return binaryAsNumber(data);
    default:
        return {};
    }
}

QByteArray utf16StringData(const QString& text) {
    QByteArray data;
    data.reserve((text.size() + 1) * 2);
    for (const QChar c : text) {
        data.append(static_cast<char>(c.unicode() & 0xff));
        data.append(static_cast<char>(c.unicode() >> 8));
    }
    data.append(2, '\0');
    return data;
}

QStringList keyPathParts(const QString& keyPath) {
    return keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
}

QString wow6432KeyPath(const QString& keyPath) {
    const QStringList parts = keyPathParts(keyPath);
    if (parts.size() < 2 || parts[0].compare(QLatin1String("Software"), Qt::CaseInsensitive) != 0 ||
        parts[1].compare(QLatin1String("Wow6432Node"), Qt::CaseInsensitive) == 0)
        return {};
    QStringList redirected = parts;
    redirected.insert(1, QStringLiteral("Wow6432Node"));
    return redirected.join(QLatin1Char('\\'));
}

QString Registry::readString(RegistryRoot root, const QString& keyPath,
                             const QString& valueName) const {
    const std::optional<RegistryValue> value = queryValue(root, keyPath, valueName);
    if (!value)
        return {};
    return registryValueText(value->type, value->data, value->text);
}

} // namespace quillset
