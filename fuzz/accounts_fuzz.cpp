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
    if (!loadAccountStore(store, installDir))
        std::abort();
    for (const Account& account : store.accounts) {
        if (joinKeyGroups(keyGroups(account.korrinKey)) != account.korrinKey)
            std::abort();
    }
    const AccountLines lines = accountFileLines(store.accounts);
    auto first = serializeAccountFile(lines);
    if (!std::holds_alternative<QByteArray>(first))
        std::abort(); // text read from the file can always be written back
    if (writeAccountFile(installDir, lines))
        std::abort();
    AccountStore again;
    if (!loadAccountStore(again, installDir) || again.accounts != store.accounts)
        std::abort();
    if (std::get<QByteArray>(serializeAccountFile(accountFileLines(again.accounts))) !=
        std::get<QByteArray>(first))
        std::abort();
    return 0;
}
