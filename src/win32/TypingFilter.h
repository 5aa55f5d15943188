#pragma once

#include <windows.h>

namespace kvitok {

// Refuses at the keyboard, and on paste, every character windows-1251 cannot hold, and in a
// digits-only field every character but 0-9: the form never holds a text the receipt cannot
// print. What the program itself put into the field stays; the user can still delete it.
void FilterTyping(HWND edit, bool digitsOnly);

} // namespace kvitok
