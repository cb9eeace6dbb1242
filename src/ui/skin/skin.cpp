#include "ui/skin/skin.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QSet>
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
};

Cache& cache() {
    static Cache instance;
    return instance;
}

void dropPixmaps() { cache().pixmaps.clear(); }

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
    // Pixmaps must go before the application does, which a function static alone would outlive;
    // registered whenever the cache starts filling, as each application runs its routines once.
    if (c.pixmaps.isEmpty()) qAddPostRoutine(dropPixmaps);
    c.pixmaps.insert(key, pixmap);
    return pixmap;
}

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
