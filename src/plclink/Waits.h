// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The fixed waits that pace every exchange with the PLC. A wait is a one-shot precise timer
// and a nested event loop: it lasts its whole period, the window stays responsive, and no
// CPU is spent. Tests may shorten the waits with a scale; the product's figures never change.

#include <QList>

#include <functional>

class QEventLoop;

namespace plclink {

class Waits
{
public:
    static constexpr int kHeader = 120;      // after the download header
    static constexpr int kImage = 1500;      // after the program image
    static constexpr int kAnswer = 500;      // for a short answer
    static constexpr int kProbe = 500;       // for the upload's probe answer
    static constexpr int kUpload = 2000;     // for the program upload answer
    static constexpr int kPresetWrite = 400; // after each preset write frame
    static constexpr int kPresetRead = 200;  // for each preset read answer
    // The quiet that settles the line after an answer that was not sound: longer than the
    // spacing of repeated questions, so an answer still on its way shows up within it.
    static constexpr int kQuiet = 750;

    explicit Waits(double scale = 1.0) : m_scale(scale) {}
    Waits(const Waits&) = delete;
    Waits& operator=(const Waits&) = delete;

    // Waits ms milliseconds (times the scale). False when the waits were cut short.
    bool wait(int ms);
    // The same wait, ending early once doneIn() says 0; it says -1 for "not yet", or how many
    // ms (unscaled: line times) until it should be asked again. wake() asks it at once.
    bool wait(int ms, const std::function<int()>& doneIn);
    void wake();
    // Ends the wait under way and every later one at once (a window closing mid-exchange);
    // resume() lets waits run again (the link does so when its exchange ends).
    void cutShort();
    void resume() { m_cutShort = false; }
    bool isCutShort() const { return m_cutShort; }
    void setScale(double scale) { m_scale = scale; } // tests only
    int scaled(int ms) const;
    // Tests read the lengths asked for, in order, unscaled.
    void record(QList<int>* into) { m_record = into; }

private:
    double m_scale;
    bool m_cutShort = false;
    QList<QEventLoop*> m_loops;
    QList<int>* m_record = nullptr;
};

} // namespace plclink
