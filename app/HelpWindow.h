#pragma once

class TWindow;

// Opens the how-to-play window (modeless, like a help viewer beside the game), or brings the open
// one to the front.
void ShowHelp(TWindow* owner);
