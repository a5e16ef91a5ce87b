// Oracle: whatever the input, writing what was read is a normal form that
// reading and writing again keeps byte for byte, and the unknown lines are
// written back exactly as read, at the end.

#include "settings/settings_reader.h"
#include "settings/settings_writer.h"

#include <cstdlib>
#include <variant>

using namespace quillset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const SettingsModel model = readSettings(input);
    auto first = serializeSettings(model);
    if (!std::holds_alternative<QByteArray>(first))
        std::abort(); // every value read from a file can be written back
    const QByteArray& bytes = std::get<QByteArray>(first);
    if (!bytes.endsWith(model.unknownLines + "\r\n"))
        std::abort();
    const SettingsModel again = readSettings(bytes, model.fontPagesValue);
    if (again.unknownLines != model.unknownLines)
        std::abort();
    auto second = serializeSettings(again);
    if (!std::holds_alternative<QByteArray>(second) || std::get<QByteArray>(second) != bytes)
        std::abort();
    return 0;
}
