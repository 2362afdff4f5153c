#pragma once

#include <QByteArray>
#include <cstddef>

// A write(2) that goes on after short writes and EINTR until everything is out.
class FdWrite {
public:
    // False on an error (errno says which) or when the file takes nothing more.
    static bool all(int fd, const char* data, std::size_t size);
    static bool all(int fd, const QByteArray& data);
};
