#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <QStringList>

// The application's pictures, looked up by the names the modules use ("btn_sec", "ic_trash").
//
// Convention: every picture is an SVG file app/ui/images/NAME.svg, compiled into the ui library
// as the resource ":/images/NAME.svg" (the folder is globbed, so adding a file is enough).
// A button's image set is NAME plus the variants NAME_press, NAME_hover and NAME_disable; a
// variant that does not exist falls back to NAME.
class Images {
public:
    static QString path(const QString& name);
    static bool exists(const QString& name);
    // Every picture compiled in, by name, sorted.
    static QStringList names();

    // An icon drawn sharp at the usual sizes. Null (and a log line) when NAME does not exist.
    static QIcon icon(const QString& name);
    // NAME drawn at SIZE device-independent pixels for the given device pixel ratio; an empty
    // size means the picture's own size. Null (and a log line) when NAME does not exist.
    static QPixmap pixmap(const QString& name, QSize size = {}, qreal devicePixelRatio = 1.0);
    // The picture's own size, from its SVG; empty when NAME does not exist.
    static QSize naturalSize(const QString& name);

    // NAME + SUFFIX when that picture exists, otherwise NAME.
    static QString variant(const QString& name, const QString& suffix);

    // The history button's image set for an unseen-history flag from the settings store: flags
    // that read as a non-zero number mean "ic_history", anything else "ic_nohistory".
    static QString historyImageSet(const QString& unseenFlag);
};
