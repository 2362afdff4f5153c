#include "app/uninstall/PackageLookup.h"

#include "platform/ChildProcessTie.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <optional>

namespace {

const QString kDesktopSuffix = QStringLiteral(".desktop");
const QString kExportsTail = QStringLiteral("/exports/share/applications");
const QString kUserFlatpakExports = QStringLiteral("/.local/share/flatpak") + kExportsTail;

struct ToolRun {
    int exitCode = -1;
    QByteArray output; // standard output only; messages go elsewhere
};

// Runs a lookup tool and waits for it. Nothing when it could not be started, crashed or took
// too long. Its output is read in the C locale so that it can be parsed.
std::optional<ToolRun> runTool(const QString& program, const QStringList& arguments, int timeoutMs,
                               const QString& flatpakUserDir = {}) {
    QProcess process;
    ChildProcessTie::tieToThisProcess(process);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    // The lookup may run as root for another user: point Flatpak at that user's installation.
    if (!flatpakUserDir.isEmpty())
        environment.insert(QStringLiteral("FLATPAK_USER_DIR"), flatpakUserDir);
    process.setProcessEnvironment(environment);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(10000))
        return std::nullopt;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished(5000);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit)
        return std::nullopt;
    return ToolRun{process.exitCode(), process.readAllStandardOutput()};
}

QStringList outputLines(const QByteArray& output) {
    return QString::fromUtf8(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// dpkg-query -S takes shell wildcards; escaped, a file name that contains them is matched as
// it is.
QString literalPattern(const QString& path) {
    QString pattern;
    for (const QChar c : path) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('[') ||
            c == QLatin1Char('\\'))
            pattern += QLatin1Char('\\');
        pattern += c;
    }
    return pattern;
}

QString withoutArchitecture(const QString& package) {
    return package.section(QLatin1Char(':'), 0, 0).trimmed();
}

// dpkg-query -S: "pkg1, pkg2:amd64: /path" per file, diversions on lines of their own. The
// first owner is taken. Keyed by path.
QHash<QString, QString> dpkgFileOwners(const QByteArray& output) {
    QHash<QString, QString> owners;
    for (const QString& line : outputLines(output)) {
        if (line.startsWith(QLatin1String("diversion by ")) ||
            line.startsWith(QLatin1String("local diversion ")))
            continue;
        const qsizetype separator = line.indexOf(QLatin1String(": "));
        if (separator <= 0)
            continue;
        const QString owner =
            withoutArchitecture(line.left(separator).section(QLatin1Char(','), 0, 0));
        if (!owner.isEmpty())
            owners.insert(line.mid(separator + 2), owner);
    }
    return owners;
}

// Version, Essential and Priority of installed Debian packages, keyed by name.
QHash<QString, PackageRef> dpkgPackages(const PackageLookup::Tools& tools,
                                        const QStringList& names) {
    QHash<QString, PackageRef> packages;
    const QStringList arguments =
        QStringList{QStringLiteral("-W"),
                    QStringLiteral("--showformat=${Package}\\t${Version}\\t${Essential}\\t"
                                   "${Priority}\\n"),
                    QStringLiteral("--")} +
        names;
    const std::optional<ToolRun> run = runTool(tools.dpkgQuery, arguments, tools.timeoutMs);
    if (!run)
        return packages;
    for (const QString& line : outputLines(run->output)) {
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() < 4 || packages.contains(fields[0]))
            continue;
        PackageRef package;
        package.manager = PackageRef::Manager::Dpkg;
        package.name = fields[0];
        package.version = fields[1];
        package.essential = fields[2] == QLatin1String("yes");
        package.priority = fields[3].trimmed();
        packages.insert(package.name, package);
    }
    return packages;
}

void lookUpDpkgOwners(const PackageLookup::Tools& tools, const QStringList& files,
                      QHash<QString, PackageRef>& owners) {
    if (files.isEmpty())
        return;
    // dpkg knows files by the path they were unpacked to; a linked entry is asked for by both.
    QHash<QString, QStringList> filesByQueriedPath;
    QStringList arguments{QStringLiteral("-S"), QStringLiteral("--")};
    for (const QString& file : files) {
        QStringList paths{QDir::cleanPath(file)};
        const QString canonical = QFileInfo(file).canonicalFilePath();
        if (!canonical.isEmpty() && canonical != paths.first())
            paths << canonical;
        for (const QString& path : paths) {
            if (!filesByQueriedPath.contains(path))
                arguments << literalPattern(path);
            filesByQueriedPath[path] << file;
        }
    }
    // Status 1 only says that some files are unknown; the others are still listed.
    const std::optional<ToolRun> run = runTool(tools.dpkgQuery, arguments, tools.timeoutMs);
    if (!run)
        return;
    const QHash<QString, QString> ownerByPath = dpkgFileOwners(run->output);
    QHash<QString, QString> packageOfFile;
    for (auto it = ownerByPath.cbegin(); it != ownerByPath.cend(); ++it)
        for (const QString& file : filesByQueriedPath.value(it.key()))
            if (!packageOfFile.contains(file))
                packageOfFile.insert(file, it.value());
    if (packageOfFile.isEmpty())
        return;

    QStringList names = packageOfFile.values();
    names.removeDuplicates();
    names.sort();
    const QHash<QString, PackageRef> packages = dpkgPackages(tools, names);
    for (auto it = packageOfFile.cbegin(); it != packageOfFile.cend(); ++it) {
        PackageRef package = packages.value(it.value());
        // Owned by dpkg even when its details could not be read.
        package.manager = PackageRef::Manager::Dpkg;
        package.name = it.value();
        owners.insert(it.key(), package);
    }
}

// The application id taken from where the export points:
// .../app/ID/current/active/export/share/applications/FILE, or the fully resolved
// .../app/ID/ARCH/BRANCH/COMMIT/export/share/applications/FILE. Empty when it points elsewhere.
QString flatpakAppIdFromLink(const QFileInfo& exported) {
    static const QRegularExpression installedEntry(QStringLiteral(
        R"(/app/([^/]+)/(?:current/active|[^/]+/[^/]+/[^/]+)/export/share/applications/[^/]+$)"));
    const QString link = exported.symLinkTarget();
    for (const QString& target :
         {link.isEmpty() ? QString() : QDir::cleanPath(link), exported.canonicalFilePath()}) {
        const QRegularExpressionMatch match = installedEntry.match(target);
        if (match.hasMatch())
            return match.captured(1);
    }
    return {};
}

// Installed Flatpak applications and their versions, keyed by id; nothing when flatpak fails.
std::optional<QHash<QString, QString>> flatpakApps(const PackageLookup::Tools& tools,
                                                   bool systemWide, const QString& userDir) {
    const QStringList arguments{
        QStringLiteral("list"), systemWide ? QStringLiteral("--system") : QStringLiteral("--user"),
        QStringLiteral("--app"), QStringLiteral("--columns=application,version")};
    const std::optional<ToolRun> run =
        runTool(tools.flatpak, arguments, tools.timeoutMs, systemWide ? QString() : userDir);
    if (!run || run->exitCode != 0)
        return std::nullopt;
    static const QRegularExpression gap(QStringLiteral("\\s"));
    QHash<QString, QString> apps;
    for (const QString& line : outputLines(run->output)) {
        const QString row = line.trimmed();
        const qsizetype end = row.indexOf(gap);
        const QString id = end < 0 ? row : row.left(end);
        if (!id.isEmpty() && !apps.contains(id))
            apps.insert(id, end < 0 ? QString() : row.mid(end + 1).trimmed());
    }
    return apps;
}

void lookUpFlatpakOwners(const PackageLookup::Tools& tools, const QStringList& files,
                         bool systemWide, const QString& userDir,
                         QHash<QString, PackageRef>& owners) {
    if (files.isEmpty())
        return;
    const std::optional<QHash<QString, QString>> apps = flatpakApps(tools, systemWide, userDir);
    if (!apps)
        return;
    for (const QString& file : files) {
        const QFileInfo exported(file);
        QString id = flatpakAppIdFromLink(exported);
        if (id.isEmpty()) {
            // An application may export further entries, ID.extra.desktop: the id is the
            // longest dotted prefix of the name that is installed.
            QString candidate = exported.fileName();
            if (candidate.endsWith(kDesktopSuffix))
                candidate.chop(kDesktopSuffix.size());
            while (!candidate.isEmpty() && !apps->contains(candidate)) {
                const qsizetype dot = candidate.lastIndexOf(QLatin1Char('.'));
                candidate.truncate(dot < 0 ? 0 : dot);
            }
            id = candidate;
        }
        if (id.isEmpty() || !apps->contains(id))
            continue; // left behind by an application that is gone
        PackageRef package;
        package.manager = PackageRef::Manager::Flatpak;
        package.name = id;
        package.systemWide = systemWide;
        package.version = apps->value(id);
        owners.insert(file, package);
    }
}

void lookUpSnapOwners(const PackageLookup::Tools& tools, const QStringList& files,
                      QHash<QString, PackageRef>& owners) {
    if (files.isEmpty())
        return;
    // "snap list": a heading, then "NAME VERSION REV TRACKING PUBLISHER NOTES" per snap.
    const std::optional<ToolRun> run =
        runTool(tools.snap, {QStringLiteral("list")}, tools.timeoutMs);
    if (!run || run->exitCode != 0)
        return;
    QHash<QString, QString> versions;
    const QStringList lines = outputLines(run->output);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QStringList columns = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (columns.size() >= 2)
            versions.insert(columns[0], columns[1]);
    }
    for (const QString& file : files) {
        // Entries are named SNAP_APP.desktop.
        const QString name = QFileInfo(file).fileName().section(QLatin1Char('_'), 0, 0);
        if (!versions.contains(name))
            continue;
        PackageRef package;
        package.manager = PackageRef::Manager::Snap;
        package.name = name;
        package.version = versions.value(name);
        owners.insert(file, package);
    }
}

} // namespace

PackageLookup::PackageLookup(Tools tools) : m_tools(std::move(tools)) {}

PackageRef PackageLookup::ownerOf(const QString& desktopFile) const {
    return ownersOf({desktopFile}).value(desktopFile);
}

QHash<QString, PackageRef> PackageLookup::ownersOf(const QStringList& desktopFiles) const {
    QHash<QString, PackageRef> owners;
    const QString systemFlatpakExports = QDir::cleanPath(m_tools.flatpakSystemExports);
    const QString snapExports = QDir::cleanPath(m_tools.snapExports);
    QStringList dpkgFiles, systemFlatpakFiles, snapFiles;
    QHash<QString, QStringList> userFlatpakFiles; // by installation folder
    for (const QString& file : desktopFiles) {
        owners.insert(file, PackageRef{});
        const QString folder = QDir::cleanPath(QFileInfo(file).absolutePath());
        if (folder == systemFlatpakExports)
            systemFlatpakFiles << file;
        else if (folder.endsWith(kUserFlatpakExports))
            userFlatpakFiles[folder.chopped(kExportsTail.size())] << file;
        else if (folder == snapExports)
            snapFiles << file;
        else
            dpkgFiles << file;
    }
    lookUpDpkgOwners(m_tools, dpkgFiles, owners);
    lookUpFlatpakOwners(m_tools, systemFlatpakFiles, true, {}, owners);
    for (auto it = userFlatpakFiles.cbegin(); it != userFlatpakFiles.cend(); ++it)
        lookUpFlatpakOwners(m_tools, it.value(), false, it.key(), owners);
    lookUpSnapOwners(m_tools, snapFiles, owners);
    return owners;
}
