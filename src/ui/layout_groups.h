#pragma once

// The layout pass from inside: the key reader, the helpers the group handlers share, and the
// window's own handlers. Pages include it to apply their groups; everything else includes
// layout_pass.h.

#include <QColor>
#include <QHash>
#include <QPoint>
#include <QString>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "ui/layout_pass.h"

class QWidget;

namespace vornik::layout_detail {

enum class Range { Any, NonNegative, FontSize, Colour };

// Reads the keys of one section, each once per pass; a second read of a key gives the first
// value without a second report entry.
class LayoutReader {
  public:
    LayoutReader(const IniFile& file, std::string section, LayoutReport& report);

    // A missing key, or one out of `range`, is recorded and reads as `current` when given,
    // else as its built-in layout 1 value (0 if even that has none).
    int number(const std::string& key, std::optional<int> current = std::nullopt,
               Range range = Range::Any);

  private:
    const IniFile& m_file;
    std::string m_section;
    LayoutReport& m_report;
    std::unordered_map<std::string, int> m_values;  // by lower-case key
};

// One run of the pass over a window: finding controls and reading keys against them.
class LayoutPass {
  public:
    LayoutPass(QWidget& window, const LayoutContext& ctx, LayoutReader& in, LayoutReport& report);

    QWidget* find(const QString& name) const;
    // find() for "<stem>_1" .. "<stem>_4", the copies on pages 1 to 4 (null where absent).
    std::array<QWidget*, 4> pageCopies(const QString& stem) const;

    // Window coordinates, whatever the parent.
    QPoint windowPos(const QWidget& w) const;
    void moveTo(QWidget* w, QPoint windowPos) const;

    // Keys with the built-in fallback only.
    int number(const std::string& key, Range range = Range::Any) {
        return m_in.number(key, {}, range);
    }
    QColor colour(const std::string& prefix);
    // Keys that fall back on what `current` (when not null) shows now.
    QPoint position(const std::string& prefix, const QWidget* current);
    int width(const std::string& key, const QWidget* current);
    int height(const std::string& key, const QWidget* current);
    int fontSize(const std::string& key, const QWidget* current);
    QColor textColour(const std::string& prefix, const QWidget* current);

    // The image at `at`, the label over it with the image's size less the two margins.
    void placeOnImage(QWidget* image, QWidget* label, QPoint at, int marginFront = 0,
                      int marginBack = 0) const;
    // A button key set "<key>_Enable/_X/_Y" over the page copies of Img_/Btn_<role>.
    void buttonSet(const std::string& key, const QString& role, int marginFront = 0,
                   int marginBack = 0);

    QWidget& window;
    const LayoutContext& ctx;
    LayoutReport& report;
    LayoutReader& in() { return m_in; }

  private:
    LayoutReader& m_in;
    QHash<QString, QWidget*> m_byName;
};

// Look of controls.
void setFontSize(QWidget* w, int pointSize);
void setTextColour(QWidget* w, const QColor& c);
void setBackground(QWidget* w, const QColor& c);
// Text, background and (when given) border of an edit, a list or a popup button.
void setFieldLook(QWidget* w, const QColor& text, const QColor& back,
                  std::optional<QColor> border = std::nullopt);
// The first non-null control of a list, for the fallback of a key that drives all of them.
QWidget* firstOf(std::initializer_list<QWidget*> controls);
QWidget* firstIn(const std::vector<QWidget*>& controls);
void setFontSizes(const std::vector<QWidget*>& targets, int size);
// Reads a font size and a text colour and gives them to every control of `targets`.
void applyFont(LayoutPass& p, const std::string& sizeKey, const std::string& colourPrefix,
               const std::vector<QWidget*>& targets);

// "<stem><k><tail>", as a control's name and as a key.
QString numbered(const char* stem, int k, const char* tail = "");
std::string numberedKey(const char* stem, int k, const char* tail = "");

// Moves `target` to the position keys of `prefix`; the twins take its place and size.
void placeWithTwins(LayoutPass& p, const std::string& prefix, QWidget* target,
                    std::initializer_list<QWidget*> twins = {});
void placeNamed(LayoutPass& p, const std::string& prefix, const QString& name);
// An option image with its click label lying over it.
void placeOption(LayoutPass& p, const std::string& prefix, const QString& image,
                 const QString& label);

void applyWindowButtons(LayoutPass& p);  // group A
void applyPageButtons(LayoutPass& p);    // group B
void applyMenus(LayoutPass& p);          // group G
void applyCaptions(LayoutPass& p);       // the caption label families
// After all groups: each DPI name label shows whether its level is in use.
void colourDpiNames(LayoutPass& p);

DialogLayout readDialog(LayoutReader& in, DialogGroup group);

}  // namespace vornik::layout_detail
