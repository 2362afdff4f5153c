#include "platform/walk/SafeWalk.h"
#include "SrmProcess.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

using safewalk::SafeWalk;
using srmtest::TempFolder;
using srmtest::writeFile;

struct Collect : SafeWalk::Visitor {
    std::vector<std::string> order;
    bool visit(const SafeWalk::Entry& e) override {
        const char* tag = e.kind == SafeWalk::Kind::Link         ? "link:"
                          : e.kind == SafeWalk::Kind::MountPoint ? "mount:"
                          : e.kind == SafeWalk::Kind::Special    ? "special:"
                                                                 : "";
        order.push_back(tag + e.relative);
        return true;
    }
    bool leaveFolder(const SafeWalk::Entry& e, bool) override {
        order.push_back("dir:" + e.relative);
        return true;
    }
};

std::vector<std::string> walk(const std::string& parent, const std::string& name) {
    Collect c;
    const int fd = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY);
    SafeWalk::walk(fd, name, c);
    ::close(fd);
    return c.order;
}

std::size_t position(const std::vector<std::string>& order, const std::string& item) {
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (order[i] == item) {
            return i;
        }
    }
    return order.size();
}

TEST(SafeWalk, ContentsComeBeforeTheirFolderAndLinksAreNotEntered) {
    TempFolder dir;
    ::mkdir((dir / "t").c_str(), 0700);
    ::mkdir((dir / "t/a").c_str(), 0700);
    ::mkdir((dir / "t/a/b").c_str(), 0700);
    writeFile(dir / "t/a/b/f", "x");
    writeFile(dir / "t/g", "y");
    ::mkdir((dir / "out").c_str(), 0700);
    writeFile(dir / "out/never", "z");
    ASSERT_EQ(::symlink((dir / "out").c_str(), (dir / "t/a/link").c_str()), 0);
    ASSERT_EQ(::symlink("loop", (dir / "t/loop").c_str()), 0);
    ASSERT_EQ(::mkfifo((dir / "t/fifo").c_str(), 0600), 0);

    const auto order = walk(dir.path(), "t");
    ASSERT_EQ(order.size(), 8u);
    EXPECT_EQ(order.back(), "dir:");
    EXPECT_LT(position(order, "a/b/f"), position(order, "dir:a/b"));
    EXPECT_LT(position(order, "dir:a/b"), position(order, "dir:a"));
    EXPECT_LT(position(order, "link:a/link"), position(order, "dir:a"));
    EXPECT_LT(position(order, "link:loop"), order.size());
    EXPECT_LT(position(order, "special:fifo"), order.size());
    EXPECT_EQ(position(order, "a/link/never"), order.size());

    EXPECT_EQ(walk(dir.path(), "t/g"), std::vector<std::string>{""}) << "a file is its own walk";
}

TEST(SafeWalk, MountsInsideAreReportedNotEntered) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting needs root";
    }
    TempFolder dir;
    ::mkdir((dir / "t").c_str(), 0700);
    ::mkdir((dir / "t/bind").c_str(), 0700);
    ::mkdir((dir / "t/tmpfs").c_str(), 0700);
    ::mkdir((dir / "src").c_str(), 0700);
    writeFile(dir / "src/inside", "x");
    writeFile(dir / "t/file", "y");
    writeFile(dir / "t/over", "y");
    if (::mount((dir / "src").c_str(), (dir / "t/bind").c_str(), nullptr, MS_BIND, nullptr) != 0) {
        GTEST_SKIP() << "cannot bind-mount here";
    }
    const bool tmpfs = ::mount("walktest", (dir / "t/tmpfs").c_str(), "tmpfs", 0, "size=1m") == 0;
    // A single file bind-mounted over another is a mount point too.
    const bool fileBind = ::mount((dir / "src/inside").c_str(), (dir / "t/over").c_str(), nullptr,
                                  MS_BIND, nullptr) == 0;
    const auto order = walk(dir.path(), "t");
    ::umount((dir / "t/bind").c_str());
    if (tmpfs) {
        ::umount((dir / "t/tmpfs").c_str());
    }
    if (fileBind) {
        ::umount((dir / "t/over").c_str());
    }
    EXPECT_LT(position(order, "mount:bind"), order.size());
    EXPECT_EQ(position(order, "bind/inside"), order.size());
    if (tmpfs) {
        EXPECT_LT(position(order, "mount:tmpfs"), order.size());
    }
    if (fileBind) {
        EXPECT_LT(position(order, "mount:over"), order.size());
    }
    EXPECT_LT(position(order, "file"), order.size());
}

} // namespace
