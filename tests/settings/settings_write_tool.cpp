// Loads a settings file (when it exists), grows it by N bytes of unknown
// lines and writes it back. The failure tests run it in restricted settings
// (dropped capabilities, a full file system) where the test process can't be.

#include "io/file_helpers.h"
#include "settings/settings_reader.h"
#include "settings/settings_writer.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: settings_write_tool PATH EXTRA_BYTES\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    quillset::SettingsModel model =
        quillset::loadSettingsFile(path).value_or(quillset::SettingsModel::cleared());
    const qsizetype extra = QByteArray(argv[2]).toLongLong();
    for (qsizetype written = 0; written < extra; written += 64)
        model.unknownLines.append(QByteArray(62, 'u') + "\r\n");
    if (auto error = quillset::writeSettingsFile(path, model)) {
        std::printf("error: %s\n", error->toLocal8Bit().constData());
        return 1;
    }
    std::printf("written\n");
    return 0;
}
