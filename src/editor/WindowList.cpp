// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowList.h"

#include "PlcWindow.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <cstring>

namespace {
// X11's DestroyNotify event: its code, and where the destroyed window's id sits in it
constexpr quint8 kDestroyNotify = 17;
constexpr int kDestroyedWindowAt = 8;
} // namespace

// Qt's X11 back end does not tell a widget that the server destroyed its window: the widget
// would stay "shown", modal and polling, with nothing on the screen.
class WindowList::Watcher : public QAbstractNativeEventFilter
{
public:
    explicit Watcher(WindowList& list) : m_list(list) { QCoreApplication::instance()->installNativeEventFilter(this); }
    ~Watcher() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* event = static_cast<const unsigned char*>(message);
        if ((event[0] & 0x7F) == kDestroyNotify) {
            quint32 window = 0;
            std::memcpy(&window, event + kDestroyedWindowAt, sizeof window);
            m_list.destroyedByServer(window);
        }
        return false;
    }

private:
    WindowList& m_list;
};

WindowList::WindowList()
{
    if (QCoreApplication::instance())
        m_watcher = std::make_unique<Watcher>(*this);
}

WindowList::~WindowList() = default;

void WindowList::closeAll()
{
    for (const QPointer<QWidget>& w : std::as_const(m_windows))
        if (w)
            w->close();
}

void WindowList::setEnabled(bool enabled)
{
    for (const QPointer<QWidget>& w : std::as_const(m_windows))
        if (w)
            w->setEnabled(enabled);
}

void WindowList::finishExchanges()
{
    for (const QPointer<QWidget>& w : std::as_const(m_windows))
        if (auto* plc = dynamic_cast<PlcWindow*>(w.data()))
            plc->finish();
}

void WindowList::destroyedByServer(quintptr id)
{
    for (const QPointer<QWidget>& w : std::as_const(m_windows)) {
        if (!w || w->internalWinId() != id)
            continue;
        // after the event that told it: closing ends the window's exchange and its modality
        QMetaObject::invokeMethod(
            w.data(),
            [w] {
                w->close();
                w->deleteLater();
            },
            Qt::QueuedConnection);
    }
}
