// The window's writes keep the mouse's image first; profiles are saved from and loaded into
// the window through the file dialogs.
#include <gtest/gtest.h>

#include <QComboBox>
#include <fstream>

#include "app/device_buttons.h"
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
    std::string error;
    const auto first = SnapshotStore(snapshotFolder.path(), [] {
                           return std::chrono::system_clock::now();
                       }).load(2, error);
    ASSERT_TRUE(first) << error;
    session->model.image().bytes = *first;
    const WriteOutcome restored =
        ImageFlows(session->device, *window, *window, session->model).writeLoadedImage();
    ASSERT_EQ(restored.result, WriteResult::Verified);
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

}  // namespace
}  // namespace vornik
