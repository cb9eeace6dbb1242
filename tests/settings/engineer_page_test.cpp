#include "settings/engineer_page.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <climits>
#include <functional>
#include <random>
#include <type_traits>
#include <vector>

#include "image/defaults.h"
#include "settings/engineer_binding.h"

namespace vornik {
namespace {

// How a holding control shows its field.
enum class Kind {
    Check,    // a check box, checked for true
    Pair,     // a radio pair: `control` checked for true, `other` for false
    Combo,    // the item index
    Edit,     // the decimal text
    LedType,  // one of the four type radio buttons
};

struct Field {
    QString control;
    QString other;
    Kind kind;
    int low, high;  // the values the control can hold
    std::function<int(SettingsValues&)> read;
    std::function<void(SettingsValues&, int)> write;
};

template <typename Ref>
Field field(const QString& control, Kind kind, int low, int high, Ref ref,
            const QString& other = {}) {
    using T = std::remove_reference_t<decltype(ref(std::declval<SettingsValues&>()))>;
    return {control,
            other,
            kind,
            low,
            high,
            [ref](SettingsValues& v) { return static_cast<int>(ref(v)); },
            [ref](SettingsValues& v, int x) { ref(v) = static_cast<T>(x); }};
}

QString name(const char* stem, int k, const char* suffix = "") {
    return QString("%1%2%3").arg(stem).arg(k).arg(suffix);
}

constexpr const char* kChannels[] = {"R", "G", "B"};

// Every field of SettingsValues with its holding control. Edits hold any number.
std::vector<Field> fields() {
    using V = SettingsValues;
    std::vector<Field> f;
    const auto pair = [&](const char* on, const char* off, bool V::*m) {
        f.push_back(field(
            on, Kind::Pair, 0, 1, [m](V& v) -> bool& { return v.*m; }, off));
    };
    const auto check = [&](const QString& n, bool V::*m) {
        f.push_back(field(n, Kind::Check, 0, 1, [m](V& v) -> bool& { return v.*m; }));
    };
    const auto combo = [&](const QString& n, int items, int V::*m) {
        f.push_back(field(n, Kind::Combo, kNoItem, items - 1, [m](V& v) -> int& { return v.*m; }));
    };
    const auto edit = [&](const QString& n, auto ref) {
        f.push_back(field(n, Kind::Edit, INT_MIN, INT_MAX, ref));
    };

    pair("rb_B4CPIOn", "rb_B4CPIOff", &V::rb_B4CPIOn);
    pair("rb_FireFnOn", "rb_FireFnOff", &V::rb_FireFnOn);
    pair("rb_LCPIOn", "rb_LCPIOff", &V::rb_LCPIOn);
    pair("rb_NoSave", "rb_Save", &V::rb_NoSave);
    combo("cb_SensorOri", 8, &V::cb_SensorOri);
    f.push_back(
        field("gbLEDType", Kind::LedType, 0, 3, [](V& v) -> LedType& { return v.gbLEDType; }));
    check("cb_MidPress", &V::cb_MidPress);
    check("cb_CPIPress", &V::cb_CPIPress);
    check("cb_GunPress", &V::cb_GunPress);
    check("cb_Smooth", &V::cb_Smooth);
    combo("cb_CPIStep", 6, &V::cb_CPIStep);
    pair("rb_MCULED3Control", "rb_MCULED6Control", &V::rb_MCULED3Control);
    edit("edt_MCULEDNum", [](V& v) -> int& { return v.edt_MCULEDNum; });
    for (int k = 1; k <= 7; ++k)
        f.push_back(field(name("cb_Mode", k), Kind::Check, 0, 1,
                          [k](V& v) -> bool& { return v.cb_Mode[k - 1]; }));
    for (int k = 1; k <= kMaxDpiLevels; ++k) {
        f.push_back(field(name("cb_CPI", k), Kind::Combo, kNoItem, 11,
                          [k](V& v) -> int& { return v.cb_CPI[k - 1]; }));
        for (int c = 0; c < 3; ++c)
            edit(name("edt_CPI", k, kChannels[c]),
                 [k, c](V& v) -> int& { return v.edt_CPIColor[k - 1][c]; });
    }
    // Lists as many levels as cb_CPIStep gives; randomValues keeps it inside.
    combo("cb_CurrentCPI", kMaxDpiLevels, &V::cb_CurrentCPI);
    combo("cb_MCULEDCurrentMode", 7, &V::cb_MCULEDCurrentMode);
    combo("cb_RBLEDCurrentMode", 7, &V::cb_RBLEDCurrentMode);
    edit("edt_MCULEDCrtStep", [](V& v) -> int& { return v.edt_MCULEDCrtStep; });
    pair("rb_LEDOff", "rb_LEDOn", &V::rb_LEDOff);
    combo("cb_KeyMode", 2, &V::cb_KeyMode);
    edit("edt_VendorID", [](V& v) -> int& { return v.edt_VendorID; });
    edit("edt_ProductID", [](V& v) -> int& { return v.edt_ProductID; });
    for (int k = 1; k <= 10; ++k) {
        edit(name("edt_YOffset", k), [k](V& v) -> int& { return v.edt_YOffset[k - 1]; });
        for (int c = 0; c < 3; ++c)
            edit(name("edt_FireMacroColor", k, kChannels[c]),
                 [k, c](V& v) -> int& { return v.edt_FireMacroColor[k - 1][c]; });
    }
    combo("cb_FireCount", 256, &V::cb_FireCount);
    check("cb_IsFireContinue", &V::cb_IsFireContinue);
    edit("edt_FireTime", [](V& v) -> int& { return v.edt_FireTime; });
    return f;
}

int levelCount(const SettingsValues& v) { return std::clamp(v.cb_CPIStep + 2, 2, 7); }

SettingsValues randomValues(std::mt19937& rng) {
    SettingsValues v;
    for (const Field& f : fields()) {
        int x = std::uniform_int_distribution<int>(f.low, f.high)(rng);
        // Edits mostly near their ranges, now and then at the ends of int.
        if (f.kind == Kind::Edit) {
            const int pick = std::uniform_int_distribution<int>(0, 19)(rng);
            x = pick == 0   ? INT_MIN
                : pick == 1 ? INT_MAX
                            : std::uniform_int_distribution<int>(-300, 300)(rng);
        }
        f.write(v, x);
    }
    v.cb_CurrentCPI = std::min(v.cb_CurrentCPI, levelCount(v) - 1);
    return v;
}

const char* const kLedTypeButtons[] = {"rb_MCULED", "rb_RBLED", "rb_SyncLED", "rb_BreLED"};

class EngineerPageTest : public ::testing::Test {
  protected:
    EngineerPageTest() {
        host.resize(1030, 662);
        page = new EngineerPage(&host);
    }

    template <typename T = QWidget>
    T* find(const QString& objectName) {
        T* w = page->findChild<T*>(objectName);
        EXPECT_NE(w, nullptr) << objectName.toStdString();
        return w;
    }

    // What the control named by `f` shows, as its field's number.
    int shown(const Field& f) {
        switch (f.kind) {
            case Kind::Check:
                return find<QAbstractButton>(f.control)->isChecked();
            case Kind::Pair: {
                const bool on = find<QRadioButton>(f.control)->isChecked();
                EXPECT_NE(on, find<QRadioButton>(f.other)->isChecked()) << f.control.toStdString();
                return on;
            }
            case Kind::Combo:
                return find<QComboBox>(f.control)->currentIndex();
            case Kind::Edit: {
                bool ok = false;
                const int x = find<QLineEdit>(f.control)->text().toInt(&ok);
                EXPECT_TRUE(ok) << f.control.toStdString();
                return x;
            }
            case Kind::LedType:
                for (int t = 0; t < 4; ++t)
                    if (find<QRadioButton>(kLedTypeButtons[t])->isChecked()) return t;
                return -1;
        }
        return -1;
    }

    QWidget host;
    EngineerPage* page = nullptr;
};

TEST_F(EngineerPageTest, EveryHoldingControlIsOnTheOperatorSheet) {
    std::vector<QString> names;
    for (const Field& f : fields()) {
        names.push_back(f.control);
        if (!f.other.isEmpty()) names.push_back(f.other);
    }
    for (const char* n : kLedTypeButtons) names.emplace_back(n);
    for (const char* n : {"gbB4CPI",         "gbFireFn",         "gbLCPI",
                          "gbSaveKeyMode",   "gbLEDStatus",      "gbMCULEDControlMode",
                          "gbCPI",           "gbMCULEDCPIColor", "gbMCULEDMode",
                          "gbMCULEDCurrent", "gbRBLEDMode",      "gbSwitchFn",
                          "gbFireMode",      "gbFireMacroColor", "gbFireMacroYOffset",
                          "lbl_CPIStep",     "lbl_CurrentCPI",   "lbl_SensorOri",
                          "lbl_KeyMode",     "lbl_VendorID",     "lbl_ProductID"})
        names.emplace_back(n);
    for (int k = 1; k <= 10; ++k) {
        if (k <= kMaxDpiLevels) names.push_back(name("lbl_CPI", k));
        names.push_back(name("lbl_YOffset", k));
        for (const char* c : kChannels) names.push_back(name("lbl_FireMacroColor", k, c));
    }
    for (const QString& n : names) {
        SCOPED_TRACE(n.toStdString());
        const QList<QWidget*> matches = page->findChildren<QWidget*>(n);
        ASSERT_EQ(matches.size(), 1);
        EXPECT_TRUE(page->ts_Operator->isAncestorOf(matches.front()));
    }
}

TEST_F(EngineerPageTest, EachFieldReachesItsNamedControlAndBack) {
    std::mt19937 rng(20240611);
    const std::vector<Field> table = fields();
    for (int round = 0; round < 200; ++round) {
        SCOPED_TRACE(round);
        SettingsValues v = randomValues(rng);
        page->setValues(v);
        for (const Field& f : table) {
            SCOPED_TRACE(f.control.toStdString());
            EXPECT_EQ(shown(f), f.read(v));
        }
        ASSERT_EQ(page->values(), v);
    }
}

TEST_F(EngineerPageTest, EachFieldAloneChangesOnlyItself) {
    // From one set of values, every field in turn at each end of its range: a field wired to a
    // neighbour's control shows here even where the random round trip might miss it.
    const SettingsValues base = [] {
        std::mt19937 rng(7);
        return randomValues(rng);
    }();
    for (const Field& f : fields()) {
        for (const int x : {f.low, f.high, (f.low / 2 + f.high / 2)}) {
            SCOPED_TRACE(f.control.toStdString() + " = " + std::to_string(x));
            SettingsValues v = base;
            f.write(v, x);
            v.cb_CurrentCPI = std::min(v.cb_CurrentCPI, levelCount(v) - 1);
            page->setValues(v);
            EXPECT_EQ(page->values(), v);
        }
    }
}

TEST_F(EngineerPageTest, FillingEmitsNoChangeSignal) {
    int changes = 0;
    const auto count = [&changes] { ++changes; };
    for (QComboBox* c : page->ts_Operator->findChildren<QComboBox*>())
        QObject::connect(c, &QComboBox::currentIndexChanged, count);
    for (QAbstractButton* b : page->ts_Operator->findChildren<QAbstractButton*>())
        QObject::connect(b, &QAbstractButton::toggled, count);
    for (QLineEdit* e : page->ts_Operator->findChildren<QLineEdit*>())
        QObject::connect(e, &QLineEdit::textChanged, count);

    std::mt19937 rng(99);
    for (int round = 0; round < 20; ++round) {
        const SettingsValues v = randomValues(rng);
        page->setValues(v);
        // Out-of-range numbers stay as given: no clamp ran while filling.
        EXPECT_EQ(page->values(), v);
    }
    EXPECT_EQ(changes, 0);
}

TEST_F(EngineerPageTest, BuiltInImageComesBackByteForByte) {
    Sections in;
    splitImage(builtInImage(), in);
    page->setValues(valuesFromSections(in));
    Sections out = in;
    // Start the written copies from other bytes, so every byte compared was written.
    out.parameterB.fill(0x5A);
    out.fireOffset.fill(0x5A);
    out.fireColor.fill(0x5A);
    valuesToSections(page->values(), out);
    EXPECT_EQ(out.parameterA, in.parameterA);
    EXPECT_EQ(out.parameterB, in.parameterB);
    EXPECT_EQ(out.fireOffset, in.fireOffset);
    EXPECT_EQ(out.fireColor, in.fireColor);
    EXPECT_EQ(out.fireKey, in.fireKey);
}

TEST_F(EngineerPageTest, TypingIsClamped) {
    struct Row {
        const char* edit;
        const char* typed;
        const char* text;
    };
    const Row table[] = {
        {"edt_VendorID", "300", "255"},
        {"edt_ProductID", "254", "254"},
        {"edt_VendorID", "x", "255"},
        {"edt_YOffset1", "-200", "-128"},
        {"edt_YOffset10", "200", "127"},
        {"edt_YOffset4", "-", "-"},
        {"edt_YOffset2", "abc", "0"},
        {"edt_YOffset3", "-42", "-42"},
        {"edt_CPI1R", "300", "255"},
        {"edt_CPI7B", "x", "0"},
        {"edt_FireMacroColor10B", "999", "255"},
        {"edt_FireMacroColor1G", "17", "17"},
        {"edt_FireTime", "300", "255"},
        {"edt_FireTime", "q", "100"},
        {"edt_MCULEDNum", "12", "12"},
        {"edt_MCULEDNum", "2", "4"},
        {"edt_MCULEDNum", "99", "13"},
        {"edt_MCULEDNum", "1", "1"},
        {"edt_MCULEDCrtStep", "9", "7"},
        {"edt_MCULEDCrtStep", "x", "0"},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(std::string(row.edit) + " <- " + row.typed);
        auto* e = find<QLineEdit>(row.edit);
        e->selectAll();  // the first key replaces whatever the edit showed
        QTest::keyClicks(e, row.typed);
        EXPECT_EQ(e->text(), row.text);
    }
}

TEST_F(EngineerPageTest, EmptiedEditsTakeTheirDefault) {
    struct Row {
        const char* edit;
        const char* text;
    };
    const Row table[] = {{"edt_VendorID", "255"},       {"edt_ProductID", "255"},
                         {"edt_YOffset5", "0"},         {"edt_CPI3G", "0"},
                         {"edt_FireMacroColor6R", "0"}, {"edt_FireTime", "100"},
                         {"edt_MCULEDNum", "13"},       {"edt_MCULEDCrtStep", "0"}};
    for (const Row& row : table) {
        SCOPED_TRACE(row.edit);
        auto* e = find<QLineEdit>(row.edit);
        e->setText("5");
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        EXPECT_EQ(e->text(), row.text);
    }
}

TEST_F(EngineerPageTest, ClampedTextIsWhatTheWriteReads) {
    page->edt_YOffset[0]->selectAll();
    QTest::keyClicks(page->edt_YOffset[0], "-200");
    page->edt_VendorID->selectAll();
    QTest::keyClicks(page->edt_VendorID, "300");
    const SettingsValues v = page->values();
    EXPECT_EQ(v.edt_YOffset[0], -128);
    EXPECT_EQ(v.edt_VendorID, 255);
}

TEST_F(EngineerPageTest, OtherPagesWritingAnEditAreClampedToo) {
    // The fire page puts its offsets into these edits; the fire key editor its interval.
    page->edt_YOffset[2]->setText("-200");
    EXPECT_EQ(page->edt_YOffset[2]->text(), "-128");
    page->edt_FireTime->setText("");
    EXPECT_EQ(page->edt_FireTime->text(), "100");
}

TEST_F(EngineerPageTest, LeavingTheLedNumberAtOneMakesItFour) {
    page->edt_MCULEDNum->selectAll();
    QTest::keyClicks(page->edt_MCULEDNum, "1");
    ASSERT_EQ(page->edt_MCULEDNum->text(), "1");
    emit page->edt_MCULEDNum->editingFinished();
    EXPECT_EQ(page->edt_MCULEDNum->text(), "4");
    EXPECT_EQ(page->values().edt_MCULEDNum, 4);
}

TEST(EngineerEditRules, Texts) {
    struct Row {
        std::string (*rule)(std::string_view);
        const char* rule_name;
        const char* in;
        const char* out;
    };
    const Row table[] = {
        {clampEngineerColourEditText, "colour", "0", "0"},
        {clampEngineerColourEditText, "colour", "255", "255"},
        {clampEngineerColourEditText, "colour", "256", "255"},
        {clampEngineerColourEditText, "colour", "99999999999999", "255"},
        {clampEngineerColourEditText, "colour", "", "0"},
        {clampEngineerColourEditText, "colour", "-1", "0"},
        {clampEngineerColourEditText, "colour", "1a", "0"},
        {clampLedNumberEditText, "led number", "0", "4"},
        {clampLedNumberEditText, "led number", "1", "1"},
        {clampLedNumberEditText, "led number", "2", "4"},
        {clampLedNumberEditText, "led number", "3", "4"},
        {clampLedNumberEditText, "led number", "4", "4"},
        {clampLedNumberEditText, "led number", "13", "13"},
        {clampLedNumberEditText, "led number", "14", "13"},
        {clampLedNumberEditText, "led number", "", "13"},
        {clampLedNumberEditText, "led number", "-5", "13"},
        {ledNumberExitText, "led number exit", "1", "4"},
        {ledNumberExitText, "led number exit", "10", "10"},
        {ledNumberExitText, "led number exit", "4", "4"},
        {clampLedStepEditText, "step", "7", "7"},
        {clampLedStepEditText, "step", "8", "7"},
        {clampLedStepEditText, "step", "0", "0"},
        {clampLedStepEditText, "step", "", "0"},
        {clampFireTimeEditText, "fire time", "255", "255"},
        {clampFireTimeEditText, "fire time", "256", "255"},
        {clampFireTimeEditText, "fire time", "0", "0"},
        {clampFireTimeEditText, "fire time", "", "100"},
        {clampFireTimeEditText, "fire time", "-3", "100"},
    };
    for (const Row& row : table) {
        SCOPED_TRACE(std::string(row.rule_name) + " \"" + row.in + "\"");
        EXPECT_EQ(row.rule(row.in), row.out);
        // A kept text is kept again: the edit's own correction ends the change.
        EXPECT_EQ(row.rule(row.rule(row.in)), row.rule(row.in));
    }
}

TEST(EngineerEditRules, editFieldValue) {
    struct Row {
        const char* text;
        int value;
    };
    const Row table[] = {{"0", 0},
                         {"255", 255},
                         {"-128", -128},
                         {"007", 7},
                         {"", 0},
                         {"-", 0},
                         {"12x", 0},
                         {"+5", 0},
                         {"2147483647", INT_MAX},
                         {"-2147483648", INT_MIN},
                         {"99999999999999999999", INT_MAX},
                         {"-99999999999999999999", INT_MIN}};
    for (const Row& row : table) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(editFieldValue(row.text), row.value);
    }
}

TEST_F(EngineerPageTest, ChoosingALevelCountRelistsAndShowsTheLevels) {
    for (int index = 0; index <= 5; ++index) {
        SCOPED_TRACE(index);
        SettingsValues v;
        v.cb_CPIStep = 5;
        page->setValues(v);
        page->cb_CPIStep->setCurrentIndex(index);
        emit page->cb_CPIStep->activated(index);

        const int n = index + 2;
        ASSERT_EQ(page->cb_CurrentCPI->count(), n);
        for (int k = 1; k <= n; ++k)
            EXPECT_EQ(page->cb_CurrentCPI->itemText(k - 1), QString::number(k));
        // The highest level becomes the current one.
        EXPECT_EQ(page->cb_CurrentCPI->currentIndex(), n - 1);
        for (int k = 1; k <= kMaxDpiLevels; ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(page->cb_CPI[k - 1]->isHidden(), k > n);
            EXPECT_EQ(page->lbl_CPI[k - 1]->isHidden(), k > n);
            for (int c = 0; c < 3; ++c) {
                EXPECT_EQ(page->edt_CPIColor[k - 1][c]->isHidden(), k > n);
                EXPECT_EQ(page->lbl_CPIColor[k - 1][c]->isHidden(), k > n);
            }
        }
    }
}

TEST_F(EngineerPageTest, FilledLevelCountKeepsTheStoredCurrentLevel) {
    SettingsValues v;
    v.cb_CPIStep = 2;
    v.cb_CurrentCPI = 1;
    page->setValues(v);
    EXPECT_EQ(page->cb_CurrentCPI->count(), 4);
    EXPECT_EQ(page->cb_CurrentCPI->currentIndex(), 1);
    EXPECT_FALSE(page->cb_CPI[3]->isHidden());
    EXPECT_TRUE(page->cb_CPI[4]->isHidden());
}

TEST_F(EngineerPageTest, ListsHoldTheirItems) {
    ASSERT_EQ(page->cb_CPIStep->count(), 6);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(page->cb_CPIStep->itemText(i), QString::number(i + 2));
    for (QComboBox* c : page->cb_CPI) {
        ASSERT_EQ(c->count(), 12);
        for (int i = 0; i < 12; ++i) EXPECT_EQ(c->itemText(i), QString::number(kDpiValues[i]));
    }
    ASSERT_EQ(page->cb_FireCount->count(), 256);
    EXPECT_EQ(page->cb_FireCount->itemText(0), "1");
    EXPECT_EQ(page->cb_FireCount->itemText(255), "256");
    ASSERT_EQ(page->cb_RBLEDCurrentMode->count(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(page->cb_RBLEDCurrentMode->itemText(i).toStdString(),
                  termText(50 + i, TermColumn::English));
    ASSERT_EQ(page->cb_SensorOri->count(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(page->cb_SensorOri->itemText(i).toStdString(),
                  termText(65 + i, TermColumn::English));
}

TEST_F(EngineerPageTest, DisabledModesShowDashesInTheCurrentModeList) {
    SettingsValues v;
    v.cb_Mode.fill(true);
    v.cb_MCULEDCurrentMode = 4;
    page->setValues(v);
    EXPECT_EQ(page->cb_MCULEDCurrentMode->itemText(2), "Mode 3");
    EXPECT_EQ(page->cb_MCULEDCurrentMode->currentIndex(), 4);

    page->cb_Mode[2]->click();
    ASSERT_EQ(page->cb_MCULEDCurrentMode->count(), 7);
    for (int k = 1; k <= 7; ++k)
        EXPECT_EQ(page->cb_MCULEDCurrentMode->itemText(k - 1),
                  k == 3 ? QString("------") : QString("Mode %1").arg(k));
    EXPECT_EQ(page->cb_MCULEDCurrentMode->currentIndex(), 0);

    // Filled quietly, the stored current mode stays selected.
    v.cb_Mode[5] = false;
    page->setValues(v);
    EXPECT_EQ(page->cb_MCULEDCurrentMode->itemText(5), "------");
    EXPECT_EQ(page->cb_MCULEDCurrentMode->itemText(2), "Mode 3");
    EXPECT_EQ(page->cb_MCULEDCurrentMode->currentIndex(), 4);
}

TEST_F(EngineerPageTest, NoSaveForcesKeyModeOne) {
    SettingsValues v;
    v.cb_KeyMode = 1;
    page->setValues(v);
    EXPECT_TRUE(page->cb_KeyMode->isEnabled());

    page->rb_NoSave->click();
    EXPECT_EQ(page->cb_KeyMode->currentIndex(), 0);
    EXPECT_FALSE(page->cb_KeyMode->isEnabled());
    EXPECT_EQ(page->values().cb_KeyMode, 0);

    page->rb_Save->click();
    EXPECT_TRUE(page->cb_KeyMode->isEnabled());

    // A filled "No Save" disables the combo but shows the stored key mode.
    v.rb_NoSave = true;
    page->setValues(v);
    EXPECT_FALSE(page->cb_KeyMode->isEnabled());
    EXPECT_EQ(page->cb_KeyMode->currentIndex(), 1);
}

TEST_F(EngineerPageTest, LedTypeShowsItsGroups) {
    struct Row {
        LedType type;
        bool rb, lcpi, flowing;
    };
    const Row table[] = {{LedType::Flowing, false, true, true},
                         {LedType::TwoColour, true, true, false},
                         {LedType::Synchronous, false, false, false},
                         {LedType::Breathing, false, false, false}};
    const auto expectGroups = [this](const Row& row) {
        EXPECT_EQ(page->gbRBLEDMode->isHidden(), !row.rb);
        EXPECT_EQ(page->gbLCPI->isHidden(), !row.lcpi);
        EXPECT_EQ(page->gbMCULEDControlMode->isHidden(), !row.flowing);
        EXPECT_EQ(page->gbMCULEDCurrent->isHidden(), !row.flowing);
        EXPECT_EQ(page->gbMCULEDCPIColor->isHidden(), !row.flowing);
    };
    for (const Row& row : table) {
        SCOPED_TRACE(static_cast<int>(row.type));
        SettingsValues v;
        v.gbLEDType = row.type;
        page->setValues(v);
        expectGroups(row);
    }
    // Chosen by hand once the page is unlocked.
    page->unlock();
    for (const Row& row : table) {
        SCOPED_TRACE(static_cast<int>(row.type));
        find<QRadioButton>(kLedTypeButtons[static_cast<int>(row.type)])->click();
        expectGroups(row);
        EXPECT_EQ(page->values().gbLEDType, row.type);
    }
}

TEST_F(EngineerPageTest, ContinuousFireAndCountExcludeEachOther) {
    SettingsValues v;
    v.cb_FireCount = 4;
    page->setValues(v);
    page->cb_IsFireContinue->setChecked(true);
    EXPECT_EQ(page->cb_FireCount->currentIndex(), kNoItem);

    page->cb_FireCount->setCurrentIndex(2);
    emit page->cb_FireCount->activated(2);
    EXPECT_FALSE(page->cb_IsFireContinue->isChecked());
    EXPECT_EQ(page->values().cb_FireCount, 2);
}

TEST(EngineerPageCaptions, FromTheTermColumn) {
    struct Row {
        const char* control;
        int term;
    };
    const Row table[] = {
        {"Btn_Main_6", 0},
        {"btn_Write", 10},
        {"gbLEDType", 15},
        {"rb_BreLED", 19},
        {"gbLEDStatus", 20},
        {"rb_LEDOn", 21},
        {"rb_B4CPIOff", 22},
        {"gbB4CPI", 23},
        {"gbFireFn", 24},
        {"rb_FireFnOn", 25},
        {"rb_FireFnOff", 26},
        {"gbFireMode", 27},
        {"lbl_FireCount", 28},
        {"lbl_FireTime", 29},
        {"gbLCPI", 30},
        {"gbMCULEDControlMode", 31},
        {"rb_MCULED3Control", 32},
        {"rb_MCULED6Control", 33},
        {"gbMCULEDCPIColor", 34},
        {"lbl_VendorID", 35},
        {"lbl_ProductID_Rd", 36},
        {"gbMCULEDCurrent", 37},
        {"lbl_MCULEDNum", 38},
        {"lbl_MCULEDCurrentMode", 39},
        {"cb_Mode1", 40},
        {"cb_Mode6", 45},
        {"cb_Mode7", 56},
        {"lbl_MCULEDCrtStep", 47},
        {"gbRBLEDMode", 48},
        {"lbl_RBLEDCurrentMode", 49},
        {"gbSwitchFn", 57},
        {"cb_MidPress", 58},
        {"cb_GunPress", 60},
        {"gbSaveKeyMode", 61},
        {"rb_Save", 62},
        {"rb_NoSave", 63},
        {"lbl_SensorOri", 64},
        {"gbCPI", 76},
        {"lbl_CPIStep", 77},
        {"lbl_CurrentCPI", 78},
        {"lbl_CPI1", 79},
        {"lbl_CPI7", 85},
        {"lbl_KeyMode", 87},
        {"gbMCULEDMode", 95},
        {"gbFireMacroColor", 96},
        {"lbl_FireMacroColor1R", 97},
        {"lbl_FireMacroColor4G", 107},
        {"lbl_FireMacroColor10B", 126},
        {"gbFireMacroYOffset", 127},
        {"lbl_YOffset1", 128},
        {"lbl_YOffset10", 137},
        {"lbl_Notes", 138},
    };
    for (const TermColumn column : {TermColumn::English, TermColumn::Chinese}) {
        QWidget host;
        host.resize(1030, 662);
        auto* page = new EngineerPage(&host, column);
        for (const Row& row : table) {
            SCOPED_TRACE(row.control);
            QWidget* w = page->findChild<QWidget*>(row.control);
            ASSERT_NE(w, nullptr);
            QString caption;
            if (auto* l = qobject_cast<QLabel*>(w)) caption = l->text();
            if (auto* b = qobject_cast<QAbstractButton*>(w)) caption = b->text();
            if (auto* g = qobject_cast<QGroupBox*>(w)) caption = g->title();
            EXPECT_EQ(caption.toStdString(), termText(row.term, column));
        }
        EXPECT_EQ(page->cb_KeyMode->itemText(1).toStdString(), termText(89, column));
        EXPECT_EQ(page->cb_MCULEDCurrentMode->itemText(0).toStdString(), "------");
    }
}

TEST_F(EngineerPageTest, CaptionsAreNotCutAndControlsStayOnTheSheet) {
    host.show();
    for (const LedType type :
         {LedType::Flowing, LedType::TwoColour, LedType::Synchronous, LedType::Breathing}) {
        SCOPED_TRACE(static_cast<int>(type));
        SettingsValues v;
        v.gbLEDType = type;
        v.cb_CPIStep = 5;  // all seven levels shown
        page->setValues(v);
        QCoreApplication::processEvents();
        const QRect sheet = page->ts_Operator->rect();
        ASSERT_GT(sheet.width(), 900);
        for (QWidget* w : page->ts_Operator->findChildren<QWidget*>()) {
            if (!w->isVisible() || w->objectName().isEmpty()) continue;
            SCOPED_TRACE(w->objectName().toStdString());
            const QRect at(w->mapTo(page->ts_Operator, QPoint(0, 0)), w->size());
            EXPECT_TRUE(sheet.contains(at))
                << at.x() << "," << at.y() << " " << at.width() << "x" << at.height();
            if (qobject_cast<QLabel*>(w) || qobject_cast<QAbstractButton*>(w)) {
                EXPECT_GE(w->width(), w->sizeHint().width());
            }
        }
    }
    // Hidden groups leave their place empty; none lies over another.
    const auto groups = page->ts_Operator->findChildren<QGroupBox*>();
    for (QGroupBox* a : groups)
        for (QGroupBox* b : groups)
            if (a < b) {
                EXPECT_FALSE(a->geometry().intersects(b->geometry()))
                    << a->objectName().toStdString() << " " << b->objectName().toStdString();
            }
}

}  // namespace
}  // namespace vornik
