// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The editor's child windows, kept as they are made: closed together when the editor goes, and
// while it waits to go, the exchange each runs without end is ended and nothing new is started.
// A window the display server destroys behind Qt's back (a window manager that crashed, a lost
// remote display) is closed and let go, so its exchange ends and the next opening makes it anew.

#include <QList>
#include <QPointer>
#include <QWidget>

#include <memory>

class WindowList
{
public:
    WindowList();
    ~WindowList();
    WindowList(const WindowList&) = delete;
    WindowList& operator=(const WindowList&) = delete;

    template <class W> W* add(W* window)
    {
        m_windows.append(window);
        return window;
    }
    void closeAll();
    void setEnabled(bool enabled);
    // Polls that go on until stopped end at the end of the one under way.
    void finishExchanges();

private:
    class Watcher;
    void destroyedByServer(quintptr id);

    QList<QPointer<QWidget>> m_windows;
    std::unique_ptr<Watcher> m_watcher;
};
