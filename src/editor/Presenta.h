#pragma once
// The start window, shown while es.def loads, and again as the about box.

#include <QDialog>

class QLabel;

class Presenta : public QDialog
{
    Q_OBJECT
public:
    explicit Presenta(const QString& versionText, QWidget* parent = nullptr);
    // The about box adds the "&Aceptar" button; the start window has none.
    void setAboutMode(bool about);

private:
    QLabel* m_version;
    class QPushButton* m_accept;
};
