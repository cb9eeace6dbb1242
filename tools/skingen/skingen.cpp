// skingen: draws the window skin into PNG files plus a resource file listing them.
//
//   skingen OUTDIR Name=WIDTHxHEIGHT...
//
// Every image is vector shapes and gradients only (no text, no fonts, no randomness), so two runs
// produce identical bytes. The style of an image follows from its name; its size from the argument.

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QRegularExpression>
#include <QtCore/QSet>
#include <QtCore/QStringList>
#include <QtGui/QColor>
#include <QtGui/QImage>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QRadialGradient>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <optional>
#include <utility>

namespace vornik::skingen {
namespace {

// The window's transparent colour key: pixels of exactly this colour are see-through.
constexpr QRgb kColourKey = qRgb(128, 0, 0);
// Behind the antialiased edge of colour-keyed images, so the fringe darkens instead of turning
// pink.
const QColor kBehindEdge(8, 9, 11);

const QColor kBodyTop(20, 22, 26);
const QColor kBodyBottom(12, 13, 16);
const QColor kHeaderTop(31, 34, 40);
const QColor kHeaderBottom(22, 24, 29);
const QColor kPanelTop(26, 28, 33);
const QColor kPanelBottom(19, 21, 25);
const QColor kLine(58, 62, 72);
const QColor kFaceTop(46, 49, 57);
const QColor kFaceBottom(34, 36, 42);
const QColor kFaceBorder(72, 77, 88);
const QColor kHoverTop(62, 66, 77);
const QColor kHoverBottom(46, 49, 58);
const QColor kWell(30, 32, 38);
const QColor kWellBorder(96, 102, 114);
const QColor kGlyph(168, 174, 186);
const QColor kGlyphHot(240, 244, 248);

struct Palette {
    QColor accent;  // outlines, glows, lit elements
    QColor deep;    // fill of pressed and selected faces
    QColor dark;    // the darker end of that fill
};

// Layout 2 takes a teal variant of the cyan accent; everything shared uses layout 1's.
Palette paletteFor(int layout) {
    if (layout == 2) return {QColor(0, 226, 178), QColor(0, 104, 86), QColor(0, 66, 56)};
    return {QColor(0, 196, 255), QColor(0, 92, 124), QColor(0, 60, 84)};
}

enum class State { Normal, Hover, Pressed };

QColor withAlpha(QColor c, int alpha) {
    c.setAlpha(alpha);
    return c;
}

QImage newImage(QSize size, QImage::Format format = QImage::Format_ARGB32_Premultiplied) {
    QImage image(size, format);
    image.fill(Qt::transparent);
    // Fixed resolution: left alone, QImage takes it from the screen, and it ends up in the PNG.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

QPainterPath rounded(const QRectF& rect, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QLinearGradient vertical(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    return g;
}

QPen pen(const QColor& colour, qreal width) {
    QPen p(colour, width);
    p.setCapStyle(Qt::RoundCap);
    p.setJoinStyle(Qt::RoundJoin);
    return p;
}

void stroke(QPainter& p, const QPainterPath& path, const QPen& pen) {
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

// A 1-pixel line along the inside of a rounded rectangle filling `rect`.
void border(QPainter& p, const QRectF& rect, qreal radius, const QColor& colour, qreal width = 1) {
    const qreal inset = width / 2;
    stroke(p, rounded(rect.adjusted(inset, inset, -inset, -inset), radius - inset),
           QPen(colour, width));
}

// Sets every pixel that `shape` covers by less than half to the colour key. The image keeps no
// blend towards maroon, so keying leaves a clean edge.
void applyColourKey(QImage& image, const QPainterPath& shape) {
    QImage mask = newImage(image.size());
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(shape, Qt::white);
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const auto* cover = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(cover[x]) < 128) row[x] = kColourKey;
        }
    }
}

// Four L-shaped accents inside the corners of a panel.
void cornerBrackets(QPainter& p, const QSizeF& size, qreal radius, const QColor& colour) {
    const qreal inset = 4;
    const qreal length = std::min<qreal>(18, std::min(size.width(), size.height()) / 5);
    const qreal bend = std::max<qreal>(1, radius - inset);
    QPainterPath bracket;
    bracket.moveTo(inset, inset + length);
    bracket.lineTo(inset, inset + bend);
    bracket.quadTo(inset, inset, inset + bend, inset);
    bracket.lineTo(inset + length, inset);
    for (int corner = 0; corner < 4; ++corner) {
        p.save();
        if (corner & 1) {
            p.translate(size.width(), 0);
            p.scale(-1, 1);
        }
        if (corner & 2) {
            p.translate(0, size.height());
            p.scale(1, -1);
        }
        stroke(p, bracket, QPen(colour, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        p.restore();
    }
}

// The opaque, colour-keyed window: rounded body, header band with an accent separator, accent
// outline. Used for the main window backgrounds and the dialog background.
QImage windowImage(QSize size, const Palette& pal, int headerHeight) {
    QImage image = newImage(size, QImage::Format_RGB32);
    image.fill(kBehindEdge);
    const QRectF r(0, 0, size.width(), size.height());
    const qreal radius = 18;
    const QPainterPath body = rounded(r, radius);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillPath(body, vertical(r, kBodyTop, kBodyBottom));

        p.save();
        p.setClipPath(body);
        const QRectF header(0, 0, r.width(), headerHeight);
        p.fillRect(header, vertical(header, kHeaderTop, kHeaderBottom));
        // Faint diagonal hatching gives the header some texture without competing with buttons.
        p.setPen(QPen(QColor(255, 255, 255, 7), 1));
        for (int x = -headerHeight; x < size.width(); x += 14)
            p.drawLine(QPointF(x, headerHeight), QPointF(x + headerHeight, 0));
        // Accent glow spilling down from the header, strongest in the middle.
        const QRectF spill(0, headerHeight, r.width(), 48);
        QLinearGradient down = vertical(spill, withAlpha(pal.accent, 20), withAlpha(pal.accent, 0));
        p.fillRect(spill, down);
        p.fillRect(QRectF(0, headerHeight - 1, r.width(), 1), kLine);
        QLinearGradient across(0, 0, r.width(), 0);
        across.setColorAt(0, withAlpha(pal.accent, 0));
        across.setColorAt(0.5, withAlpha(pal.accent, 170));
        across.setColorAt(1, withAlpha(pal.accent, 0));
        p.fillRect(QRectF(0, headerHeight - 1, r.width(), 1), across);
        p.setPen(Qt::NoPen);
        p.setBrush(pal.accent);
        p.drawRoundedRect(QRectF(r.width() / 2 - 60, headerHeight - 2, 120, 3), 1.5, 1.5);
        // A wide, dim glow in the lower right keeps the large dark area from looking flat.
        QRadialGradient glow(QPointF(r.width() * 0.85, r.height() * 1.05), r.width() * 0.45);
        glow.setColorAt(0, withAlpha(pal.accent, 16));
        glow.setColorAt(1, withAlpha(pal.accent, 0));
        p.fillRect(r, glow);
        p.restore();

        QLinearGradient outline =
            vertical(r, withAlpha(pal.accent, 235), withAlpha(pal.accent, 90));
        stroke(p, rounded(r.adjusted(0.75, 0.75, -0.75, -0.75), radius - 0.75),
               QPen(QBrush(outline), 1.5));
        stroke(p, rounded(r.adjusted(2.5, 2.5, -2.5, -2.5), radius - 2.5),
               QPen(QColor(0, 0, 0, 120), 1));
    }
    applyColourKey(image, body);
    return image;
}

// A bordered dark panel with transparent rounded corners, optionally with a header strip.
QImage panelImage(QSize size, const Palette& pal, qreal radius, int headerHeight = 0) {
    QImage image = newImage(size);
    const QRectF r(0, 0, size.width(), size.height());
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = rounded(r, radius);
    p.fillPath(shape, vertical(r, kPanelTop, kPanelBottom));
    if (headerHeight > 0) {
        p.save();
        p.setClipPath(shape);
        const QRectF header(0, 0, r.width(), headerHeight);
        p.fillRect(header, vertical(header, kHeaderTop, kHeaderBottom));
        QLinearGradient across(0, 0, r.width(), 0);
        across.setColorAt(0, withAlpha(pal.accent, 200));
        across.setColorAt(1, withAlpha(pal.accent, 30));
        p.fillRect(QRectF(0, headerHeight - 1, r.width(), 1), across);
        p.restore();
    }
    border(p, r, radius, kLine);
    p.setPen(QPen(QColor(255, 255, 255, 14), 1));
    p.drawLine(QPointF(radius, 1.5), QPointF(r.width() - radius, 1.5));
    cornerBrackets(p, r.size(), radius, withAlpha(pal.accent, 200));
    return image;
}

QImage placeholderImage(QSize size) {
    QImage image = newImage(size, QImage::Format_RGB32);
    image.fill(kPanelBottom);
    return image;
}

// The face shared by every push button; states differ in fill, border and glow.
void buttonFace(QPainter& p, const QRectF& r, qreal radius, State state, const Palette& pal) {
    const QPainterPath shape = rounded(r, radius);
    switch (state) {
        case State::Normal:
            p.fillPath(shape, vertical(r, kFaceTop, kFaceBottom));
            border(p, r, radius, kFaceBorder);
            p.setPen(QPen(QColor(255, 255, 255, 22), 1));
            p.drawLine(QPointF(radius, 1.5), QPointF(r.width() - radius, 1.5));
            break;
        case State::Hover: {
            p.fillPath(shape, vertical(r, kHoverTop, kHoverBottom));
            p.save();
            p.setClipPath(shape);
            p.fillRect(r, vertical(r, withAlpha(pal.accent, 0), withAlpha(pal.accent, 55)));
            p.restore();
            border(p, r, radius, pal.accent);
            break;
        }
        case State::Pressed: {
            // Darker at the top and shadowed: reads as pushed in.
            p.fillPath(shape, vertical(r, pal.dark, pal.deep));
            p.save();
            p.setClipPath(shape);
            const QRectF shadow(r.x(), r.y(), r.width(), std::max<qreal>(4, r.height() * 0.4));
            p.fillRect(shadow, vertical(shadow, QColor(0, 0, 0, 110), QColor(0, 0, 0, 0)));
            p.restore();
            border(p, r, radius, pal.accent);
            break;
        }
    }
}

QImage plainButton(QSize size, qreal radius, State state, const Palette& pal) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    buttonFace(p, QRectF(QPointF(0, 0), size), radius, state, pal);
    return image;
}

// Page and language buttons: the selected one carries a lit tab bar along its bottom.
QImage pageButton(QSize size, State state, const Palette& pal) {
    QImage image = plainButton(size, 5, state, pal);
    if (state == State::Pressed) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(Qt::NoPen);
        p.setBrush(pal.accent);
        p.drawRoundedRect(QRectF(12, size.height() - 4.5, size.width() - 24, 2.5), 1.25, 1.25);
    }
    return image;
}

QColor glyphColour(State state) { return state == State::Normal ? kGlyph : kGlyphHot; }

QImage captionButton(QSize size, State state, const Palette& pal, bool cross) {
    QImage image = plainButton(size, 4, state, pal);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(pen(glyphColour(state), 1.6));
    const qreal w = size.width();
    const qreal h = size.height();
    if (cross) {
        p.drawLine(QPointF(w * 0.32, h * 0.32), QPointF(w * 0.68, h * 0.68));
        p.drawLine(QPointF(w * 0.68, h * 0.32), QPointF(w * 0.32, h * 0.68));
    } else {
        p.drawLine(QPointF(w * 0.3, h * 0.64), QPointF(w * 0.7, h * 0.64));
    }
    return image;
}

// Key labels: a flat row with a marker tab on the left.
QImage keyRow(QSize size, State state, const Palette& pal) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), size);
    const qreal radius = 4;
    QColor tab;
    switch (state) {
        case State::Normal:
            p.fillPath(rounded(r, radius), kWell);
            border(p, r, radius, QColor(54, 58, 67));
            tab = kFaceBorder;
            break;
        case State::Hover:
            p.fillPath(rounded(r, radius), vertical(r, kHoverTop, kHoverBottom));
            border(p, r, radius, withAlpha(pal.accent, 210));
            tab = pal.accent;
            break;
        case State::Pressed:
            p.fillPath(rounded(r, radius), vertical(r, pal.dark, pal.deep));
            border(p, r, radius, pal.accent);
            tab = kGlyphHot;
            break;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(tab);
    p.drawRoundedRect(QRectF(4, 5, 3, size.height() - 10), 1.5, 1.5);
    return image;
}

// The web banner: a globe on the left, slanted stripes and a double chevron on the right.
QImage webButton(QSize size, State state, const Palette& pal) {
    QImage image = plainButton(size, 10, state, pal);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal w = size.width();
    const qreal h = size.height();
    const QColor ink = state == State::Hover ? pal.accent : glyphColour(state);

    const QPointF c(h / 2 + 4, h / 2);
    const qreal g = h * 0.27;
    p.setPen(pen(ink, 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, g, g);
    p.drawEllipse(c, g * 0.45, g);
    p.drawLine(QPointF(c.x() - g, c.y()), QPointF(c.x() + g, c.y()));
    p.drawLine(QPointF(c.x() - g * 0.85, c.y() - g * 0.5),
               QPointF(c.x() + g * 0.85, c.y() - g * 0.5));
    p.drawLine(QPointF(c.x() - g * 0.85, c.y() + g * 0.5),
               QPointF(c.x() + g * 0.85, c.y() + g * 0.5));

    const int stripeAlpha = state == State::Normal ? 45 : state == State::Hover ? 120 : 170;
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(pal.accent, stripeAlpha));
    for (int i = 0; i < 3; ++i) {
        const qreal x = w - 92 + i * 12;
        QPainterPath stripe;
        stripe.moveTo(x + 8, h * 0.28);
        stripe.lineTo(x + 14, h * 0.28);
        stripe.lineTo(x + 6, h * 0.72);
        stripe.lineTo(x, h * 0.72);
        stripe.closeSubpath();
        p.drawPath(stripe);
    }
    p.setPen(pen(ink, 2.2));
    for (qreal x : {w - 40.0, w - 30.0}) {
        p.drawLine(QPointF(x, h * 0.36), QPointF(x + 7, h / 2));
        p.drawLine(QPointF(x + 7, h / 2), QPointF(x, h * 0.64));
    }
    return image;
}

// Fire presets: a card whose row of `count` bullets along the bottom tells the presets apart.
QImage gunCard(QSize size, int count, bool selected, const Palette& pal) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), size);
    const qreal radius = 6;
    if (selected) {
        p.fillPath(rounded(r, radius), vertical(r, pal.deep, pal.dark));
        p.save();
        p.setClipPath(rounded(r, radius));
        p.fillRect(r, vertical(r, withAlpha(pal.accent, 0), withAlpha(pal.accent, 70)));
        p.restore();
        border(p, r, radius, pal.accent, 1.5);
        // Lit notch in the top-left corner marks the chosen preset even at a glance.
        QPainterPath notch;
        notch.moveTo(2, 14);
        notch.lineTo(2, 6);
        notch.quadTo(2, 2, 6, 2);
        notch.lineTo(14, 2);
        stroke(p, notch, pen(kGlyphHot, 2));
    } else {
        p.fillPath(rounded(r, radius), vertical(r, QColor(32, 34, 40), QColor(25, 27, 32)));
        border(p, r, radius, kLine);
    }
    // Cartridges standing in a row under the caption, centred so every count shifts them all.
    const qreal width = 6;
    const qreal height = 14;
    const qreal pitch = 9;
    const qreal bottom = r.height() - 6;
    qreal x = (r.width() - (count * pitch - (pitch - width))) / 2;
    p.setPen(Qt::NoPen);
    p.setBrush(selected ? QColor(210, 246, 255) : QColor(118, 124, 136));
    for (int i = 0; i < count; ++i, x += pitch) {
        QPainterPath round;
        round.moveTo(x, bottom);
        round.lineTo(x, bottom - height + 5);
        round.quadTo(x, bottom - height, x + width / 2, bottom - height);
        round.quadTo(x + width, bottom - height, x + width, bottom - height + 5);
        round.lineTo(x + width, bottom);
        round.closeSubpath();
        p.drawPath(round);
    }
    return image;
}

// Row markers: a reticle with `dots` lit dots on its ring.
QImage gunModeMarker(QSize size, int dots, const Palette& pal) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), size);
    const qreal s = std::min(r.width(), r.height());
    const qreal radius = s * 0.18;
    p.fillPath(rounded(r, radius), vertical(r, QColor(34, 37, 43), QColor(24, 26, 31)));
    border(p, r, radius, withAlpha(pal.accent, 150));
    const QPointF c = r.center();
    const qreal ring = s * 0.28;
    p.setPen(pen(withAlpha(pal.accent, 220), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, ring, ring);
    p.setPen(pen(kGlyph, 1.2));
    const qreal inner = s * 0.1;
    p.drawLine(QPointF(c.x() - ring - 4, c.y()), QPointF(c.x() - inner, c.y()));
    p.drawLine(QPointF(c.x() + inner, c.y()), QPointF(c.x() + ring + 4, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - ring - 4), QPointF(c.x(), c.y() - inner));
    p.drawLine(QPointF(c.x(), c.y() + inner), QPointF(c.x(), c.y() + ring + 4));
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyphHot);
    const qreal dot = s * 0.055;
    for (int i = 0; i < dots; ++i) {
        // Start at the upper right, between the cross hairs, going clockwise.
        const qreal angle = (-45.0 + 360.0 * i / dots) * std::numbers::pi / 180.0;
        p.drawEllipse(QPointF(c.x() + ring * std::cos(angle), c.y() + ring * std::sin(angle)), dot,
                      dot);
    }
    return image;
}

QImage checkBox(QSize size, bool on, const Palette& pal) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), size);
    const qreal radius = 3;
    if (on) {
        p.fillPath(rounded(r, radius), vertical(r, pal.accent, pal.accent.darker(125)));
        const qreal w = r.width();
        const qreal h = r.height();
        QPainterPath tick;
        tick.moveTo(w * 0.25, h * 0.53);
        tick.lineTo(w * 0.44, h * 0.72);
        tick.lineTo(w * 0.77, h * 0.3);
        stroke(p, tick, pen(QColor(8, 22, 30), 2));
    } else {
        p.fillPath(rounded(r, radius), kWell);
        border(p, r, radius, kWellBorder);
    }
    return image;
}

QImage radioButton(QSize size, bool on, const Palette& pal) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    const qreal outer = std::min(size.width(), size.height()) / 2.0 - 0.6;
    p.setBrush(kWell);
    p.setPen(QPen(on ? pal.accent : kWellBorder, 1.2));
    p.drawEllipse(c, outer, outer);
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(pal.accent);
        p.drawEllipse(c, outer * 0.5, outer * 0.5);
    }
    return image;
}

// Light-bar segments: `slanted` draws the parallelogram variant.
QImage barSegment(QSize size, bool lit, bool slanted, const Palette& pal) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(0, 0), size).adjusted(1, 2, -1, -2);
    QPainterPath shape;
    if (slanted) {
        const qreal lean = r.height() * 0.35;
        shape.moveTo(r.left() + lean, r.top());
        shape.lineTo(r.right(), r.top());
        shape.lineTo(r.right() - lean, r.bottom());
        shape.lineTo(r.left(), r.bottom());
        shape.closeSubpath();
    } else {
        shape = rounded(r, 3);
    }
    if (lit) {
        p.fillPath(shape, vertical(r, pal.accent.lighter(130), pal.deep));
        stroke(p, shape, QPen(pal.accent, 1));
        p.setPen(QPen(QColor(255, 255, 255, 70), 1));
        p.drawLine(QPointF(r.left() + 4, r.top() + 1.5), QPointF(r.right() - 4, r.top() + 1.5));
    } else {
        p.fillPath(shape, QColor(34, 36, 42));
        stroke(p, shape, QPen(kLine, 1));
    }
    return image;
}

// The frame around a colour swatch: the centre stays fully transparent so the swatch shows.
QImage colourFrame(QSize size) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF outer(QPointF(0, 0), size);
    const QRectF inner = outer.adjusted(3, 3, -3, -3);
    QPainterPath ring = rounded(outer, 3);
    ring.addRoundedRect(inner, 1.5, 1.5);
    ring.setFillRule(Qt::OddEvenFill);
    p.fillPath(ring, QColor(196, 202, 212));
    // Dark hairlines on both sides keep the frame visible on light swatches and light panels.
    border(p, outer, 3, QColor(10, 11, 13, 220));
    stroke(p, rounded(inner.adjusted(-0.5, -0.5, 0.5, 0.5), 2), QPen(QColor(10, 11, 13, 200), 1));
    return image;
}

QImage sliderThumb(QSize size, const Palette& pal) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size.width() / 2.0, size.height() / 2.0);
    const qreal outer = std::min(size.width(), size.height()) / 2.0 - 1;
    QRadialGradient glow(c, outer + 1);
    glow.setColorAt(0.7, withAlpha(pal.accent, 90));
    glow.setColorAt(1, withAlpha(pal.accent, 0));
    p.fillRect(QRectF(QPointF(0, 0), size), glow);
    p.setPen(Qt::NoPen);
    p.setBrush(pal.accent);
    p.drawEllipse(c, outer * 0.85, outer * 0.85);
    p.setBrush(QColor(16, 18, 22));
    p.drawEllipse(c, outer * 0.42, outer * 0.42);
    return image;
}

// One tile of the slider track: the groove and a small tick above it.
QImage sliderRuler(QSize size) {
    QImage image = newImage(size);
    QPainter p(&image);
    const qreal w = size.width();
    const qreal h = size.height();
    p.fillRect(QRectF(0, h / 2 - 1, w, 2), QColor(64, 68, 78));
    p.fillRect(QRectF(0, h / 2 + 1, w, 1), QColor(0, 0, 0, 120));
    p.fillRect(QRectF(std::floor(w / 2) - 0.5, 0, 1, h / 2 - 1.5), QColor(110, 116, 128));
    return image;
}

enum class InsertKind { Delay, Key, XY };

// Insert panels: header strip with a small glyph in its right end naming the panel's kind.
QImage insertPanel(QSize size, InsertKind kind, const Palette& pal) {
    const int header = 24;
    QImage image = panelImage(size, pal, 8, header);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size.width() - 16, header / 2.0);
    p.setPen(pen(pal.accent, 1.4));
    p.setBrush(Qt::NoBrush);
    switch (kind) {
        case InsertKind::Delay:
            p.drawEllipse(c, 6.5, 6.5);
            p.drawLine(c, c + QPointF(0, -4));
            p.drawLine(c, c + QPointF(3, 1.5));
            break;
        case InsertKind::Key:
            p.drawRoundedRect(QRectF(c.x() - 7, c.y() - 6, 14, 12), 2.5, 2.5);
            p.drawLine(c + QPointF(-3, 2.5), c + QPointF(3, 2.5));
            break;
        case InsertKind::XY:
            p.drawLine(c + QPointF(-7, 0), c + QPointF(7, 0));
            p.drawLine(c + QPointF(0, -7), c + QPointF(0, 7));
            p.drawLine(c + QPointF(7, 0), c + QPointF(4.5, -2.5));
            p.drawLine(c + QPointF(7, 0), c + QPointF(4.5, 2.5));
            p.drawLine(c + QPointF(0, -7), c + QPointF(-2.5, -4.5));
            p.drawLine(c + QPointF(0, -7), c + QPointF(2.5, -4.5));
            break;
    }
    return image;
}

// The application icon: a mouse outline with its wheel on a rounded graphite tile.
QImage appIcon(QSize size, const Palette& pal) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(QPointF(0, 0), size);
    const qreal s = std::min(r.width(), r.height());
    const qreal radius = s * 0.22;
    p.fillPath(rounded(r, radius), vertical(r, QColor(40, 43, 50), QColor(14, 15, 18)));
    QRadialGradient glow(r.center(), s * 0.5);
    glow.setColorAt(0, withAlpha(pal.accent, 60));
    glow.setColorAt(1, withAlpha(pal.accent, 0));
    p.save();
    p.setClipPath(rounded(r, radius));
    p.fillRect(r, glow);
    p.restore();
    border(p, r, radius, withAlpha(pal.accent, 200), 1.5);

    const QRectF mouse(s * 0.34, s * 0.18, s * 0.32, s * 0.64);
    const qreal split = mouse.top() + mouse.height() * 0.38;
    p.setPen(pen(pal.accent, s * 0.035));
    p.setBrush(QColor(10, 12, 15, 200));
    p.drawRoundedRect(mouse, mouse.width() / 2, mouse.width() / 2);
    p.drawLine(QPointF(mouse.left(), split), QPointF(mouse.right(), split));
    p.drawLine(QPointF(mouse.center().x(), mouse.top()), QPointF(mouse.center().x(), split));
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyphHot);
    p.drawRoundedRect(
        QRectF(mouse.center().x() - s * 0.025, mouse.top() + s * 0.07, s * 0.05, s * 0.1),
        s * 0.025, s * 0.025);
    return image;
}

// The event list's row icons: a small tile with a glyph for each line kind (0 delay, 1 press,
// 2 release, 3/4 X move, 5/6 Y move, 7 repeat start, 8 repeat stop).
QImage macroRowIcon(QSize size, int kind, const Palette& pal) {
    QImage image = newImage(size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r = QRectF(QPointF(0, 0), size).adjusted(0.5, 0.5, -0.5, -0.5);
    p.fillPath(rounded(r, 3), QColor(32, 35, 42));
    border(p, r, 3, withAlpha(pal.accent, 150));
    const qreal w = r.width();
    const QPointF c = r.center();
    const qreal a = w * 0.28;  // half the glyph's extent
    p.setPen(pen(kind == 1 || kind == 7 ? pal.accent : kGlyphHot, 1.4));
    p.setBrush(Qt::NoBrush);
    auto arrow = [&](QPointF from, QPointF to) {
        p.drawLine(from, to);
        const QPointF d = (to - from) / std::hypot(to.x() - from.x(), to.y() - from.y());
        const QPointF n(-d.y(), d.x());
        p.drawLine(to, to - d * a * 0.7 + n * a * 0.6);
        p.drawLine(to, to - d * a * 0.7 - n * a * 0.6);
    };
    switch (kind) {
        case 0:
            p.drawEllipse(c, a * 1.1, a * 1.1);
            p.drawLine(c, c + QPointF(0, -a * 0.8));
            p.drawLine(c, c + QPointF(a * 0.6, 0));
            break;
        case 1:
            arrow(c + QPointF(0, -a), c + QPointF(0, a));
            break;
        case 2:
            arrow(c + QPointF(0, a), c + QPointF(0, -a));
            break;
        case 3:
            arrow(c + QPointF(-a, 0), c + QPointF(a, 0));
            break;
        case 4:
            arrow(c + QPointF(a, 0), c + QPointF(-a, 0));
            break;
        case 5:
            arrow(c + QPointF(0, -a), c + QPointF(0, a));
            p.drawLine(c + QPointF(-a, -a), c + QPointF(a, -a));
            break;
        case 6:
            arrow(c + QPointF(0, a), c + QPointF(0, -a));
            p.drawLine(c + QPointF(-a, a), c + QPointF(a, a));
            break;
        case 7:
            p.drawArc(QRectF(c.x() - a, c.y() - a, 2 * a, 2 * a), 90 * 16, 270 * 16);
            p.drawLine(c + QPointF(0, -a), c + QPointF(a * 0.6, -a * 1.4));
            p.drawLine(c + QPointF(0, -a), c + QPointF(a * 0.6, -a * 0.6));
            break;
        default:
            p.drawRect(QRectF(c.x() - a * 0.8, c.y() - a * 0.8, a * 1.6, a * 1.6));
            break;
    }
    return image;
}

State buttonState(int suffix, bool webOrder) {
    // The web button's hover picture is _03 and its pressed picture _02.
    if (suffix == 2) return webOrder ? State::Pressed : State::Hover;
    if (suffix == 3) return webOrder ? State::Hover : State::Pressed;
    return State::Normal;
}

using Drawer = std::function<QImage(QSize)>;

// Maps an image name to the way it is drawn; nullopt for names no style is known for.
std::optional<Drawer> drawerFor(const QString& name) {
    const auto match = [&name](const char* pattern) {
        return QRegularExpression(QString::fromLatin1(pattern)).match(name);
    };
    const Palette shared = paletteFor(1);
    QRegularExpressionMatch m;

    if ((m = match("^L([1-3])_BackGround$")).hasMatch()) {
        const int layout = m.captured(1).toInt();
        if (layout == 3) return placeholderImage;
        return [layout](QSize s) { return windowImage(s, paletteFor(layout), 70); };
    }
    if ((m = match("^L([1-3])_Back([1-6])$")).hasMatch()) {
        const int layout = m.captured(1).toInt();
        if (layout == 3) return placeholderImage;
        return [layout](QSize s) { return panelImage(s, paletteFor(layout), 10); };
    }
    if (name == QLatin1String("MSG"))
        return [shared](QSize s) { return windowImage(s, shared, 44); };
    if ((m = match("^(Btn|Set|Exit|Mini|Key|Web|Macro|MacroBtn)S_0([1-3])$")).hasMatch()) {
        const QString family = m.captured(1);
        const State state = buttonState(m.captured(2).toInt(), family == QLatin1String("Web"));
        if (family == QLatin1String("Set"))
            return [=](QSize s) { return pageButton(s, state, shared); };
        if (family == QLatin1String("Exit") || family == QLatin1String("Mini")) {
            const bool cross = family == QLatin1String("Exit");
            return [=](QSize s) { return captionButton(s, state, shared, cross); };
        }
        if (family == QLatin1String("Key"))
            return [=](QSize s) { return keyRow(s, state, shared); };
        if (family == QLatin1String("Web"))
            return [=](QSize s) { return webButton(s, state, shared); };
        const qreal radius = family == QLatin1String("Btn") ? 5 : 4;
        return [=](QSize s) { return plainButton(s, radius, state, shared); };
    }
    if ((m = match("^Gun([1-7])_0([12])$")).hasMatch()) {
        const int count = m.captured(1).toInt();
        const bool selected = m.captured(2) == QLatin1String("2");
        return [=](QSize s) { return gunCard(s, count, selected, shared); };
    }
    if ((m = match("^GunMode([1-5])$")).hasMatch()) {
        const int dots = m.captured(1).toInt();
        return [=](QSize s) { return gunModeMarker(s, dots, shared); };
    }
    if ((m = match("^(CbS|RdS|Bar1|Bar2)_([DE])$")).hasMatch()) {
        const QString family = m.captured(1);
        const bool on = m.captured(2) == QLatin1String("E");
        if (family == QLatin1String("CbS")) return [=](QSize s) { return checkBox(s, on, shared); };
        if (family == QLatin1String("RdS"))
            return [=](QSize s) { return radioButton(s, on, shared); };
        const bool slanted = family == QLatin1String("Bar2");
        return [=](QSize s) { return barSegment(s, on, slanted, shared); };
    }
    if (name == QLatin1String("Col_F")) return colourFrame;
    if (name == QLatin1String("Slider_Thumb"))
        return [shared](QSize s) { return sliderThumb(s, shared); };
    if (name == QLatin1String("Slider_Ruler")) return sliderRuler;
    if ((m = match("^Insert(Delay|Key|XY)Base$")).hasMatch()) {
        const QString kind = m.captured(1);
        const InsertKind k = kind == QLatin1String("Delay") ? InsertKind::Delay
                             : kind == QLatin1String("Key") ? InsertKind::Key
                                                            : InsertKind::XY;
        return [=](QSize s) { return insertPanel(s, k, shared); };
    }
    if ((m = match("^MacroRow([0-8])$")).hasMatch()) {
        const int kind = m.captured(1).toInt();
        return [=](QSize s) { return macroRowIcon(s, kind, shared); };
    }
    if (name == QLatin1String("AppIcon")) return [shared](QSize s) { return appIcon(s, shared); };
    return std::nullopt;
}

struct Request {
    QString name;
    QSize size;
};

std::optional<Request> parseRequest(const QString& arg) {
    static const QRegularExpression form(QStringLiteral("^([A-Za-z0-9_]+)=([0-9]+)x([0-9]+)$"));
    const QRegularExpressionMatch m = form.match(arg);
    if (!m.hasMatch()) return std::nullopt;
    const int w = m.captured(2).toInt();
    const int h = m.captured(3).toInt();
    if (w <= 0 || h <= 0 || w > 4096 || h > 4096) return std::nullopt;
    return Request{m.captured(1), QSize(w, h)};
}

QString qrcText(const QStringList& files) {
    QString text =
        QStringLiteral("<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"/skin\">\n");
    for (const QString& file : files) text += QStringLiteral("    <file>%1</file>\n").arg(file);
    text += QStringLiteral("</qresource>\n</RCC>\n");
    return text;
}

void fail(const QString& message) { std::fprintf(stderr, "skingen: %s\n", qPrintable(message)); }

int run(const QStringList& args) {
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: skingen OUTDIR Name=WIDTHxHEIGHT...\n");
        return 2;
    }
    const QDir out(args.front());
    if (!QDir().mkpath(out.path())) {
        fail(QStringLiteral("cannot create %1").arg(out.path()));
        return 1;
    }

    QStringList files;
    QSet<QString> seen;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const std::optional<Request> request = parseRequest(args[i]);
        if (!request) {
            fail(QStringLiteral("not Name=WIDTHxHEIGHT: %1").arg(args[i]));
            return 2;
        }
        const QString file = request->name.toLower() + QStringLiteral(".png");
        // Lookup ignores case, so two names differing only in case would shadow each other.
        if (seen.contains(file)) {
            fail(QStringLiteral("%1 is listed twice").arg(request->name));
            return 2;
        }
        seen.insert(file);
        const std::optional<Drawer> draw = drawerFor(request->name);
        if (!draw) {
            fail(QStringLiteral("no style for an image named %1").arg(request->name));
            return 2;
        }
        const QImage image = (*draw)(request->size);
        if (!image.save(out.filePath(file), "PNG")) {
            fail(QStringLiteral("cannot write %1").arg(out.filePath(file)));
            return 1;
        }
        files.append(file);
    }

    QFile qrc(out.filePath(QStringLiteral("skin.qrc")));
    if (!qrc.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        qrc.write(qrcText(files).toUtf8()) < 0 || !qrc.flush()) {
        fail(QStringLiteral("cannot write %1").arg(qrc.fileName()));
        return 1;
    }
    return 0;
}

}  // namespace
}  // namespace vornik::skingen

int main(int argc, char** argv) {
    // Plain QImage painting: no application object, so no platform plugin and no fonts are needed.
    QStringList args;
    for (int i = 1; i < argc; ++i) args.append(QString::fromLocal8Bit(argv[i]));
    return vornik::skingen::run(args);
}
