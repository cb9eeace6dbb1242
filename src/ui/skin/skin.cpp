#include "ui/skin/skin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QImage>
#include <QMetaObject>
#include <QSet>
#include <QThreadPool>
#include <QtGlobal>

// Q_INIT_RESOURCE declares the registration function it calls, so it must not sit in a namespace.
static void registerSkinResources() { Q_INIT_RESOURCE(skin); }

namespace vornik {
namespace {

const QString kPrefix = QStringLiteral(":/skin/");
const QString kSuffix = QStringLiteral(".png");

QString resourcePath(const QString& name) { return kPrefix + name.toLower() + kSuffix; }

struct Cache {
    QHash<QString, QPixmap> pixmaps;
    QSet<QString> reportedMissing;
    QSet<QString> prefetching;
};

Cache& cache() {
    static Cache instance;
    return instance;
}

void dropPixmaps() { cache().pixmaps.clear(); }

void keep(const QString& key, const QPixmap& pixmap) {
    Cache& c = cache();
    // Pixmaps must go before the application does, which a function static alone would outlive;
    // registered whenever the cache starts filling, as each application runs its routines once.
    if (c.pixmaps.isEmpty()) qAddPostRoutine(dropPixmaps);
    c.pixmaps.insert(key, pixmap);
}

// On the GUI thread: a prefetched image, unless the GUI thread loaded it meanwhile.
void keepPrefetched(const QString& key, const QImage& image) {
    Cache& c = cache();
    c.prefetching.remove(key);
    if (!image.isNull() && !c.pixmaps.contains(key)) keep(key, QPixmap::fromImage(image));
}

}  // namespace

void initSkin() {
    static const bool kRegistered = [] {
        registerSkinResources();
        return true;
    }();
    Q_UNUSED(kRegistered);
}

QPixmap skinPixmap(const QString& name) {
    initSkin();
    const QString key = name.toLower();
    Cache& c = cache();
    if (const auto it = c.pixmaps.constFind(key); it != c.pixmaps.constEnd()) return it.value();
    QPixmap pixmap;
    if (!pixmap.load(resourcePath(key), "PNG")) {
        if (!c.reportedMissing.contains(key)) {
            c.reportedMissing.insert(key);
            qWarning("skin: no image named \"%s\"", qUtf8Printable(name));
        }
        return {};
    }
    keep(key, pixmap);
    return pixmap;
}

void prefetchSkin(const QStringList& names) {
    initSkin();
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr) return;
    Cache& c = cache();
    QStringList wanted;
    for (const QString& name : names) {
        const QString key = name.toLower();
        if (c.pixmaps.contains(key) || c.prefetching.contains(key) ||
            !QFile::exists(resourcePath(key)))
            continue;
        c.prefetching.insert(key);
        wanted << key;
    }
    if (wanted.isEmpty()) return;
    // Only QImage is decoded off the GUI thread; the application waits for the pool before it
    // goes, so `app` outlives the task.
    QThreadPool::globalInstance()->start([wanted, app] {
        for (const QString& key : wanted) {
            QImage image;
            image.load(resourcePath(key), "PNG");
            QMetaObject::invokeMethod(
                app, [key, image] { keepPrefetched(key, image); }, Qt::QueuedConnection);
        }
    });
}

bool skinPrefetching() { return !cache().prefetching.isEmpty(); }

bool skinHas(const QString& name) {
    initSkin();
    return QFile::exists(resourcePath(name));
}

QStringList skinNames() {
    initSkin();
    QStringList names =
        QDir(kPrefix).entryList(QStringList{QLatin1Char('*') + kSuffix}, QDir::Files, QDir::Name);
    for (QString& n : names) n.chop(kSuffix.size());
    return names;
}

}  // namespace vornik
