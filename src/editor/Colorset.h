// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The colour dialog: picks the text and background colours of the program text box ("Editor")
// and the mnemonics' colour ("Destacado").

#include "ColorScheme.h"

#include <QColor>
#include <QDialog>

class QLabel;
class QRadioButton;
class QTextEdit;

// Palette colour 0..15 of the colour dialog (the classic console colours).
QColor paletteColor(int index);

class Colorset : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kSwatches = 16;

    explicit Colorset(QWidget* parent = nullptr);
    // Starts a choice from the editor's present colours; the dialog's own state starts afresh.
    void begin(const ColorScheme& scheme);
    // Hands the sample's colours over, then closes.
    void accept() override;

signals:
    // "&Aceptar": the colours of the sample text box, and the mnemonics' colour.
    void schemeChosen(const ColorScheme& scheme);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refreshPreview();

    QTextEdit* m_sample;
    QLabel* m_muestra;
    QRadioButton* m_editor;
    QRadioButton* m_destacado;
    QList<QLabel*> m_fore;
    QList<QLabel*> m_back;
    QColor m_mnemonic;
    int m_foreNumber = 0;
    int m_backNumber = 0;
};
