// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the twelve 200 x 200 sign pictures shown in the result window.
// Usage: draw_signs OUTPUT_FOLDER   (runs headless with QT_QPA_PLATFORM=offscreen)

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRawFont>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <QtMath>

#include <cstdint>

namespace {

constexpr int kSize = 200;
constexpr int kJpegQuality = 90;
const QPointF kCentre(100.0, 90.0);

enum class Element { Fire, Earth, Air, Water };

struct SignArt {
    const char* file;
    const char* name;
    char32_t glyph;
    Element element;
    QColor inner;     // centre of the background
    QColor outer;     // edge of the background
    QColor accent;    // ring, stars, motif
    QColor glyphFill; // the symbol itself
    QColor glow;      // halo behind the symbol
    QColor label;     // the name at the bottom
    QColor ring;      // ring and its sparkles, darker where the centre is pale
};

// Element colours: fire warm, earth green/brown, air light blue/yellow, water deep blue/teal.
const SignArt kSigns[12] = {
    {"aries.jpg", "Aries", 0x2648, Element::Fire, QColor(0xff, 0x6a, 0x2b),
     QColor(0x4a, 0x06, 0x0a), QColor(0xff, 0xcf, 0x70), QColor(0xff, 0xf4, 0xe4),
     QColor(0x8a, 0x10, 0x05), QColor(0xff, 0xe8, 0xc8), QColor(0xff, 0xcf, 0x70)},
    {"taurus.jpg", "Taurus", 0x2649, Element::Earth, QColor(0x9c, 0xc9, 0x7a),
     QColor(0x1b, 0x36, 0x1a), QColor(0xf3, 0xe7, 0xc4), QColor(0xff, 0xfb, 0xec),
     QColor(0x1e, 0x4a, 0x1c), QColor(0xf6, 0xf0, 0xd8), QColor(0xf3, 0xe7, 0xc4)},
    {"gemini.jpg", "Gemini", 0x264a, Element::Air, QColor(0xff, 0xf3, 0xb0),
     QColor(0x3f, 0x86, 0xcf), QColor(0xff, 0xff, 0xff), QColor(0x23, 0x36, 0x74),
     QColor(0xff, 0xff, 0xff), QColor(0xff, 0xff, 0xf4), QColor(0xb8, 0x86, 0x18)},
    {"cancer.jpg", "Cancer", 0x264b, Element::Water, QColor(0x9c, 0xd6, 0xde),
     QColor(0x0a, 0x30, 0x52), QColor(0xea, 0xf6, 0xff), QColor(0xff, 0xff, 0xff),
     QColor(0x0e, 0x4a, 0x6e), QColor(0xe6, 0xf4, 0xfa), QColor(0xea, 0xf6, 0xff)},
    {"leo.jpg", "Leo", 0x264c, Element::Fire, QColor(0xff, 0xd8, 0x4e), QColor(0xa8, 0x34, 0x06),
     QColor(0xff, 0xf6, 0xc8), QColor(0x6e, 0x20, 0x02), QColor(0xff, 0xf4, 0xc0),
     QColor(0xff, 0xf4, 0xd6), QColor(0xa8, 0x42, 0x08)},
    {"virgo.jpg", "Virgo", 0x264d, Element::Earth, QColor(0xee, 0xe2, 0xa8),
     QColor(0x56, 0x66, 0x26), QColor(0xff, 0xfb, 0xe2), QColor(0x3a, 0x46, 0x16),
     QColor(0xff, 0xfb, 0xe6), QColor(0xfa, 0xf6, 0xe0), QColor(0x6e, 0x7e, 0x2e)},
    {"libra.jpg", "Libra", 0x264e, Element::Air, QColor(0xee, 0xf1, 0xff), QColor(0x62, 0x74, 0xc4),
     QColor(0xff, 0xf0, 0xa0), QColor(0x28, 0x2c, 0x6c), QColor(0xff, 0xff, 0xff),
     QColor(0xfc, 0xfc, 0xff), QColor(0x48, 0x54, 0xa6)},
    {"scorpio.jpg", "Scorpio", 0x264f, Element::Water, QColor(0x72, 0x1e, 0x4c),
     QColor(0x06, 0x0a, 0x26), QColor(0xe8, 0x6e, 0x80), QColor(0xff, 0xdc, 0xe4),
     QColor(0xb0, 0x20, 0x48), QColor(0xf4, 0xc8, 0xd4), QColor(0xe8, 0x6e, 0x80)},
    {"sagittarius.jpg", "Sagittarius", 0x2650, Element::Fire, QColor(0xff, 0xae, 0x42),
     QColor(0x5c, 0x16, 0x48), QColor(0xff, 0xe6, 0xa0), QColor(0xff, 0xf8, 0xea),
     QColor(0x8c, 0x1e, 0x3c), QColor(0xff, 0xec, 0xc4), QColor(0xff, 0xe6, 0xa0)},
    {"capricorn.jpg", "Capricorn", 0x2651, Element::Earth, QColor(0xb4, 0x8c, 0x5a),
     QColor(0x2a, 0x20, 0x16), QColor(0xde, 0xcc, 0xa6), QColor(0xf8, 0xef, 0xdc),
     QColor(0x3c, 0x2a, 0x18), QColor(0xee, 0xe2, 0xc8), QColor(0xde, 0xcc, 0xa6)},
    {"aquarius.jpg", "Aquarius", 0x2652, Element::Air, QColor(0xc8, 0xf2, 0xff),
     QColor(0x24, 0x52, 0xa2), QColor(0xff, 0xf6, 0xaa), QColor(0x12, 0x36, 0x78),
     QColor(0xff, 0xff, 0xff), QColor(0xf4, 0xfa, 0xff), QColor(0x2a, 0x66, 0xb8)},
    {"pisces.jpg", "Pisces", 0x2653, Element::Water, QColor(0x5c, 0xd0, 0xc0),
     QColor(0x08, 0x28, 0x4e), QColor(0xc8, 0xff, 0xf2), QColor(0xff, 0xff, 0xff),
     QColor(0x06, 0x4a, 0x5e), QColor(0xdc, 0xfa, 0xf4), QColor(0xc8, 0xff, 0xf2)},
};

// Deterministic so that the pictures do not change from one run to the next.
class Lcg {
public:
    explicit Lcg(std::uint32_t seed)
        : state_(seed * 2654435761u + 1u)
    {
    }
    double next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
    }

private:
    std::uint32_t state_;
};

QColor withAlpha(QColor c, int alpha)
{
    c.setAlpha(alpha);
    return c;
}

void drawBackground(QPainter& p, const SignArt& s)
{
    QRadialGradient bg(kCentre, 150.0, QPointF(kCentre.x() - 18.0, kCentre.y() - 24.0));
    bg.setColorAt(0.0, s.inner.lighter(112));
    bg.setColorAt(0.45, s.inner);
    bg.setColorAt(1.0, s.outer);
    p.fillRect(QRect(0, 0, kSize, kSize), bg);

    // A darker floor keeps the name readable on every palette.
    QLinearGradient floor(0, 140, 0, kSize);
    floor.setColorAt(0.0, withAlpha(s.outer, 0));
    floor.setColorAt(1.0, withAlpha(s.outer.darker(130), 230));
    p.fillRect(QRect(0, 140, kSize, kSize - 140), floor);
}

void drawFireMotif(QPainter& p, const SignArt& s, int index)
{
    // Sun rays, rotated per sign so the three fire pictures differ.
    const int rays = 18 + 3 * (index % 3);
    const double offset = index * 7.0;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < rays; ++i) {
        const double a = qDegreesToRadians(offset + 360.0 * i / rays);
        const double half = qDegreesToRadians(360.0 / rays / 4.0);
        QPainterPath ray;
        ray.moveTo(kCentre);
        ray.lineTo(kCentre + QPointF(160 * qCos(a - half), 160 * qSin(a - half)));
        ray.lineTo(kCentre + QPointF(160 * qCos(a + half), 160 * qSin(a + half)));
        ray.closeSubpath();
        p.setBrush(withAlpha(s.accent, i % 2 ? 18 : 34));
        p.drawPath(ray);
    }
}

void drawEarthMotif(QPainter& p, const SignArt& s, int index)
{
    // Rolling hills along the bottom.
    for (int layer = 0; layer < 3; ++layer) {
        QPainterPath hill;
        const double base = 150.0 + layer * 12.0;
        hill.moveTo(0, kSize);
        hill.lineTo(0, base);
        for (int x = 0; x <= kSize; x += 4) {
            const double y = base - 9.0 * qSin((x + index * 23 + layer * 57) / 31.0) -
                             5.0 * qSin((x + layer * 19) / 13.0);
            hill.lineTo(x, y);
        }
        hill.lineTo(kSize, kSize);
        hill.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(s.outer.darker(110 + 15 * layer), 70 + 30 * layer));
        p.drawPath(hill);
    }
}

void drawAirMotif(QPainter& p, const SignArt& s, int index)
{
    // Drifting breeze lines.
    QPen pen(withAlpha(s.accent, 90), 1.6, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    for (int line = 0; line < 6; ++line) {
        QPainterPath path;
        const double y0 = 28.0 + line * 26.0;
        const double phase = index * 0.9 + line * 1.3;
        path.moveTo(-10, y0);
        for (int x = -10; x <= kSize + 10; x += 5) {
            path.lineTo(x, y0 + 7.0 * qSin(x / 22.0 + phase));
        }
        p.drawPath(path);
    }
}

void drawWaterMotif(QPainter& p, const SignArt& s, int index)
{
    // Waves rising from the bottom.
    for (int layer = 0; layer < 4; ++layer) {
        QPainterPath crest;
        const double base = 140.0 + layer * 13.0;
        for (int x = 0; x <= kSize; x += 3) {
            const QPointF at(x, base + 5.0 * qSin(x / 12.0 + index + layer * 1.7));
            if (x == 0) {
                crest.moveTo(at);
            } else {
                crest.lineTo(at);
            }
        }
        QPainterPath body = crest;
        body.lineTo(kSize, kSize);
        body.lineTo(0, kSize);
        body.closeSubpath();
        // Only the crest gets a line; stroking the whole body would edge the picture's border.
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(s.outer, 60 + 25 * layer));
        p.drawPath(body);
        p.setPen(QPen(withAlpha(s.accent, 70), 1.0));
        p.setBrush(Qt::NoBrush);
        p.drawPath(crest);
    }
}

void drawSparkle(QPainter& p, QPointF at, double r, const QColor& c)
{
    QPainterPath star;
    star.moveTo(at + QPointF(0, -r));
    star.quadTo(at, at + QPointF(r, 0));
    star.quadTo(at, at + QPointF(0, r));
    star.quadTo(at, at + QPointF(-r, 0));
    star.quadTo(at, at + QPointF(0, -r));
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(star);
}

void drawStarField(QPainter& p, const SignArt& s, int index)
{
    Lcg rng(static_cast<std::uint32_t>(index + 1));
    for (int i = 0; i < 26; ++i) {
        const QPointF at(rng.next() * kSize, rng.next() * 150.0);
        const double r = 0.6 + rng.next() * 1.2;
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(s.accent, 70 + static_cast<int>(rng.next() * 110)));
        p.drawEllipse(at, r, r);
    }
}

void drawRing(QPainter& p, const SignArt& s, int index)
{
    const double ring = 66.0;
    p.setBrush(withAlpha(s.glow, 40));
    p.setPen(QPen(withAlpha(s.ring, 210), 1.4));
    p.drawEllipse(kCentre, ring, ring);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(s.ring, 100), 0.8));
    p.drawEllipse(kCentre, ring + 5.0, ring + 5.0);

    // Twelve sparkles around the ring; this sign's place in the zodiac shines brightest.
    for (int k = 0; k < 12; ++k) {
        const double a = qDegreesToRadians(-90.0 + 30.0 * k);
        const QPointF at = kCentre + QPointF((ring + 13.0) * qCos(a), (ring + 13.0) * qSin(a));
        if (k == index) {
            drawSparkle(p, at, 7.5, withAlpha(s.ring, 255));
            p.setBrush(withAlpha(Qt::white, 230));
            p.drawEllipse(at, 1.4, 1.4);
        } else {
            drawSparkle(p, at, 3.6, withAlpha(s.ring, 180));
        }
    }
}

// Picks the first installed font that has an outline for the symbol; fails loudly otherwise.
bool glyphPath(char32_t codePoint, QPainterPath* out, QString* usedFamily)
{
    const QStringList families = {"DejaVu Sans", "Noto Sans Symbols", "FreeSerif", "Symbola"};
    for (const QString& family : families) {
        QFont font(family);
        font.setPixelSize(100);
        const QRawFont raw = QRawFont::fromFont(font);
        if (!raw.isValid() || raw.familyName() != family) {
            continue;
        }
        const QList<quint32> ids = raw.glyphIndexesForString(QString::fromUcs4(&codePoint, 1));
        if (ids.size() != 1 || ids.first() == 0) {
            continue;
        }
        const QPainterPath path = raw.pathForGlyph(ids.first());
        if (path.isEmpty()) {
            continue;
        }
        *out = path;
        *usedFamily = family;
        return true;
    }
    return false;
}

void drawGlyph(QPainter& p, const SignArt& s, const QPainterPath& glyph)
{
    const QRectF box = glyph.boundingRect();
    const double target = 84.0;
    const double scale = target / qMax(box.width(), box.height());
    QTransform t;
    t.translate(kCentre.x(), kCentre.y());
    t.scale(scale, scale);
    t.translate(-box.center().x(), -box.center().y());
    const QPainterPath path = t.map(glyph);

    p.setBrush(Qt::NoBrush);
    for (int w = 14; w >= 4; w -= 5) {
        p.setPen(QPen(withAlpha(s.glow, 34), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(s.outer.darker(160), 110));
    p.drawPath(path.translated(1.6, 2.0));
    QLinearGradient fill(path.boundingRect().topLeft(), path.boundingRect().bottomLeft());
    fill.setColorAt(0.0, s.glyphFill.lighter(108));
    fill.setColorAt(1.0, s.glyphFill.darker(112));
    p.setBrush(fill);
    p.setPen(QPen(withAlpha(s.glyphFill.darker(140), 160), 0.8));
    p.drawPath(path);
}

void drawName(QPainter& p, const SignArt& s)
{
    QFont font("DejaVu Sans");
    font.setPixelSize(15);
    font.setBold(true);
    font.setCapitalization(QFont::SmallCaps);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.6);
    p.setFont(font);
    const QRect area(0, 172, kSize, 24);
    p.setPen(withAlpha(Qt::black, 120));
    p.drawText(area.translated(1, 1), Qt::AlignCenter, QString::fromLatin1(s.name));
    p.setPen(s.label);
    p.drawText(area, Qt::AlignCenter, QString::fromLatin1(s.name));
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: draw_signs OUTPUT_FOLDER\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        err << "cannot create folder " << folder << "\n";
        return 1;
    }

    for (int index = 0; index < 12; ++index) {
        const SignArt& s = kSigns[index];
        QPainterPath glyph;
        QString family;
        if (!glyphPath(s.glyph, &glyph, &family)) {
            err << "no installed font has an outline for the symbol of " << s.name << "\n";
            return 1;
        }

        QImage image(kSize, kSize, QImage::Format_RGB32);
        image.fill(s.outer);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            drawBackground(p, s);
            switch (s.element) {
            case Element::Fire:
                drawFireMotif(p, s, index);
                break;
            case Element::Earth:
                drawEarthMotif(p, s, index);
                break;
            case Element::Air:
                drawAirMotif(p, s, index);
                break;
            case Element::Water:
                drawWaterMotif(p, s, index);
                break;
            }
            drawStarField(p, s, index);
            drawRing(p, s, index);
            drawGlyph(p, s, glyph);
            drawName(p, s);
        }

        const QString path = QDir(folder).filePath(QString::fromLatin1(s.file));
        if (!image.save(path, "JPEG", kJpegQuality)) {
            err << "cannot write " << path << "\n";
            return 1;
        }
    }
    return 0;
}
