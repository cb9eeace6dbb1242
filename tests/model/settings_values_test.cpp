#include "model/settings_values.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "image/defaults.h"

namespace vornik {
namespace {

Sections builtInSections() {
    Sections s;
    splitImage(builtInImage(), s);
    return s;
}

template <std::size_t N>
void fillRandom(std::array<std::uint8_t, N>& bytes, std::mt19937& rng) {
    std::uniform_int_distribution<int> byte(0, 255);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(rng));
}

Sections randomSections(std::mt19937& rng) {
    Sections s;
    fillRandom(s.parameterA, rng);
    fillRandom(s.parameterB, rng);
    fillRandom(s.profile, rng);
    fillRandom(s.fireCode, rng);
    fillRandom(s.fireOffset, rng);
    fillRandom(s.fireColor, rng);
    fillRandom(s.fireKey, rng);
    return s;
}

// Reads the sections, lets `edit` change the values, and writes them back.
template <typename Edit>
Sections rewritten(Sections s, Edit edit) {
    SettingsValues v = valuesFromSections(s);
    edit(v);
    valuesToSections(v, s);
    return s;
}

TEST(SensorOrientation, TableBothWays) {
    struct Row {
        std::uint8_t code;
        int item;
    };
    const Row table[] = {{7, 0}, {2, 1}, {4, 2}, {1, 3}, {6, 4}, {5, 5}, {0, 6}, {3, 7}};
    for (const auto& row : table) {
        SCOPED_TRACE(row.item);
        Sections s = builtInSections();
        // The bits around the code are all set, so a shifted or widened field shows.
        s.parameterA[0] = static_cast<std::uint8_t>(0x8F | row.code << 4);
        EXPECT_EQ(valuesFromSections(s).cb_SensorOri, row.item);

        // Written over another stored code.
        s.parameterA[0] = static_cast<std::uint8_t>(0x8F | (row.code ^ 0x05) << 4);
        const Sections out = rewritten(s, [&](SettingsValues& v) { v.cb_SensorOri = row.item; });
        EXPECT_EQ(out.parameterA[0], 0x8F | row.code << 4);
    }
}

TEST(SensorOrientation, ItemOutsideTheTableKeepsTheStoredCode) {
    for (const int item : {kNoItem, 8, 100}) {
        SCOPED_TRACE(item);
        Sections s = builtInSections();
        s.parameterA[0] = 0x40;
        const Sections out = rewritten(s, [&](SettingsValues& v) { v.cb_SensorOri = item; });
        EXPECT_EQ(out.parameterA[0], 0x40);
    }
}

TEST(ParameterAFlags, EachBitHasItsControl) {
    struct Row {
        const char* name;
        std::size_t byte;
        std::uint8_t mask;
        bool SettingsValues::*field;
    };
    const Row rows[] = {
        {"rb_B4CPIOn", 0, 0x01, &SettingsValues::rb_B4CPIOn},
        {"rb_FireFnOn", 0, 0x02, &SettingsValues::rb_FireFnOn},
        {"rb_LCPIOn", 0, 0x04, &SettingsValues::rb_LCPIOn},
        {"rb_NoSave", 0, 0x08, &SettingsValues::rb_NoSave},
        {"cb_MidPress", 1, 0x01, &SettingsValues::cb_MidPress},
        {"cb_CPIPress", 1, 0x02, &SettingsValues::cb_CPIPress},
        {"cb_GunPress", 1, 0x04, &SettingsValues::cb_GunPress},
        {"cb_Smooth", 1, 0x20, &SettingsValues::cb_Smooth},
        {"rb_MCULED3Control", 3, 0x08, &SettingsValues::rb_MCULED3Control},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Sections s = builtInSections();
        for (const bool on : {false, true}) {
            auto& byte = s.parameterA[row.byte];
            byte = static_cast<std::uint8_t>(on ? byte | row.mask : byte & ~row.mask);
            EXPECT_EQ(valuesFromSections(s).*row.field, on);

            const std::uint8_t before = byte;
            const Sections out = rewritten(s, [&](SettingsValues& v) { v.*row.field = !on; });
            EXPECT_EQ(out.parameterA[row.byte], before ^ row.mask);
        }
    }
}

TEST(LedType, ReadFromByte0Bit7AndByte1Bits3And4) {
    struct Row {
        std::uint8_t byte0, byte1;
        LedType type;
        const char* text;
    };
    const Row rows[] = {
        {0x00, 0x00, LedType::Flowing, "MCULED"},
        {0x7F, 0xFF, LedType::Flowing, "MCULED"},
        {0x80, 0x08, LedType::TwoColour, "RBLED"},
        {0x80, 0x18, LedType::TwoColour, "RBLED"},
        {0x80, 0x10, LedType::Breathing, "BreLED"},
        {0xFF, 0xF7, LedType::Breathing, "BreLED"},
        {0x80, 0x00, LedType::Synchronous, "SyncLED"},
        {0x80, 0xE7, LedType::Synchronous, "SyncLED"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << +row.byte0 << " " << +row.byte1);
        Sections s = builtInSections();
        s.parameterA[0] = row.byte0;
        s.parameterA[1] = row.byte1;
        const SettingsValues v = valuesFromSections(s);
        EXPECT_EQ(v.gbLEDType, row.type);
        EXPECT_STREQ(ledTypeText(v.gbLEDType), row.text);
    }
}

TEST(LedType, WrittenBitsKeepTheRestOfBytes0And1) {
    struct Row {
        LedType type;
        std::uint8_t byte1In;
        std::uint8_t byte0Out, byte1Out;
    };
    // Byte 0 is read as 0x35 | bit 7 of the case; only bit 7 may change.
    const Row rows[] = {
        {LedType::Flowing, 0x00, 0x35, 0x08},     {LedType::Flowing, 0xD7, 0x35, 0xDF},
        {LedType::Flowing, 0x10, 0x35, 0x18},     {LedType::TwoColour, 0x00, 0xB5, 0x08},
        {LedType::TwoColour, 0x10, 0xB5, 0x18},   {LedType::TwoColour, 0xE7, 0xB5, 0xEF},
        {LedType::Synchronous, 0x18, 0xB5, 0x00}, {LedType::Synchronous, 0xFF, 0xB5, 0xE7},
        {LedType::Breathing, 0x08, 0xB5, 0x10},   {LedType::Breathing, 0xE7, 0xB5, 0xF7},
    };
    for (const auto& row : rows) {
        for (const std::uint8_t bit7 : {0x00, 0x80}) {
            SCOPED_TRACE(testing::Message() << ledTypeText(row.type) << " from " << std::hex
                                            << +bit7 << " " << +row.byte1In);
            Sections s = builtInSections();
            s.parameterA[0] = static_cast<std::uint8_t>(0x35 | bit7);
            s.parameterA[1] = row.byte1In;
            const Sections out = rewritten(s, [&](SettingsValues& v) { v.gbLEDType = row.type; });
            EXPECT_EQ(out.parameterA[0], row.byte0Out);
            EXPECT_EQ(out.parameterA[1], row.byte1Out);
        }
    }
}

TEST(LedNumber, HighNibbleOfByte3) {
    struct Read {
        std::uint8_t byte3;
        int shown;  // what the edit held before
        int number;
    };
    const Read reads[] = {
        {0x00, 7, 13}, {0x90, 7, 4}, {0x38, 7, 10}, {0x97, 7, 4},
        {0xA0, 8, 8},  {0xF7, 5, 5}, {0xA0, 0, 0},  // 10-15: the edit keeps its number
    };
    for (const auto& r : reads) {
        SCOPED_TRACE(testing::Message() << std::hex << +r.byte3);
        Sections s = builtInSections();
        s.parameterA[3] = r.byte3;
        SettingsValues shown;
        shown.edt_MCULEDNum = r.shown;
        EXPECT_EQ(valuesFromSections(s, shown).edt_MCULEDNum, r.number);
    }

    struct Write {
        std::uint8_t byte3In;
        int number;
        std::uint8_t byte3Out;
    };
    const Write writes[] = {
        {0x07, 4, 0x97},
        {0xF7, 13, 0x07},
        {0x00, 10, 0x30},
        {0xFF, 4, 0x9F},
        // Outside 4-13 the nibble stays, whatever it held.
        {0x57, 3, 0x57},
        {0x57, 14, 0x57},
        {0xA7, 0, 0xA7},
        {0x67, -1, 0x67},
    };
    for (const auto& w : writes) {
        SCOPED_TRACE(w.number);
        Sections s = builtInSections();
        s.parameterA[3] = w.byte3In;
        const Sections out = rewritten(s, [&](SettingsValues& v) { v.edt_MCULEDNum = w.number; });
        EXPECT_EQ(out.parameterA[3], w.byte3Out);
    }
}

TEST(LedNumber, KeptNumberIsStoredByTheNextWrite) {
    Sections s = builtInSections();
    s.parameterA[3] = 0xA0;
    SettingsValues shown;
    shown.edt_MCULEDNum = 8;
    const SettingsValues v = valuesFromSections(s, shown);
    valuesToSections(v, s);
    EXPECT_EQ(s.parameterA[3], 0x50);
}

TEST(FlowingModes, Byte4OnlyForTheFlowingLight) {
    struct Row {
        LedType type;
        std::uint8_t byte4Out;
    };
    // Modes 1, 3 and 7 chosen over a stored 0x74: only the flowing light writes them, with bit 0.
    const Row rows[] = {{LedType::Flowing, 0x8B},
                        {LedType::TwoColour, 0x74},
                        {LedType::Synchronous, 0x74},
                        {LedType::Breathing, 0x74}};
    for (const auto& row : rows) {
        SCOPED_TRACE(ledTypeText(row.type));
        Sections s = builtInSections();
        s.parameterA[4] = 0x74;
        const Sections out = rewritten(s, [&](SettingsValues& v) {
            v.gbLEDType = row.type;
            v.cb_Mode = {true, false, true, false, false, false, true};
        });
        EXPECT_EQ(out.parameterA[4], row.byte4Out);
    }

    Sections s = builtInSections();
    s.parameterA[4] = 0x52;
    EXPECT_EQ(valuesFromSections(s).cb_Mode,
              (std::array<bool, 7>{true, false, false, true, false, true, false}));
}

TEST(LedState, Byte2IsRebuiltFromZeroForEachType) {
    struct Row {
        LedType type;
        bool off;
        std::uint8_t byte2Out;
    };
    // Flowing mode item 3 and step 2, RB mode item 6, over a byte 2 of stray bits.
    const Row rows[] = {
        {LedType::Flowing, false, 0x44},     {LedType::Flowing, true, 0x4C},
        {LedType::TwoColour, false, 0x07},   {LedType::TwoColour, true, 0x0F},
        {LedType::Synchronous, false, 0x00}, {LedType::Synchronous, true, 0x08},
        {LedType::Breathing, false, 0x00},   {LedType::Breathing, true, 0x08},
    };
    for (const auto& row : rows) {
        for (const std::uint8_t stray : {0x00, 0x10, 0xF7, 0xFF}) {
            SCOPED_TRACE(testing::Message() << ledTypeText(row.type) << " off " << row.off
                                            << " stray " << std::hex << +stray);
            Sections s = builtInSections();
            s.parameterB[2] = stray;
            s.parameterB[3] = stray;
            const Sections out = rewritten(s, [&](SettingsValues& v) {
                v.gbLEDType = row.type;
                v.cb_MCULEDCurrentMode = 3;
                v.edt_MCULEDCrtStep = 2;
                v.cb_RBLEDCurrentMode = 6;
                v.rb_LEDOff = row.off;
            });
            EXPECT_EQ(out.parameterB[2], row.byte2Out);
            EXPECT_EQ(out.parameterB[3], static_cast<std::uint8_t>(~row.byte2Out));
        }
    }
}

TEST(LedState, ReadOnlyIntoTheControlsOfTheStoredType) {
    struct Row {
        std::uint8_t byte0, byte1, byte2;
        int mcuMode, rbMode, step;
        bool off;
    };
    // Before the read: flowing mode item 5, RB mode item 4, step 6. Rebuilding the flowing
    // mode list leaves its combo at item 0 for the other types.
    const Row rows[] = {
        {0x00, 0x08, 0x44, 3, 4, 2, false},       // flowing
        {0x00, 0x08, 0xE8, kNoItem, 4, 7, true},  // flowing, mode bits 0: no item
        {0x80, 0x08, 0x2F, 0, 6, 6, true},        // RB: its combo only, the step keeps its text
        {0x80, 0x08, 0x20, 0, kNoItem, 6, false},
        {0x80, 0x00, 0xFF, 0, 4, 6, true},   // synchronous: only the LED status
        {0x80, 0x10, 0x07, 0, 4, 6, false},  // breathing
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << std::hex << +row.byte0 << " " << +row.byte2);
        Sections s = builtInSections();
        s.parameterA[0] = row.byte0;
        s.parameterA[1] = row.byte1;
        s.parameterB[2] = row.byte2;
        SettingsValues shown;
        shown.cb_MCULEDCurrentMode = 5;
        shown.cb_RBLEDCurrentMode = 4;
        shown.edt_MCULEDCrtStep = 6;
        const SettingsValues v = valuesFromSections(s, shown);
        EXPECT_EQ(v.cb_MCULEDCurrentMode, row.mcuMode);
        EXPECT_EQ(v.cb_RBLEDCurrentMode, row.rbMode);
        EXPECT_EQ(v.edt_MCULEDCrtStep, row.step);
        EXPECT_EQ(v.rb_LEDOff, row.off);
    }
}

TEST(LedState, ModeAndStepAreClampedIntoTheirBits) {
    struct Row {
        int mode, step;
        std::uint8_t byte2Out;
    };
    const Row rows[] = {
        {kNoItem, 0, 0x00}, {0, 0, 0x01}, {6, 7, 0xE7}, {7, 8, 0xE7}, {-5, -1, 0x00},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.mode << " " << row.step);
        const Sections out = rewritten(builtInSections(), [&](SettingsValues& v) {
            v.gbLEDType = LedType::Flowing;
            v.cb_MCULEDCurrentMode = row.mode;
            v.edt_MCULEDCrtStep = row.step;
            v.rb_LEDOff = false;
        });
        EXPECT_EQ(out.parameterB[2], row.byte2Out);
    }
}

TEST(DpiLevels, CountCurrentLevelAndValues) {
    struct Row {
        std::uint8_t countByte, currentByte;
        int step, current;  // as read
        std::uint8_t countOut, currentOut;
    };
    const Row rows[] = {
        {2, 1, 0, 1, 2, 1},       {7, 6, 5, 6, 7, 6},
        {4, 4, 2, kNoItem, 4, 0},  // a level past the count selects no item
        {1, 0, kNoItem, 0, 2, 0},  // counts outside 2-7 select no item and are written as 2
        {9, 1, kNoItem, 1, 2, 1}, {0xFF, 5, kNoItem, kNoItem, 2, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << +row.countByte << " " << +row.currentByte);
        Sections s = builtInSections();
        s.parameterA[2] = row.countByte;
        s.parameterB[0] = row.currentByte;
        const SettingsValues v = valuesFromSections(s);
        EXPECT_EQ(v.cb_CPIStep, row.step);
        EXPECT_EQ(v.cb_CurrentCPI, row.current);
        valuesToSections(v, s);
        EXPECT_EQ(s.parameterA[2], row.countOut);
        EXPECT_EQ(s.parameterB[0], row.currentOut);
        EXPECT_EQ(s.parameterB[1], static_cast<std::uint8_t>(~row.currentOut));
    }

    // Values from elsewhere are clamped the same way.
    const Sections out = rewritten(builtInSections(), [](SettingsValues& v) {
        v.cb_CPIStep = 9;
        v.cb_CurrentCPI = 12;
    });
    EXPECT_EQ(out.parameterA[2], 7);
    EXPECT_EQ(out.parameterB[0], 6);
}

TEST(DpiLevels, ValueIndexes255IsNoValue) {
    struct Row {
        std::uint8_t byte;
        int item;
        std::uint8_t written;
    };
    const Row rows[] = {{0, 0, 0}, {11, 11, 11}, {255, kNoItem, 255}, {12, kNoItem, 255}};
    for (const auto& row : rows) {
        SCOPED_TRACE(+row.byte);
        Sections s = builtInSections();
        s.parameterA[6 + 4] = row.byte;  // level 5
        const SettingsValues v = valuesFromSections(s);
        EXPECT_EQ(v.cb_CPI[4], row.item);
        valuesToSections(v, s);
        EXPECT_EQ(s.parameterA[6 + 4], row.written);
    }
}

TEST(DpiLevels, ColoursInLevelOrderRgb) {
    const Sections out = rewritten(builtInSections(), [](SettingsValues& v) {
        for (int level = 0; level < kMaxDpiLevels; ++level)
            for (int c = 0; c < 3; ++c) v.edt_CPIColor[level][c] = 10 * level + c;
        v.edt_CPIColor[6][2] = 300;  // clamped
        v.edt_CPIColor[6][1] = -4;
    });
    std::vector<int> expected;
    for (int level = 0; level < kMaxDpiLevels; ++level)
        for (int c = 0; c < 3; ++c) expected.push_back(10 * level + c);
    expected[19] = 0;
    expected[20] = 255;
    EXPECT_EQ(std::vector<int>(out.parameterA.begin() + 26, out.parameterA.begin() + 47), expected);
    EXPECT_EQ(valuesFromSections(out).edt_CPIColor[3], (std::array<int, 3>{30, 31, 32}));
}

TEST(ParameterB, KeyModeAndIdentificationBytes) {
    struct Row {
        int keyMode;
        int vendor, product;
        std::array<std::uint8_t, 4> bytes4To7;
    };
    const Row rows[] = {
        {1, 0, 255, {0x80, 0x7F, 0x00, 0xFF}},
        {0, 18, 52, {0x00, 0xFF, 18, 52}},
        {kNoItem, 256, -1, {0x00, 0xFF, 0xFF, 0xFF}},  // ids outside 0-255: generic
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keyMode);
        const Sections out = rewritten(builtInSections(), [&](SettingsValues& v) {
            v.cb_KeyMode = row.keyMode;
            v.edt_VendorID = row.vendor;
            v.edt_ProductID = row.product;
        });
        EXPECT_EQ(std::vector<std::uint8_t>(out.parameterB.begin() + 4, out.parameterB.end()),
                  std::vector<std::uint8_t>(row.bytes4To7.begin(), row.bytes4To7.end()));
    }

    Sections s = builtInSections();
    s.parameterB[4] = 0x80;
    s.parameterB[6] = 7;
    s.parameterB[7] = 200;
    const SettingsValues v = valuesFromSections(s);
    EXPECT_EQ(v.cb_KeyMode, 1);
    EXPECT_EQ(v.edt_VendorID, 7);
    EXPECT_EQ(v.edt_ProductID, 200);
}

TEST(FireSections, OffsetsAsSignedWithComplement) {
    struct Row {
        int offset;
        std::uint8_t byte, complement;
    };
    const Row rows[] = {{-10, 0xF6, 0x09},  {0, 0x00, 0xFF},   {127, 0x7F, 0x80},
                        {-128, 0x80, 0x7F}, {128, 0x7F, 0x80}, {-300, 0x80, 0x7F}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.offset);
        const Sections out = rewritten(builtInSections(), [&](SettingsValues& v) {
            v.edt_YOffset.fill(0);
            v.edt_YOffset[7] = row.offset;
        });
        EXPECT_EQ(out.fireOffset[14], row.byte);
        EXPECT_EQ(out.fireOffset[15], row.complement);
        EXPECT_EQ(out.fireOffset[12], 0x00);
        EXPECT_EQ(out.fireOffset[13], 0xFF);
    }

    Sections s = builtInSections();
    s.fireOffset[0] = 0xF6;
    s.fireOffset[18] = 0x7F;
    const SettingsValues v = valuesFromSections(s);
    EXPECT_EQ(v.edt_YOffset[0], -10);
    EXPECT_EQ(v.edt_YOffset[9], 127);
}

TEST(FireSections, ColoursAndFireKeyBytes) {
    Sections s = builtInSections();
    for (std::size_t i = 0; i < s.fireColor.size(); ++i)
        s.fireColor[i] = static_cast<std::uint8_t>(7 * i);
    const SettingsValues read = valuesFromSections(s);
    EXPECT_EQ(read.edt_FireMacroColor[0], (std::array<int, 3>{0, 7, 14}));
    EXPECT_EQ(read.edt_FireMacroColor[9], (std::array<int, 3>{189, 196, 203}));

    struct Row {
        bool continuous;
        int count, time;
        std::uint8_t countByte, timeByte;
    };
    const Row rows[] = {
        {false, 0, 0, 0x00, 0},
        {false, 254, 255, 0xFE, 255},
        {true, 3, 100, 0xFF, 100},
        {true, kNoItem, 16, 0xFF, 16},
        // Item "256" would read back as continuous fire.
        {false, 255, 300, 0xFE, 255},
        {false, kNoItem, -1, 0x00, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.continuous << " " << row.count);
        const Sections out = rewritten(s, [&](SettingsValues& v) {
            v.cb_IsFireContinue = row.continuous;
            v.cb_FireCount = row.count;
            v.edt_FireTime = row.time;
        });
        EXPECT_EQ(out.fireKey[2], row.countByte);
        EXPECT_EQ(out.fireKey[8], row.timeByte);
    }

    s.fireKey[2] = 0xFF;
    EXPECT_TRUE(valuesFromSections(s).cb_IsFireContinue);
    EXPECT_EQ(valuesFromSections(s).cb_FireCount, kNoItem);
    s.fireKey[2] = 0x00;
    EXPECT_FALSE(valuesFromSections(s).cb_IsFireContinue);
    EXPECT_EQ(valuesFromSections(s).cb_FireCount, 0);
}

TEST(RoundTrip, BuiltInImageIsByteExact) {
    const Sections s = builtInSections();
    Sections out = s;
    valuesToSections(valuesFromSections(s), out);
    EXPECT_EQ(out.parameterA, s.parameterA);
    EXPECT_EQ(out.parameterB, s.parameterB);
    EXPECT_EQ(out.fireOffset, s.fireOffset);
    EXPECT_EQ(out.fireColor, s.fireColor);
    EXPECT_EQ(out.fireKey, s.fireKey);
}

TEST(RoundTrip, RandomImagesKeepWhatTheSettingsDoNotOwn) {
    std::mt19937 rng(20240611);
    for (int i = 0; i < 2000; ++i) {
        const Sections in = randomSections(rng);
        Sections out = in;
        const SettingsValues v = valuesFromSections(in);
        valuesToSections(v, out);
        SCOPED_TRACE(i);

        const auto& a = in.parameterA;
        const auto& b = out.parameterA;
        EXPECT_EQ(b[0], a[0]);
        EXPECT_EQ(b[1] & 0xC0, a[1] & 0xC0);
        EXPECT_EQ(b[3] & 0x07, a[3] & 0x07);
        EXPECT_EQ(b[5], a[5]);
        for (std::size_t k = 13; k <= 25; ++k) EXPECT_EQ(b[k], a[k]) << k;
        EXPECT_EQ(b[47], a[47]);
        // Byte 4 is the flowing light's; it only gains bit 0 when written for it.
        EXPECT_EQ(b[4], v.gbLEDType == LedType::Flowing ? a[4] | 0x01 : a[4]);
        if (v.gbLEDType == LedType::Flowing || v.gbLEDType == LedType::TwoColour) {
            EXPECT_EQ(b[1] & 0x10, a[1] & 0x10);
        }
        if (v.edt_MCULEDNum == 0) {
            EXPECT_EQ(b[3], a[3]);
        }

        EXPECT_EQ(out.parameterB[6], in.parameterB[6]);
        EXPECT_EQ(out.parameterB[7], in.parameterB[7]);
        EXPECT_EQ(out.fireColor, in.fireColor);
        EXPECT_EQ(out.fireKey, in.fireKey);
        for (std::size_t k = 0; k < 20; k += 2) EXPECT_EQ(out.fireOffset[k], in.fireOffset[k]) << k;
        EXPECT_EQ(out.profile, in.profile);
        EXPECT_EQ(out.fireCode, in.fireCode);

        // The three parameterB pairs always hold a value and its complement.
        for (std::size_t k = 0; k < 6; k += 2)
            EXPECT_EQ(out.parameterB[k] ^ out.parameterB[k + 1], 0xFF) << k;

        // One write brings every field into its range; reading and writing again changes
        // nothing more.
        Sections again = out;
        valuesToSections(valuesFromSections(out, v), again);
        EXPECT_EQ(again.parameterA, out.parameterA);
        EXPECT_EQ(again.parameterB, out.parameterB);
        EXPECT_EQ(again.fireOffset, out.fireOffset);
        if (testing::Test::HasFailure()) break;
    }
}

TEST(EditClamps, IdAndYOffsetTexts) {
    struct Row {
        const char* text;
        const char* id;
        const char* offset;
    };
    const Row rows[] = {
        {"", "255", "0"},
        {"0", "0", "0"},
        {"255", "255", "127"},
        {"256", "255", "127"},
        {"127", "127", "127"},
        {"128", "128", "127"},
        {"-", "255", "-"},
        {"-128", "255", "-128"},
        {"-129", "255", "-128"},
        {"-5", "255", "-5"},
        {"007", "007", "007"},
        {"99999999999999999999", "255", "127"},
        {"-99999999999999999999", "255", "-128"},
        {"1a", "255", "0"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(clampIdEditText(row.text), row.id);
        EXPECT_EQ(clampYOffsetEditText(row.text), row.offset);
    }
}

class NoTexts final : public TextLookup {
  public:
    std::string text(std::string_view) const override { return {}; }
};

class AimKeyTest : public testing::Test {
  protected:
    void SetUp() override { reset(); }

    void reset() {
        m_profile.fill(0);
        put(1, 1, "010100");
        put(1, 3, "0A0000");  // AIM key
        put(1, 6, "0600F0");  // fire key
        put(2, 2, "0600F0");
        put(2, 5, "0A0000");  // AIM key
        put(2, 9, "060121");  // macro slot 0
        m_codes.rebuild(m_profile);
        m_before = m_profile;
    }

    void put(int profile, int button, const char* code) {
        const auto bytes = FunctionCode::fromText(code)->bytes();
        std::copy(bytes.begin(), bytes.end(),
                  m_profile.begin() + ProfileCodes::offset(profile, button));
    }

    // The section bytes that differ from those before the call, by offset.
    std::vector<std::pair<std::size_t, std::uint8_t>> changes() const {
        std::vector<std::pair<std::size_t, std::uint8_t>> out;
        for (std::size_t i = 0; i < m_profile.size(); ++i)
            if (m_profile[i] != m_before[i]) out.emplace_back(i, m_profile[i]);
        return out;
    }

    NameContext context(bool eepromMode) const {
        return NameContext{.texts = m_english, .eepromMode = eepromMode, .slotNames = m_slots};
    }

    EnglishTexts m_english;
    std::array<std::string, 6> m_slots{"Macro A", "", "", "", "", ""};
    std::array<std::uint8_t, ProfileCodes::kSectionSize> m_profile{};
    std::array<std::uint8_t, ProfileCodes::kSectionSize> m_before{};
    ProfileCodes m_codes;
};

TEST_F(AimKeyTest, AimIndexGoesToEveryAimButtonOfBothKeyModes) {
    for (const bool eeprom : {true, false}) {
        SCOPED_TRACE(eeprom);
        reset();
        storeAimAndFireKeys(m_codes, m_profile, 7, false, context(eeprom));
        EXPECT_EQ(m_codes.code(1, 3), "0A0700");
        EXPECT_EQ(m_codes.code(2, 5), "0A0700");
        const std::size_t aim1 = ProfileCodes::offset(1, 3) + 1;
        const std::size_t aim2 = ProfileCodes::offset(2, 5) + 1;
        EXPECT_EQ(changes(),
                  (std::vector<std::pair<std::size_t, std::uint8_t>>{{aim1, 7}, {aim2, 7}}));
    }
}

TEST_F(AimKeyTest, FireKeyTypeOnlyInDriverMode) {
    const std::size_t fire1 = ProfileCodes::offset(1, 6);
    const std::size_t fire2 = ProfileCodes::offset(2, 2);

    // With macros in the mouse continuous fire lives in fireKey alone.
    storeAimAndFireKeys(m_codes, m_profile, 0, true, context(true));
    EXPECT_EQ(changes(), (std::vector<std::pair<std::size_t, std::uint8_t>>{}));

    storeAimAndFireKeys(m_codes, m_profile, 0, true, context(false));
    EXPECT_EQ(changes(),
              (std::vector<std::pair<std::size_t, std::uint8_t>>{{fire1, 0x0E}, {fire2, 0x0E}}));
    // The buttons still show the fire key, so the next write can turn continuous fire off.
    EXPECT_EQ(m_codes.code(1, 6), "0600F0");
    storeAimAndFireKeys(m_codes, m_profile, 0, false, context(false));
    EXPECT_EQ(changes(), (std::vector<std::pair<std::size_t, std::uint8_t>>{}));
}

TEST_F(AimKeyTest, NoAimButtonOrNoAimName) {
    put(1, 3, "010100");
    put(2, 5, "010100");
    m_codes.rebuild(m_profile);
    m_before = m_profile;
    EXPECT_FALSE(storeAimIndex(m_codes, m_profile, 4, context(true)));
    EXPECT_EQ(m_profile, m_before);

    // Unnamed codes must not pass for an AIM key whose name the language lacks.
    reset();
    const NoTexts none;
    const NameContext unnamed{.texts = none, .eepromMode = false};
    EXPECT_FALSE(storeAimIndex(m_codes, m_profile, 4, unnamed));
    storeAimAndFireKeys(m_codes, m_profile, 4, true, unnamed);
    EXPECT_EQ(m_profile, m_before);

    EXPECT_TRUE(storeAimIndex(m_codes, m_profile, 4, context(true)));
}

TEST(KeyModeView, KeyModeGunDisplayAndLayout) {
    struct Row {
        int keyMode;
        bool gd, eeprom, combo3;
        KeyModeView page;
    };
    const Row rows[] = {
        {1, true, true, true, {1, 170, false}},  {2, true, true, true, {2, 194, true}},
        {2, true, true, false, {2, 194, false}}, {2, false, true, true, {2, 170, false}},
        {2, true, false, true, {2, 170, false}},  // GD_Enable counts as 0 in driver mode
        {0, true, true, true, {1, 170, false}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.keyMode << row.gd << row.eeprom << row.combo3);
        EXPECT_EQ(keyModeViewFor(row.keyMode, row.gd, row.eeprom, row.combo3), row.page);
    }
}

// Options 1 and 2 exclude each other; option 3 stands alone.
TEST(SwitchOptions, OneAndTwoExcludeEachOther) {
    struct Row {
        bool mid, cpi, gun;
        int option;
        bool midAfter, cpiAfter, gunAfter;
    };
    const Row rows[] = {
        {false, false, false, 1, true, false, false}, {false, true, false, 1, true, false, false},
        {true, false, false, 1, false, false, false}, {true, false, false, 2, false, true, false},
        {false, true, true, 2, false, false, true},   {true, false, false, 3, true, false, true},
        {false, true, true, 3, false, true, false},   {true, false, true, 4, true, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.mid << r.cpi << r.gun << " option " << r.option);
        SettingsValues v;
        v.cb_MidPress = r.mid;
        v.cb_CPIPress = r.cpi;
        v.cb_GunPress = r.gun;
        const SettingsValues after = withSwitchOptionToggled(v, r.option);
        EXPECT_EQ(after.cb_MidPress, r.midAfter);
        EXPECT_EQ(after.cb_CPIPress, r.cpiAfter);
        EXPECT_EQ(after.cb_GunPress, r.gunAfter);
        for (int option = 1; option <= 3; ++option)
            EXPECT_EQ(switchOptionOn(after, option), option == 1   ? r.midAfter
                                                     : option == 2 ? r.cpiAfter
                                                                   : r.gunAfter);
    }
}

}  // namespace
}  // namespace vornik
