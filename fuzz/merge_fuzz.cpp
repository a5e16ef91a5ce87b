// Oracle: the merge by its rules, key by key, each value compared as the
// writer writes its line. The input holds three settings texts (cut at NUL
// bytes): the base, the user's changes and the file's changes, each of the
// latter read after the base, so that a key it does not name keeps the
// base's value. A key changed on one side only takes that side's value (and
// is counted taken from the file when that side is the file's); changed on
// both sides alike it takes that value; changed differently it is a
// conflict, the user's value kept, and nothing else is one. The unknown
// lines are the file's; a file unchanged since the base gives the user's
// values exactly; every number is one its control holds.

#include "fuzz_input.h"
#include "settings/settings_merge.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"

using namespace quillset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const auto [baseText, oursText, theirsText] = fuzzParts<3>(fuzzInput(data, size));
    const QByteArray base = baseText.toByteArray() + '\n';
    const SettingsModel was = readSettings(base);
    const SettingsModel ours = readSettings(base + oursText.toByteArray());
    const SettingsModel theirs = readSettings(base + theirsText.toByteArray());
    const SettingsMerge merge = mergeSettings(was, ours, theirs);

    std::vector<int> conflicts;
    QStringList taken;
    for (int row = 0; row < kKeyCount; ++row) {
        const auto b = settingsValueText(was, row), o = settingsValueText(ours, row);
        const auto t = settingsValueText(theirs, row), m = settingsValueText(merge.merged, row);
        if (o == b && t != b)
            taken << keyCatalogue()[row].name();
        if (o != b && t != b && o != t)
            conflicts.push_back(row);
        FUZZ_CHECK(m == (o == b ? t : o));
        const KeyDef& def = keyCatalogue()[row];
        const int number = merge.merged.numbers[row];
        if (def.kind != KeyKind::Text && !def.isHeld())
            FUZZ_CHECK(acceptedNumber(def, number) == number);
    }
    FUZZ_CHECK(merge.conflicts == conflicts && merge.takenFromFile == taken);
    FUZZ_CHECK(merge.merged.unknownLines == theirs.unknownLines);

    SettingsModel expected = ours;
    expected.unknownLines = was.unknownLines;
    const SettingsMerge unchanged = mergeSettings(was, ours, was);
    FUZZ_CHECK(unchanged.merged == expected && unchanged.conflicts.empty() &&
               unchanged.takenFromFile.isEmpty());
    return 0;
}
