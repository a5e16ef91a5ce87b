#pragma once
// Helpers shared by the tests: GoogleTest, temporary folders (one of them
// the current folder), whole-file I/O, Qt's string literals, QString shown
// as text in GoogleTest's messages, environment variables set for a while,
// read-only folders, and permission bits that hold for root too.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <thread>
#include <utility>
#include <vector>

#ifdef Q_OS_LINUX
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

using namespace Qt::StringLiterals;

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Bytes as text, line ends and other bytes outside printable ASCII as %XX.
inline void PrintTo(const QByteArray& bytes, std::ostream* out) {
    *out << '"' << bytes.toPercentEncoding(" :=_-.,;/<>!?#*+()[]{}'\"\\@$&|~^`").data() << '"';
}

namespace quillset::test {

inline QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// A temporary folder removed with its contents when the object goes.
struct TempFolder : QTemporaryDir {
    QString file(const QString& name) const { return filePath(name); }
};

// A temporary folder that is the current folder (where debug.log goes) while
// the object lives.
struct CurrentFolder : TempFolder {
    CurrentFolder() { QDir::setCurrent(path()); }
    ~CurrentFolder() { QDir::setCurrent(previous); }
    const QString previous = QDir::currentPath();
};

// A folder read-only (r-x for everyone) while the object lives; an empty
// path is left alone.
struct ReadOnlyFolder {
    explicit ReadOnlyFolder(const QString& folder) : path(folder) { setWritable(false); }
    ~ReadOnlyFolder() { setWritable(true); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete; // no second restore

    void setWritable(bool writable) const {
        using P = QFileDevice::Permission;
        if (!path.isEmpty())
            QFile::setPermissions(path, P::ReadOwner | P::ExeOwner | P::ReadGroup | P::ExeGroup |
                                            P::ReadOther | P::ExeOther |
                                            (writable ? P::WriteOwner : P(0)));
    }
    const QString path;
};

// Environment variables set (a null value: unset) while the object lives.
struct Environment {
    void set(const char* name, const QString& value) {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name))
                                                                  : std::nullopt);
        value.isNull() ? qunsetenv(name) : qputenv(name, QFile::encodeName(value));
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
            it->second ? qputenv(it->first, *it->second) : qunsetenv(it->first);
    }
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

// Runs fn on a thread of its own on which permission bits hold as they do
// for any user (as root that thread gives up the capabilities that override
// them; capabilities are per thread, so the rest of the test keeps them),
// where folder (none: any) is then read-only; skips the test where
// permission bits do not hold even so.
template <class Fn> void withFolderReadOnly(const QString& folder, Fn&& fn) {
    bool held = false;
    std::thread([&] {
#ifdef Q_OS_LINUX
        __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
        __user_cap_data_struct caps[_LINUX_CAPABILITY_U32S_3]{};
        constexpr __u32 kOverride = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
        if (::syscall(SYS_capget, &header, caps) == 0) {
            for (__u32* set : {&caps[0].effective, &caps[0].permitted, &caps[0].inheritable})
                *set &= ~kOverride;
            ::syscall(SYS_capset, &header, caps);
        }
#endif
        if ((held = folder.isEmpty() || !QFileInfo(folder).isWritable()))
            fn();
    }).join();
    if (!held)
        GTEST_SKIP()
            << "permission bits do not hold here, even with the overriding capabilities dropped";
}

// Each kept text is its section's initial and entry number ("M2" is
// [Messages] entry 2), so a test can name the texts shown; the entries
// added later have room for what the program puts in.
inline QByteArray languageFile() {
    QByteArray file;
    for (const auto& [section, n] : {std::pair{"Captions", 5}, {"Messages", 26}, {"GUI", 15}}) {
        file += QByteArray("[") + section + "]\r\n";
        for (int i = 1; i <= n; ++i)
            file +=
                section[0] + QByteArray::number(i) + (n == 26 && i > 9 ? " %1 %2 %3\r\n" : "\r\n");
    }
    return file;
}

// A table row's name is its test's.
constexpr auto rowName = [](const auto& info) { return std::string(info.param.name); };

} // namespace quillset::test
