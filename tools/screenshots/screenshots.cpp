// Renders the main window on each page, the function menu with its sub-menus, the assembly-key
// dialog, the loading window and the message dialog to PNG files:
//   vornik-screenshots OUTDIR
// It runs on the simulated mouse and the offscreen platform, so it needs no display.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>

#include "app/app_session.h"
#include "app/main_window.h"
#include "device/sim/sim_hid_platform.h"
#include "fire/fire_page.h"
#include "image/defaults.h"
#include "macros/macro_editor_view.h"
#include "macros/macro_page.h"
#include "model/config_model.h"
#include "model/fire_record.h"
#include "model/macro_library_file.h"
#include "settings/assembly_key_dialog.h"
#include "settings/button_editor.h"
#include "settings/button_page.h"
#include "settings/engineer_page.h"
#include "settings/function_menu.h"
#include "ui/dialogs.h"
#include "ui/loading_window.h"
#include "ui/navigation.h"
#include "ui/skin/skin.h"
#include "ui/style.h"

namespace {

using namespace vornik;

void hover(vornik::FunctionMenu& menu, const char* entry) {
    QWidget* label = menu.entry(entry);
    QEnterEvent enter(QPointF(4, 4), QPointF(4, 4), label->mapToGlobal(QPointF(4, 4)));
    QCoreApplication::sendEvent(label, &enter);
}

// A typical desktop's pointer settings, so that the Advanced page shows them as it would.
struct ShownPointerSettings : PointerSettingsStore {
    PointerControlStates controls() override { return {}; }
    PointerReading read() override {
        return {"10", std::array<std::string, 3>{"1", "6", "10"}, "500", "3"};
    }
    bool write(const PointerWrite&, std::string&) override { return true; }
};

struct SilentDialogs : Dialogs {
    void messageDialog(QWidget*, const QString& text, const QString&) override {
        std::printf("dialog: %s\n", qPrintable(text));
    }
    void messageBox(QWidget*, const QString& text) override {
        std::printf("message: %s\n", qPrintable(text));
    }
    std::optional<QColor> colourDialog(QWidget*, const QColor&) override { return std::nullopt; }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vornik-screenshots OUTDIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    initSkin();
    applyDarkStyle(app);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }

    VirtualClock clock;
    auto platform = std::make_unique<SimHidPlatform>();
    plugOtherDevices(*platform);
    auto mouse = plugDefaultMouse(*platform);
    std::copy(builtInImage().begin(), builtInImage().end(), mouse->memory().begin());
    // Two recoil patterns behind preset 6, so that its rows show values.
    const std::array<std::array<std::uint8_t, 14>, 2> recoil{{
        {0x00, 0x0C, 0xFD, 0x09, 0xA1, 0xFB, 0x00, 0xFA, 0x0C, 0xFE, 0x0C, 0x21, 0xFC, 0x81},
        {0x01, 0x0C, 0xFD, 0x13, 0xA1, 0xFB, 0x00, 0xFA, 0x08, 0xFE, 0x0A, 0x21, 0xFC, 0x00},
    }};
    for (std::size_t n = 0; n < recoil.size(); ++n) {
        auto* record = mouse->memory().data() + 0x500 + 24 * (5 + n);
        std::copy(recoil[n].begin(), recoil[n].end(), record);
        FireMacroRecord checked{};
        std::copy(recoil[n].begin(), recoil[n].end(), checked.begin());
        updateFireChecksum(checked);
        record[13] = checked[13];
    }
    AppSession session(std::move(platform), clock);
    // A library of its own, so that no user's library is shown or changed.
    QTemporaryDir libraryFolder;
    session.macroLibraryFile = libraryFolder.filePath("Macro.bin").toStdString();
    session.pointerSettings = std::make_unique<ShownPointerSettings>();
    SilentDialogs dialogs;
    MainWindow window(session, dialogs);
    window.show();
    LoadingWindow loading(&window, [&window] { window.setDeviceTimer(true); });
    window.attachLoadingWindow(&loading);
    QCoreApplication::processEvents();

    auto save = [&](QWidget& w, const QString& name) {
        QCoreApplication::processEvents();
        const QString path = out.filePath(name);
        if (!w.grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return false;
        }
        std::printf("%s\n", qPrintable(path));
        return true;
    };
    bool ok = save(window, "0-no-device.png");
    window.monitor().tick();  // finds and reads the simulated mouse
    auto& nav = window.navigation();
    ok &= save(window, "1-office-mode.png");
    nav.Btn_Second_0Click();
    ok &= save(window, "1-game-mode.png");
    nav.Btn_Adv_0Click();
    ok &= save(window, "2-advanced.png");
    nav.Btn_Breath_0Click();
    ok &= save(window, "3-light.png");
    nav.Btn_Macro_0Click();
    ok &= save(window, "4-macro.png");
    window.openFirePage(2, 4);
    window.firePage().selectPreset(6);
    ok &= save(window, "5-fire-preset6.png");
    nav.Btn_Engineer_0Click();
    ok &= save(window, "6-engineer.png");
    for (int language : {2, 3}) {
        window.switchLanguage(language);
        nav.Btn_Main_0Click();
        ok &= save(window, QString("1-office-mode-lang%1.png").arg(language));
        nav.Btn_Adv_0Click();
        ok &= save(window, QString("2-advanced-lang%1.png").arg(language));
        window.openFirePage(2, 4);
        window.firePage().selectPreset(6);
        ok &= save(window, QString("5-fire-preset6-lang%1.png").arg(language));
    }
    // The Advanced and Light pages for each light type, in Russian and in English.
    const std::pair<LedType, const char*> types[] = {{LedType::Flowing, "flowing"},
                                                     {LedType::TwoColour, "two-colour"},
                                                     {LedType::Synchronous, "synchronous"},
                                                     {LedType::Breathing, "breathing"}};
    for (int language : {1, 3}) {
        window.switchLanguage(language);
        for (const auto& [type, typeName] : types) {
            SettingsValues values = session.model.values();
            values.gbLEDType = type;
            session.model.setValues(values);
            const QString stem = QString("%1-lang%2").arg(typeName).arg(language);
            nav.Btn_Adv_0Click();
            ok &= save(window, "2-advanced-" + stem + ".png");
            nav.Btn_Breath_0Click();
            ok &= save(window, "3-light-" + stem + ".png");
        }
    }
    // The macro page with a macro selected, in Russian and in English.
    MacroLibrary& library = window.macroLibrary().library();
    const MacroScript script{"10",
                             "1 Left Ctrl CODE:82E0",
                             "0 48",
                             "1 A CODE:8204",
                             "0 104",
                             "2 A CODE:0204",
                             "0 2040",
                             "1 LeftKey CODE:00A1",
                             "2 LeftKey CODE:0021",
                             "7 FD09",
                             "4 FBFB",
                             "6 FAF6",
                             "8 00FC"};
    for (const char* name : {"Jump", "Reload", "Grenade throw", "Burst"})
        library.add(encodeMacroName(name));
    const EncodedMacro encoded = encodeScript(script, false, MacroForm::Device);
    MacroContent content{};
    std::copy(encoded.content.begin(), encoded.content.end(), content.begin());
    library.setContent(1, content);
    window.macroPage().editor().showLibrary();
    window.macroPage().editor().selectEntry(1);
    window.macroPage().editor().selectRow(3);
    for (int language : {1, 3}) {
        window.switchLanguage(language);
        nav.Btn_Macro_0Click();
        ok &= save(window, QString("4-macro-lang%1.png").arg(language));
        window.macroPage().editor().openInsertPanel();
        window.macroPage().editor().chooseInsertAction(6);
        ok &= save(window, QString("4-macro-insert-lang%1.png").arg(language));
        window.macroPage().editor().chooseInsertAction(3);
        ok &= save(window, QString("4-macro-insert-key-lang%1.png").arg(language));
        window.macroPage().editor().cancelInsert();
    }
    window.macroPage().editor().showRowPopup(QPoint(420, 260));
    ok &= save(window, "4-macro-popup-lang3.png");
    window.macroPage().editor().hidePopups();

    session.model.loadFromImage(builtInImage());
    // The function menu and the assembly-key dialog, in Russian and in English.
    ButtonEditor& editor = window.buttonEditor();
    for (int language : {1, 3}) {
        window.switchLanguage(language);
        nav.Btn_Main_0Click();
        editor.openForKey(4);
        hover(editor.menu(), "Key_Special");
        hover(editor.menu(), "Key_CPIKey");
        ok &= save(window, QString("1-menu-special-lang%1.png").arg(language));
        hover(editor.menu(), "Key_Media");
        ok &= save(window, QString("1-menu-media-lang%1.png").arg(language));
        editor.openForKey(9);
        hover(editor.menu(), "Key_WWW");
        ok &= save(window, QString("1-menu-web-lang%1.png").arg(language));
        hover(editor.menu(), "Key_Assembly");
        editor.menu().entry("Key_Assembly")->clicked();
        AssemblyKeyDialog& dialog = editor.assemblyDialog();
        dialog.modifierBoxes[AssemblyKey::kCtrl]->setChecked(true);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        QCoreApplication::sendEvent(dialog.edit, &key);
        ok &= save(dialog, QString("assembly-key-lang%1.png").arg(language));
        dialog.close();
    }
    // The menu above an engineer key button of key mode 2.
    nav.Btn_Engineer_0Click();
    EngineerPage& engineer = window.engineerPage();
    engineer.Pg_Parameter->setCurrentWidget(engineer.ts_Engineer);
    editor.openForEngineerButton(205);
    hover(editor.menu(), "Key_Special");
    ok &= save(window, "6-engineer-menu.png");
    editor.hideAllMenu();
    engineer.Pg_Parameter->setCurrentWidget(engineer.ts_Operator);
    window.switchLanguage(1);
    loading.showCentred();
    ok &= save(loading, "loading-start.png");
    loading.transferProgress(171, 342);
    ok &= save(loading, "loading.png");
    if (QGuiApplication::platformName() != "offscreen") {
        // What the screen shows there: on a real window system the corners are the window
        // system's business (a mask without a compositing manager).
        QCoreApplication::processEvents();
        const QPixmap screen = loading.screen()->grabWindow(
            0, loading.x() - 10, loading.y() - 10, loading.width() + 20, loading.height() + 20);
        ok &= screen.save(out.filePath("loading-screen.png"));
    }
    loading.hideAndReset();

    // The no-device message as the window shows it, in language 1.
    const auto dialog = QtDialogs::makeMessageDialog(
        &window, window.text("Str100") + "\n\n" + window.text("Str101"),
        QString::fromStdString(window.language().fontName()));
    dialog->show();
    ok &= save(*dialog, "message-dialog.png");
    return ok ? 0 : 1;
}
