// The language files that ship with the program must be complete and in the
// form the loader reads: Windows-1252, CR LF, every section once.

#include "lang/language_catalogue.h"
#include "language_test_support.h"

#include <gtest/gtest.h>

#include <map>

namespace quillset {
namespace {

using test::caption;
using test::TracedLoad;

QString shippedPath(const char* name) {
    return QStringLiteral(QUILLSET_SOURCE_DIR "/resources/lang/") + QLatin1String(name);
}

class ShippedLanguageFile : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        path = shippedPath(GetParam());
        bytes = test::readBytes(path);
        ASSERT_FALSE(bytes.isEmpty()) << path.toStdString();
    }
    QString path;
    QByteArray bytes;
};

TEST_P(ShippedLanguageFile, IsWindows1252WithCrLf) {
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\r') {
            ASSERT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
        } else if (byte == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at " << i;
        } else {
            // Control characters, and the five byte values Windows-1252 leaves undefined.
            ASSERT_GE(byte, 0x20) << "control byte at " << i;
            for (unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
                ASSERT_NE(byte, undefined) << "undefined byte at " << i;
        }
    }
    EXPECT_EQ(toAnsi(fromAnsi(bytes)), bytes);
}

TEST_P(ShippedLanguageFile, HasEverySectionOnceWithEveryReadEntryFilled) {
    const QStringList lines = fromAnsi(bytes).split(QStringLiteral("\r\n"));
    std::map<std::string_view, int> headerLine;
    for (std::string_view section : languageSections()) {
        const QString header =
            "[" + QString::fromLatin1(section.data(), qsizetype(section.size())) + "]";
        ASSERT_EQ(lines.count(header), 1) << header.toStdString();
        headerLine[section] = int(lines.indexOf(header)) + 1;
    }
    for (const LanguageTextRow& row : languageTextRows()) {
        const int line = headerLine[row.section] + row.entry;
        ASSERT_LE(line, lines.size());
        const QString entry = lines[line - 1];
        SCOPED_TRACE(std::string(row.section) + " " + std::to_string(row.entry));
        EXPECT_FALSE(entry.isEmpty());
        EXPECT_FALSE(entry.startsWith('#'));
        EXPECT_EQ(entry, entry.trimmed());
    }

    TracedLoad traced;
    const std::optional<LanguageLoad> load = traced.run(path);
    ASSERT_TRUE(load.has_value());
    EXPECT_EQ(traced.traceLines.size(), 1 + qsizetype(languageSections().size()));
    EXPECT_EQ(caption(*load, "exitbtn"), load->table.text(kept::exitQuestionTitle));
    // The file's word plus exactly the one blank the loader adds.
    const QString exitTitle = load->table.text(kept::exitQuestionTitle);
    EXPECT_TRUE(exitTitle.endsWith(' ') && !exitTitle.chopped(1).endsWith(' '));
    EXPECT_EQ(caption(*load, "use_xp_style"), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Lang, ShippedLanguageFile,
                         ::testing::Values("language.de.lng", "language.en.lng"));

TEST(ShippedGermanFile, CarriesTheGermanStandardValues) {
    TracedLoad traced;
    const std::optional<LanguageLoad> load = traced.run(shippedPath("language.de.lng"));
    ASSERT_TRUE(load.has_value());
    EXPECT_EQ(load->table.text(kept::standardLanguage), "DE");
    EXPECT_FALSE(load->table.text(kept::standardLobbyServer).contains(' '));
    EXPECT_EQ(caption(*load, "speichern"), "Speichern");
    EXPECT_EQ(caption(*load, "oeffnen"), QString::fromUtf8("Öffnen"));
    EXPECT_EQ(caption(*load, "exitbtn"), "Exit ");
}

} // namespace
} // namespace quillset
