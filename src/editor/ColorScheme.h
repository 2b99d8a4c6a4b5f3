// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colours of the program text: the user's text, background and mnemonic colours (FCol,
// BCol, HCol), and the token colours derived from them.

#include <QColor>
#include <array>

// What a word of the program text is, as the compiler reads it.
enum class TokenKind {
    Mnemonic,
    Input,        // e1..e8
    Output,       // s1..s6
    Variable,     // v01..v46, re01..re16
    CounterTimer, // Ctv, Tpv, TpvF, Tp, TpF
    Number,
    Label,   // where defined and where a jump names it
    Equ,     // an equ name, where defined and where used
    Comment,
    Error,   // a word the compiler rejects
};
constexpr int kTokenKinds = int(TokenKind::Error) + 1;

struct ColorScheme
{
    QColor text;
    QColor background;
    QColor mnemonic; // "Destacado"

    bool operator==(const ColorScheme&) const = default;
};

// Light grey on black with yellow mnemonics.
extern const ColorScheme kDefaultScheme;

// A mnemonic colour that reads well on this background (for a settings file without HCol).
QColor defaultMnemonicColor(const QColor& background);

// The WCAG contrast ratio of two colours (1 to 21).
double contrastRatio(const QColor& a, const QColor& b);
constexpr double kMinContrast = 4.5;
// The colour itself when it reaches kMinContrast on background, else the nearest lightness of
// its hue that does.
QColor readableOn(const QColor& color, const QColor& background);

// The colour of every token kind; each reaches kMinContrast on the scheme's background.
std::array<QColor, kTokenKinds> tokenColors(const ColorScheme& scheme);
