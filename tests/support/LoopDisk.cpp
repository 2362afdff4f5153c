#include "LoopDisk.h"

#include "DiskContents.h"
#include "LoopImage.h"

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace testsupport {
namespace {

std::string trimmed(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) {
        text.pop_back();
    }
    return text;
}

std::string sysfsValue(const std::string& node, const char* file) {
    std::ifstream in("/sys/class/block/" + node.substr(node.rfind('/') + 1) + "/" + file);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace

std::string LoopDisk::unavailableReason() {
    if (::geteuid() != 0) {
        return "needs root";
    }
    for (const char* tool : {"losetup", "sfdisk", "partx", "mkfs.ext4", "blkid"}) {
        if (LoopImage::run({"sh", "-c", std::string("command -v ") + tool}) != 0) {
            return std::string("needs ") + tool;
        }
    }
    return {};
}

LoopDisk::LoopDisk(std::uint64_t size) {
    char folder[] = "/tmp/korvane-disk.XXXXXX";
    if (::mkdtemp(folder) == nullptr) {
        throw std::runtime_error("mkdtemp failed");
    }
    folder_ = folder;
    image_ = folder_ + "/disk.img";
    std::string out;
    if (LoopImage::run({"truncate", "-s", std::to_string(size), image_}, &out) != 0 ||
        LoopImage::run({"losetup", "-f", "-P", "--show", image_}, &out) != 0) {
        std::system(("rm -rf '" + folder_ + "'").c_str());
        throw std::runtime_error("no loop device: " + out);
    }
    device_ = trimmed(out);
}

LoopDisk::~LoopDisk() {
    for (auto it = mounts_.rbegin(); it != mounts_.rend(); ++it) {
        if (::umount(it->c_str()) != 0) {
            ::umount2(it->c_str(), MNT_DETACH);
        }
    }
    if (!device_.empty()) {
        LoopImage::run({"losetup", "-d", device_});
    }
    std::system(("rm -rf '" + folder_ + "'").c_str());
}

void LoopDisk::partition(const std::string& script) {
    std::string out;
    const std::string write = "printf '" + script + "' | sfdisk --quiet '" + device_ + "'";
    if (LoopImage::run({"sh", "-c", write}, &out) != 0) {
        throw std::runtime_error("sfdisk: " + out);
    }
    LoopImage::run({"partx", "--update", device_}, &out);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (partitionNode(1).empty() || ::access(partitionNode(1).c_str(), F_OK) != 0) {
        if (std::chrono::steady_clock::now() > until) {
            throw std::runtime_error("the partitions of " + device_ + " did not appear: " + out);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

std::string LoopDisk::partitionNode(unsigned number) const {
    return diskutil::DiskContents::partitionNode(device_, number);
}

std::uint64_t LoopDisk::offsetOf(const std::string& node) const {
    return std::strtoull(sysfsValue(node, "start").c_str(), nullptr, 10) * 512;
}

std::uint64_t LoopDisk::sizeOf(const std::string& node) const {
    return std::strtoull(sysfsValue(node, "size").c_str(), nullptr, 10) * 512;
}

std::string LoopDisk::mount(const std::string& node, bool readOnly) {
    const std::string target = folder_ + "/mnt" + std::to_string(mounts_.size());
    ::mkdir(target.c_str(), 0700);
    std::vector<std::string> argv{"mount"};
    if (readOnly) {
        argv.insert(argv.end(), {"-o", "ro"});
    }
    argv.insert(argv.end(), {node, target});
    std::string out;
    if (LoopImage::run(argv, &out) != 0) {
        throw std::runtime_error("mount " + node + ": " + out);
    }
    mounts_.push_back(target);
    return target;
}

std::string LoopDisk::bytes() const {
    // What the device nodes hold in their caches goes to the image file first; the file is read,
    // not a device node, whose cache may still hold what another node overwrote.
    std::vector<std::string> nodes{device_};
    for (unsigned number = 1; number <= 8; ++number) {
        if (std::string node = partitionNode(number); !node.empty()) {
            nodes.push_back(node);
        }
    }
    for (const std::string& node : nodes) {
        if (const int fd = ::open(node.c_str(), O_RDONLY | O_CLOEXEC); fd >= 0) {
            ::fsync(fd);
            ::close(fd);
        }
    }
    std::ifstream in(image_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace testsupport
