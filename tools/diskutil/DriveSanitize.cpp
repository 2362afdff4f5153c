#include "DriveSanitize.h"

#include "SampleCheck.h"
#include "StopRequest.h"

#include <algorithm>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace diskutil {

DriveSanitize::Outcome DriveSanitize::run(const std::string& device, std::uint64_t deviceBytes,
                                          const FirmwareErase& erase, const FirmwareEraser& eraser,
                                          std::string& why) const {
    out_ << "method " << erase.methodText() << std::endl;
    SampleCheck sample(device, deviceBytes);
    // A secure discard is only tried (the device may refuse it untouched): nothing is written
    // before it. The firmware erases said they are there: their samples are marked first.
    const bool tried = erase.action == FirmwareErase::Action::SecureDiscard;
    if (!(tried ? sample.remember(why) : sample.mark(why)))
        return Outcome::Failed;
    FirmwareEraser::Status status = eraser.start(device, erase);
    std::uint64_t shown = UINT64_MAX;
    // Polls until the erase has ended. A stop request ends the polling, not the erase: once
    // begun, the drive finishes it by itself (after a power cut too).
    for (;;) {
        if (status.state == FirmwareEraser::Status::State::Unsupported) {
            why = status.message;
            return Outcome::Unsupported;
        }
        if (status.state == FirmwareEraser::Status::State::Failed) {
            why = erase.label() + ": " + status.message;
            return Outcome::Failed;
        }
        const std::uint64_t done = std::min(status.done, status.total);
        if (done != shown) {
            out_ << "progress sanitize 1 1 " << done << ' ' << status.total << std::endl;
            shown = done;
        }
        if (status.state == FirmwareEraser::Status::State::Completed)
            break;
        if (StopRequest::requested()) {
            StopRequest::reportStopped(
                device,
                "under the firmware's " + erase.label() +
                    ", which goes on by itself until it is done; not verified",
                err_);
            return Outcome::Stopped;
        }
        ::usleep(pollMilliseconds_ * 1000);
        status = eraser.poll(device);
    }
    // The partition table is gone: let the kernel forget what it knew of the drive.
    if (const int fd = ::open(device.c_str(), O_RDONLY | O_CLOEXEC); fd >= 0) {
        ::ioctl(fd, BLKRRPART);
        ::close(fd);
    }
    const bool zeros = erase.expect() == FirmwareErase::Expect::Zeros;
    const SampleCheck::Outcome checked = sample.check(zeros);
    out_ << "progress verify 1 1 " << checked.bytes << ' ' << checked.bytes << std::endl;
    if (!checked.ok) {
        why = checked.error;
        return Outcome::Failed;
    }
    out_ << "checked " << SampleCheck::coverage(checked, zeros) << std::endl;
    out_ << "wiped " << device << ' ' << deviceBytes << " passes 1 verified " << checked.bytes
         << std::endl;
    return Outcome::Done;
}

} // namespace diskutil
