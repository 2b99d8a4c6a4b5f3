// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The start window, shown while es.def loads, and again as the about box.

#include <QDialog>

class QLabel;

class Presenta : public QDialog
{
    Q_OBJECT
public:
    explicit Presenta(const QString& versionText, QWidget* parent = nullptr);
    // The about box adds the licence and the "&Aceptar" button; the start window has neither.
    void setAboutMode(bool about);
    // Shows the window and returns once it is painted: what follows may keep the event loop
    // busy for long.
    void showPainted();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    QLabel* m_version;
    QLabel* m_licence;
    class QEventLoop* m_waitingForPaint = nullptr;
    bool m_painted = false;
    class QPushButton* m_accept;
};
