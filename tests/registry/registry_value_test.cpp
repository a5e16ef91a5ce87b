// Reading raw registry values as text, and the in-memory backend that the
// start-up tests stand on.

#include "registry/registry.h"
#include "support/memory_registry.h"

#include <gtest/gtest.h>

using namespace quillset;

namespace {

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray data;
    for (int v : values)
        data.append(static_cast<char>(v));
    return data;
}

struct DecodeCase {
    const char* what;
    quint32 type;
    QByteArray data;
    RegistryText text;
    QString expected;
};

TEST(RegQueryString, DecodesEachTypeAsTheProgramReadsIt) {
    const DecodeCase cases[] = {
        {"string up to its NUL", kRegSz, utf16StringData(QStringLiteral("C:\\Games")),
         RegistryText::Utf16, QStringLiteral("C:\\Games")},
        {"string stops at an inner NUL", kRegSz, bytes({'a', 0, 0, 0, 'b', 0, 0, 0}),
         RegistryText::Utf16, QStringLiteral("a")},
        {"string without NUL is read whole", kRegSz, bytes({'a', 0, 'b', 0}), RegistryText::Utf16,
         QStringLiteral("ab")},
        {"odd trailing byte is no character", kRegSz, bytes({'a', 0, 'b'}), RegistryText::Utf16,
         QStringLiteral("a")},
        {"non-Latin text", kRegSz, utf16StringData(QStringLiteral("K\u00f6rrin \u4e2d")),
         RegistryText::Utf16, QStringLiteral("K\u00f6rrin \u4e2d")},
        {"ANSI string up to its NUL", kRegSz, bytes({'K', 0xf6, 'r', 0, 'x'}), RegistryText::Ansi,
         QStringLiteral("K\u00f6r")},
        {"ANSI string without NUL", kRegSz, bytes({'D', ':', '\\'}), RegistryText::Ansi,
         QStringLiteral("D:\\")},
        {"empty string", kRegSz, {}, RegistryText::Utf16, QString()},
        {"binary 0x39 0x30", kRegBinary, bytes({0x39, 0x30}), RegistryText::Utf16,
         QStringLiteral("12345")},
        {"binary read the same from ANSI backends", kRegBinary, bytes({0x39, 0x30}),
         RegistryText::Ansi, QStringLiteral("12345")},
        {"binary is signed", kRegBinary, bytes({0xff, 0xff}), RegistryText::Utf16,
         QStringLiteral("-1")},
        {"smallest binary number", kRegBinary, bytes({0x00, 0x80}), RegistryText::Utf16,
         QStringLiteral("-32768")},
        {"binary zero", kRegBinary, bytes({0, 0}), RegistryText::Utf16, QStringLiteral("0")},
        {"only the first two bytes count", kRegBinary, bytes({0x39, 0x30, 0x01, 0x02}),
         RegistryText::Utf16, QStringLiteral("12345")},
        {"one byte is too short", kRegBinary, bytes({0x39}), RegistryText::Utf16, QString()},
        {"empty binary", kRegBinary, {}, RegistryText::Utf16, QString()},
        {"DWORD", kRegDword, bytes({0x39, 0x30, 0, 0}), RegistryText::Utf16, QString()},
        {"expandable string", kRegExpandSz, utf16StringData(QStringLiteral("%TEMP%")),
         RegistryText::Utf16, QString()},
        {"multi-string", kRegMultiSz, utf16StringData(QStringLiteral("a")), RegistryText::Utf16,
         QString()},
        {"unknown type", 0x42, bytes({0x39, 0x30}), RegistryText::Utf16, QString()},
    };
    for (const DecodeCase& c : cases)
        EXPECT_EQ(RegQueryString(c.type, c.data, c.text), c.expected) << c.what;
}

TEST(RegistryKeyPaths, RedirectsOnlyMachineSoftwareKeysIntoWow6432Node) {
    EXPECT_EQ(wow6432KeyPath(kInstallKeyPath),
              QStringLiteral("Software\\Wow6432Node\\Halvane Entertainment\\Korrin Deepfall"));
    EXPECT_EQ(wow6432KeyPath(QStringLiteral("SOFTWARE\\Maker")),
              QStringLiteral("SOFTWARE\\Wow6432Node\\Maker"));
    EXPECT_EQ(wow6432KeyPath(QStringLiteral("\\Software\\\\Maker\\")),
              QStringLiteral("Software\\Wow6432Node\\Maker"));
    EXPECT_EQ(wow6432KeyPath(QStringLiteral("Software\\wow6432node\\Maker")), QString());
    EXPECT_EQ(wow6432KeyPath(QStringLiteral("System\\Maker")), QString());
    EXPECT_EQ(wow6432KeyPath(QStringLiteral("Software")), QString());
    EXPECT_EQ(wow6432KeyPath(QStringLiteral("SoftwareX\\Maker")), QString());
}

TEST(MemoryRegistry, KeepsRootsApartAndComparesNamesIgnoringCase) {
    MemoryRegistry registry;
    registry.setRawValue(RegistryRoot::CurrentUser, kInstallKeyPath, kInstallValueName, kRegSz,
                         utf16StringData(QStringLiteral("C:\\User")));
    registry.setRawValue(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName, kRegBinary,
                         bytes({0x39, 0x30}));

    EXPECT_EQ(
        registry.RegGetString(RegistryRoot::CurrentUser,
                              QStringLiteral("software\\HALVANE ENTERTAINMENT\\korrin deepfall"),
                              QStringLiteral("installlocation")),
        QStringLiteral("C:\\User"));
    EXPECT_EQ(registry.RegGetString(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName),
              QStringLiteral("12345"));
    EXPECT_EQ(
        registry.RegGetString(RegistryRoot::LocalMachine, kInstallKeyPath, QStringLiteral("Other")),
        QString());
    EXPECT_EQ(registry.RegGetString(RegistryRoot::LocalMachine, QStringLiteral("Software\\None"),
                                    kInstallValueName),
              QString());
}

TEST(MemoryRegistry, SetWritesAStringAndARefusedSetChangesNothing) {
    MemoryRegistry registry;
    registry.RegSetString(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName,
                          QStringLiteral("D:\\Korrin"));
    EXPECT_EQ(registry.acceptedWrites(), 1);
    const std::optional<RegistryValue> written =
        registry.queryValue(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName);
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(written->type, kRegSz);
    EXPECT_EQ(written->data, utf16StringData(QStringLiteral("D:\\Korrin")));
    EXPECT_EQ(registry.RegGetString(RegistryRoot::CurrentUser, kInstallKeyPath, kInstallValueName),
              QString());

    registry.setRefuseWrites(true);
    registry.RegSetString(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName,
                          QStringLiteral("E:\\Elsewhere"));
    EXPECT_EQ(registry.refusedWrites(), 1);
    EXPECT_EQ(registry.acceptedWrites(), 1);
    EXPECT_EQ(registry.RegGetString(RegistryRoot::LocalMachine, kInstallKeyPath, kInstallValueName),
              QStringLiteral("D:\\Korrin"));
}

} // namespace
