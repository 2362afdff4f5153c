#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// Watching a process tree from outside, for the parent-death tests.
namespace childtest {

// While it lives, orphans among this process's descendants are handed to it rather than to
// init, so a test can wait for a grandchild whose parent it killed and read how it ended.
class OrphanAdopter {
public:
    OrphanAdopter();
    ~OrphanAdopter();
};

// Forks and executes ARGV in WORKDIR, with ENVIRONMENT ("NAME=value") before this process's
// settings, standard input from /dev/null and both outputs into LOG. The child's pid.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            const std::string& workDir, const std::string& log);
// A child of PID whose command name is NAME, looked for during LIMIT; -1 when none shows.
pid_t waitForChild(pid_t pid, const std::string& name, std::chrono::milliseconds limit);
// PID's command name (/proc/PID/comm); empty once it is gone.
std::string commandName(pid_t pid);
// Waits up to LIMIT for PID (a child or adopted orphan) to end and reaps it: its wait status,
// or nothing while it runs.
std::optional<int> waitForEnd(pid_t pid, std::chrono::milliseconds limit);
// "exited with status 1", "killed by signal 15 (Terminated)".
std::string describeStatus(int status);

} // namespace childtest
