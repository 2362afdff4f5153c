#include "ProcessTree.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace childtest {

OrphanAdopter::OrphanAdopter() {
    ::prctl(PR_SET_CHILD_SUBREAPER, 1);
}

OrphanAdopter::~OrphanAdopter() {
    ::prctl(PR_SET_CHILD_SUBREAPER, 0);
}

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            const std::string& workDir, const std::string& log) {
    // Made before the fork: the child only makes async-signal-safe calls. The first of two
    // settings of one name is the one getenv() finds.
    std::vector<char*> args, env;
    for (const std::string& arg : argv) {
        args.push_back(const_cast<char*>(arg.c_str()));
    }
    for (const std::string& setting : environment) {
        env.push_back(const_cast<char*>(setting.c_str()));
    }
    for (char** e = environ; *e != nullptr; ++e) {
        env.push_back(*e);
    }
    args.push_back(nullptr);
    env.push_back(nullptr);
    const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(::open("/dev/null", O_RDONLY), STDIN_FILENO);
        ::dup2(out, STDOUT_FILENO);
        ::dup2(out, STDERR_FILENO);
        if (::chdir(workDir.c_str()) == 0) {
            ::execve(args[0], args.data(), env.data());
        }
        ::_exit(127);
    }
    ::close(out);
    return pid;
}

pid_t waitForChild(pid_t pid, const std::string& name, std::chrono::milliseconds limit) {
    const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
    const auto deadline = std::chrono::steady_clock::now() + limit;
    do {
        if (DIR* dir = ::opendir(tasks.c_str())) {
            pid_t found = -1;
            while (const dirent* entry = ::readdir(dir)) {
                std::ifstream children(tasks + "/" + entry->d_name + "/children");
                for (pid_t child; found < 0 && children >> child;) {
                    found = commandName(child) == name ? child : -1;
                }
            }
            ::closedir(dir);
            if (found > 0) {
                return found;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    } while (std::chrono::steady_clock::now() < deadline);
    return -1;
}

std::string commandName(pid_t pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

std::optional<int> waitForEnd(pid_t pid, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t ended = ::waitpid(pid, &status, WNOHANG);
        if (ended == pid) {
            return status;
        }
        if ((ended < 0 && errno != EINTR) || std::chrono::steady_clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::string describeStatus(int status) {
    if (WIFEXITED(status)) {
        return "exited with status " + std::to_string(WEXITSTATUS(status));
    }
    return "killed by signal " + std::to_string(WTERMSIG(status)) + " (" +
           ::strsignal(WTERMSIG(status)) + ")";
}

} // namespace childtest
