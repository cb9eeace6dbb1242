// The window's writes keep the mouse's image first; profiles are saved from and loaded into
// the window through the file dialogs.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>
#include <fstream>

#include "app/device_buttons.h"
#include "app/profile_buttons.h"
#include "image/memory_map.h"
#include "model/snapshots.h"
#include "settings/engineer_page.h"
#include "window_fixture.h"

namespace vornik {
namespace {

namespace fs = std::filesystem;

std::string fileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
std::string imageText(std::span<const std::uint8_t> image) {
    return std::string(image.begin(), image.end());
}

class ProfileWindowTest : public MainWindowTest {
  protected:
    std::vector<Snapshot> snapshots() {
        std::string error;
        auto list = SnapshotStore(snapshotFolder.path(), [] {
                        return std::chrono::system_clock::now();
                    }).list(std::nullopt, error);
        EXPECT_EQ(error, "");
        return list;
    }
    std::string newestSnapshot() {
        const auto list = snapshots();
        return list.empty() ? std::string() : fileText(list.front().file);
    }
};

TEST_F(ProfileWindowTest, ApplyKeepsTheImageTheMouseHeldAndItRestoresByteForByte) {
    connectMouse();
    const std::string before = imageText(mouse->memory());
    window->engineerPage().cb_CPI[0]->setCurrentIndex(9);
    ASSERT_TRUE(window->deviceButtons().Btn_Apply_0Click());
    ASSERT_NE(imageText(mouse->memory()), before);
    ASSERT_EQ(snapshots().size(), 1u);
    EXPECT_EQ(newestSnapshot(), before);

    // The next write keeps what the first one wrote, and a restore from the first snapshot
    // brings the mouse back to where it was.
    const std::string afterApply = imageText(mouse->memory());
    window->deviceButtons().Btn_Confirm1_1Click();
    ASSERT_EQ(snapshots().size(), 2u);
    EXPECT_EQ(newestSnapshot(), afterApply);
    // Snapshots are profile files: loading the first one restores it.
    dialogs.fileAnswer = QString::fromStdString(snapshots()[1].file.string());
    window->profileButtons().Btn_Load_0Click();
    EXPECT_EQ(imageText(mouse->memory()), before);
}

TEST_F(ProfileWindowTest, ASnapshotThatCannotBeKeptStopsTheWrite) {
    // A file where the folder would be created: no snapshot can be written there.
    const fs::path blocked = snapshotFolder.path() / "blocked";
    std::ofstream(blocked) << "x";
    session->snapshotFolder = blocked / "snapshots";
    restartWindow();
    connectMouse();
    const std::string before = imageText(mouse->memory());
    window->engineerPage().cb_CPI[0]->setCurrentIndex(9);
    mouse->clearTrace();
    EXPECT_FALSE(window->deviceButtons().Btn_Apply_0Click());
    EXPECT_EQ(imageText(mouse->memory()), before);
    EXPECT_EQ(window->deviceButtons().lastWrite().reason, SkipReason::SnapshotFailed);
    // Configuration mode was entered and left; not a chunk was written.
    EXPECT_EQ(commandsOf(*mouse), (std::vector<int>{1, 3, 8, 2}));
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].contains("Nothing was written")) << dialogs.shown[0].toStdString();
    EXPECT_TRUE(dialogs.shown[0].contains(QString::fromStdString(blocked.string())))
        << dialogs.shown[0].toStdString();
    EXPECT_FALSE(window->pagesLocked());
}

TEST_F(ProfileWindowTest, SaveWithoutAMouseSaysSoAndWritesNothing) {
    dialogs.fileAnswer = QString::fromStdString((snapshotFolder.path() / "p").string());
    window->profileButtons().Btn_Save_0Click();
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str020")});
    EXPECT_TRUE(dialogs.saveFilters.isEmpty());
    EXPECT_FALSE(fs::exists(snapshotFolder.path() / "p.bin"));
    dialogs.shown.clear();
    window->profileButtons().Btn_Load_0Click();
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str020")});
}

TEST_F(ProfileWindowTest, SaveWritesWhatTheMouseHoldsAndKeepsTheUnsavedEditsOnThePages) {
    connectMouse();
    const std::string held = imageText(mouse->memory());
    // An edit not yet applied: the file gets the mouse's bytes, the page keeps the edit.
    window->engineerPage().cb_CPI[0]->setCurrentIndex(9);
    const fs::path folder = snapshotFolder.path() / "profiles";
    fs::create_directories(folder);
    struct Case {
        const char* typed;
        const char* written;
    } cases[] = {
        {"plain", "plain.bin"},
        {"with.bin", "with.bin"},
        {"upper.BIN", "upper.BIN"},
        {"other.txt", "other.txt.bin"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        dialogs.fileAnswer = QString::fromStdString((folder / c.typed).string());
        window->profileButtons().Btn_Save_0Click();
        EXPECT_EQ(fileText(folder / c.written), held);
        EXPECT_EQ(window->engineerPage().cb_CPI[0]->currentIndex(), 9);
        EXPECT_EQ(session->model.values().cb_CPI[0], 9);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 4);
    EXPECT_EQ(dialogs.saveFilters.front(), "SaveFile (*.bin)");
    EXPECT_TRUE(dialogs.shown.isEmpty()) << dialogs.shown.join("; ").toStdString();
    // Saving wrote nothing to the mouse, so no snapshot was needed.
    EXPECT_TRUE(snapshots().empty());

    // The engineer page's Save is the same operation.
    dialogs.fileAnswer = QString::fromStdString((folder / "engineer").string());
    window->engineerPage().Btn_Save_6->click();
    EXPECT_EQ(fileText(folder / "engineer.bin"), held);
}

TEST_F(ProfileWindowTest, SaveStopsOnAReadThatDoesNotCompleteOrAFileThatCannotBeWritten) {
    connectMouse();
    const fs::path folder = snapshotFolder.path();
    std::string error;
    ASSERT_TRUE(parseFaults("drop-chunk=5", mouse->faults(), error));
    dialogs.fileAnswer = QString::fromStdString((folder / "gaps").string());
    window->profileButtons().Btn_Save_0Click();
    EXPECT_EQ(dialogs.shown, QStringList{window->text("Str109")});
    EXPECT_FALSE(fs::exists(folder / "gaps.bin"));

    mouse->faults() = {};
    dialogs.shown.clear();
    const fs::path missing = folder / "no such folder" / "p";
    dialogs.fileAnswer = QString::fromStdString(missing.string());
    window->profileButtons().Btn_Save_0Click();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].contains(QString::fromStdString(missing.string() + ".bin")))
        << dialogs.shown[0].toStdString();
    EXPECT_FALSE(window->pagesLocked());

    // A cancelled dialog does nothing at all.
    dialogs.shown.clear();
    dialogs.fileAnswer.reset();
    mouse->clearTrace();
    window->profileButtons().Btn_Save_0Click();
    EXPECT_TRUE(mouse->trace().empty());
    EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST_F(ProfileWindowTest, LoadShowsTheFileAndWritesItOnlyToAChip98Mouse) {
    connectMouse();
    const fs::path file = snapshotFolder.path() / "long.bin";
    // A profile of another configuration, followed by 2048 bytes that must be ignored.
    ConfigImage profile = mouse->memory();
    profile[section::kParameterA.address + 6] = 3;
    profile[section::kParameterA.address + section::kParameterA.size - 1] =
        sectionCode(std::span(profile).first(section::kParameterA.size - 1));
    std::ofstream(file, std::ios::binary) << imageText(profile) << std::string(kImageSize, 'w');
    dialogs.fileAnswer = QString::fromStdString(file.string());

    struct Case {
        const char* fault;
        bool written;
    } cases[] = {{"chip=0x90", false}, {"", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        const std::string before = imageText(mouse->memory());
        std::string error;
        mouse->faults() = {};
        if (*c.fault) {
            ASSERT_TRUE(parseFaults(c.fault, mouse->faults(), error));
        }
        window->profileButtons().Btn_Load_0Click();
        EXPECT_EQ(window->engineerPage().cb_CPI[0]->currentIndex(), 3);
        EXPECT_EQ(session->model.image().bytes, profile);
        EXPECT_EQ(imageText(mouse->memory()), c.written ? imageText(profile) : before);
    }
    EXPECT_EQ(dialogs.openFilters.front(), "LoadFile (*.bin)");

    // A file that cannot be read is named and nothing changes.
    dialogs.shown.clear();
    const fs::path missing = snapshotFolder.path() / "missing.bin";
    dialogs.fileAnswer = QString::fromStdString(missing.string());
    const std::string before = imageText(mouse->memory());
    window->profileButtons().Btn_Load_0Click();
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].contains(QString::fromStdString(missing.string())));
    EXPECT_EQ(imageText(mouse->memory()), before);
}

// The base macro import writes slots 1-4 straight into the mouse, with the failing slots
// emptied and a snapshot kept first; a file too short for the four slots writes nothing.
TEST_F(ProfileWindowTest, BaseMacroImportWritesSlotsOneToFourAfterASnapshot) {
    connectMouse();
    std::string slotBytes(section::kMacroSlots1To4.size, '\0');
    const char macro[] = {0x00, 0x05, char(0x82), 0x04, 0x02, 0x04, char(0xCB)};
    for (std::size_t slot : {0u, 1u}) {
        slotBytes[slot * 256 + 1] = 'M';
        std::copy(std::begin(macro), std::end(macro), slotBytes.begin() + slot * 256 + 32);
    }
    slotBytes[256 + 32 + 6] = 1;  // slot 2's check byte is wrong
    const fs::path file = snapshotFolder.path() / "base.bin";
    std::ofstream(file, std::ios::binary) << slotBytes << "tail";
    const std::string before = imageText(mouse->memory());

    dialogs.fileAnswer = QString::fromStdString(file.string());
    window->engineerPage().Btn_ImportBaseMacro->click();
    const auto& m = mouse->memory();
    EXPECT_EQ(m[0x101], 'M');
    EXPECT_EQ(m[0x120 + 6], 0xCB);
    EXPECT_EQ(m[0x201], 'M');  // the name stays, the content is emptied
    EXPECT_EQ(m[0x220 + 1], 0x00);
    EXPECT_EQ(session->model.macroSlotNames()[0], "M");
    // Only slots 1-4 changed, and the mouse's previous image was kept.
    const std::string after = imageText(m);
    EXPECT_EQ(after.substr(0, 0x100), before.substr(0, 0x100));
    EXPECT_EQ(after.substr(0x500), before.substr(0x500));
    ASSERT_EQ(snapshots().size(), 1u);
    EXPECT_EQ(newestSnapshot(), before);

    std::ofstream(file, std::ios::binary | std::ios::trunc) << std::string(1000, '\x11');
    dialogs.shown.clear();
    window->engineerPage().Btn_ImportBaseMacro->click();
    EXPECT_EQ(imageText(mouse->memory()), after);
    ASSERT_EQ(dialogs.shown.size(), 1);
    EXPECT_TRUE(dialogs.shown[0].contains("base.bin")) << dialogs.shown[0].toStdString();
}

}  // namespace
}  // namespace vornik
