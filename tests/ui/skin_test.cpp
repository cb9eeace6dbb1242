#include "ui/skin/skin.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QStringList>
#include <QTest>
#include <QtGlobal>
#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <vector>

namespace vornik {
namespace {

struct Expected {
    const char* name;
    int width;
    int height;
};

// The resource table, as the window code relies on it.
constexpr Expected kImages[] = {
    {"L1_BackGround", 1030, 662},
    {"L2_BackGround", 1030, 662},
    {"L3_BackGround", 23, 4},
    {"L1_Back1", 600, 400},
    {"L1_Back2", 800, 374},
    {"L1_Back3", 800, 374},
    {"L1_Back4", 800, 374},
    {"L1_Back5", 720, 650},
    {"L1_Back6", 800, 374},
    {"L2_Back1", 600, 400},
    {"L2_Back2", 800, 374},
    {"L2_Back3", 800, 374},
    {"L2_Back4", 800, 374},
    {"L2_Back5", 720, 650},
    {"L2_Back6", 800, 374},
    {"L3_Back1", 23, 4},
    {"L3_Back2", 23, 4},
    {"L3_Back3", 23, 4},
    {"L3_Back4", 23, 4},
    {"L3_Back5", 23, 4},
    {"BtnS_01", 120, 30},
    {"BtnS_02", 120, 30},
    {"BtnS_03", 120, 30},
    {"SetS_01", 110, 30},
    {"SetS_02", 110, 30},
    {"SetS_03", 110, 30},
    {"ExitS_01", 20, 20},
    {"ExitS_02", 20, 20},
    {"ExitS_03", 20, 20},
    {"MiniS_01", 20, 20},
    {"MiniS_02", 20, 20},
    {"MiniS_03", 20, 20},
    {"KeyS_01", 230, 27},
    {"KeyS_02", 230, 27},
    {"KeyS_03", 230, 27},
    {"WebS_01", 368, 66},
    {"WebS_02", 368, 66},
    {"WebS_03", 368, 66},
    {"MacroS_01", 110, 27},
    {"MacroS_02", 110, 27},
    {"MacroS_03", 110, 27},
    {"MacroBtnS_01", 44, 27},
    {"MacroBtnS_02", 44, 27},
    {"MacroBtnS_03", 44, 27},
    {"Gun1_01", 120, 56},
    {"Gun2_01", 120, 56},
    {"Gun3_01", 120, 56},
    {"Gun4_01", 120, 56},
    {"Gun5_01", 120, 56},
    {"Gun6_01", 120, 56},
    {"Gun7_01", 120, 56},
    {"Gun1_02", 120, 56},
    {"Gun2_02", 120, 56},
    {"Gun3_02", 120, 56},
    {"Gun4_02", 120, 56},
    {"Gun5_02", 120, 56},
    {"Gun6_02", 120, 56},
    {"Gun7_02", 120, 56},
    {"GunMode1", 42, 42},
    {"GunMode2", 52, 52},
    {"GunMode3", 42, 42},
    {"GunMode4", 52, 52},
    {"GunMode5", 62, 62},
    {"CbS_D", 16, 16},
    {"CbS_E", 16, 16},
    {"RdS_D", 15, 15},
    {"RdS_E", 15, 15},
    {"Col_F", 18, 18},
    {"Bar1_D", 26, 18},
    {"Bar1_E", 26, 18},
    {"Bar2_D", 26, 18},
    {"Bar2_E", 26, 18},
    {"InsertDelayBase", 207, 162},
    {"InsertKeyBase", 207, 162},
    {"InsertXYBase", 207, 162},
    {"Slider_Thumb", 20, 20},
    {"Slider_Ruler", 10, 8},
    {"MSG", 1000, 660},
    {"MacroRow0", 16, 16},
    {"MacroRow1", 16, 16},
    {"MacroRow2", 16, 16},
    {"MacroRow3", 16, 16},
    {"MacroRow4", 16, 16},
    {"MacroRow5", 16, 16},
    {"MacroRow6", 16, 16},
    {"MacroRow7", 16, 16},
    {"MacroRow8", 16, 16},
    {"AppIcon", 64, 64},
};

// Shown on windows whose colour key is maroon: these must cut their outside with it.
const char* const kColourKeyed[] = {"L1_BackGround", "L2_BackGround", "MSG"};

constexpr QRgb kMaroon = qRgb(128, 0, 0);

QImage imageOf(const char* name) {
    return skinPixmap(QString::fromLatin1(name)).toImage().convertToFormat(QImage::Format_ARGB32);
}

bool isColourKeyed(const char* name) {
    return std::any_of(std::begin(kColourKeyed), std::end(kColourKeyed),
                       [name](const char* keyed) { return qstrcmp(keyed, name) == 0; });
}

int squaredDistanceToMaroon(QRgb c) {
    const int r = qRed(c) - 128;
    const int g = qGreen(c);
    const int b = qBlue(c);
    return r * r + g * g + b * b;
}

// Opaque pixels within reach of the colour key. On a keyed window those that are not exactly the
// key show as a pink fringe; on any other image even exact ones would punch see-through holes.
int opaqueNearMaroon(const QImage& image, bool countExactKey) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) != 255 || squaredDistanceToMaroon(c) > 40 * 40) continue;
            if (countExactKey || c != kMaroon) ++count;
        }
    }
    return count;
}

// Two pictures look different when at least 2% of their pixels (compared premultiplied, so fully
// transparent pixels are equal) differ clearly in some channel.
bool visiblyDiffer(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return true;
    const QImage pa = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage pb = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int differing = 0;
    for (int y = 0; y < pa.height(); ++y) {
        for (int x = 0; x < pa.width(); ++x) {
            const QRgb ca = pa.pixel(x, y);
            const QRgb cb = pb.pixel(x, y);
            const int d =
                std::max({std::abs(qRed(ca) - qRed(cb)), std::abs(qGreen(ca) - qGreen(cb)),
                          std::abs(qBlue(ca) - qBlue(cb)), std::abs(qAlpha(ca) - qAlpha(cb))});
            if (d > 24) ++differing;
        }
    }
    return differing >= std::max(4, pa.width() * pa.height() / 50);
}

TEST(Skin, EveryImageLoadsWithItsSize) {
    for (const Expected& e : kImages) {
        SCOPED_TRACE(e.name);
        const QPixmap pixmap = skinPixmap(QString::fromLatin1(e.name));
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.width(), e.width);
        EXPECT_EQ(pixmap.height(), e.height);
        EXPECT_TRUE(skinHas(QString::fromLatin1(e.name)));
    }
}

TEST(Skin, NamesAreExactlyTheTable) {
    QStringList expected;
    for (const Expected& e : kImages) expected.append(QString::fromLatin1(e.name).toLower());
    expected.sort();
    EXPECT_EQ(skinNames(), expected);
}

TEST(Skin, LookupIgnoresCase) {
    const QImage reference = imageOf("BtnS_01");
    for (const char* spelling : {"bTnS_01", "btns_01", "BTNS_01"}) {
        SCOPED_TRACE(spelling);
        EXPECT_TRUE(skinHas(QString::fromLatin1(spelling)));
        EXPECT_EQ(imageOf(spelling), reference);
    }
    EXPECT_TRUE(skinHas(QStringLiteral("cbs_e")));
    EXPECT_EQ(imageOf("gunmode5").size(), QSize(62, 62));
}

int g_warnings = 0;

void countWarnings(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("skin:"))) ++g_warnings;
}

TEST(Skin, MissingNameIsNullAndWarnsOncePerName) {
    g_warnings = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countWarnings);
    const bool firstNull = skinPixmap(QStringLiteral("NoSuchImage")).isNull();
    const bool againNull = skinPixmap(QStringLiteral("nosuchimage")).isNull();
    const bool otherNull = skinPixmap(QStringLiteral("BtnS_04")).isNull();
    qInstallMessageHandler(previous);
    EXPECT_TRUE(firstNull);
    EXPECT_TRUE(againNull);
    EXPECT_TRUE(otherNull);
    EXPECT_EQ(g_warnings, 2);
    EXPECT_FALSE(skinHas(QStringLiteral("NoSuchImage")));
    EXPECT_FALSE(skinHas(QString()));
}

// Pictures of one control that stand for different states; each pair must tell them apart.
const std::vector<std::vector<const char*>> kStateFamilies = {
    {"BtnS_01", "BtnS_02", "BtnS_03"},
    {"SetS_01", "SetS_02", "SetS_03"},
    {"ExitS_01", "ExitS_02", "ExitS_03"},
    {"MiniS_01", "MiniS_02", "MiniS_03"},
    {"KeyS_01", "KeyS_02", "KeyS_03"},
    {"WebS_01", "WebS_02", "WebS_03"},
    {"MacroS_01", "MacroS_02", "MacroS_03"},
    {"MacroBtnS_01", "MacroBtnS_02", "MacroBtnS_03"},
    {"CbS_D", "CbS_E"},
    {"RdS_D", "RdS_E"},
    {"Bar1_D", "Bar1_E"},
    {"Bar2_D", "Bar2_E"},
    {"Gun1_01", "Gun1_02"},
    {"Gun2_01", "Gun2_02"},
    {"Gun3_01", "Gun3_02"},
    {"Gun4_01", "Gun4_02"},
    {"Gun5_01", "Gun5_02"},
    {"Gun6_01", "Gun6_02"},
    {"Gun7_01", "Gun7_02"},
    // Presets must be told apart among themselves too, in both states.
    {"Gun1_01", "Gun2_01", "Gun3_01", "Gun4_01", "Gun5_01", "Gun6_01", "Gun7_01"},
    {"Gun1_02", "Gun2_02", "Gun3_02", "Gun4_02", "Gun5_02", "Gun6_02", "Gun7_02"},
    {"GunMode1", "GunMode3"},
    {"GunMode2", "GunMode4"},
};

// Images decoded ahead on a worker thread reach the cache on the GUI thread's event loop and
// are the images a direct load gives; a name the skin lacks is skipped without a warning.
TEST(Skin, PrefetchedImagesAreTheDirectLoads) {
    g_warnings = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countWarnings);
    const QStringList names{"L2_Back1", "l3_background", "NoSuchPrefetch"};
    prefetchSkin(names);
    const bool pendingBeforeTheLoopRan = skinPrefetching();
    const bool arrived = QTest::qWaitFor([] { return !skinPrefetching(); }, 10000);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(pendingBeforeTheLoopRan);
    ASSERT_TRUE(arrived);
    EXPECT_EQ(g_warnings, 0);
    for (const char* name : {"l2_back1", "l3_background"}) {
        SCOPED_TRACE(name);
        const QImage direct(QStringLiteral(":/skin/%1.png").arg(QLatin1String(name)));
        ASSERT_FALSE(direct.isNull());
        EXPECT_EQ(imageOf(name).convertToFormat(QImage::Format_ARGB32),
                  direct.convertToFormat(QImage::Format_ARGB32));
    }
}

TEST(Skin, StatesOfAFamilyDifferVisibly) {
    for (const auto& family : kStateFamilies) {
        for (size_t i = 0; i < family.size(); ++i) {
            for (size_t j = i + 1; j < family.size(); ++j) {
                SCOPED_TRACE(std::string(family[i]) + " vs " + family[j]);
                EXPECT_TRUE(visiblyDiffer(imageOf(family[i]), imageOf(family[j])));
            }
        }
    }
}

TEST(Skin, ColourKeyedImagesAreCutCleanlyInMaroon) {
    for (const char* name : kColourKeyed) {
        SCOPED_TRACE(name);
        const QImage image = imageOf(name);
        ASSERT_FALSE(image.isNull());
        const int w = image.width();
        const int h = image.height();
        for (const QPoint corner : {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1),
                                    QPoint(w - 1, h - 1), QPoint(3, 3), QPoint(w - 4, h - 4)}) {
            SCOPED_TRACE(corner.x());
            EXPECT_EQ(image.pixel(corner), kMaroon);
        }
        // The straight edges belong to the window, and so does the middle.
        for (const QPoint inside : {QPoint(w / 2, 0), QPoint(0, h / 2), QPoint(w - 1, h / 2),
                                    QPoint(w / 2, h - 1), QPoint(w / 2, h / 2)}) {
            SCOPED_TRACE(inside.x());
            EXPECT_NE(image.pixel(inside), kMaroon);
        }
        EXPECT_EQ(opaqueNearMaroon(image, false), 0);
        bool opaque = true;
        for (int y = 0; y < h && opaque; ++y)
            for (int x = 0; x < w && opaque; ++x) opaque = qAlpha(image.pixel(x, y)) == 255;
        EXPECT_TRUE(opaque);
    }
}

TEST(Skin, OtherImagesStayClearOfTheColourKey) {
    for (const Expected& e : kImages) {
        if (isColourKeyed(e.name)) continue;
        SCOPED_TRACE(e.name);
        EXPECT_EQ(opaqueNearMaroon(imageOf(e.name), true), 0);
    }
}

// Rounded controls and panels lie on the window background: their corners must let it through.
TEST(Skin, RoundedImagesHaveTransparentCornersAndSolidMiddles) {
    for (const char* name : {"BtnS_01", "BtnS_03", "SetS_02", "ExitS_01", "MiniS_02", "KeyS_01",
                             "WebS_03", "MacroS_01", "MacroBtnS_02", "Gun4_02", "GunMode5",
                             "L1_Back1", "L2_Back5", "InsertKeyBase", "AppIcon"}) {
        SCOPED_TRACE(name);
        const QImage image = imageOf(name);
        const int w = image.width();
        const int h = image.height();
        for (const QPoint corner :
             {QPoint(0, 0), QPoint(w - 1, 0), QPoint(0, h - 1), QPoint(w - 1, h - 1)})
            EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
        EXPECT_EQ(qAlpha(image.pixel(w / 2, h / 2)), 255);
    }
}

TEST(Skin, ColourFrameShowsTheSwatchThrough) {
    const QImage frame = imageOf("Col_F");
    for (const QPoint centre : {QPoint(9, 9), QPoint(4, 4), QPoint(13, 13), QPoint(4, 13)})
        EXPECT_EQ(qAlpha(frame.pixel(centre)), 0);
    for (const QPoint ring : {QPoint(1, 9), QPoint(16, 9), QPoint(9, 1), QPoint(9, 16)})
        EXPECT_EQ(qAlpha(frame.pixel(ring)), 255);
}

}  // namespace
}  // namespace vornik
