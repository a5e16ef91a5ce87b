// Oracle: any accounts.cfg reads without harm, and writing the lines read and
// reading them again gives the same accounts and the same file bytes. Read
// from memory: the writer's own path is the fault sweep's to try.

#include "accounts/account_file.h"
#include "accounts/account_store.h"
#include "fuzz_input.h"

#include <variant>

using namespace quillset;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Accounts accounts;
    readAccountLines(accounts, fuzzInput(data, size));
    for (const Account& account : accounts)
        FUZZ_CHECK(joinKeyGroups(keyGroups(account.korrinKey)) == account.korrinKey);
    const auto first = serializeAccountFile(accountFileLines(accounts));
    // Text read from the file can always be written back.
    FUZZ_CHECK(std::holds_alternative<QByteArray>(first));
    Accounts again;
    readAccountLines(again, std::get<QByteArray>(first));
    FUZZ_CHECK(again == accounts);
    FUZZ_CHECK(std::get<QByteArray>(serializeAccountFile(accountFileLines(again))) ==
               std::get<QByteArray>(first));
    return 0;
}
