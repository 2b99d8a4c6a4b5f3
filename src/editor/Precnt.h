#pragma once
// "Preseteos contadores y temporizadores": reads and writes the ten preset values of the
// PLC's counters, timers and fast timers.

#include "Exchanges.h"

#include <QDialog>
#include <QList>

class Editor;
class QLabel;
class QLineEdit;
class QPushButton;

class Precnt : public QDialog
{
    Q_OBJECT
public:
    explicit Precnt(Editor* editor);
    // Form_Load: reads the presets with the busy pointer.
    void begin();
    void cmdPreset_Click();
    void cmdReLeer_Click();
    void cmdZero_Click();
    void cmdFabrica_Click();

protected:
    void closeEvent(QCloseEvent* e) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void readProcedure();
    // The first box that is not a whole number 0..65535, or -1.
    int firstBadBox() const;
    void refuse(int box);

    Editor* m_editor;
    QList<QLineEdit*> m_txtCnt;
    QPushButton* m_cmdPreset;
    QLabel* m_lbRx;
    QLabel* m_lbMsg;
    bool m_closing = false;
    bool m_refusing = false;
};
