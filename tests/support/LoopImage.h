#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testsupport {

// A small file-system image for erasure proofs: made in its own mkdtemp folder, formatted,
// mounted through a loop device (ext4, btrfs) or FUSE (vfat with fusefat, exFAT with exfat-fuse),
// and searched byte by byte once unmounted. The destructor unmounts, detaches and deletes
// everything, also after a failed test. Needs root; unavailableReason() says why not.
class LoopImage {
public:
    enum class FileSystem { Ext4, Vfat, Exfat, Btrfs, Ntfs };

    // Empty when images of FS can be made, mounted and searched here; otherwise why not.
    static std::string unavailableReason(FileSystem fs);
    static const char* name(FileSystem fs);

    // Creates and formats an image of SIZE bytes. Throws std::runtime_error on failure.
    LoopImage(FileSystem fs, std::uint64_t size);
    ~LoopImage();
    LoopImage(const LoopImage&) = delete;
    LoopImage& operator=(const LoopImage&) = delete;

    // Throw std::runtime_error on failure. unmount() returns only when every write is in the
    // image file.
    void mount();
    void unmount();
    // Options for the kernel mounts (ext4, btrfs) from then on, e.g. "nodiscard": loop devices
    // take discards, which punch freed blocks out of the image and would hide what a disk
    // without discard keeps.
    void setMountOptions(const std::string& options) { mountOptions_ = options; }

    bool mounted() const { return mounted_; }
    const std::string& mountPoint() const { return mountPoint_; }
    const std::string& imagePath() const { return imagePath_; }
    FileSystem fileSystem() const { return fs_; }

    // Occurrences of NEEDLE in the raw image (read through the image file; unmount first).
    std::size_t count(const std::string& needle) const;
    // The occurrences of each group of NEEDLES together, in one pass over the image.
    std::vector<std::size_t> countGroups(const std::vector<std::vector<std::string>>& groups) const;
    // Traces of a file name: the name as is, or its first five characters in UTF-16LE (where
    // FAT long names and exFAT names start). Use names whose first five characters are unique.
    std::size_t countName(const std::string& name) const;
    // Every trace of the UTF-8 file name NAME that the image holds: the name as is, each run of
    // five of its characters in UTF-16LE (FAT long names and exFAT names, which both cut names
    // into slots) and its FAT 8.3 alias without the first character (which a removal
    // overwrites). Runs that also occur in one of OTHERS are not counted, so that names
    // sharing words can be told apart.
    std::size_t countNameTraces(const std::string& name,
                                const std::vector<std::string>& others = {}) const;
    // The same for each of NAMES, in one pass.
    std::vector<std::size_t> countNameTraces(const std::vector<std::string>& names,
                                             const std::vector<std::string>& others) const;

    // Runs ARGV (no shell); returns the exit status, -1 when it could not run. OUTPUT gets
    // standard output and standard error when given.
    static int run(const std::vector<std::string>& argv, std::string* output = nullptr);

private:
    void cleanUp() noexcept;

    FileSystem fs_;
    std::string folder_;
    std::string imagePath_;
    std::string mountPoint_;
    std::string loopDevice_;
    std::string mountOptions_;
    pid_t fuseChild_ = -1;
    bool mounted_ = false;
    mutable std::string content_; // the image as last read by count()
    mutable bool contentRead_ = false;
};

} // namespace testsupport
