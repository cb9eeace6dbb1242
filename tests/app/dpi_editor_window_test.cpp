// The DPI editor of the Advanced page in the window over the simulated mouse: what its controls
// do with the model, that the engineer page shows the same values, and what Apply writes.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "app/device_buttons.h"
#include "formats/language_keys.h"
#include "model/dpi_editor.h"
#include "settings/engineer_page.h"
#include "ui/navigation.h"
#include "ui/widgets/skin_slider.h"
#include "window_fixture.h"

namespace vornik {
namespace {

constexpr std::size_t kParameterA = section::kParameterA.address;
constexpr std::size_t kParameterB = section::kParameterB.address;

class DpiEditorTest : public MainWindowTest {
  protected:
    // The mouse read, with the Advanced page shown.
    void readMouseOnAdvancedPage() {
        connectMouse();
        window->navigation().Btn_Adv_0Click();
    }
    // Changes the model as another page would.
    void setValues(const std::function<void(SettingsValues&)>& change) {
        SettingsValues values = session->model.values();
        change(values);
        session->model.setValues(values);
    }
    void setLevels(int count, int current) {
        setValues([&](SettingsValues& v) {
            v.cb_CPIStep = count - 2;
            v.cb_CurrentCPI = current - 1;
        });
    }
    int modelCount() { return levelCount(session->model.values()); }
    int modelCurrent() { return currentLevel(session->model.values()); }

    QWidget* control(const char* stem, int k, const char* tail = "") {
        return find<QWidget>(qPrintable(QString("%1%2%3").arg(stem).arg(k).arg(tail)));
    }
    SkinSlider* slider(int k) {
        return find<SkinSlider>(qPrintable(QString("slider_DPI%1").arg(k)));
    }
    QString valueText(int k) {
        return find<QLabel>(qPrintable(QString("lbl_DPI%1Value").arg(k)))->text();
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(2, 2)); }
    void releaseSlider(SkinSlider* s, int x) {
        QTest::mousePress(s, Qt::LeftButton, {}, QPoint(x, 10));
        QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(x, 10));
    }
    QColor nameColour(int k) {
        return control("lbl_DPI", k)->palette().color(QPalette::WindowText);
    }

    // The level count and the current level as both pages and the model show them.
    void expectLevels(int count, int current) {
        EXPECT_EQ(modelCount(), count);
        EXPECT_EQ(modelCurrent(), current);
        EXPECT_EQ(find<QComboBox>("cbb_DPICount")->currentText(), QString::number(count));
        EngineerPage& engineer = window->engineerPage();
        EXPECT_EQ(engineer.cb_CPIStep->currentText(), QString::number(count));
        EXPECT_EQ(engineer.cb_CurrentCPI->count(), count);
        EXPECT_EQ(engineer.cb_CurrentCPI->currentText(), QString::number(current));
        const LayoutKept& kept = window->lastLayout().kept;
        for (int k = 1; k <= 7; ++k) {
            SCOPED_TRACE(testing::Message() << "level " << k);
            const bool inUse = k <= count;
            EXPECT_EQ(skinOf(qPrintable(QString("Img_DPI%1").arg(k))),
                      k == current ? "CbS_E" : "CbS_D");
            EXPECT_EQ(control("Img_DPI", k)->isEnabled(), inUse);
            EXPECT_EQ(slider(k)->isEnabled(), inUse);
            EXPECT_EQ(control("lbl_DPI", k, "Col")->isEnabled(), inUse);
            EXPECT_EQ(nameColour(k), inUse ? kept.dpiSelected : kept.dpiNotSelected);
            EXPECT_EQ(engineer.cb_CPI[static_cast<std::size_t>(k - 1)]->isVisibleTo(&engineer),
                      inUse);
        }
    }
};

// The level names add the first level not in use and remove the last one from level 3 up; the
// level count always makes its highest level current.
TEST_F(DpiEditorTest, LevelNamesAddAndRemoveLevelsAtTheEnd) {
    readMouseOnAdvancedPage();
    struct Case {
        int count, current;
        std::vector<int> clicks;
        int countAfter, currentAfter;
    };
    const Case cases[] = {
        {4, 2, {6}, 4, 2},        // beyond the first level not in use: nothing
        {4, 2, {5}, 5, 5},        // the next level is added and made current
        {4, 1, {5, 5}, 4, 4},     // clicked again, it goes; the level below becomes current
        {4, 2, {3}, 4, 2},        // not the last level in use: nothing
        {2, 1, {2}, 2, 1},        // levels 1 and 2 are never removed
        {2, 2, {1}, 2, 2},        //
        {7, 1, {7, 6}, 5, 5},     // down from the top
        {6, 3, {7, 7, 1}, 6, 6},  //
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.count << " levels, current " << c.current);
        setLevels(c.count, c.current);
        for (int level : c.clicks) click(control("lbl_DPI", level));
        expectLevels(c.countAfter, c.currentAfter);
    }
}

TEST_F(DpiEditorTest, TheCountComboMakesItsHighestLevelCurrentAndMarkersChooseAmongLevelsInUse) {
    readMouseOnAdvancedPage();
    setLevels(4, 1);
    auto* count = find<QComboBox>("cbb_DPICount");
    count->setCurrentIndex(count->findText("3"));
    expectLevels(3, 3);

    QTest::mousePress(control("Img_DPI", 2), Qt::LeftButton);
    expectLevels(3, 2);
    // A marker of a level not in use is disabled and takes no click.
    QTest::mousePress(control("Img_DPI", 5), Qt::LeftButton);
    expectLevels(3, 2);

    // The engineer page's count reaches this page.
    EngineerPage& engineer = window->engineerPage();
    engineer.cb_CPIStep->setCurrentIndex(5);
    emit engineer.cb_CPIStep->activated(5);
    expectLevels(7, 7);
}

// A read fills the page without the fill running the count handler, which would make the
// highest level current.
TEST_F(DpiEditorTest, AReadShowsTheStoredLevelsWithoutEditingThem) {
    plugMouse();
    mouse->memory()[kParameterA + 2] = 3;
    mouse->memory()[kParameterB + 0] = 0;  // level 1 current, with its complement
    mouse->memory()[kParameterB + 1] = 0xFF;
    mouse->memory()[kParameterA + 8] = 0xFF;  // level 3 without a value: text of index 0
    mouse->memory()[kParameterA + 0x2F] =
        sectionCode(std::span(mouse->memory()).subspan(kParameterA, section::kParameterA.size - 1));
    window->monitor().tick();
    ASSERT_TRUE(session->mouseConnected());
    expectLevels(3, 1);
    EXPECT_EQ(valueText(3), window->text(dpiValueKey(0)));
}

struct RulerCase {
    int dpiCount;
    int x;
    int index;
    const char* russian;  // the value label in language 1
};

class DpiRuler : public DpiEditorTest, public testing::WithParamInterface<RulerCase> {};

// The slider's ruler follows DPI_Count; the label follows a drag, the model only the release.
TEST_P(DpiRuler, ASliderReleasedAtXTakesTheRulersIndex) {
    const RulerCase c = GetParam();
    session->options.dpiCount = c.dpiCount;
    restartWindow();
    readMouseOnAdvancedPage();
    SkinSlider* s = slider(3);
    EXPECT_EQ(s->maximum(), (c.dpiCount - 1) * 100);
    const int before = session->model.values().cb_CPI[2];
    ASSERT_NE(before, c.index);

    QTest::mousePress(s, Qt::LeftButton, {}, QPoint(16, 10));
    QTest::mouseMove(s, QPoint(c.x, 10));
    EXPECT_EQ(s->value(), c.index * 100);
    EXPECT_EQ(valueText(3), QString::fromUtf8(c.russian));
    EXPECT_EQ(session->model.values().cb_CPI[2], before);  // not yet
    QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(c.x, 10));

    EXPECT_EQ(session->model.values().cb_CPI[2], c.index);
    EXPECT_EQ(session->model.sections().parameterA[8], c.index);
    EXPECT_EQ(window->engineerPage().cb_CPI[2]->currentIndex(), c.index);
    EXPECT_EQ(s->value(), c.index * 100);
    EXPECT_EQ(valueText(3), QString::fromUtf8(c.russian));
    // The English table has no text for index 11; the label follows the language.
    window->switchLanguage(3);
    EXPECT_EQ(valueText(3), c.index == 11 ? QString() : QString::fromUtf8(c.russian));
}

INSTANTIATE_TEST_SUITE_P(DpiCounts, DpiRuler,
                         testing::Values(RulerCase{11, 224, 10, "6400"},
                                         RulerCase{12, 224, 11, "8000"},
                                         RulerCase{11, 16, 1, "800"}, RulerCase{12, 0, 0, "500"}));

// The colour labels open the colour dialog for the flowing light only.
TEST_F(DpiEditorTest, ColourLabelsPickColoursForTheFlowingLightOnly) {
    readMouseOnAdvancedPage();
    dialogs.colourAnswer = QColor(10, 200, 30);
    EngineerPage& engineer = window->engineerPage();
    struct Case {
        LedType type;
        bool opens;
    };
    for (const Case c : {Case{LedType::TwoColour, false}, Case{LedType::Synchronous, false},
                         Case{LedType::Breathing, false}, Case{LedType::Flowing, true}}) {
        SCOPED_TRACE(testing::Message() << "light " << ledTypeText(c.type));
        setValues([&](SettingsValues& v) {
            v.gbLEDType = c.type;
            v.edt_CPIColor[1] = {1, 2, 3};
        });
        dialogs.colourOpenedOn.clear();
        click(control("lbl_DPI", 2, "Col"));
        const auto swatch = find<ColourSwatch>("cs_DPI2Col")->colour();
        if (!c.opens) {
            EXPECT_TRUE(dialogs.colourOpenedOn.empty());
            EXPECT_EQ(session->model.values().edt_CPIColor[1], (std::array<int, 3>{1, 2, 3}));
            EXPECT_EQ(swatch, std::nullopt);
            continue;
        }
        ASSERT_EQ(dialogs.colourOpenedOn.size(), 1u);
        EXPECT_EQ(dialogs.colourOpenedOn[0], QColor(1, 2, 3));
        EXPECT_EQ(session->model.values().edt_CPIColor[1], (std::array<int, 3>{10, 200, 30}));
        EXPECT_EQ(session->model.sections().parameterA[29], 10);
        EXPECT_EQ(engineer.edt_CPIColor[1][1]->text(), "200");
        EXPECT_EQ(swatch, QColor(10, 200, 30));
    }
    // A cancelled dialog changes nothing; an engineer edit repaints the swatch.
    dialogs.colourAnswer.reset();
    click(control("lbl_DPI", 2, "Col"));
    EXPECT_EQ(session->model.values().edt_CPIColor[1], (std::array<int, 3>{10, 200, 30}));
    engineer.edt_CPIColor[1][2]->setText("77");
    EXPECT_EQ(find<ColourSwatch>("cs_DPI2Col")->colour(), QColor(10, 200, 77));
}

// The AIM value: shown from the AIM buttons after a read, given to them by the slider, and
// without an AIM button refused with the message and set back to the first value.
TEST_F(DpiEditorTest, TheAimSliderFollowsTheAimButtons) {
    plugMouse();
    auto& m = mouse->memory();
    const std::size_t aim = section::kProfile.address + ProfileCodes::offset(1, 5);
    m[aim] = 0x0A;
    m[aim + 1] = 3;
    m[aim + 2] = 0;
    m[section::kProfile.address + section::kProfile.size - 1] =
        sectionCode(std::span(m).subspan(section::kProfile.address, section::kProfile.size - 1));
    window->monitor().tick();
    ASSERT_TRUE(session->mouseConnected());
    auto* aimSlider = find<SkinSlider>("slider_DPI8");
    auto* aimText = find<QLabel>("lbl_AIMKeyValue");
    EXPECT_EQ(aimSlider->value(), 300);
    EXPECT_EQ(aimText->text(), "1200");

    releaseSlider(aimSlider, 100);  // index 5
    EXPECT_EQ(session->model.aimIndex(), 5);
    EXPECT_EQ(session->model.buttonFunction(1, 5), "0A0500");
    EXPECT_EQ(aimSlider->value(), 500);
    EXPECT_EQ(aimText->text(), "2000");
    EXPECT_TRUE(dialogs.shown.isEmpty());

    // Button 5 gets another function: the AIM slider is refused.
    ASSERT_TRUE(session->model.setButtonFunction(1, 5, "010100").ok());
    releaseSlider(aimSlider, 150);
    EXPECT_EQ(dialogs.shown, QStringList{QString::fromUtf8(kNoAimButtonMessage.data())});
    EXPECT_EQ(session->model.aimIndex(), 0);
    EXPECT_EQ(aimSlider->value(), 0);
    EXPECT_EQ(aimText->text(), "500");
}

// Edited on either page, the other shows it; Apply writes it.
TEST_F(DpiEditorTest, TheEngineerPageAndTheAdvancedPageShowTheSameLevels) {
    readMouseOnAdvancedPage();
    EngineerPage& engineer = window->engineerPage();
    engineer.cb_CPI[0]->setCurrentIndex(7);
    EXPECT_EQ(slider(1)->value(), 700);
    EXPECT_EQ(valueText(1), "3200");

    releaseSlider(slider(2), 224);
    EXPECT_EQ(engineer.cb_CPI[1]->currentIndex(), 10);
    click(control("lbl_DPI", 7));  // six levels in the built-in image: level 7 is added
    expectLevels(7, 7);

    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(mouse->memory()[kParameterA + 6], 7);
    EXPECT_EQ(mouse->memory()[kParameterA + 7], 10);
    EXPECT_EQ(mouse->memory()[kParameterA + 2], 7);
    EXPECT_EQ(mouse->memory()[kParameterB + 0], 6);
}

// Every DPI control set on the Advanced page, applied, the model changed and the mouse read
// again: the controls show what was set, and the bytes are what was set.
TEST_F(DpiEditorTest, WhatTheDpiControlsSetSurvivesApplyAndRead) {
    readMouseOnAdvancedPage();
    ASSERT_TRUE(session->model.setButtonFunction(2, 3, "0A0000").ok());
    setValues([](SettingsValues& v) { v.gbLEDType = LedType::Flowing; });

    auto* count = find<QComboBox>("cbb_DPICount");
    count->setCurrentIndex(count->findText("5"));
    const int xs[] = {0, 40, 80, 120, 160};  // indexes 0, 2, 4, 6, 8
    for (int k = 1; k <= 5; ++k) releaseSlider(slider(k), xs[k - 1]);
    dialogs.colourAnswer = QColor(250, 128, 7);
    click(control("lbl_DPI", 4, "Col"));
    QTest::mousePress(control("Img_DPI", 3), Qt::LeftButton);
    releaseSlider(find<SkinSlider>("slider_DPI8"), 200);  // index 10

    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    const auto& m = mouse->memory();
    EXPECT_EQ(m[kParameterA + 2], 5);
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(m[kParameterA + 5 + k], 2 * (k - 1)) << k;
    EXPECT_EQ(m[kParameterA + 26 + 9], 250);
    EXPECT_EQ(m[kParameterA + 26 + 10], 128);
    EXPECT_EQ(m[kParameterA + 26 + 11], 7);
    EXPECT_EQ(m[kParameterB + 0] & 0x0F, 2);
    const std::size_t aim = section::kProfile.address + ProfileCodes::offset(2, 3);
    EXPECT_EQ(m[aim], 0x0A);
    EXPECT_EQ(m[aim + 1], 10);

    // Other values in the model, then Read.
    session->model.loadFromImage(builtInImage());
    ASSERT_NE(modelCount(), 5);
    window->deviceButtons().Btn_Read_0Click();
    window->navigation().Btn_Adv_0Click();
    expectLevels(5, 3);
    const char* texts[] = {"500", "1000", "1600", "2400", "4000"};
    for (int k = 1; k <= 5; ++k) {
        EXPECT_EQ(slider(k)->value(), 200 * (k - 1)) << k;
        EXPECT_EQ(valueText(k), texts[k - 1]) << k;
    }
    EXPECT_EQ(find<ColourSwatch>("cs_DPI4Col")->colour(), QColor(250, 128, 7));
    EXPECT_EQ(find<SkinSlider>("slider_DPI8")->value(), 1000);
    EXPECT_EQ(find<QLabel>("lbl_AIMKeyValue")->text(), "6400");
}

}  // namespace
}  // namespace vornik
