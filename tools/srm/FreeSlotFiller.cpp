#include "FreeSlotFiller.h"

#include "Cancellation.h"
#include "NameScrubber.h"
#include "Reporter.h"

#include "platform/walk/SafeWalk.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace srm {
namespace {

class Visitor : public safewalk::SafeWalk::Visitor {
public:
    Visitor(NameScrubber& scrubber, Reporter& reporter, const std::string& top, bool volumeFull)
        : scrubber_(scrubber), reporter_(reporter), top_(top), volumeFull_(volumeFull) {}

    bool visit(const safewalk::SafeWalk::Entry& /*entry*/) override {
        return !Cancellation::requested();
    }

    bool leaveFolder(const safewalk::SafeWalk::Entry& entry, bool /*complete*/) override {
        if (Cancellation::requested()) {
            return false;
        }
        const int fd = ::openat(entry.dirFd, entry.name.c_str(),
                                O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0) {
            problem(entry.relative, "open", errno);
            return true;
        }
        const bool filled =
            volumeFull_ ? scrubber_.fillFreeSlotsOfFullVolume(fd) : scrubber_.fillFreeSlots(fd);
        if (!filled) {
            ++unfilled_;
            reporter_.problem(shown(entry.relative), FreeSlotFiller::kNotOverwritten);
        }
        ::close(fd);
        return true;
    }

    void problem(const std::string& relative, const char* operation, int error) override {
        ok_ = false;
        reporter_.failure(shown(relative), operation, error);
    }

    bool ok() const { return ok_; }
    std::size_t unfilled() const { return unfilled_; }

private:
    std::string shown(const std::string& relative) const {
        return relative.empty() ? top_ : top_ + "/" + relative;
    }

    NameScrubber& scrubber_;
    Reporter& reporter_;
    const std::string& top_;
    bool volumeFull_;
    bool ok_ = true;
    std::size_t unfilled_ = 0;
};

} // namespace

bool FreeSlotFiller::run(const std::string& path, bool volumeFull) {
    std::string top = path;
    while (top.size() > 1 && top.back() == '/') {
        top.pop_back();
    }
    const std::size_t slash = top.rfind('/');
    const std::string parent = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : top.substr(0, slash);
    const std::string name = slash == std::string::npos ? top : top.substr(slash + 1);
    if (name.empty()) {
        reporter_.problem(path, "give the folder by its own name, not \"/\"");
        return false;
    }
    const int parentFd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFd < 0) {
        reporter_.failure(parent, "open", errno);
        return false;
    }
    if (volumeFull) {
        // Where the volume is not full, entries made until the driver refuses would grow every
        // folder by a cluster.
        const int topFd =
            ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        const bool room = topFd >= 0 && scrubber_.takesAnotherByte(topFd);
        if (topFd >= 0) {
            ::close(topFd);
        }
        if (room) {
            ::close(parentFd);
            reporter_.problem(top, "the volume is not full: its folders are not filled");
            return false;
        }
    }
    Visitor visitor(scrubber_, reporter_, top, volumeFull);
    const bool walked = safewalk::SafeWalk::walk(parentFd, name, visitor);
    ::close(parentFd);
    if (Cancellation::requested()) {
        reporter_.warning("stopped; the folders not reached yet were left as they were");
        return false;
    }
    if (visitor.unfilled() > 0) {
        reporter_.warning(top + ": names of removed entries may remain in " +
                          std::to_string(visitor.unfilled()) +
                          " folder(s), whose free slots could not all be overwritten (the "
                          "driver does not tell the folder's size, or it is full)");
    }
    return walked && visitor.ok() && visitor.unfilled() == 0;
}

} // namespace srm
