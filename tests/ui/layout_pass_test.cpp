// The layout pass over the real main window.

#include "ui/layout_pass.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <set>

#include "app/app_session.h"
#include "app/main_window.h"
#include "device/sim/sim_hid_platform.h"
#include "formats/embedded_resources.h"
#include "ui/dialogs.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {
namespace {

struct QuietDialogs : Dialogs {
    void messageDialog(QWidget*, const QString&, const QString&) override {}
    void messageBox(QWidget*, const QString&) override {}
    std::optional<QColor> colourDialog(QWidget*, const QColor&) override { return std::nullopt; }
};

std::string rawText(int n) {
    const auto bytes = embeddedResource("ORG" + std::to_string(n));
    return std::string(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        out.push_back(text.substr(pos, end - pos));
        pos = end + 2;
    }
    return out;
}

std::string joined(const std::vector<std::string>& ls) {
    std::string out;
    for (const auto& l : ls) out += l + "\r\n";
    return out;
}

// The text with `key` given `value`, or without the key when `value` is null.
std::string withKey(const std::string& text, const std::string& key, const char* value) {
    std::vector<std::string> out;
    bool found = false;
    for (const std::string& line : lines(text)) {
        if (line.rfind(key + "=", 0) == 0) {
            found = true;
            if (value != nullptr) out.push_back(key + "=" + value);
            continue;
        }
        out.push_back(line);
    }
    EXPECT_TRUE(found) << key;
    return joined(out);
}

struct Margins {
    int front = 0;
    int back = 0;
};

class LayoutPassTest : public ::testing::Test {
  protected:
    LayoutPassTest() {
        auto platform = std::make_unique<SimHidPlatform>();
        plugOtherDevices(*platform);
        session = std::make_unique<AppSession>(std::move(platform), clock);
        window = std::make_unique<MainWindow>(*session, dialogs);
    }

    LayoutReport apply(const std::string& text, int layoutNo, LayoutContext ctx = {}) {
        file = IniFile::parse(text);
        section = layoutSection(layoutNo);
        return applyLayout(file, layoutNo, *window, ctx, window->pages());
    }

    QWidget* find(const QString& name) {
        QWidget* w = window->findChild<QWidget*>(name);
        EXPECT_NE(w, nullptr) << name.toStdString();
        return w;
    }
    int value(const std::string& key) { return file.number(section, key).value(); }

    // One button key set against the file: shown or hidden as its Enable says, and when shown
    // the image at (X, Y) and the label on it, narrowed by the margins.
    void expectButtonSet(const std::string& key, const QString& role, Margins m = {}) {
        const bool shown = value(key + "_Enable") == 1;
        for (int n = 1; n <= 4; ++n) {
            QWidget* image = find(QString("Img_%1_%2").arg(role).arg(n));
            QWidget* label = find(QString("Btn_%1_%2").arg(role).arg(n));
            if (!image || !label) return;
            EXPECT_EQ(image->isHidden(), !shown) << key;
            EXPECT_EQ(label->isHidden(), !shown) << key;
            if (!shown) continue;
            const QPoint at(value(key + "_X"), value(key + "_Y"));
            EXPECT_EQ(image->pos(), at) << key;
            EXPECT_EQ(label->geometry(),
                      QRect(at + QPoint(m.front, 0),
                            QSize(image->width() - m.front - m.back, image->height())))
                << key;
        }
    }

    // Every button set and key label the file lays out, except those named in `skip`.
    void expectLaidOut(const std::set<std::string>& skip = {}) {
        for (const ButtonKeySet& set : kWindowButtonSets)
            if (!skip.count(set.key)) expectButtonSet(set.key, set.role);
        const Margins m{value("Btn_Space_F"), value("Btn_Space_B")};
        for (const ButtonKeySet& set : kPageButtonSets)
            if (!skip.count(set.key)) expectButtonSet(set.key, set.role, m);
        for (int k = 1; k <= 9; ++k) {
            const std::string key = "Key" + std::to_string(k);
            if (skip.count(key)) continue;
            QWidget* image = find(QString("Img_Key%1").arg(k));
            QWidget* label = find(QString("Key%1").arg(k));
            const QRect expected(QPoint(value(key + "_X"), value(key + "_Y")),
                                 QSize(value("Key_Width"), image->height()));
            EXPECT_EQ(image->geometry(), expected) << key;
            EXPECT_EQ(label->geometry(), expected) << key;
        }
    }

    // Every copy of a control to `at`, as a previous layout might have left it; a name with
    // "%1" has a copy on each of pages 1 to 4.
    void moveAll(const QString& pattern, QPoint at) {
        for (int n = 1; n <= 4; ++n)
            if (QWidget* w =
                    window->findChild<QWidget*>(pattern.contains("%1") ? pattern.arg(n) : pattern))
                w->move(at);
    }
    template <typename F>
    void forAllLabels(std::initializer_list<const char*> roles, F&& f) {
        for (const char* role : roles)
            for (int n = 1; n <= 4; ++n) f(find(QString("Btn_%1_%2").arg(role).arg(n)));
    }

    VirtualClock clock;
    QuietDialogs dialogs;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<MainWindow> window;
    IniFile file;
    std::string section;
};

std::vector<std::string> comboCaptionKeysInFileOrder() {
    std::vector<std::string> keys{"ComboKey_H"};
    for (int k = 1; k <= 3; ++k)
        for (const char* part : {"X", "Y", "R", "G", "B", "Size", "Width"})
            keys.push_back("ComboKey" + std::to_string(k) + "_Lable_" + part);
    return keys;
}

TEST_F(LayoutPassTest, ShippedLayoutsOneAndTwoApplyWithoutAComplaint) {
    for (int n : {1, 2}) {
        const LayoutReport report = apply(rawText(n), n);
        EXPECT_TRUE(report.ok()) << n;
        expectLaidOut();
    }
}

TEST_F(LayoutPassTest, Org3LaysOutEveryButtonItEnablesAndNamesWhatItLacks) {
    apply(rawText(1), 1);
    const LayoutReport report = apply(rawText(3), 3);
    EXPECT_TRUE(report.badKeys.empty());
    EXPECT_EQ(report.missingKeys, comboCaptionKeysInFileOrder());
    expectLaidOut();
    for (const char* role : {"Read", "Confirm2", "Confirm3", "Confirm"})
        EXPECT_FALSE(find(QString("Btn_%1_2").arg(role))->isHidden()) << role;
    EXPECT_TRUE(window->rect().contains(find("Img_Confirm_1")->geometry()));
    EXPECT_EQ(qobject_cast<SkinImage*>(find("Img_Base_1"))->skin(), "L3_BackGround");
}

struct BrokenKey {
    const char* key;
    const char* value;  // null: the key is removed
    const char* image;  // the controls the key places
    const char* label;
    bool xAxis;
};

class BrokenPositionKey : public LayoutPassTest, public ::testing::WithParamInterface<BrokenKey> {};

TEST_P(BrokenPositionKey, IsReportedAndLeavesItsControlWhereItWasTheRestLaidOut) {
    const BrokenKey& c = GetParam();
    const QPoint before(321, 123);
    moveAll(c.image, before);
    moveAll(c.label, before);
    const LayoutReport report = apply(withKey(rawText(3), c.key, c.value), 3);

    const auto& named = c.value == nullptr ? report.missingKeys : report.badKeys;
    EXPECT_NE(std::find(named.begin(), named.end(), c.key), named.end());
    const std::string key = c.key;
    const std::string set = key.substr(0, key.rfind('_'));
    expectLaidOut({set});

    // The other axis still comes from the file; the label stays on its image.
    const int other = value(set + (c.xAxis ? "_Y" : "_X"));
    const QPoint expected = c.xAxis ? QPoint(before.x(), other) : QPoint(other, before.y());
    for (int n = 1; n <= 4; ++n) {
        const QString image = QString(c.image).contains("%1") ? QString(c.image).arg(n) : c.image;
        const QString label = QString(c.label).contains("%1") ? QString(c.label).arg(n) : c.label;
        EXPECT_EQ(find(image)->pos(), expected) << image.toStdString();
        EXPECT_EQ(find(label)->y(), expected.y()) << label.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenPositionKey,
    ::testing::Values(BrokenKey{"Btn_A2_X", nullptr, "Img_Apply_%1", "Btn_Apply_%1", true},
                      BrokenKey{"Btn_B4_Y", "abc", "Img_Adv_%1", "Btn_Adv_%1", false},
                      BrokenKey{"Btn_A3_Y", "", "Img_Confirm1_%1", "Btn_Confirm1_%1", false},
                      BrokenKey{"Key5_X", "12px", "Img_Key5", "Key5", true},
                      BrokenKey{"Btn_B1_X", "0x1E", "Img_Main_%1", "Btn_Main_%1", true}),
    [](const ::testing::TestParamInfo<BrokenKey>& caseInfo) {
        return std::string(caseInfo.param.key);
    });

TEST_F(LayoutPassTest, ABadFontSizeOrColourKeepsWhatTheLabelsShow) {
    forAllLabels({"Confirm", "Apply", "Read", "Confirm1", "Confirm2", "Confirm3", "Save", "Load"},
                 [](QWidget* w) {
                     QFont f = w->font();
                     f.setPointSize(13);
                     w->setFont(f);
                 });
    forAllLabels(
        {"Main", "Second", "Adv", "Breath", "Macro", "Engineer", "Lang1", "Lang2", "Lang3"},
        [](QWidget* w) {
            QPalette p = w->palette();
            p.setColor(QPalette::WindowText, QColor(1, 77, 3));
            w->setPalette(p);
        });

    std::string text = withKey(rawText(3), "Size_A", "0");
    text = withKey(text, "Color_B_G", "300");
    const LayoutReport report = apply(text, 3);
    EXPECT_EQ(report.badKeys, (std::vector<std::string>{"Size_A", "Color_B_G"}));
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(find(QString("Btn_Apply_%1").arg(n))->font().pointSize(), 13);
        const QColor c = find(QString("Btn_Main_%1").arg(n))->palette().color(QPalette::WindowText);
        EXPECT_EQ(c, QColor(value("Color_B_R"), 77, value("Color_B_B")));
        EXPECT_EQ(find(QString("Btn_Confirm_%1").arg(n))->font().pointSize(), 13);
    }
    expectLaidOut();
}

TEST_F(LayoutPassTest, AMissingEnableReadsAsInTheBuiltInLayout) {
    const LayoutReport report = apply(withKey(rawText(3), "Btn_A8_Enable", nullptr), 3);
    const auto& missing = report.missingKeys;
    EXPECT_NE(std::find(missing.begin(), missing.end(), "Btn_A8_Enable"), missing.end());
    for (int n = 1; n <= 4; ++n) EXPECT_TRUE(find(QString("Btn_Read_%1").arg(n))->isHidden());
}

class ReadEnable : public LayoutPassTest,
                   public ::testing::WithParamInterface<std::pair<const char*, bool>> {};

TEST_P(ReadEnable, ShowsTheFourReadButtonsOnlyForOne) {
    const auto [enable, shown] = GetParam();
    apply(withKey(rawText(3), "Btn_A8_Enable", enable), 3);
    for (int n = 1; n <= 4; ++n) {
        EXPECT_EQ(find(QString("Img_Read_%1").arg(n))->isHidden(), !shown) << n;
        EXPECT_EQ(find(QString("Btn_Read_%1").arg(n))->isHidden(), !shown) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Values, ReadEnable,
                         ::testing::Values(std::pair{"0", false}, std::pair{"1", true},
                                           std::pair{"2", false}, std::pair{"-1", false}));

TEST_F(LayoutPassTest, ConfirmAtX9640IsShownButOutsideTheWindow) {
    apply(rawText(1), 1);
    for (int n = 1; n <= 4; ++n) {
        QWidget* label = find(QString("Btn_Confirm_%1").arg(n));
        EXPECT_FALSE(label->isHidden());
        EXPECT_EQ(label->x(), 9640);
        EXPECT_FALSE(window->rect().intersects(label->geometry()));
        EXPECT_FALSE(window->rect().intersects(find(QString("Img_Confirm_%1").arg(n))->geometry()));
    }
}

TEST_F(LayoutPassTest, PageButtonCaptionsStartAfterTheFrontMarginAndLoseBoth) {
    std::string text = withKey(rawText(1), "Btn_Space_F", "7");
    text = withKey(text, "Btn_Space_B", "3");
    ASSERT_TRUE(apply(text, 1).ok());
    expectLaidOut();
    for (int n = 1; n <= 4; ++n) {
        QWidget* image = find(QString("Img_Adv_%1").arg(n));
        EXPECT_EQ(
            find(QString("Btn_Adv_%1").arg(n))->geometry(),
            QRect(value("Btn_B4_X") + 7, value("Btn_B4_Y"), image->width() - 10, image->height()));
        // The engineer button by the same rule at (10, 10), never shown.
        QWidget* engineer = find(QString("Btn_Engineer_%1").arg(n));
        EXPECT_EQ(engineer->geometry(), QRect(17, 10, 100, 30));
        EXPECT_TRUE(engineer->isHidden());
        EXPECT_TRUE(find(QString("Img_Engineer_%1").arg(n))->isHidden());
    }
}

TEST_F(LayoutPassTest, ReadsExactlyTheKeysItDeclaresEachOnce) {
    // Every button enabled, so that no position key goes unread.
    std::vector<std::string> ls = lines(rawText(1));
    for (std::string& line : ls)
        if (const auto eq = line.find("_Enable="); eq != std::string::npos)
            line = line.substr(0, eq) + "_Enable=1";
    const LayoutReport report = apply(joined(ls), 1);
    EXPECT_TRUE(report.ok());
    const std::vector<std::string> declared = layoutKeysRead();
    EXPECT_EQ(std::set<std::string>(report.keysRead.begin(), report.keysRead.end()),
              std::set<std::string>(declared.begin(), declared.end()));
    EXPECT_EQ(report.keysRead.size(), declared.size());
}

TEST_F(LayoutPassTest, ADisabledButtonsPositionKeysGoUnread) {
    const LayoutReport report = apply(rawText(1), 1);
    for (const char* key : {"Btn_A8_X", "Btn_A8_Y", "Btn_B10_X", "Btn_B12_X", "Size_K"})
        EXPECT_EQ(std::count(report.keysRead.begin(), report.keysRead.end(), key), 0) << key;
    EXPECT_EQ(std::count(report.keysRead.begin(), report.keysRead.end(), "Btn_A8_Enable"), 1);
}

TEST_F(LayoutPassTest, LoadsTheBackgroundsOfTheLayoutNumber) {
    apply(rawText(2), 2);
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(qobject_cast<SkinImage*>(find(QString("Img_Base_%1").arg(k)))->skin(),
                  "L2_BackGround");
        EXPECT_EQ(qobject_cast<SkinImage*>(find(QString("Img_P%1").arg(k)))->skin(),
                  QString("L2_Back%1").arg(k));
    }
    EXPECT_EQ(find("Img_P1")->pos(), QPoint(value("P1_X"), value("P1_Y")));
    EXPECT_EQ(find("Img_P5")->pos(), QPoint(value("P5_X"), value("P5_Y")));
}

TEST_F(LayoutPassTest, PutsTheWebButtonsWhereTheOptionsSay) {
    LayoutContext ctx;
    ctx.options.webX = 600;
    ctx.options.webY = 80;
    apply(rawText(1), 1, ctx);
    for (int n = 1; n <= 4; ++n) {
        QWidget* image = find(QString("Img_Web_%1").arg(n));
        EXPECT_EQ(image->pos(), QPoint(600, 80));
        EXPECT_EQ(find(QString("Btn_Web_%1").arg(n))->geometry(), image->geometry());
    }
}

TEST_F(LayoutPassTest, LeavesTheCaptionsToTheLanguage) {
    qobject_cast<QLabel*>(find("Btn_Apply_2"))->setText("caption before");
    const QString key1 = qobject_cast<QLabel*>(find("Key1"))->text();
    apply(rawText(3), 3);
    EXPECT_EQ(qobject_cast<QLabel*>(find("Btn_Apply_2"))->text(), "caption before");
    EXPECT_EQ(qobject_cast<QLabel*>(find("Key1"))->text(), key1);
}

TEST_F(LayoutPassTest, KeepsTheWindowSizeAndTheInputOverlays) {
    apply(rawText(3), 3);  // layout 3's backgrounds are placeholders
    EXPECT_EQ(window->size(), QSize(1030, 662));
    EXPECT_FALSE(find("Disable_All_1")->isHidden());
}

// The mode-switch options are editors of later work; stand-ins carry their names.
class ComboOptions : public LayoutPassTest {
  protected:
    ComboOptions() {
        QWidget* page = find("gbPage1");
        for (int k = 1; k <= 3; ++k) {
            auto* image = new SkinImage(QString("Img_ComboKey%1").arg(k), page);
            image->setSkin("CbS_D");
            (new QLabel(page))->setObjectName(QString("IB_ComboKey%1").arg(k));
        }
    }
    QPoint optionAt(int k) {
        const std::string key = "ComboKey" + std::to_string(k);
        return {value(key + "_X"), value(key + "_Y")};
    }
};

TEST_F(ComboOptions, Org3WithoutComboKeyHPlacesTheCaptionByTheBuiltInOffset) {
    const int builtInH = embeddedLayout(1).number("org1", "ComboKey_H").value();
    apply(rawText(3), 3);
    for (int k = 1; k <= 2; ++k) {
        EXPECT_EQ(find(QString("Img_ComboKey%1").arg(k))->pos(), optionAt(k));
        EXPECT_EQ(find(QString("IB_ComboKey%1").arg(k))->pos(),
                  optionAt(k) + QPoint(value("ComboKey_D"), builtInH));
        EXPECT_EQ(find(QString("IB_ComboKey%1").arg(k))->width(), value("Combox_Width"));
    }
}

TEST_F(ComboOptions, TheLaterGroupInTheFileWinsWhereTwoPlaceOneCaption) {
    // Shipped order: the caption family after group C puts the caption.
    std::string text = withKey(rawText(1), "ComboKey1_Lable_X", "700");
    apply(text, 1);
    EXPECT_EQ(find("IB_ComboKey1")->x(), 700);

    // The caption keys moved in front of group C: group C has the last word.
    std::vector<std::string> captions, rest;
    for (const std::string& line : lines(text))
        (line.rfind("ComboKey1_Lable_", 0) == 0 ? captions : rest).push_back(line);
    rest.insert(rest.begin() + 3, captions.begin(), captions.end());  // after [org1]
    apply(joined(rest), 1);
    EXPECT_EQ(find("IB_ComboKey1")->pos(),
              optionAt(1) + QPoint(value("ComboKey_D"), value("ComboKey_H")));
}

struct GunOption {
    bool gunDisplay;
    bool gameMode;
    bool shown;
};

class GunKeyOption : public ComboOptions, public ::testing::WithParamInterface<GunOption> {};

TEST_P(GunKeyOption, ShowsOnlyInGameModeWithTheGunDisplay) {
    const GunOption& c = GetParam();
    LayoutContext ctx;
    ctx.options.gunDisplay = c.gunDisplay;
    ctx.gameMode = c.gameMode;
    apply(rawText(1), 1, ctx);
    EXPECT_EQ(find("IB_ComboKey3")->isHidden(), !c.shown);
    EXPECT_EQ(find("Img_ComboKey3")->isHidden(), !c.shown);
    EXPECT_EQ(find("Img_ComboKey3")->pos(), optionAt(3));
    EXPECT_FALSE(find("IB_ComboKey1")->isHidden());
}

INSTANTIATE_TEST_SUITE_P(Cases, GunKeyOption,
                         ::testing::Values(GunOption{false, false, false},
                                           GunOption{true, false, false},
                                           GunOption{false, true, false},
                                           GunOption{true, true, true}));

}  // namespace
}  // namespace vornik
