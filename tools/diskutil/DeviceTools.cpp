#include "DeviceTools.h"

#include "StopRequest.h"
#include "platform/ParentDeathSignal.h"

#include <blkid/blkid.h>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace diskutil {

DeviceTools::Identity DeviceTools::probe(const std::string& device) {
    Identity id;
    blkid_probe pr = blkid_new_probe_from_filename(device.c_str());
    if (pr == nullptr) {
        return id;
    }
    blkid_probe_enable_superblocks(pr, 1);
    blkid_probe_set_superblocks_flags(pr, BLKID_SUBLKS_TYPE | BLKID_SUBLKS_LABEL |
                                              BLKID_SUBLKS_UUID | BLKID_SUBLKS_VERSION);
    if (blkid_do_safeprobe(pr) == 0) {
        const char* value = nullptr;
        auto take = [&](const char* name, std::string& into) {
            if (blkid_probe_lookup_value(pr, name, &value, nullptr) == 0) {
                into = value;
            }
        };
        take("TYPE", id.type);
        take("VERSION", id.version);
        take("LABEL", id.label);
        if (id.label.empty()) {
            take("LABEL_FATBOOT", id.label); // FAT's boot-sector copy of the label
        }
        take("UUID", id.uuid);
    }
    blkid_free_probe(pr);
    return id;
}

std::uint64_t DeviceTools::deviceSize(const std::string& device) {
    const int fd = ::open(device.c_str(), O_RDONLY | O_CLOEXEC);
    std::uint64_t size = 0;
    if (fd >= 0) {
        ::ioctl(fd, BLKGETSIZE64, &size);
        ::close(fd);
    }
    return size;
}

bool DeviceTools::prepareChild(pid_t parent) noexcept {
    ::signal(SIGPIPE, SIG_DFL);
    return ParentDeathSignal::armInChild(parent);
}

int DeviceTools::runTool(const std::vector<std::string>& argv, std::ostream& err,
                         const std::string& input) {
    if (StopRequest::requested()) {
        err << "diskutil: " << (argv.empty() ? std::string() : argv[0])
            << " not started: " << StopRequest::reason() << std::endl;
        return -1;
    }
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        return -1;
    }
    int inputFds[2] = {-1, -1};
    if (!input.empty() && ::pipe2(inputFds, O_CLOEXEC) != 0) {
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return -1;
    }
    const pid_t self = ::getpid();
    const pid_t child = ::fork();
    if (child == 0) {
        if (!prepareChild(self)) {
            ::_exit(127);
        }
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::dup2(pipeFds[1], STDERR_FILENO);
        const int in = input.empty() ? ::open("/dev/null", O_RDONLY) : inputFds[0];
        ::dup2(in, STDIN_FILENO);
        std::vector<char*> args;
        for (const std::string& arg : argv) {
            args.push_back(const_cast<char*>(arg.c_str()));
        }
        args.push_back(nullptr);
        ::execvp(args[0], args.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (!input.empty()) {
        // Small enough for the pipe's buffer: written whole before the output is read.
        ::close(inputFds[0]);
        if (child > 0) {
            (void)!::write(inputFds[1], input.data(), input.size());
        }
        ::close(inputFds[1]);
    }
    if (child < 0) {
        ::close(pipeFds[0]);
        return -1;
    }
    char buf[4096];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buf, sizeof buf)) > 0) {
        err.write(buf, n);
    }
    ::close(pipeFds[0]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool DeviceTools::kernelKnows(const std::string& type) {
    std::ifstream list("/proc/filesystems");
    for (std::string line; std::getline(list, line);) {
        if (line.size() >= type.size() &&
            line.compare(line.size() - type.size(), type.size(), type) == 0 &&
            (line.size() == type.size() || line[line.size() - type.size() - 1] == '\t')) {
            return true;
        }
    }
    return false;
}

std::string DeviceTools::ownershipOptions(const std::string& options) {
    std::string kept;
    std::size_t start = 0;
    while (start <= options.size()) {
        const std::size_t comma = options.find(',', start);
        const std::string option = options.substr(start, comma - start);
        for (const char* prefix : {"uid=", "gid=", "umask=", "fmask=", "dmask="}) {
            if (option.compare(0, std::strlen(prefix), prefix) == 0) {
                kept += (kept.empty() ? "" : ",") + option;
            }
        }
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
    return kept;
}

std::vector<std::string> DeviceTools::mountCommand(const std::string& type,
                                                   const std::string& device,
                                                   const std::string& target,
                                                   const std::string& options) {
    if (type == "exfat" && !kernelKnows("exfat")) {
        std::vector<std::string> cmd{"mount.exfat-fuse", device, target};
        if (!options.empty()) {
            cmd.insert(cmd.begin() + 1, {"-o", options});
        }
        return cmd;
    }
    if (type == "ntfs") {
        return kernelKnows("ntfs3")
                   ? std::vector<std::string>{"mount", "-t", "ntfs3", device, target}
                   : std::vector<std::string>{"mount.ntfs-3g", device, target};
    }
    if (type == "vfat" && !kernelKnows("vfat")) {
        // Named after the device in the mount table, so the volume is listed as that device.
        std::string fuseOptions = "rw+";
        if (device.find(',') == std::string::npos) {
            fuseOptions += ",fsname=" + device + ",subtype=fusefat";
        }
        return {"fusefat", "-o", options.empty() ? fuseOptions : fuseOptions + "," + options,
                device, target};
    }
    std::vector<std::string> cmd{"mount", "-t", type, device, target};
    if (!options.empty()) {
        cmd.insert(cmd.begin() + 1, {"-o", options});
    }
    return cmd;
}

bool DeviceTools::haveTool(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string list = path != nullptr ? path : "/usr/sbin:/usr/bin:/sbin:/bin";
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t colon = list.find(':', start);
        const std::string folder = list.substr(start, colon - start);
        if (!folder.empty() && ::access((folder + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
        if (colon == std::string::npos) {
            break;
        }
        start = colon + 1;
    }
    return false;
}

} // namespace diskutil
