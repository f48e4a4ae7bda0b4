#pragma once

// Driving modal windows from a test: a modal window runs its own event loop,
// so what the user does in it is queued before the operation that shows it.

#include <QString>

#include <functional>

class QWidget;

namespace rov2::test {

/// Sends @p text to the focused widget as an input method commits it: key
/// events that carry their text (QTest::keyClicks knows ASCII only).
void typeText(const QString& text);

/// Runs @p drive once the next modal window is up, inside its event loop,
/// then closes that window (Esc) if @p drive left it open. Call it before
/// the operation that shows the window.
void whenModal(std::function<void(QWidget* window)> drive);

/// Waits until @p w has the focus. @return false after a timeout.
bool waitForFocus(QWidget* w);

/// Queues a marker behind every event queued so far and waits until it is
/// handled: what an operation left queued has happened by then, so a test
/// that something did not happen need not wait a fixed time.
/// @return false after a timeout.
bool queuedEventsHandled();

} // namespace rov2::test
