#pragma once
// A modal window that talks to the PLC. Closed while an exchange waits (the window manager's
// close, Escape), it cuts the exchange short: the waits end at once and nothing more is sent.
// Every opening puts it in its idle state, whatever state its last exchange was left in.

#include "Editor.h"

#include <QDialog>

class PlcWindow : public QDialog
{
public:
    PlcWindow(Editor* editor, const char* name, const QString& title) : QDialog(editor), m_editor(editor)
    {
        setObjectName(QLatin1String(name));
        setWindowTitle(title);
        setWindowModality(Qt::ApplicationModal);
    }

    void reject() override
    {
        if (m_editor->link().busy()) {
            m_closing = true;
            m_editor->link().waits().cutShort();
        }
        QDialog::reject();
    }

protected:
    // True once the window was closed during the exchange under way: it must stop there.
    bool closing() const { return m_closing; }
    // Called by each opening: buttons, lamps, captions and focus as at the first one.
    virtual void idle() = 0;
    void reopened()
    {
        m_closing = false;
        idle();
    }

    Editor* m_editor;

private:
    bool m_closing = false;
};
