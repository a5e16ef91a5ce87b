// Oracle: whatever the input, writing what was read is a normal form that
// reading and writing again keeps byte for byte, and the unknown lines are
// written back exactly as read, at the end.

#include "fuzz_input.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"

#include <variant>

using namespace quillset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const SettingsModel model = readSettings(fuzzInput(data, size));
    const auto first = serializeSettings(model);
    // Every value read from a file can be written back.
    FUZZ_CHECK(std::holds_alternative<QByteArray>(first));
    const QByteArray& bytes = std::get<QByteArray>(first);
    FUZZ_CHECK(bytes.endsWith(model.unknownLines + "\r\n"));
    const SettingsModel again = readSettings(bytes, model.fontPagesValue);
    FUZZ_CHECK(again.unknownLines == model.unknownLines);
    const auto second = serializeSettings(again);
    FUZZ_CHECK(std::holds_alternative<QByteArray>(second) && std::get<QByteArray>(second) == bytes);
    return 0;
}
