// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorScheme.h"

#include <cmath>

const ColorScheme kDefaultScheme{QColor(192, 192, 192), QColor(0, 0, 0), QColor(255, 255, 0)};

namespace {

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c)
{
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

bool isDark(const QColor& c)
{
    // the lighter of black and white text is the one that reads better
    return contrastRatio(c, Qt::white) > contrastRatio(c, Qt::black);
}

// A colour of this hue at the lightness that suits the background.
QColor tone(double hue, double saturation, const QColor& background)
{
    return readableOn(QColor::fromHslF(float(hue / 360.0), float(saturation), isDark(background) ? 0.72f : 0.3f),
                      background);
}

} // namespace

QColor defaultMnemonicColor(const QColor& background)
{
    const QColor yellow(255, 255, 0), navy(0, 0, 128);
    return contrastRatio(yellow, background) >= contrastRatio(navy, background) ? yellow : navy;
}

double contrastRatio(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor& color, const QColor& background)
{
    if (contrastRatio(color, background) >= kMinContrast)
        return color;
    const QColor hsl = color.toHsl();
    const float hue = std::max(0.0f, hsl.hslHueF());
    const float saturation = hsl.hslSaturationF();
    const float start = hsl.lightnessF();
    // black or white always reaches the ratio (the larger of the two is at least 4.58)
    QColor best = contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background) ? QColor(Qt::black)
                                                                                           : QColor(Qt::white);
    float bestDistance = 2.0f;
    constexpr int kSteps = 200;
    for (int i = 0; i <= kSteps; ++i) {
        const float l = float(i) / kSteps;
        const QColor candidate = QColor::fromHslF(hue, saturation, l);
        if (std::fabs(l - start) < bestDistance && contrastRatio(candidate, background) >= kMinContrast) {
            best = candidate;
            bestDistance = std::fabs(l - start);
        }
    }
    return best.toRgb();
}

std::array<QColor, kTokenKinds> tokenColors(const ColorScheme& scheme)
{
    const QColor& bg = scheme.background;
    std::array<QColor, kTokenKinds> c;
    c[size_t(TokenKind::Mnemonic)] = readableOn(scheme.mnemonic, bg);
    c[size_t(TokenKind::Input)] = tone(120, 0.7, bg);
    c[size_t(TokenKind::Output)] = tone(25, 0.9, bg);
    c[size_t(TokenKind::Variable)] = tone(185, 0.7, bg);
    c[size_t(TokenKind::CounterTimer)] = tone(315, 0.7, bg);
    c[size_t(TokenKind::Number)] = tone(50, 0.8, bg);
    c[size_t(TokenKind::Label)] = tone(215, 0.8, bg);
    c[size_t(TokenKind::Equ)] = tone(265, 0.7, bg);
    // comments: halfway between the text and the background, so they step back
    const QColor mid((scheme.text.red() + bg.red()) / 2, (scheme.text.green() + bg.green()) / 2,
                     (scheme.text.blue() + bg.blue()) / 2);
    c[size_t(TokenKind::Comment)] = readableOn(mid, bg);
    c[size_t(TokenKind::Error)] = tone(0, 1.0, bg);
    return c;
}
