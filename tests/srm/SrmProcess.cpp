#include "SrmProcess.h"

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace srmtest {
namespace {

std::string slurp(int fd) {
    std::string text;
    ::lseek(fd, 0, SEEK_SET);
    char buf[4096];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) {
        text.append(buf, std::size_t(n));
    }
    ::close(fd);
    return text;
}

int anonymousFile() {
    char name[] = "/tmp/srmtest-output.XXXXXX";
    int fd = ::mkstemp(name);
    if (fd >= 0) {
        ::unlink(name);
    }
    return fd;
}

} // namespace

SrmResult runSrm(const std::vector<std::string>& args, int timeoutSeconds) {
    return runSrmWithInput(args, std::string(), timeoutSeconds);
}

SrmResult runSrmWithInput(const std::vector<std::string>& args, const std::string& input,
                          int timeoutSeconds) {
    SrmResult result;
    int outFd = anonymousFile();
    int errFd = anonymousFile();
    int inFd = anonymousFile();
    if (::write(inFd, input.data(), input.size()) != ssize_t(input.size())) {
        throw std::runtime_error("cannot stage srm's input");
    }
    ::lseek(inFd, 0, SEEK_SET);
    pid_t child = ::fork();
    if (child == 0) {
        ::dup2(inFd, STDIN_FILENO);
        ::dup2(outFd, STDOUT_FILENO);
        ::dup2(errFd, STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(SRM_PROGRAM)};
        for (const std::string& a : args) {
            argv.push_back(const_cast<char*>(a.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(SRM_PROGRAM, argv.data());
        ::_exit(127);
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    int status = 0;
    for (;;) {
        pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) {
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            result.timedOut = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ::close(inFd);
    result.status = !result.timedOut && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    result.out = slurp(outFd);
    result.err = slurp(errFd);
    return result;
}

TempFolder::TempFolder(const std::string& under) {
    std::string templ = under + "/srmtest.XXXXXX";
    if (::mkdtemp(templ.data()) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    path_ = templ;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void writeFile(const std::string& path, const std::string& data) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(data.data(), std::streamsize(data.size()));
    file.flush();
    if (!file) {
        throw std::runtime_error("cannot write " + path);
    }
}

std::string readFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

bool exists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

std::string batchInput(const std::vector<BatchRecord>& records) {
    std::string input;
    for (const BatchRecord& r : records) {
        input += r.word + '\0' + r.anchor + '\0' + r.relative + '\0';
    }
    return input;
}

std::vector<std::vector<std::string>> resultLines(const std::string& out) {
    std::vector<std::vector<std::string>> lines;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string f; std::getline(parts, f, '\t');) {
            fields.push_back(f);
        }
        lines.push_back(fields);
    }
    return lines;
}

} // namespace srmtest
