// The layout pass over the controls of pages 2 to 5, the menus and the dialogs, on a bare
// window that carries stand-ins under the names the pass looks for.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "fire/fire_page.h"
#include "formats/embedded_resources.h"
#include "macros/macro_page.h"
#include "settings/advanced_page.h"
#include "settings/light_page.h"
#include "ui/layout_pass.h"
#include "ui/page.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {
namespace {

std::string org1WithKeys(std::initializer_list<std::pair<const char*, int>> changes) {
    const auto bytes = embeddedResource("ORG1");
    std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const auto& [key, value] : changes) {
        const std::string head = std::string("\n") + key + "=";
        const std::size_t at = text.find(head);
        EXPECT_NE(at, std::string::npos) << key;
        if (at == std::string::npos) continue;
        const std::size_t end = text.find("\r\n", at + 1);
        text.replace(at, end - at, head + std::to_string(value));
    }
    return text;
}

// Groups D, E, F and J as the pages apply them, over the stand-ins of a bare window.
class PageGroups : public Page {
  public:
    explicit PageGroups(QWidget* root) : m_root(root) {}
    QWidget* widget() const override { return m_root; }
    void fillFromModel(const PageSource&) override {}
    void applyLanguage(const LanguageTable&) override {}
    bool ownsLayoutGroup(LayoutGroup group) const override {
        return group == LayoutGroup::D || group == LayoutGroup::E || group == LayoutGroup::F ||
               group == LayoutGroup::J;
    }
    void applyLayoutGroup(LayoutGroup group, layout_detail::LayoutPass& pass) override {
        switch (group) {
            case LayoutGroup::D:
                return AdvancedPage::placeControls(pass);
            case LayoutGroup::E:
                return LightPage::placeControls(pass);
            case LayoutGroup::F:
                return MacroPage::placeControls(pass);
            default:
                return FirePage::placeControls(pass);
        }
    }

  private:
    QWidget* m_root;
};

class PagesTest : public ::testing::Test {
  protected:
    PagesTest() {
        window.resize(1030, 662);
        page = new QWidget(&window);
        page->setObjectName("gbPage2");
        page->setGeometry(0, 0, 1030, 662);
    }

    template <typename T = QLabel>
    T* add(const QString& name, QWidget* parent = nullptr) {
        auto* w = new T(parent ? parent : page);
        w->setObjectName(name);
        return w;
    }
    SkinImage* addImage(const QString& name, const char* skin, QWidget* parent = nullptr) {
        auto* image = new SkinImage(name, parent ? parent : page);
        image->setSkin(skin);
        return image;
    }

    LayoutReport apply(const std::string& text, LayoutContext ctx = {}) {
        file = IniFile::parse(text);
        PageGroups groups(&window);
        return applyLayout(file, 1, window, ctx, {&groups});
    }
    int value(const char* key) { return file.number("org1", key).value(); }
    QPoint at(const std::string& prefix) {
        return {value((prefix + "_X").c_str()), value((prefix + "_Y").c_str())};
    }

    QWidget window;
    QWidget* page;
    IniFile file;
};

TEST_F(PagesTest, PointerSliderTicksFollowTheStep) {
    add<QSlider>("slider_DbSpd");
    for (int k = 1; k <= 11; ++k) add(QString("lbl_DbSpd%1").arg(k));
    ASSERT_TRUE(apply(org1WithKeys({{"DbSpd_X", 200}, {"DbSpd_Y", 100}, {"DbSpd_D", 17}})).ok());
    EXPECT_EQ(window.findChild<QWidget*>("slider_DbSpd")->pos(), QPoint(200, 100));
    for (int k = 1; k <= 11; ++k)
        EXPECT_EQ(window.findChild<QWidget*>(QString("lbl_DbSpd%1").arg(k))->pos(),
                  QPoint(200 + (k - 1) * 17 + 4, 126))
            << k;
}

struct BarCase {
    int numOrder;
    int firstSlotSegment;  // which segment lies leftmost
};

class LightBar : public PagesTest, public ::testing::WithParamInterface<BarCase> {};

TEST_P(LightBar, SegmentsStepByTheirWidthPlusDInTheNumberingOrder) {
    const BarCase& c = GetParam();
    for (int k = 1; k <= 10; ++k) {
        addImage(QString("Img_MCULEDNum_%1").arg(k), "Bar1_E");
        add(QString("lbl_MCULEDNum_%1").arg(k));
    }
    LayoutContext ctx;
    ctx.options.numOrder = c.numOrder;
    ASSERT_TRUE(
        apply(org1WithKeys({{"MCULEDNum_X", 300}, {"MCULEDNum_Y", 200}, {"MCULEDNum_D", 5}}), ctx)
            .ok());
    for (int k = 1; k <= 10; ++k) {
        const int slot = c.numOrder == 1 ? 10 - k : k - 1;
        auto* segment = window.findChild<QWidget*>(QString("Img_MCULEDNum_%1").arg(k));
        auto* label = window.findChild<QLabel*>(QString("lbl_MCULEDNum_%1").arg(k));
        EXPECT_EQ(segment->pos(), QPoint(300 + slot * (26 + 5), 200)) << k;
        EXPECT_EQ(label->pos(), QPoint(300 + slot * (26 + 5), 224)) << k;
        EXPECT_EQ(label->text(), QString::number(k + 3));
    }
    EXPECT_EQ(window.findChild<QWidget*>(QString("Img_MCULEDNum_%1").arg(c.firstSlotSegment))->x(),
              300);
}

INSTANTIATE_TEST_SUITE_P(Orders, LightBar, ::testing::Values(BarCase{0, 1}, BarCase{1, 10}));

class DpiSlider : public PagesTest, public ::testing::WithParamInterface<int> {};

TEST_P(DpiSlider, RangeEndsAtTheLastDpiValue) {
    auto* level = add<QSlider>("slider_DPI4");
    auto* aim = add<QSlider>("slider_DPI8");
    LayoutContext ctx;
    ctx.options.dpiCount = GetParam();
    apply(org1WithKeys({}), ctx);
    EXPECT_EQ(level->maximum(), GetParam() * 100 - 100);
    EXPECT_EQ(aim->maximum(), GetParam() * 100 - 100);
    EXPECT_EQ(level->pos(), at("DPI4_Steps"));
}

INSTANTIATE_TEST_SUITE_P(Counts, DpiSlider, ::testing::Values(11, 12));

TEST_F(PagesTest, DpiNamesShowWhetherTheirLevelIsInUse) {
    for (int k = 1; k <= 3; ++k) {
        add(QString("lbl_DPI%1").arg(k));
        add<QSlider>(QString("slider_DPI%1").arg(k))->setEnabled(k != 3);
    }
    const LayoutReport report = apply(org1WithKeys({{"Color_D_notSelected_R", 1}}));
    auto colour = [&](int k) {
        return window.findChild<QWidget*>(QString("lbl_DPI%1").arg(k))
            ->palette()
            .color(QPalette::WindowText);
    };
    EXPECT_EQ(colour(1), report.kept.dpiSelected);
    EXPECT_EQ(colour(2), report.kept.dpiSelected);
    EXPECT_EQ(colour(3), report.kept.dpiNotSelected);
    EXPECT_EQ(report.kept.dpiNotSelected.red(), 1);
    EXPECT_EQ(window.findChild<QWidget*>("lbl_DPI2")->pos(), at("DPI2"));
    EXPECT_EQ(window.findChild<QWidget*>("lbl_DPI2")->width(), value("DPI_Lable_Width"));
}

TEST_F(PagesTest, ControlsInsideAGroupAreLaidOutInWindowCoordinates) {
    auto* delay = add<QWidget>("Gb_Delay");
    delay->resize(200, 160);
    auto* option = addImage("Img_DelayTime", "RdS_D", delay);
    auto* click = add("IB_DelayTime", delay);
    apply(org1WithKeys({{"DelayTime_X", 500},
                        {"DelayTime_Y", 190},
                        {"RecDelay_X", 520},
                        {"RecDelay_Y", 210},
                        {"RecDelay_H", 30}}));
    EXPECT_EQ(delay->pos(), QPoint(500, 190));
    // The second of the three options, one step down, in the group's own coordinates.
    EXPECT_EQ(option->mapTo(&window, QPoint(0, 0)), QPoint(520, 240));
    EXPECT_EQ(click->geometry(), option->geometry());
}

TEST_F(PagesTest, CaptionFamiliesPlaceAndColourTheirLabels) {
    auto* y = add("lbl_Fire_Marco_Y");
    auto* mode = add("lbl_RBLEDMode3");
    const LayoutReport report = apply(org1WithKeys({{"Gun_Marco_Fire_Y_Lable_X", 444},
                                                    {"Gun_Marco_Fire_Y_Lable_G", 55},
                                                    {"Gun_Marco_Fire_Y_Lable_Size", 14},
                                                    {"Gun_Marco_Fire_Y_Lable_Width", 66},
                                                    {"LED_Mode_Option_Lable_Size", 11}}));
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(y->geometry().topLeft(), QPoint(444, value("Gun_Marco_Fire_Y_Lable_Y")));
    EXPECT_EQ(y->width(), 66);
    EXPECT_EQ(y->palette().color(QPalette::WindowText).green(), 55);
    EXPECT_EQ(y->font().pointSize(), 14);
    EXPECT_EQ(mode->pos(), at("LED_Mode_3_Lable"));
    EXPECT_EQ(mode->width(), value("LED_Mode_3_Lable_Width"));
    EXPECT_EQ(mode->font().pointSize(), 11);
}

TEST_F(PagesTest, LightOptionLabelsSitLeftOfAndAboveTheirImagesUnlessACaptionPlacesThem) {
    auto* save = addImage("Img_SaveKeyMode", "RdS_D");
    auto* saveLabel = add("lbl_SaveKeyMode");
    auto* image = addImage("Img_LCPIOff", "RdS_D");
    auto* label = add("lbl_LCPIOff");
    auto* ledOn = addImage("Img_LEDOn", "RdS_D");
    auto* ledOnLabel = add("lbl_LEDOn");
    apply(org1WithKeys({{"SaveKeyMode_X", 333},
                        {"SaveKeyMode_Y", 222},
                        {"LEDSwitchOff_X", 300},
                        {"LEDSwitchOff_Y", 200}}));
    EXPECT_EQ(save->pos(), QPoint(333, 222));
    EXPECT_EQ(saveLabel->pos(), QPoint(329, 220));
    // The caption family of the same label comes later in the file and has the last word.
    EXPECT_EQ(image->pos(), QPoint(300, 200));
    EXPECT_EQ(label->pos(), at("LCPI_Off_Lable"));
    EXPECT_EQ(ledOn->pos(), at("LEDOn"));
    EXPECT_EQ(ledOnLabel->pos(), at("LED_On_Lable"));
}

TEST_F(PagesTest, ContinuousFireImageStartsOffWithItsLabelEightPixelsLeft) {
    auto* image = addImage("Img_FireContinue", "CbS_E");
    auto* label = add("lbl_FireContinue");
    apply(org1WithKeys({}));
    EXPECT_EQ(image->skin(), "CbS_D");
    EXPECT_EQ(image->pos(), at("IsFireContinue"));
    EXPECT_EQ(label->pos(), at("IsFireContinue") - QPoint(8, 0));
}

TEST_F(PagesTest, FireRowsAndPresetsTakeTheirImagesGeometry) {
    auto* preset = addImage("Img_Fire6", "Gun6_01");
    auto* presetLabel = add("Btn_Fire6");
    auto* frame = addImage("Img_FireColor2", "Col_F");
    auto* swatch = add<QWidget>("cs_FireColor2");
    auto* edit = add<QLineEdit>("Edt_FireY2Offset");
    apply(org1WithKeys({}));
    EXPECT_EQ(preset->pos(), at("Fire6"));
    EXPECT_EQ(presetLabel->geometry(), preset->geometry());
    EXPECT_EQ(swatch->geometry(), frame->geometry());
    EXPECT_EQ(frame->pos(), at("FireColor2"));
    EXPECT_EQ(edit->pos(), at("FireY2_Offset"));
    EXPECT_EQ(edit->font().pointSize(), value("Size_J"));
}

TEST_F(PagesTest, MenuEntriesAreFourPixelsNarrowerAndMarkersKeepToTheRightEdge) {
    auto* menu = add<QWidget>("Pnl_Main");
    menu->resize(150, 170);
    auto* entry = add("Key_Standard", menu);
    entry->setGeometry(2, 2, 146, 20);
    auto* marker = add("ST_Standard", menu);
    marker->setGeometry(130, 2, 16, 20);
    auto* media = add<QWidget>("Pnl_Media");
    media->resize(150, 170);
    apply(org1WithKeys({{"M_L_W", 240}, {"O_L_W", 190}}));
    EXPECT_EQ(menu->width(), 240);
    EXPECT_EQ(entry->width(), 236);
    EXPECT_EQ(marker->x(), 220);
    EXPECT_EQ(media->width(), 190);
    EXPECT_EQ(entry->font().pointSize(), value("Size_G"));
}

TEST_F(PagesTest, AMissingWidthKeepsTheCurrentWidth) {
    auto* menu = add<QWidget>("Pnl_Special");
    menu->resize(173, 170);
    std::string text = org1WithKeys({});
    const std::size_t at = text.find("SP_L_W=");
    text.replace(at, text.find("\r\n", at) - at, "SP_L_W=wide");
    const LayoutReport report = apply(text);
    EXPECT_EQ(report.badKeys, std::vector<std::string>{"SP_L_W"});
    EXPECT_EQ(menu->width(), 173);
}

TEST_F(PagesTest, KeepsTheValuesLaterHandlersNeed) {
    const LayoutReport report = apply(
        org1WithKeys({{"MacroNameHeight", 21}, {"Color_G_SP_B", 7}, {"DPI_Count_Visible", 0}}));
    EXPECT_EQ(report.kept.macroNameHeight, 21);
    EXPECT_EQ(report.kept.menuHoverBack.blue(), 7);
    EXPECT_FALSE(report.kept.dpiCountVisible);
}

TEST(DialogGroups, AssemblyKeyDialogTakesTheFireTextSizeInputDialogsTheirOwn) {
    const auto bytes = embeddedResource("ORG1");
    std::string text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const IniFile shipped = IniFile::parse(text);
    text.replace(text.find("Size_J=9"), 8, "Size_J=15");
    const IniFile file = IniFile::parse(text);

    const DialogLayout assembly = readDialogGroup(file, 1, DialogGroup::AssemblyKey);
    EXPECT_EQ(assembly.textSize, 15);
    EXPECT_EQ(assembly.edit,
              QPoint(shipped.integer("org1", "AKC_X", -1), shipped.integer("org1", "AKC_Y", -1)));
    EXPECT_EQ(assembly.modifiers[3],
              QPoint(shipped.integer("org1", "MK_W_X", -1), shipped.integer("org1", "MK_W_Y", -1)));
    const DialogLayout input = readDialogGroup(file, 1, DialogGroup::Input);
    EXPECT_EQ(input.textSize, shipped.integer("org1", "Size_L", -1));
    EXPECT_EQ(input.editWidth, shipped.integer("org1", "MNC_W", -1));
}

TEST(DialogGroups, AMissingDialogKeyIsReportedAndReadAsBuiltIn) {
    const IniFile empty = IniFile::parse("[org2]\r\n");
    LayoutReport report;
    const DialogLayout input = readDialogGroup(empty, 2, DialogGroup::Input, &report);
    EXPECT_EQ(input.close, QPoint(embeddedLayout(1).integer("org1", "MN_Close_X", -1),
                                  embeddedLayout(1).integer("org1", "MN_Close_Y", -1)));
    EXPECT_EQ(report.missingKeys.size(), report.keysRead.size());
    EXPECT_NE(std::find(report.missingKeys.begin(), report.missingKeys.end(), "MN_Close_Y"),
              report.missingKeys.end());
}

}  // namespace
}  // namespace vornik
