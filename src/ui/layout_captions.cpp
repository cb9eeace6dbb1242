// The caption label families of pages 2 to 5, and the DPI names' colours after the pass.

#include <QWidget>
#include <vector>

#include "ui/layout_groups.h"

namespace vornik::layout_detail {

void applyCaptions(LayoutPass& p) {
    // One family's keys in file order: position, colour and size, width. LED_Mode_<k> has no
    // look of its own and the DPI names no position.
    enum Parts { kPosition = 1, kLook = 2, kWidth = 4 };
    auto family = [&](const std::string& prefix, const std::vector<QWidget*>& labels, int parts) {
        QWidget* current = firstIn(labels);
        if (parts & kPosition) {
            const QPoint at = p.position(prefix, current);
            for (QWidget* w : labels) p.moveTo(w, at);
        }
        if (parts & kLook) {
            const QColor colour = p.textColour(prefix, current);
            const int size = p.fontSize(prefix + "_Size", current);
            for (QWidget* w : labels) {
                setTextColour(w, colour);
                setFontSize(w, size);
            }
        }
        if (parts & kWidth) {
            const int width = p.width(prefix + "_Width", current);
            for (QWidget* w : labels)
                if (w) w->resize(width, w->height());
        }
    };

    for (const CaptionFamily& f : kCaptionFamilies) {
        std::vector<QWidget*> labels;
        for (const char* name : f.labels)
            if (name != nullptr) labels.push_back(p.find(name));
        family(std::string(f.family) + "_Lable", labels, kPosition | kLook | kWidth);
        if (std::string_view(f.family) != "LED_Mode") continue;
        // The mode captions of both light rows: own places, one shared look.
        std::vector<QWidget*> modes;
        for (int k = 1; k <= 7; ++k) {
            const std::vector<QWidget*> pair{p.find(numbered("lbl_MCULEDMode", k)),
                                             p.find(numbered("lbl_RBLEDMode", k))};
            family(numberedKey("LED_Mode_", k, "_Lable"), pair, kPosition | kWidth);
            modes.insert(modes.end(), pair.begin(), pair.end());
        }
        family("LED_Mode_Option_Lable", modes, kLook);
    }

    // The seven DPI names share a look and a width; their places are group D's.
    std::vector<QWidget*> names;
    for (int k = 1; k <= 7; ++k) names.push_back(p.find(numbered("lbl_DPI", k)));
    family("DPI_Lable", names, kLook | kWidth);
}

void colourDpiNames(LayoutPass& p) {
    // The DPI editor tells a level in use by its name's colour; keep what each level shows,
    // in this layout's colours. A level without a slider keeps the DPI_Lable colour.
    const LayoutKept& kept = p.report.kept;
    for (int k = 1; k <= 7; ++k) {
        const QWidget* slider = p.find(numbered("slider_DPI", k));
        if (slider == nullptr) continue;
        setTextColour(p.find(numbered("lbl_DPI", k)),
                      slider->isEnabled() ? kept.dpiSelected : kept.dpiNotSelected);
    }
}

}  // namespace vornik::layout_detail
