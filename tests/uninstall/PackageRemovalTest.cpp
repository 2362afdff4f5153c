// Simulating and removing packages with stand-in apt-get, dpkg-query, flatpak, snap, pkexec and
// runuser scripts in a folder whose name has a space, so that any shell splitting would show.
#include "app/uninstall/PackageRemoval.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using Manager = PackageRef::Manager;

PackageRef debianPackage(const QString& name) {
    PackageRef package;
    package.manager = Manager::Dpkg;
    package.name = name;
    package.priority = QStringLiteral("optional");
    return package;
}

// Stand-in tools that log each call as one line "arg|arg|...|" to TOOL.calls, answer from the
// files TOOL.out (printed) and TOOL.rc (exit status), and run as root without pkexec unless a
// test says otherwise.
class PackageRemovalTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.filePath(QStringLiteral("fake tools"));
        ASSERT_TRUE(QDir().mkpath(m_folder));
        m_tools.aptGet = tool(QStringLiteral("apt-get"),
                              "echo \"frontend=$DEBIAN_FRONTEND\" >> \"$0.env\"\n"
                              "if [ \"$1\" = -s ]; then cat \"$0.sim\" 2>/dev/null; exit 0; fi\n" +
                                  kAnswer);
        m_tools.dpkgQuery = tool(QStringLiteral("dpkg-query"), kAnswer);
        m_tools.flatpak = tool(QStringLiteral("flatpak"), kAnswer);
        m_tools.snap = tool(QStringLiteral("snap"), kAnswer);
        m_options.alreadyRoot = true;
        m_options.timeoutMs = 20000;
    }

    QString path(const QString& name) const { return m_folder + QLatin1Char('/') + name; }

    void writeFile(const QString& name, const QByteArray& content) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }

    QString tool(const QString& name, const QByteArray& body) const {
        writeFile(name,
                  "#!/bin/sh\nprintf '%s|' \"$@\" >> \"$0.calls\"\necho >> \"$0.calls\"\n" + body);
        QFile::setPermissions(path(name), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                              QFileDevice::ExeOwner);
        return path(name);
    }

    QStringList lines(const QString& name) const {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QStringList calls(const QString& tool) const { return lines(tool + QStringLiteral(".calls")); }

    static QString joined(const QStringList& argv) { return argv.join(QLatin1Char('|')) + '|'; }

    PackageRemoval removal() const { return PackageRemoval(m_tools, m_options, m_user); }

    // Prints TOOL.out, exits with TOOL.rc; a call whose arguments start with "info", "list" or
    // "-W" answers from TOOL.check.out and TOOL.check.rc instead.
    const QByteArray kAnswer = "case \"$1\" in info|list|-W) kind=check. ;; *) kind= ;; esac\n"
                               "cat \"$0.${kind}out\" 2>/dev/null\n"
                               "exit $(cat \"$0.${kind}rc\" 2>/dev/null || echo 0)\n";

    QTemporaryDir m_dir;
    QString m_folder;
    PackageRemoval::Tools m_tools;
    PrivilegedCommand::Options m_options;
    std::optional<UserAccount> m_user;
};

TEST_F(PackageRemovalTest, SimulationRefusesPackagesTheSystemNeeds) {
    PackageRef essential = debianPackage(QStringLiteral("coreutils"));
    essential.essential = true;
    PackageRef required = debianPackage(QStringLiteral("libc-bin"));
    required.priority = QStringLiteral("required");
    for (const PackageRef& package : {essential, required}) {
        const PackageRemoval::Plan plan = removal().simulate(package);
        EXPECT_FALSE(plan.allowed) << package.name.toStdString();
        EXPECT_TRUE(plan.refusal.contains(package.name));
    }
    EXPECT_TRUE(calls(QStringLiteral("apt-get")).isEmpty()) << "refused before asking apt-get";

    // An ordinary package whose removal apt-get says would take essential ones with it.
    writeFile(QStringLiteral("apt-get.sim"),
              "WARNING: The following essential packages will be removed.\n"
              "This should NOT be done unless you know exactly what you are doing!\n"
              "  login\nRemv shadow-helper [1]\nRemv login [1:4.13]\n");
    const PackageRemoval::Plan plan = removal().simulate(debianPackage("shadow-helper"));
    EXPECT_FALSE(plan.allowed);
    EXPECT_FALSE(plan.refusal.isEmpty());
}

TEST_F(PackageRemovalTest, SimulationRefusesToTakeDependentPackagesAlongAndNamesThem) {
    writeFile(QStringLiteral("apt-get.sim"), "Reading package lists...\n"
                                             "Remv editor-plugins:i386 [2.0-1]\n"
                                             "Remv editor-data [2.0-1]\n"
                                             "Remv editor [2.0-1]\n");
    const PackageRemoval::Plan plan = removal().simulate(debianPackage("editor-data"));

    EXPECT_FALSE(plan.allowed);
    EXPECT_TRUE(plan.refusal.contains(QStringLiteral("editor-plugins:i386")));
    EXPECT_TRUE(plan.refusal.contains(QStringLiteral("editor,")) ||
                plan.refusal.contains(QStringLiteral("editor ")));
    EXPECT_EQ(plan.packages.size(), 3);
    EXPECT_EQ(calls(QStringLiteral("apt-get")), QStringList{"-s|remove|--|editor-data|"});

    // Alone, and named with its architecture by apt-get.
    writeFile(QStringLiteral("apt-get.sim"), "Remv editor-data:amd64 [2.0-1]\n");
    const PackageRemoval::Plan alone = removal().simulate(debianPackage("editor-data"));
    EXPECT_TRUE(alone.allowed) << alone.refusal.toStdString();
    EXPECT_EQ(alone.packages, QStringList{"editor-data:amd64"});
}

TEST_F(PackageRemovalTest, SimulationRefusesWhatAptGetCannotRemove) {
    writeFile(QStringLiteral("apt-get.sim"),
              "Package 'editor' is not installed, so not removed\n"
              "0 upgraded, 0 newly installed, 0 to remove and 0 not upgraded.\n");
    const PackageRemoval::Plan notInstalled = removal().simulate(debianPackage("editor"));
    EXPECT_FALSE(notInstalled.allowed);
    EXPECT_TRUE(notInstalled.refusal.contains(QStringLiteral("not installed")));

    m_tools.aptGet =
        tool(QStringLiteral("apt-get-broken"),
             "echo 'E: Could not open lock file /var/lib/dpkg/lock-frontend'\nexit 100\n");
    const PackageRemoval::Plan failed = removal().simulate(debianPackage("editor"));
    EXPECT_FALSE(failed.allowed);
    EXPECT_TRUE(failed.refusal.contains(QStringLiteral("E: Could not open lock file")));

    PackageRef unpackaged;
    unpackaged.name = QStringLiteral("editor");
    EXPECT_FALSE(removal().simulate(unpackaged).allowed);
    EXPECT_FALSE(removal().simulate(debianPackage("--purge-everything")).allowed);
}

TEST_F(PackageRemovalTest, FlatpaksAndSnapsNeedNoSimulation) {
    PackageRef flatpak;
    flatpak.manager = Manager::Flatpak;
    flatpak.name = QStringLiteral("org.example.Editor");
    PackageRef snap;
    snap.manager = Manager::Snap;
    snap.name = QStringLiteral("my-tool");
    for (const PackageRef& package : {flatpak, snap}) {
        const PackageRemoval::Plan plan = removal().simulate(package);
        EXPECT_TRUE(plan.allowed);
        EXPECT_EQ(plan.packages, QStringList{package.name});
    }
}

TEST_F(PackageRemovalTest, RemovalCountsOnlyWhenThePackageIsGone) {
    writeFile(QStringLiteral("apt-get.out"), "Removing editor (2.0-1) ...\n");
    writeFile(QStringLiteral("dpkg-query.check.out"), "hold ok installed\n");
    const PackageRemoval::Outcome kept = removal().remove(debianPackage("editor"));
    EXPECT_FALSE(kept.ok) << "apt-get said yes, dpkg still lists it";
    EXPECT_TRUE(kept.output.contains(QStringLiteral("Removing editor (2.0-1)")));
    EXPECT_TRUE(kept.output.contains(QStringLiteral("still installed")));

    writeFile(QStringLiteral("dpkg-query.check.out"), "deinstall ok config-files\n");
    EXPECT_TRUE(removal().remove(debianPackage("editor")).ok) << "configuration left is gone";
    writeFile(QStringLiteral("dpkg-query.check.out"), "");
    writeFile(QStringLiteral("dpkg-query.check.rc"), "1");
    EXPECT_TRUE(removal().remove(debianPackage("editor")).ok) << "dpkg knows it no more";
    EXPECT_EQ(lines(QStringLiteral("apt-get.env")).value(0),
              QStringLiteral("frontend=noninteractive"));

    PackageRef snap;
    snap.manager = Manager::Snap;
    snap.name = QStringLiteral("my-tool");
    EXPECT_FALSE(removal().remove(snap).ok) << "snap list still finds it";
    writeFile(QStringLiteral("snap.check.rc"), "1");
    EXPECT_TRUE(removal().remove(snap).ok);
    EXPECT_EQ(calls(QStringLiteral("snap")).value(0), QStringLiteral("remove|my-tool|"));
}

// One run per package manager for many packages (one password dialog), each judged alone.
TEST_F(PackageRemovalTest, ManyPackagesGoInOneRunPerManagerAndEachIsCheckedAlone) {
    m_tools.dpkgQuery =
        tool(QStringLiteral("dpkg-query-per-name"),
             "[ \"$4\" = editor ] && echo 'install ok installed' && exit 0\nexit 1\n");
    writeFile(QStringLiteral("snap.check.rc"), "1");
    PackageRef snap;
    snap.manager = Manager::Snap;
    snap.name = QStringLiteral("my-tool");
    const QList<PackageRemoval::Outcome> outcomes = removal().removeAll(
        {debianPackage("editor"), snap, debianPackage("editor-data"), debianPackage("--bad")});

    ASSERT_EQ(outcomes.size(), 4);
    EXPECT_FALSE(outcomes[0].ok) << "dpkg still lists it";
    EXPECT_TRUE(outcomes[0].output.contains(QStringLiteral("editor is still installed")));
    EXPECT_TRUE(outcomes[1].ok);
    EXPECT_TRUE(outcomes[2].ok) << outcomes[2].output.toStdString();
    EXPECT_FALSE(outcomes[3].ok);
    EXPECT_EQ(calls(QStringLiteral("apt-get")), QStringList{"remove|-y|--|editor|editor-data|"});
    EXPECT_EQ(calls(QStringLiteral("snap")).value(0), QStringLiteral("remove|my-tool|"));
}

TEST_F(PackageRemovalTest, FailedRemovalKeepsTheToolsOutput) {
    writeFile(QStringLiteral("apt-get.out"),
              "E: dpkg was interrupted, you must manually run 'dpkg --configure -a'\n");
    writeFile(QStringLiteral("apt-get.rc"), "100");
    const PackageRemoval::Outcome outcome = removal().remove(debianPackage("editor"));
    EXPECT_FALSE(outcome.ok);
    EXPECT_TRUE(outcome.output.contains(QStringLiteral("E: dpkg was interrupted")));
    EXPECT_TRUE(calls(QStringLiteral("dpkg-query")).isEmpty()) << "no check after a failure";

    m_tools.snap = path(QStringLiteral("no-such-snap"));
    PackageRef snap;
    snap.manager = Manager::Snap;
    snap.name = QStringLiteral("my-tool");
    const PackageRemoval::Outcome missing = removal().remove(snap);
    EXPECT_FALSE(missing.ok);
    EXPECT_FALSE(missing.output.isEmpty());
}

TEST_F(PackageRemovalTest, PkexecReceivesTheArgumentVectorUnchanged) {
    m_options.alreadyRoot = false;
    m_options.pkexecPath = tool(QStringLiteral("pkexec"), "exec \"$@\"\n");
    writeFile(QStringLiteral("dpkg-query.check.rc"), "1");

    EXPECT_TRUE(removal().remove(debianPackage("editor")).ok);
    EXPECT_EQ(calls(QStringLiteral("pkexec")),
              QStringList{joined({m_tools.env, "DEBIAN_FRONTEND=noninteractive", m_tools.aptGet,
                                  "remove", "-y", "--", "editor"})});
    EXPECT_EQ(lines(QStringLiteral("apt-get.env")).value(0),
              QStringLiteral("frontend=noninteractive"));

    PackageRef flatpak;
    flatpak.manager = Manager::Flatpak;
    flatpak.name = QStringLiteral("org.example.Editor");
    writeFile(QStringLiteral("flatpak.check.rc"), "1");
    EXPECT_TRUE(removal().remove(flatpak).ok);
    EXPECT_EQ(calls(QStringLiteral("pkexec")).value(1),
              joined({m_tools.flatpak, "uninstall", "-y", "--noninteractive", "--system",
                      "org.example.Editor"}));

    // The password dialog dismissed: pkexec's own status.
    m_options.pkexecPath = tool(QStringLiteral("pkexec-dismissed"), "exit 126\n");
    const PackageRemoval::Outcome dismissed = removal().remove(debianPackage("editor"));
    EXPECT_FALSE(dismissed.ok);
    EXPECT_TRUE(dismissed.output.contains(QStringLiteral("not granted")));
}

TEST_F(PackageRemovalTest, UserFlatpakIsRemovedAsThatUserWithoutPkexec) {
    m_options.pkexecPath = tool(QStringLiteral("pkexec"), "exit 1\n");
    m_tools.runuser = tool(QStringLiteral("runuser"), "shift 3\nexec \"$@\"\n");
    UserAccount alice;
    alice.name = QStringLiteral("alice");
    alice.home = m_dir.filePath(QStringLiteral("home"));
    alice.uid = 1000;
    alice.gid = 1000;
    m_user = alice;
    PackageRef flatpak;
    flatpak.manager = Manager::Flatpak;
    flatpak.name = QStringLiteral("com.example.Tool");
    flatpak.systemWide = false;

    EXPECT_FALSE(removal().remove(flatpak).ok) << "flatpak info still finds it";
    writeFile(QStringLiteral("flatpak.check.rc"), "1");
    EXPECT_TRUE(removal().remove(flatpak).ok);

    const QStringList asAlice = calls(QStringLiteral("runuser"));
    ASSERT_EQ(asAlice.size(), 4) << "removal and check, twice";
    EXPECT_EQ(asAlice[0], joined({"-u", "alice", "--", m_tools.flatpak, "uninstall", "-y",
                                  "--noninteractive", "--user", "com.example.Tool"}));
    EXPECT_EQ(asAlice[1],
              joined({"-u", "alice", "--", m_tools.flatpak, "info", "--user", "com.example.Tool"}));
    EXPECT_TRUE(calls(QStringLiteral("pkexec")).isEmpty());

    m_user.reset();
    EXPECT_FALSE(removal().remove(flatpak).ok) << "as root, whose installation is unknown";
}

} // namespace
