#include "ui/layout_pass.h"

#include <QWidget>
#include <algorithm>
#include <set>

#include "ui/layout_groups.h"
#include "ui/page.h"
#include "ui/skin/skin.h"
#include "ui/widgets/skin_widgets.h"

namespace vornik {

namespace layout_detail {

namespace {

std::string lowered(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

bool inRange(int value, Range range) {
    switch (range) {
        case Range::Any:
            return true;
        case Range::NonNegative:
            return value >= 0;
        case Range::FontSize:
            return value >= 1;
        case Range::Colour:
            return value >= 0 && value <= 255;
    }
    return false;
}

int builtIn(const std::string& key) {
    return embeddedLayout(1).number(layoutSection(1), key).value_or(0);
}

}  // namespace

LayoutReader::LayoutReader(const IniFile& file, std::string section, LayoutReport& report)
    : m_file(file), m_section(std::move(section)), m_report(report) {}

int LayoutReader::number(const std::string& key, std::optional<int> current, Range range) {
    const std::string folded = lowered(key);
    if (const auto it = m_values.find(folded); it != m_values.end()) return it->second;

    int value = 0;
    const std::optional<std::string> text = m_file.text(m_section, key);
    const std::optional<int> parsed = text ? parseDecimal(*text) : std::nullopt;
    if (parsed && inRange(*parsed, range)) {
        value = *parsed;
    } else {
        (text ? m_report.badKeys : m_report.missingKeys).push_back(key);
        value = current ? *current : builtIn(key);
    }
    m_report.keysRead.push_back(key);
    m_values.emplace(folded, value);
    return value;
}

LayoutPass::LayoutPass(QWidget& w, const LayoutContext& c, LayoutReader& in, LayoutReport& r)
    : window(w), ctx(c), report(r), m_in(in) {
    // One look-up table per pass: the pass asks for several hundred names.
    for (QWidget* child : window.findChildren<QWidget*>()) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !m_byName.contains(name)) m_byName.insert(name, child);
    }
}

QWidget* LayoutPass::find(const QString& name) const { return m_byName.value(name, nullptr); }

std::array<QWidget*, 4> LayoutPass::pageCopies(const QString& stem) const {
    std::array<QWidget*, 4> copies{};
    for (int n = 1; n <= 4; ++n)
        copies[static_cast<std::size_t>(n - 1)] = find(QString("%1_%2").arg(stem).arg(n));
    return copies;
}

QPoint LayoutPass::windowPos(const QWidget& w) const {
    return &w == &window ? QPoint() : w.mapTo(&window, QPoint(0, 0));
}

void LayoutPass::moveTo(QWidget* w, QPoint at) const {
    if (w == nullptr) return;
    QWidget* parent = w->parentWidget();
    w->move(parent == nullptr || parent == &window ? at : parent->mapFrom(&window, at));
}

QColor LayoutPass::colour(const std::string& prefix) {
    return QColor(m_in.number(prefix + "_R", {}, Range::Colour),
                  m_in.number(prefix + "_G", {}, Range::Colour),
                  m_in.number(prefix + "_B", {}, Range::Colour));
}

QPoint LayoutPass::position(const std::string& prefix, const QWidget* current) {
    std::optional<QPoint> now;
    if (current != nullptr) now = windowPos(*current);
    const int x = m_in.number(prefix + "_X", now ? std::optional(now->x()) : std::nullopt);
    const int y = m_in.number(prefix + "_Y", now ? std::optional(now->y()) : std::nullopt);
    return {x, y};
}

int LayoutPass::width(const std::string& key, const QWidget* current) {
    return m_in.number(key, current ? std::optional(current->width()) : std::nullopt,
                       Range::NonNegative);
}

int LayoutPass::height(const std::string& key, const QWidget* current) {
    return m_in.number(key, current ? std::optional(current->height()) : std::nullopt,
                       Range::NonNegative);
}

int LayoutPass::fontSize(const std::string& key, const QWidget* current) {
    std::optional<int> now;
    if (current != nullptr && current->font().pointSize() > 0) now = current->font().pointSize();
    return m_in.number(key, now, Range::FontSize);
}

QColor LayoutPass::textColour(const std::string& prefix, const QWidget* current) {
    std::optional<QColor> now;
    if (current != nullptr) now = current->palette().color(QPalette::WindowText);
    auto part = [&](const char* suffix, int (QColor::*get)() const) {
        return m_in.number(prefix + suffix, now ? std::optional(((*now).*get)()) : std::nullopt,
                           Range::Colour);
    };
    const int r = part("_R", &QColor::red);
    const int g = part("_G", &QColor::green);
    const int b = part("_B", &QColor::blue);
    return QColor(r, g, b);
}

void LayoutPass::placeOnImage(QWidget* image, QWidget* label, QPoint at, int marginFront,
                              int marginBack) const {
    moveTo(image, at);
    if (label == nullptr) return;
    const QSize size = image != nullptr ? image->size() : label->size();
    moveTo(label, at + QPoint(marginFront, 0));
    label->resize(std::max(0, size.width() - marginFront - marginBack), size.height());
}

void LayoutPass::buttonSet(const std::string& key, const QString& role, int marginFront,
                           int marginBack) {
    const auto images = pageCopies("Img_" + role);
    const auto labels = pageCopies("Btn_" + role);
    const bool show = number(key + "_Enable") == 1;
    for (std::size_t i = 0; i < 4; ++i) {
        if (images[i]) images[i]->setVisible(show);
        if (labels[i]) labels[i]->setVisible(show);
    }
    // A hidden button's position keys stay unread.
    if (!show) return;
    const QWidget* current = firstOf({images[0], images[1], images[2], images[3]});
    const QPoint at = position(key, current);
    for (std::size_t i = 0; i < 4; ++i)
        placeOnImage(images[i], labels[i], at, marginFront, marginBack);
}

void setFontSize(QWidget* w, int pointSize) {
    if (w == nullptr) return;
    QFont f = w->font();
    f.setPointSize(pointSize);
    w->setFont(f);
}

void setTextColour(QWidget* w, const QColor& c) {
    if (w == nullptr) return;
    QPalette p = w->palette();
    // Disabled controls keep the style's grey.
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        p.setColor(QPalette::Active, role, c);
        p.setColor(QPalette::Inactive, role, c);
    }
    w->setPalette(p);
}

void setBackground(QWidget* w, const QColor& c) {
    if (w == nullptr) return;
    QPalette p = w->palette();
    p.setColor(QPalette::Window, c);
    p.setColor(QPalette::Base, c);
    w->setPalette(p);
    w->setAutoFillBackground(true);
}

void setFieldLook(QWidget* w, const QColor& text, const QColor& back,
                  std::optional<QColor> border) {
    if (w == nullptr) return;
    // Colours through the palette, so that editors can still grey a field; only the border
    // needs a style sheet.
    QPalette p = w->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        p.setColor(group, QPalette::Text, text);
        p.setColor(group, QPalette::WindowText, text);
        p.setColor(group, QPalette::ButtonText, text);
    }
    p.setColor(QPalette::Base, back);
    p.setColor(QPalette::Window, back);
    p.setColor(QPalette::Button, back);
    w->setPalette(p);
    w->setAutoFillBackground(true);
    if (border) w->setStyleSheet(QString("border: 1px solid %1;").arg(border->name()));
}

QWidget* firstOf(std::initializer_list<QWidget*> controls) {
    for (QWidget* w : controls)
        if (w != nullptr) return w;
    return nullptr;
}

QString numbered(const char* stem, int k, const char* tail) {
    return QString("%1%2%3").arg(stem).arg(k).arg(tail);
}

std::string numberedKey(const char* stem, int k, const char* tail) {
    return numbered(stem, k, tail).toStdString();
}

void placeWithTwins(LayoutPass& p, const std::string& prefix, QWidget* target,
                    std::initializer_list<QWidget*> twins) {
    const QPoint at = p.position(prefix, target);
    p.moveTo(target, at);
    for (QWidget* twin : twins) {
        if (twin == nullptr) continue;
        p.moveTo(twin, at);
        if (target) twin->resize(target->size());
    }
}

void placeNamed(LayoutPass& p, const std::string& prefix, const QString& name) {
    placeWithTwins(p, prefix, p.find(name));
}

void placeOption(LayoutPass& p, const std::string& prefix, const QString& image,
                 const QString& label) {
    placeWithTwins(p, prefix, p.find(image), {p.find(label)});
}

void setFontSizes(const std::vector<QWidget*>& targets, int size) {
    for (QWidget* w : targets) setFontSize(w, size);
}

QWidget* firstIn(const std::vector<QWidget*>& targets) {
    for (QWidget* w : targets)
        if (w) return w;
    return nullptr;
}

void applyFont(LayoutPass& p, const std::string& sizeKey, const std::string& colourPrefix,
               const std::vector<QWidget*>& targets) {
    const QWidget* current = firstIn(targets);
    const int size = p.fontSize(sizeKey, current);
    const QColor colour = p.textColour(colourPrefix, current);
    for (QWidget* w : targets) {
        setFontSize(w, size);
        setTextColour(w, colour);
    }
}

DialogLayout readDialog(LayoutReader& in, DialogGroup group) {
    const bool assembly = group == DialogGroup::AssemblyKey;
    auto colour = [&](const std::string& prefix) {
        return QColor(in.number(prefix + "_R", {}, Range::Colour),
                      in.number(prefix + "_G", {}, Range::Colour),
                      in.number(prefix + "_B", {}, Range::Colour));
    };
    auto point = [&](const std::string& prefix) {
        return QPoint(in.number(prefix + "_X"), in.number(prefix + "_Y"));
    };
    DialogLayout d;
    // The assembly-key dialog takes its text size from the fire page; Size_K is not read.
    d.textSize = in.number(assembly ? "Size_J" : "Size_L", {}, Range::FontSize);
    d.text = colour(assembly ? "Color_K" : "Color_L");
    d.accent = colour(assembly ? "Color_K_AK" : "Color_L_MN");
    d.title = point(assembly ? "AKT" : "MNT");
    d.edit = point(assembly ? "AKC" : "MNC");
    d.editWidth = in.number(assembly ? "AKC_W" : "MNC_W", {}, Range::NonNegative);
    if (assembly) {
        const char* boxes[] = {"MK_C", "MK_S", "MK_A", "MK_W"};
        for (std::size_t i = 0; i < 4; ++i) d.modifiers[i] = point(boxes[i]);
    }
    d.confirm = point(assembly ? "AK_Cfm" : "MN_Cfm");
    d.clear = point(assembly ? "AK_Clear" : "MN_Clear");
    d.close = point(assembly ? "AK_Close" : "MN_Close");
    return d;
}

namespace {

// The page backgrounds of layout n; a picture the skin lacks leaves the current one.
void loadBackgrounds(LayoutPass& p, int layoutNo) {
    auto load = [&](const QString& control, const QString& picture) {
        if (auto* image = qobject_cast<SkinImage*>(p.find(control)); image && skinHas(picture))
            image->setSkin(picture);
    };
    for (int k = 1; k <= 5; ++k) {
        load(QString("Img_Base_%1").arg(k), QString("L%1_BackGround").arg(layoutNo));
        load(QString("Img_P%1").arg(k), QString("L%1_Back%2").arg(layoutNo).arg(k));
    }
}

// The web buttons follow the option file, not the layout.
void placeWebButtons(LayoutPass& p) {
    const auto images = p.pageCopies("Img_Web");
    const auto labels = p.pageCopies("Btn_Web");
    const QPoint at(p.ctx.options.webX, p.ctx.options.webY);
    for (std::size_t i = 0; i < 4; ++i) p.placeOnImage(images[i], labels[i], at);
}

void applyGroup(LayoutPass& p, LayoutGroup group, const std::vector<Page*>& pages) {
    for (Page* page : pages)
        if (page->ownsLayoutGroup(group)) return page->applyLayoutGroup(group, p);
    switch (group) {
        case LayoutGroup::A:
            return applyWindowButtons(p);
        case LayoutGroup::B:
            return applyPageButtons(p);
        case LayoutGroup::G:
            return applyMenus(p);
        case LayoutGroup::C:
        case LayoutGroup::D:
        case LayoutGroup::E:
        case LayoutGroup::F:
        case LayoutGroup::J:  // the pages' own
            return;
        case LayoutGroup::K:
            readDialog(p.in(), DialogGroup::AssemblyKey);
            return;
        case LayoutGroup::L:
            readDialog(p.in(), DialogGroup::Input);
            return;
        case LayoutGroup::M:  // present, not read
            return;
        case LayoutGroup::Captions:
            return applyCaptions(p);
    }
}

}  // namespace

}  // namespace layout_detail

using namespace layout_detail;

LayoutReport applyLayout(const IniFile& file, int layoutNo, QWidget& window,
                         const LayoutContext& ctx, const std::vector<Page*>& pages) {
    LayoutReport report;
    LayoutReader in(file, layoutSection(layoutNo), report);
    LayoutPass pass(window, ctx, in, report);
    loadBackgrounds(pass, layoutNo);
    placeWebButtons(pass);

    // Groups in the order the file first names them, so that where two groups place the same
    // control the later one wins, as in the file; then whatever group the file lacks.
    std::set<LayoutGroup> done;
    for (const std::string& key : file.keys(layoutSection(layoutNo))) {
        const std::optional<LayoutGroup> group = layoutGroupOf(key);
        if (group && done.insert(*group).second) applyGroup(pass, *group, pages);
    }
    for (LayoutGroup group : kLayoutGroupOrder)
        if (done.insert(group).second) applyGroup(pass, group, pages);
    colourDpiNames(pass);
    return report;
}

DialogLayout readDialogGroup(const IniFile& file, int layoutNo, DialogGroup group,
                             LayoutReport* report) {
    LayoutReport scratch;
    LayoutReader in(file, layoutSection(layoutNo), report != nullptr ? *report : scratch);
    return readDialog(in, group);
}

}  // namespace vornik
