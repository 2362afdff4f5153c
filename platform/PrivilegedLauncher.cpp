#include "platform/PrivilegedLauncher.h"

#include "platform/Logger.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QXmlStreamReader>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <syslog.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

// An argument vector prepared before fork, so the children only call async-signal-safe code.
class Argv {
public:
    explicit Argv(const QStringList& list) {
        for (const QString& item : list)
            m_strings.push_back(QFile::encodeName(item).toStdString());
        for (std::string& s : m_strings)
            m_pointers.push_back(s.data());
        m_pointers.push_back(nullptr);
    }
    char* const* data() const { return m_pointers.data(); }
    const char* program() const { return m_pointers.front(); }

private:
    std::vector<std::string> m_strings;
    std::vector<char*> m_pointers;
};

bool isExecutableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// Runs in the detached watcher: pkexec, then the outcome as described in the header.
[[noreturn]] void watch(const Argv& pkexec, const Argv& unprivileged) {
    const pid_t child = ::fork();
    if (child < 0) {
        syslog(LOG_NOTICE, "Privileged start: fork for pkexec failed: %s", std::strerror(errno));
        ::_exit(1);
    }
    if (child == 0) {
        ::execv(pkexec.program(), pkexec.data());
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == PrivilegedLauncher::kNoDisplayStatus) {
        syslog(LOG_NOTICE, "Privileged start: the program could not reach the display as root; "
                           "starting it without administrator rights");
        ::execve(unprivileged.program(), unprivileged.data(), environ);
        syslog(LOG_NOTICE, "Privileged start: exec %s failed: %s", unprivileged.program(),
               std::strerror(errno));
        ::_exit(1);
    }
    if (WIFEXITED(status) && (WEXITSTATUS(status) == 126 || WEXITSTATUS(status) == 127))
        syslog(LOG_NOTICE, "Privileged start: not authorized or cancelled (pkexec status %d)",
               WEXITSTATUS(status));
    ::_exit(0);
}

} // namespace

PrivilegedLauncher::Options PrivilegedLauncher::systemOptions() {
    Options options;
    options.alreadyRoot = ::geteuid() == 0;
    options.display = DisplayVariables::fromProcessEnvironment();
    return options;
}

bool PrivilegedLauncher::policyCovers(const QString& program, const QString& policyFolder) {
    QFile file(policyFolder + QLatin1Char('/') + kPolicyFileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QXmlStreamReader xml(&file);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement ||
            xml.name() != QLatin1String("annotate") ||
            xml.attributes().value(QLatin1String("key")) !=
                QLatin1String("org.freedesktop.policykit.exec.path"))
            continue;
        if (xml.readElementText().trimmed() == program)
            return true;
    }
    return false;
}

QStringList PrivilegedLauncher::pkexecArguments(const QString& program,
                                                const QStringList& arguments,
                                                const Options& options) {
    QStringList list;
    // env would take a program path containing "=" for one more assignment.
    const bool viaEnv = !policyCovers(program, options.policyFolder) &&
                        !options.display.isEmpty() && !program.contains(QLatin1Char('='));
    if (viaEnv) {
        list << options.envPath;
        for (const QByteArray& assignment : options.display.assignments())
            list << QFile::decodeName(assignment);
    }
    list << program << arguments;
    return list;
}

int PrivilegedLauncher::launch(const QString& program, const QStringList& arguments,
                               const Options& options) {
    if (!isExecutableFile(program)) {
        Logger::log(QStringLiteral("Privileged start: %1 is not an executable file").arg(program));
        return ENOENT;
    }
    if (options.alreadyRoot) {
        if (QProcess::startDetached(program, arguments))
            return 0;
        Logger::log(QStringLiteral("Privileged start: starting %1 failed").arg(program));
        return ECHILD;
    }
    if (!isExecutableFile(options.pkexecPath)) {
        Logger::log(QStringLiteral("Privileged start: %1 is missing").arg(options.pkexecPath));
        return ENOENT;
    }
    const Argv pkexec(QStringList{options.pkexecPath}
                      << pkexecArguments(program, arguments, options));
    const Argv unprivileged(QStringList{program} << arguments);

    const pid_t middle = ::fork();
    if (middle < 0) {
        const int error = errno;
        Logger::log(QStringLiteral("Privileged start: fork failed: %1").arg(strerror(error)));
        return error;
    }
    if (middle == 0) {
        // The middle child only detaches: new session, then the watcher is orphaned to init so
        // the caller never waits for it.
        ::setsid();
        const pid_t watcher = ::fork();
        if (watcher == 0) {
            const int null = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
            if (null >= 0)
                ::dup2(null, STDIN_FILENO);
            watch(pkexec, unprivileged);
        }
        ::_exit(watcher < 0 ? 1 : 0);
    }
    int status = 0;
    while (::waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        Logger::log(QStringLiteral("Privileged start: could not detach the watcher"));
        return ECHILD;
    }
    return 0;
}
