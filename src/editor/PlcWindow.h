// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A modal window that talks to the PLC. Closed while an exchange waits (the window manager's
// close, Escape), it cuts the exchange short: the waits end at once and nothing more is sent.
// Every opening puts it in its idle state, whatever state its last exchange was left in.

#include "Link.h"
#include "Prompts.h"

#include <QCoreApplication>
#include <QDialog>
#include <QStringList>

#include <functional>

// What a PLC window needs of the editor, and no more.
struct PlcContext
{
    plclink::Link& link;
    std::function<int()> station;      // PlcId
    std::function<bool()> debugMode;   // DebugMode
    std::function<QStringList()> names; // the variable names, in address order
};

// The one box a port that cannot be opened gives: the port's own number and description.
inline void showPortError(QWidget* parent, const plclink::PortError& error, const QString& more = {})
{
    Prompts::current().message(parent, {QCoreApplication::translate("PlcWindow", "Error %1").arg(error.number),
                                        error.headline() + QStringLiteral("\r\n") + error.description + more,
                                        Prompts::Ok, Prompts::Icon::Exclamation});
}

class PlcWindow : public QDialog
{
public:
    PlcWindow(const PlcContext& context, QWidget* parent, const char* name, const QString& title)
        : QDialog(parent), m_context(context)
    {
        setObjectName(QLatin1String(name));
        setWindowTitle(title);
        setWindowModality(Qt::ApplicationModal);
    }

    // An exchange that runs until stopped (the monitor's polls) ends at the end of its step.
    virtual void finish() {}

    void reject() override
    {
        if (link().busy()) {
            m_closing = true;
            link().waits().cutShort();
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

    // After an exchange that came back empty: true, the port's message told, when it was the
    // port that could not be opened; the window then goes back to its idle state.
    bool portFailed()
    {
        const auto error = link().reopenError();
        if (!error || m_closing)
            return false;
        showPortError(this, *error);
        idle();
        return true;
    }

    plclink::Link& link() const { return m_context.link; }
    quint8 station() const { return quint8(m_context.station()); }
    bool debugMode() const { return m_context.debugMode(); }

    PlcContext m_context;

private:
    bool m_closing = false;
};
