// Oracle: a file is judged settings exactly when it holds no NUL byte and
// one of its lines (split by Qt, not by the program's splitter) starts with
// a key of the catalogue followed by " : ", a UTF-8 byte-order mark before
// the file's first line aside; its values are what readSettings gives.

#include "fuzz_input.h"
#include "settings/settings_reader.h"

#include <QList>

#include <algorithm>

using namespace quillset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes = fuzzInput(data, size).toByteArray();
    const SettingsFileRead read = judgeSettingsBytes(bytes);
    QByteArray text = QByteArray(bytes).replace("\r\n", "\n").replace('\r', '\n');
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    const bool namesKey = std::ranges::any_of(text.split('\n'), [](const QByteArray& line) {
        const qsizetype at = line.indexOf(" : ");
        // A view: the line's key is compared with every key of the catalogue.
        const QByteArrayView name = QByteArrayView(line).first(std::max<qsizetype>(at, 0));
        return at >= 0 && std::ranges::any_of(keyCatalogue(), [&](const KeyDef& def) {
                   return name == def.key;
               });
    });
    using State = SettingsFileRead::State;
    FUZZ_CHECK(read.state == (namesKey && !bytes.contains('\0') ? State::Settings
                                                                  : State::NotSettings));
    FUZZ_CHECK(read.hasBytes() && read.bytes == bytes && read.values == readSettings(bytes));
    return 0;
}
