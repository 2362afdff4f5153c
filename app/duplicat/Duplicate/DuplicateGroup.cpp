#include "app/duplicat/Duplicate/DuplicateGroup.h"

#include "app/duplicat/Duplicate/SharedStorage.h"

int DuplicateGroup::distinctCopies() const {
    return SharedStorage::distinctCopies(files);
}

std::uint64_t DuplicateGroup::wastedBytes() const {
    const int copies = distinctCopies();
    return copies > 1 ? std::uint64_t(copies - 1) * fileSize : 0;
}

QList<DuplicateGroup> DuplicateGroup::split(const QList<fileAttrbItemPtr>& flat) {
    QList<DuplicateGroup> groups;
    for (const fileAttrbItemPtr& item : flat) {
        if (groups.isEmpty() || groups.last().fileSize != item->fileSize ||
            groups.last().files.last()->md5 != item->md5 ||
            groups.last().files.last()->md5_1k != item->md5_1k) {
            groups.append(DuplicateGroup{});
            groups.last().fileSize = item->fileSize;
        }
        groups.last().files.append(item);
    }
    return groups;
}
