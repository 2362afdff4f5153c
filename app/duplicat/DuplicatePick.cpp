#include "app/duplicat/DuplicatePick.h"

#include <QDir>

namespace {

qint64 mtime(const fileAttrbItem& f) {
    return f.mtimeSec * 1000000000LL + f.mtimeNsec;
}

// A path with a hidden folder or file in it ("/home/ann/.cache/doc.txt").
bool isHidden(const QString& path) {
    return path.contains(QLatin1String("/."));
}

// Between copies of the same time, the one to keep: a visible one before a hidden one, then
// the shorter path, then the first in order.
bool betterToKeep(const fileAttrbItem& a, const fileAttrbItem& b) {
    const bool hiddenA = isHidden(a.filePathName), hiddenB = isHidden(b.filePathName);
    if (hiddenA != hiddenB)
        return !hiddenA;
    return a.filePathName.size() < b.filePathName.size();
}

} // namespace

int DuplicatePick::storageRoot(const DuplicateGroup& group, int index) {
    const int shares = group.files[index]->sharesWith;
    return shares >= 0 ? shares : index;
}

DuplicatePick::Marks DuplicatePick::keepOnly(const DuplicateGroup& group, int keep) {
    Marks marks(group.files.size(), true);
    if (keep >= 0 && keep < marks.size())
        marks[keep] = false;
    return sanitize(group, marks);
}

DuplicatePick::Marks DuplicatePick::keepNewest(const DuplicateGroup& group) {
    int best = 0;
    for (int i = 1; i < group.files.size(); ++i)
        if (mtime(*group.files[i]) > mtime(*group.files[best]) ||
            (mtime(*group.files[i]) == mtime(*group.files[best]) &&
             betterToKeep(*group.files[i], *group.files[best])))
            best = i;
    return keepOnly(group, best);
}

DuplicatePick::Marks DuplicatePick::keepOldest(const DuplicateGroup& group) {
    int best = 0;
    for (int i = 1; i < group.files.size(); ++i)
        if (mtime(*group.files[i]) < mtime(*group.files[best]) ||
            (mtime(*group.files[i]) == mtime(*group.files[best]) &&
             betterToKeep(*group.files[i], *group.files[best])))
            best = i;
    return keepOnly(group, best);
}

DuplicatePick::Marks DuplicatePick::keepInFolder(const DuplicateGroup& group,
                                                 const QString& folder) {
    const QString prefix = QDir::cleanPath(folder) + QLatin1Char('/');
    Marks marks(group.files.size(), true);
    bool any = false;
    for (int i = 0; i < group.files.size(); ++i)
        if (group.files[i]->filePathName.startsWith(prefix)) {
            marks[i] = false;
            any = true;
        }
    if (!any)
        return Marks(group.files.size(), false);
    return sanitize(group, marks);
}

DuplicatePick::Marks DuplicatePick::sanitize(const DuplicateGroup& group, Marks marks) {
    marks.resize(group.files.size());
    bool anyKept = false;
    for (const bool m : marks)
        anyKept = anyKept || !m;
    if (!anyKept)
        return Marks(group.files.size(), false); // a group never loses all its copies
    for (int i = 0; i < marks.size(); ++i)
        if (marks[i] && referenceFor(group, marks, i) < 0)
            marks[i] = false;
    return marks;
}

int DuplicatePick::referenceFor(const DuplicateGroup& group, const Marks& marks, int index) {
    const int root = storageRoot(group, index);
    // A kept copy sharing the storage of the one to delete: deleting it frees nothing.
    for (int k = 0; k < group.files.size(); ++k)
        if (k != index && !marks.value(k) && storageRoot(group, k) == root)
            return -1;
    for (int k = 0; k < group.files.size(); ++k)
        if (!marks.value(k) && storageRoot(group, k) != root)
            return k;
    return -1;
}
