#pragma once
// Replacing a user's file so that a failure never costs the old content:
// the new bytes go to a temporary file beside the target, are flushed and
// synced, and only then renamed over the target.

#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

namespace quillset {

struct AtomicWriteOptions {
    // The file holds secrets (CD keys): the temporary file and the result are
    // created readable and writable by the owner only.
    bool ownerOnly = false;
    // Asked once the new bytes are safely in the temporary file, just before
    // it replaces the target: false gives the writing up, target untouched
    // (another program changed the target meanwhile, say).
    std::function<bool()> beforeRename;
};

// Why the target cannot be replaced (a folder, a special file, a broken
// link, read-only, in a missing or read-only folder); nothing when it can,
// as far as can be told before trying.
std::optional<QString> whyNotReplaceable(const QString& path);

// Empty optional on success; otherwise a sentence for the user naming the
// reason. On failure (and when beforeRename gives up) the target is exactly
// as it was before the call.
std::optional<QString> writeFileAtomically(const QString& path, QByteArrayView data,
                                           AtomicWriteOptions options = {});

} // namespace quillset
