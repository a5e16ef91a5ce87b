// Oracle: the fast searches for a key's name in a registry file find what a
// plain search finds in the text folded to lower case whole: findFolded
// every occurrence, in order, from the start and from any offset, and the
// scan over the text cut into pieces (sizes taken from the input, empty ones
// too) says after each piece whether the name has occurred so far.
// Input: one byte for the name's length (1 to 16), the name, four piece
// sizes (0 to 255, used in turn), one offset byte, then the text.

#include "fuzz_input.h"
#include "registry/registry.h"
#include "registry/wine_registry_excerpt.h"
#include "registry/wine_registry_file.h"

using namespace quillset;

namespace {

QByteArray folded(QByteArrayView bytes) {
    QByteArray out = bytes.toByteArray();
    for (char& c : out)
        c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input = fuzzInput(data, size);
    if (input.isEmpty())
        return 0;
    const qsizetype nameSize = 1 + data[0] % 16;
    if (input.size() < 1 + nameSize + 5)
        return 0;
    const QString keyPath = QStringLiteral("Software\\") + QString::fromLatin1(input.sliced(1, nameSize));
    const QByteArrayView cuts = input.sliced(1 + nameSize, 4);
    const qsizetype offset = static_cast<uchar>(input[1 + nameSize + 4]);
    const QByteArrayView text = input.sliced(1 + nameSize + 5);
    const QStringList parts = keyPathParts(keyPath);
    // The name as a key line holds it, which the scan looks for.
    const QByteArray needle = parts.isEmpty() ? QByteArray() : folded(escapeWineText(parts.back(), '[', ']'));
    const QByteArray plain = folded(text);

    for (qsizetype from = 0, at; needle.size() > 0; from = at + 1) {
        at = plain.indexOf(needle, from);
        FUZZ_CHECK(findFolded(text, needle, from) == at);
        if (at < 0)
            break;
    }
    if (!needle.isEmpty())
        FUZZ_CHECK(findFolded(text, needle, offset) == plain.indexOf(needle, offset));

    // The scan names the key once the first occurrence has been taken whole.
    const qsizetype first = needle.isEmpty() ? -1 : plain.indexOf(needle);
    const qsizetype namedAt = first < 0 ? text.size() + 1 : first + needle.size();
    WineKeyNameScan scan(keyPath);
    qsizetype taken = 0;
    for (qsizetype piece = 0; taken < text.size() && piece < 4 + text.size(); ++piece) {
        const qsizetype length =
            std::min<qsizetype>(static_cast<uchar>(cuts[piece % 4]), text.size() - taken);
        FUZZ_CHECK(scan.take(text.sliced(taken, length)) == (taken + length >= namedAt));
        taken += length;
    }
    FUZZ_CHECK(scan.take(text.sliced(taken)) == (text.size() >= namedAt));
    return 0;
}
