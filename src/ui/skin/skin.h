#pragma once

#include <QPixmap>
#include <QString>
#include <QStringList>

namespace vornik {

// The skin images are compiled into the program under ":/skin/<lower-case name>.png".
//
// Every function below registers them on first use, so callers that only go through these need no
// set-up. Code that opens ":/skin/..." paths itself (style sheets, QIcon) calls initSkin() first:
// the images live in a static library, whose registration the linker would otherwise drop.
void initSkin();

// The image called `name`, which is matched without regard to case ("BtnS_01" == "btns_01").
// Loaded images are kept for the rest of the run. A name that is not in the skin gives a null
// pixmap and one qWarning per distinct name, however often it is asked for. Needs a
// QGuiApplication and the GUI thread, as QPixmap does.
QPixmap skinPixmap(const QString& name);

// Decodes the named images on a worker thread and keeps them as skinPixmap does, on the GUI
// thread's event loop, so that their first use later costs no decoding (the page backgrounds of
// another layout take about 100 ms). Names already kept, asked for or not in the skin are
// skipped. Needs a QGuiApplication; call it on the GUI thread.
void prefetchSkin(const QStringList& names);
// Whether images asked for by prefetchSkin have not reached the cache yet.
bool skinPrefetching();

// Whether the skin has an image called `name` (case ignored). Needs no QGuiApplication.
bool skinHas(const QString& name);

// The lower-case names of all skin images, sorted. Needs no QGuiApplication.
QStringList skinNames();

}  // namespace vornik
