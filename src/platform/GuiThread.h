#pragma once

#include <functional>

enum class Blocking { Wait, NoWait };

// Runs fn on the GUI thread: at once when called there (or when no
// application object exists), otherwise queued to the application object.
// Blocking::Wait returns after fn has run; the GUI thread must therefore not
// be waiting for the calling thread at that moment.
void RunOnGuiThread(std::function<void()> fn, Blocking blocking);

// True on the thread that owns the application object (or when none exists).
bool IsGuiThread();
