#pragma once

// Presses and releases Tab once the current event has been handled: whatever
// has the keyboard focus then moves it on as for a real Tab key (to the next
// control in tab order; in a grid, to the next cell).
void SendTabKey();
