// Oracle: any accounts.cfg loads without harm, and writing the lines read and
// loading them again gives the same lines and the same file bytes.

#include "accounts/account_file.h"
#include "accounts/account_store.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>
#include <variant>

using namespace quillset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString installDir = dir.path() + QLatin1Char('/');
    {
        QFile file(accountFilePath(installDir));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }
    AccountStore store;
    if (!LoadAccountStore(store, installDir))
        std::abort();
    for (int slot = 1; slot <= kAccountSlotCount; ++slot) {
        SplitKorrinKey(store, slot);
        SplitDeepfallKey(store, slot);
    }
    auto first = serializeAccountFile(store.Lines);
    if (!std::holds_alternative<QByteArray>(first))
        std::abort(); // text read from the file can always be written back
    if (WriteAccountFile(installDir, store.Lines))
        std::abort();
    AccountStore again;
    if (!LoadAccountStore(again, installDir) || again.Lines != store.Lines)
        std::abort();
    if (std::get<QByteArray>(serializeAccountFile(again.Lines)) != std::get<QByteArray>(first))
        std::abort();
    return 0;
}
