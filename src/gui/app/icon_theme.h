#pragma once

namespace mervanta {

// The commands' images come from the desktop's icon theme by their freedesktop names; where
// the desktop has no theme, or its theme lacks a name, the program's own images stand in.
void UseIconTheme();

}  // namespace mervanta
