// The main window over a simulated mouse, shared by the window's tests.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>
#include <vector>

#include "../model/temporary_folder.h"
#include "app/app_session.h"
#include "app/main_window.h"
#include "device/sim/sim_hid_platform.h"
#include "image/defaults.h"
#include "ui/dialogs.h"

namespace vornik {

// Answers every dialog at once and keeps what it showed.
struct RecordingDialogs : Dialogs {
    QStringList shown;
    QStringList dialogFonts;  // the font of each message dialog
    void messageDialog(QWidget*, const QString& text, const QString& fontName) override {
        shown << text;
        dialogFonts << fontName;
    }
    void messageBox(QWidget*, const QString& text) override { shown << text; }
    // The colour dialog answers `colourAnswer` (nullopt: cancelled) and keeps what it opened on.
    std::optional<QColor> colourAnswer;
    std::vector<QColor> colourOpenedOn;
    std::optional<QColor> colourDialog(QWidget*, const QColor& initial) override {
        colourOpenedOn.push_back(initial);
        return colourAnswer;
    }
    // The file dialogs answer `fileAnswer` (nullopt: cancelled) and keep their filters.
    std::optional<QString> fileAnswer;
    QStringList saveFilters;
    QStringList openFilters;
    std::optional<QString> saveFileDialog(QWidget*, const QString& filter) override {
        saveFilters << filter;
        return fileAnswer;
    }
    std::optional<QString> openFileDialog(QWidget*, const QString& filter) override {
        openFilters << filter;
        return fileAnswer;
    }
};

// The window over a simulated set of HID devices on a virtual clock; the mouse is plugged in
// only by the tests that want it.
class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        auto owned = std::make_unique<SimHidPlatform>();
        platform = owned.get();
        plugOtherDevices(*platform);
        session = std::make_unique<AppSession>(std::move(owned), clock);
        session->macroLibraryFile = libraryFolder.path() / "Macro.bin";
        session->snapshotFolder = snapshotFolder.path();
        window = std::make_unique<MainWindow>(*session, dialogs);
    }
    // A new window over the session, as at a start with the session's options.
    void restartWindow() {
        window.reset();
        window = std::make_unique<MainWindow>(*session, dialogs);
    }

    void plugMouse() {
        mouse = plugDefaultMouse(*platform);
        std::copy(builtInImage().begin(), builtInImage().end(), mouse->memory().begin());
    }
    // Plugs the mouse in and lets one monitor tick find and read it.
    void connectMouse() {
        plugMouse();
        window->monitor().tick();
        ASSERT_TRUE(session->mouseConnected());
        ASSERT_FALSE(window->state().noDeviceShown);
    }
    template <typename T = QWidget>
    T* find(const char* name) {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QString skinOf(const char* image) { return find<SkinImage>(image)->skin(); }

    test::TemporaryFolder libraryFolder{"vornik-window-library"};
    test::TemporaryFolder snapshotFolder{"vornik-window-snapshots"};
    VirtualClock clock;
    SimHidPlatform* platform = nullptr;
    std::shared_ptr<SimMouse> mouse;
    RecordingDialogs dialogs;
    std::unique_ptr<AppSession> session;
    std::unique_ptr<MainWindow> window;
};

// The commands the mouse received, without the chunks of the block transfers.
inline std::vector<int> commandsOf(const SimMouse& mouse) {
    std::vector<int> out;
    for (const auto& e : mouse.trace())
        if (e.isSet && e.bytes[1] != cmd::kReadChunk && e.bytes[1] != cmd::kWriteChunk)
            out.push_back(e.bytes[1]);
    return out;
}

}  // namespace vornik
