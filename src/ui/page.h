#pragma once

#include <functional>
#include <span>
#include <string>

#include "formats/layout_keys.h"
#include "model/edit_result.h"

class QWidget;

namespace vornik {

class ConfigModel;
class LanguageTable;
class Page;
class ProfileCodes;
struct Sections;
struct SettingsValues;

namespace layout_detail {
class LayoutPass;
}

// What the pages show: the settings values, both key modes' button codes and the working
// copies they are named from (macro slot names).
struct PageSource {
    const SettingsValues& values;
    const ProfileCodes& codes;
    const Sections& sections;
    bool eepromMode = true;
    int aimIndex = 0;  // the DPI value index the AIM key switches to
    // The engineer gun list's ten codes while its file is in use; gun keys are then named after
    // its slots. Empty otherwise.
    std::span<const std::string> gunList = {};
};

// One page of the window: it owns its controls, lays them out from its groups of the layout
// file and captions them in the current language. The window composes the pages and calls
// these in this order on a language switch: the layout (group by group, in the file's order),
// the language, then fillFromModel where names depend on the language.
class Page {
  public:
    virtual ~Page() = default;

    // The widget holding the page's own controls.
    virtual QWidget* widget() const = 0;

    // Shows what the model holds now.
    virtual void fillFromModel(const PageSource& model) = 0;

    // Whether group `group` of the layout file places this page's controls; the window's pass
    // then hands that group to applyLayoutGroup when the file reaches it.
    virtual bool ownsLayoutGroup(LayoutGroup) const { return false; }
    virtual void applyLayoutGroup(LayoutGroup, layout_detail::LayoutPass&) {}

    // The page's fixed captions in `language`. The table outlives the page.
    virtual void applyLanguage(const LanguageTable& language) = 0;
    // A page that keeps its own font is left out of the language's font.
    virtual bool keepsOwnFont() const { return false; }
};

// How a page writes into the model: through the model's own operations, inside `change`. The
// change reaches every other page showing what it changed, but not back into the page that
// made it, whose control already shows it (a refill would move a caret or stop a drag).
class PageEditor {
  public:
    virtual ~PageEditor() = default;
    virtual EditResult edit(const Page& from,
                            const std::function<EditResult(ConfigModel&)>& change) = 0;
};

}  // namespace vornik
