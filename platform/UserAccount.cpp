#include "platform/UserAccount.h"

#include <QDir>
#include <QStringDecoder>
#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

namespace {

std::optional<UserAccount> fromPasswd(const passwd* entry) {
    if (entry == nullptr || entry->pw_name == nullptr || entry->pw_dir == nullptr)
        return std::nullopt;
    const QByteArray name(entry->pw_name);
    if (!UserAccount::isAcceptableName(name))
        return std::nullopt;
    const QString home = QString::fromLocal8Bit(entry->pw_dir);
    if (!home.startsWith(QLatin1Char('/')))
        return std::nullopt;
    UserAccount account;
    account.name = QString::fromUtf8(name);
    account.home = QDir::cleanPath(home);
    account.uid = entry->pw_uid;
    account.gid = entry->pw_gid;
    return account;
}

// getpwnam_r/getpwuid_r with a buffer that grows until the entry fits.
template <typename Lookup> std::optional<UserAccount> lookup(Lookup&& call) {
    std::vector<char> buffer(1024);
    for (;;) {
        passwd entry{};
        passwd* found = nullptr;
        const int rc = call(&entry, buffer.data(), buffer.size(), &found);
        if (rc == ERANGE && buffer.size() < (1u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        return rc == 0 ? fromPasswd(found) : std::nullopt;
    }
}

// A decimal user id without sign, spaces or trailing text.
std::optional<uid_t> parseUid(const QByteArray& text) {
    if (text.isEmpty() || text.size() > 10)
        return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9')
            return std::nullopt;
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok || value > 0xfffffffeULL) // (uid_t)-1 means "no user"
        return std::nullopt;
    return static_cast<uid_t>(value);
}

} // namespace

UserAccount::Process UserAccount::currentProcess() {
    Process process;
    process.uid = ::getuid();
    process.euid = ::geteuid();
    process.env = [](const char* name) {
        const char* value = std::getenv(name);
        return value ? QByteArray(value) : QByteArray();
    };
    return process;
}

std::optional<UserAccount> UserAccount::invokingUser() {
    return invokingUser(currentProcess());
}

std::optional<UserAccount> UserAccount::invokingUser(const Process& process) {
    const auto env = [&](const char* name) {
        return process.env ? process.env(name) : QByteArray();
    };
    if (process.euid == 0) {
        // Root acting for someone: the user who authenticated to pkexec, then the sudo caller.
        if (const auto uid = parseUid(env("PKEXEC_UID")))
            if (auto account = byUid(*uid))
                return account;
        const QByteArray sudoUser = env("SUDO_USER");
        if (!sudoUser.isNull())
            if (auto account = byName(sudoUser))
                return account;
        const QByteArray user = env("USER");
        if (!user.isNull())
            if (auto account = byName(user))
                return account;
        return byUid(process.uid);
    }
    // An unprivileged process can claim any USER; accept it only when it names the account we
    // run as (several names may share one id), else take the account of our own id.
    const QByteArray user = env("USER");
    if (!user.isNull())
        if (auto account = byName(user); account && account->uid == process.uid)
            return account;
    return byUid(process.uid);
}

bool UserAccount::isAcceptableName(const QByteArray& name) {
    if (name.isEmpty() || name == "." || name == ".." || name.contains('/'))
        return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            return false;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(name);
    return !decoder.hasError();
}

std::optional<UserAccount> UserAccount::byName(const QByteArray& name) {
    if (!isAcceptableName(name))
        return std::nullopt;
    const QByteArray key = name; // keeps the C string alive during the lookup
    return lookup([&](passwd* entry, char* buf, size_t len, passwd** found) {
        return ::getpwnam_r(key.constData(), entry, buf, len, found);
    });
}

std::optional<UserAccount> UserAccount::byUid(uid_t uid) {
    return lookup([&](passwd* entry, char* buf, size_t len, passwd** found) {
        return ::getpwuid_r(uid, entry, buf, len, found);
    });
}
