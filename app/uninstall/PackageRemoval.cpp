#include "app/uninstall/PackageRemoval.h"

#include <QMap>
#include <QRegularExpression>

namespace {

using Manager = PackageRef::Manager;

// Names go into argument vectors only, but a name that a package manager could take for an
// option or a pattern is refused all the same.
bool hasAcceptableName(const PackageRef& package) {
    static const QRegularExpression debian(QStringLiteral("^[a-z0-9][a-z0-9+.-]*(:[a-z0-9-]+)?$"));
    static const QRegularExpression flatpakId(
        QStringLiteral("^[A-Za-z0-9_][A-Za-z0-9_-]*(\\.[A-Za-z0-9_-]+)+$"));
    static const QRegularExpression snapName(QStringLiteral("^[a-z0-9][a-z0-9-]*(_[a-z0-9]+)?$"));
    switch (package.manager) {
    case Manager::Dpkg:
        return debian.match(package.name).hasMatch();
    case Manager::Flatpak:
        return flatpakId.match(package.name).hasMatch();
    case Manager::Snap:
        return snapName.match(package.name).hasMatch();
    case Manager::None:
        break;
    }
    return false;
}

QString withoutArchitecture(const QString& package) {
    return package.section(QLatin1Char(':'), 0, 0);
}

void appendLine(QString& text, const QString& line) {
    if (!text.isEmpty())
        text += QLatin1Char('\n');
    text += line;
}

// dpkg's package states in which files of the package may still be on the disk.
bool isPresentState(const QString& state) {
    return state != QLatin1String("not-installed") && state != QLatin1String("config-files");
}

} // namespace

PackageRemoval::PackageRemoval(Tools tools, PrivilegedCommand::Options options,
                               std::optional<UserAccount> user)
    : m_tools(std::move(tools)), m_options(std::move(options)), m_user(std::move(user)) {}

PackageRemoval::Plan PackageRemoval::simulate(const PackageRef& package) const {
    Plan plan;
    if (package.manager == Manager::None) {
        plan.refusal = tr("This application was not installed by a package manager.");
        return plan;
    }
    if (!hasAcceptableName(package)) {
        plan.refusal = tr("\"%1\" is not a valid package name.").arg(package.name);
        return plan;
    }
    if (package.manager == Manager::Dpkg)
        return simulateDpkg(package);
    plan.allowed = true;
    plan.packages = QStringList{package.name};
    return plan;
}

PackageRemoval::Plan PackageRemoval::simulateDpkg(const PackageRef& package) const {
    Plan plan;
    if (package.isSystemPackage()) {
        plan.refusal =
            QStringLiteral("%1 is part of the system (%2) and cannot be removed.")
                .arg(package.name, package.essential ? QStringLiteral("an essential package")
                                                     : QStringLiteral("of required priority"));
        return plan;
    }
    // In the C locale apt-get's warnings can be recognised.
    const PrivilegedCommand::Result run = PrivilegedCommand::runPlain(
        {m_tools.env, QStringLiteral("LC_ALL=C"), m_tools.aptGet, QStringLiteral("-s"),
         QStringLiteral("remove"), QStringLiteral("--"), package.name},
        m_options.timeoutMs);
    const QString output = QString::fromUtf8(run.output).trimmed();
    if (!run.started) {
        plan.refusal = tr("The package tool apt-get could not be started.");
        return plan;
    }
    if (output.contains(
            QLatin1String("WARNING: The following essential packages will be removed"))) {
        plan.refusal =
            tr("Removing %1 would remove packages the system cannot do without.").arg(package.name);
        return plan;
    }
    if (!run.ok()) {
        plan.refusal =
            tr("apt-get could not work out how to remove %1:\n%2").arg(package.name, output);
        return plan;
    }

    // "Remv NAME[:ARCH] [VERSION]" for every package the removal takes away.
    static const QRegularExpression removedLine(QStringLiteral("^Remv (\\S+)"),
                                                QRegularExpression::MultilineOption);
    bool removesItself = false;
    QStringList others;
    for (const QRegularExpressionMatch& match : removedLine.globalMatch(output)) {
        const QString name = match.captured(1);
        plan.packages << name;
        if (withoutArchitecture(name) == withoutArchitecture(package.name))
            removesItself = true;
        else
            others << name;
    }
    if (!removesItself) {
        plan.refusal = QStringLiteral("%1 is not installed.").arg(package.name);
        return plan;
    }
    if (!others.isEmpty()) {
        plan.refusal = QStringLiteral("%1 cannot be removed on its own: %2 depend%3 on it and "
                                      "would be removed too.")
                           .arg(package.name, others.join(QStringLiteral(", ")),
                                others.size() == 1 ? QStringLiteral("s") : QString());
        return plan;
    }
    plan.allowed = true;
    return plan;
}

PackageRemoval::Outcome PackageRemoval::remove(const PackageRef& package) {
    return removeAll({package}).constFirst();
}

QList<PackageRemoval::Outcome> PackageRemoval::removeAll(const QList<PackageRef>& packages) {
    QList<Outcome> outcomes(packages.size());
    // One run per package manager and installation, so that the user is asked for the
    // password once for all the packages it removes.
    QMap<std::pair<int, bool>, QList<qsizetype>> runs;
    for (qsizetype i = 0; i < packages.size(); ++i) {
        const PackageRef& package = packages[i];
        if (package.manager == Manager::None || !hasAcceptableName(package)) {
            outcomes[i].output = tr("This application was not installed by a package manager.");
            continue;
        }
        const bool userFlatpak = package.manager == Manager::Flatpak && !package.systemWide;
        if (userFlatpak && m_options.alreadyRoot && !m_user) {
            outcomes[i].output =
                tr("The user whose installation holds %1 is not known.").arg(package.name);
            continue;
        }
        runs[{int(package.manager), package.systemWide}] << i;
    }

    // A package manager the caller's end would stop halfway leaves its database half-done.
    PrivilegedCommand::Options removal = m_options;
    removal.endsWithCaller = false;
    for (auto group = runs.cbegin(); group != runs.cend(); ++group) {
        const Manager manager = Manager(group.key().first);
        const bool systemWide = group.key().second;
        QStringList names;
        for (const qsizetype i : group.value())
            if (!names.contains(packages[i].name))
                names << packages[i].name;
        PrivilegedCommand::Result run;
        switch (manager) {
        case Manager::Dpkg:
            // The privileged command passes no environment: env sets it for apt-get alone.
            run = PrivilegedCommand::run(
                QStringList{m_tools.env, QStringLiteral("DEBIAN_FRONTEND=noninteractive"),
                            m_tools.aptGet, QStringLiteral("remove"), QStringLiteral("-y"),
                            QStringLiteral("--")} +
                    names,
                removal);
            break;
        case Manager::Flatpak: {
            const QStringList argv =
                QStringList{m_tools.flatpak, QStringLiteral("uninstall"), QStringLiteral("-y"),
                            QStringLiteral("--noninteractive"),
                            systemWide ? QStringLiteral("--system") : QStringLiteral("--user")} +
                names;
            run = systemWide ? PrivilegedCommand::run(argv, removal) : runAsUser(argv);
            break;
        }
        case Manager::Snap:
            run = PrivilegedCommand::run(
                QStringList{m_tools.snap, QStringLiteral("remove")} + names, removal);
            break;
        case Manager::None:
            break;
        }
        const QString output = QString::fromUtf8(run.output).trimmed();
        for (const qsizetype i : group.value())
            outcomes[i] = judge(packages[i], run, output);
    }
    return outcomes;
}

PackageRemoval::Outcome PackageRemoval::judge(const PackageRef& package,
                                              const PrivilegedCommand::Result& run,
                                              const QString& output) const {
    Outcome outcome;
    outcome.output = output;
    if (!run.started) {
        appendLine(outcome.output, tr("The removal of %1 could not be started.").arg(package.name));
    } else if (run.refused) {
        appendLine(
            outcome.output,
            tr("Administrator rights were not granted; %1 was not removed.").arg(package.name));
    } else if (run.crashed) {
        appendLine(outcome.output, tr("The removal of %1 was interrupted.").arg(package.name));
    } else if (run.exitCode != 0) {
        appendLine(
            outcome.output,
            tr("The removal of %1 failed (exit status %2).").arg(package.name).arg(run.exitCode));
    } else {
        // A package manager may report success and leave the package in place.
        bool unknown = false;
        if (stillInstalled(package, &unknown))
            appendLine(outcome.output, tr("The package manager reported success, but %1 is still "
                                          "installed.")
                                           .arg(package.name));
        else if (unknown)
            appendLine(outcome.output,
                       tr("Whether %1 was removed could not be checked.").arg(package.name));
        else
            outcome.ok = true;
    }
    return outcome;
}

// A user's installation is that user's business: as root, act as the user so that nothing in
// the home folder ends up owned by root; otherwise this process is that user.
PrivilegedCommand::Result PackageRemoval::runAsUser(const QStringList& argv) const {
    if (!m_options.alreadyRoot || !m_user || m_user->uid == 0)
        return PrivilegedCommand::runPlain(argv, m_options.timeoutMs);
    return PrivilegedCommand::runPlain(
        QStringList{m_tools.runuser, QStringLiteral("-u"), m_user->name, QStringLiteral("--")} +
            argv,
        m_options.timeoutMs);
}

bool PackageRemoval::stillInstalled(const PackageRef& package, bool* unknown) const {
    *unknown = false;
    PrivilegedCommand::Result check;
    switch (package.manager) {
    case Manager::Dpkg:
        check = PrivilegedCommand::runPlain({m_tools.dpkgQuery, QStringLiteral("-W"),
                                             QStringLiteral("--showformat=${Status}\\n"),
                                             QStringLiteral("--"), package.name},
                                            m_options.timeoutMs);
        break;
    case Manager::Flatpak: {
        const QStringList argv{m_tools.flatpak, QStringLiteral("info"),
                               package.systemWide ? QStringLiteral("--system")
                                                  : QStringLiteral("--user"),
                               package.name};
        check = package.systemWide ? PrivilegedCommand::runPlain(argv, m_options.timeoutMs)
                                   : runAsUser(argv);
        break;
    }
    case Manager::Snap:
        check = PrivilegedCommand::runPlain({m_tools.snap, QStringLiteral("list"), package.name},
                                            m_options.timeoutMs);
        break;
    case Manager::None:
        return false;
    }
    if (!check.started || check.crashed) {
        *unknown = true;
        return false;
    }
    if (package.manager != Manager::Dpkg)
        return check.exitCode == 0; // flatpak info and snap list fail for what is not there

    // dpkg-query: status 1 when it knows no such package; otherwise "WANT FLAG STATE" per
    // installed architecture.
    if (check.exitCode == 1)
        return false;
    if (check.exitCode != 0) {
        *unknown = true;
        return false;
    }
    const QStringList lines = QString::fromUtf8(check.output).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QStringList words = line.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (words.size() == 3 && isPresentState(words[2]))
            return true;
    }
    return false;
}
