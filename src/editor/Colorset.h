#pragma once
// The colour dialog: picks the text and background colours of the program text box.

#include <QColor>
#include <QDialog>

// Palette colour 0..15 of the colour dialog (the classic console colours).
QColor paletteColor(int index);

class Colorset : public QDialog
{
    Q_OBJECT
public:
    explicit Colorset(QWidget* parent = nullptr);
    // Starts a choice from the editor's present colours; the dialog's own state starts afresh.
    void begin(const QColor& fore, const QColor& back);

signals:
    // "&Aceptar": the colours of the sample text box.
    void colorsChosen(const QColor& fore, const QColor& back);
};
