#include "platform/UserAccount.h"

#include <QHash>
#include <gtest/gtest.h>
#include <pwd.h>

namespace {

// A process with the given ids and environment; unset variables are absent from ENV.
UserAccount::Process process(uid_t uid, uid_t euid, QHash<QByteArray, QByteArray> env) {
    UserAccount::Process p;
    p.uid = uid;
    p.euid = euid;
    p.env = [env](const char* name) { return env.value(name); };
    return p;
}

QString nameOf(const std::optional<UserAccount>& account) {
    return account ? account->name : QStringLiteral("<none>");
}

// Debian always has these accounts: root (0), daemon (1), nobody (65534).
TEST(UserAccountTest, NamesThatCannotBeUsedInAPathAreRefused) {
    for (const QByteArray& bad :
         {QByteArray(""), QByteArray("."), QByteArray(".."), QByteArray("a/b"),
          QByteArray("../root"), QByteArray("ro\not"), QByteArray("\xff\xfe")}) {
        EXPECT_FALSE(UserAccount::isAcceptableName(bad)) << bad.toStdString();
        EXPECT_FALSE(UserAccount::byName(bad).has_value());
    }
    EXPECT_TRUE(UserAccount::isAcceptableName("alice"));
    EXPECT_FALSE(UserAccount::byName("no-such-user-korvane").has_value());

    const auto daemon = UserAccount::byName("daemon");
    ASSERT_TRUE(daemon.has_value());
    EXPECT_EQ(daemon->uid, 1u);
    const passwd* entry = getpwnam("daemon");
    EXPECT_EQ(daemon->home, QString::fromLocal8Bit(entry->pw_dir)); // from the database
}

TEST(UserAccountTest, RootActsForTheUserWhoInvokedIt) {
    // pkexec's caller comes first, then sudo's, then USER.
    EXPECT_EQ(nameOf(UserAccount::invokingUser(
                  process(0, 0, {{"PKEXEC_UID", "1"}, {"SUDO_USER", "nobody"}, {"USER", "root"}}))),
              "daemon");
    EXPECT_EQ(nameOf(UserAccount::invokingUser(
                  process(0, 0, {{"SUDO_USER", "nobody"}, {"USER", "root"}}))),
              "nobody");
    EXPECT_EQ(nameOf(UserAccount::invokingUser(process(0, 0, {{"USER", "daemon"}}))), "daemon");
    // A PKEXEC_UID that is not a plain number or names no account falls through to the next.
    for (const QByteArray& bad : {QByteArray("1x"), QByteArray("-1"), QByteArray(" 1"),
                                  QByteArray("4000000000"), QByteArray("")})
        EXPECT_EQ(nameOf(UserAccount::invokingUser(
                      process(0, 0, {{"PKEXEC_UID", bad}, {"SUDO_USER", "nobody"}}))),
                  "nobody")
            << bad.toStdString();
    // A sudo user that fails the checks is not used in a path.
    EXPECT_EQ(nameOf(UserAccount::invokingUser(
                  process(0, 0, {{"SUDO_USER", "../daemon"}, {"USER", "root"}}))),
              "root");
    // Nothing at all: the account of the real user id.
    EXPECT_EQ(nameOf(UserAccount::invokingUser(process(0, 0, {}))), "root");
}

TEST(UserAccountTest, AnUnprivilegedProcessCannotClaimAnotherAccount) {
    EXPECT_EQ(nameOf(UserAccount::invokingUser(process(1, 1, {{"USER", "daemon"}}))), "daemon");
    // USER names someone else, or nobody at all: our own account is taken instead.
    EXPECT_EQ(nameOf(UserAccount::invokingUser(process(1, 1, {{"USER", "nobody"}}))), "daemon");
    EXPECT_EQ(nameOf(UserAccount::invokingUser(process(1, 1, {{"USER", "a/b"}}))), "daemon");
    // Environment values meant for root are ignored without root.
    EXPECT_EQ(nameOf(UserAccount::invokingUser(
                  process(1, 1, {{"PKEXEC_UID", "0"}, {"SUDO_USER", "root"}}))),
              "daemon");
    // An id without an account gives no user.
    EXPECT_FALSE(UserAccount::invokingUser(process(4123456, 4123456, {})).has_value());
}

} // namespace
