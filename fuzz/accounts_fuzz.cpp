// Oracle: any accounts.cfg loads without harm, and writing the lines read and
// loading them again gives the same lines and the same file bytes.

#include "accounts/account_file.h"
#include "accounts/account_store.h"
#include "fuzz_input.h"

#include <QFile>
#include <QTemporaryDir>
#include <variant>

using namespace quillset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir dir;
    const QString installDir = dir.path() + QLatin1Char('/');
    QFile file(accountFilePath(installDir));
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
               file.write(fuzzInput(data, size).toByteArray()) == qint64(size));
    file.close();
    AccountStore store;
    FUZZ_CHECK(loadAccountStore(store, installDir));
    for (const Account& account : store.accounts)
        FUZZ_CHECK(joinKeyGroups(keyGroups(account.korrinKey)) == account.korrinKey);
    const AccountLines lines = accountFileLines(store.accounts);
    const auto first = serializeAccountFile(lines);
    // Text read from the file can always be written back.
    FUZZ_CHECK(std::holds_alternative<QByteArray>(first) && !writeAccountFile(installDir, lines));
    AccountStore again;
    FUZZ_CHECK(loadAccountStore(again, installDir) && again.accounts == store.accounts);
    FUZZ_CHECK(std::get<QByteArray>(serializeAccountFile(accountFileLines(again.accounts))) ==
               std::get<QByteArray>(first));
    return 0;
}
