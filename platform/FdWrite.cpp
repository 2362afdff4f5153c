#include "platform/FdWrite.h"

#include <cerrno>
#include <unistd.h>

bool FdWrite::all(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

bool FdWrite::all(int fd, const QByteArray& data) {
    return all(fd, data.constData(), std::size_t(data.size()));
}
