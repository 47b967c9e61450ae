#pragma once

namespace mervanta {

class TStyledPainter;

// The two looks the program's own controls share: its push buttons, and its links (the help
// links of dialogs, the web links of the about box).
TStyledPainter& StandardButtonPainter();
TStyledPainter& HyperlinkPainter();

}  // namespace mervanta
