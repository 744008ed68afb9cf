#pragma once

class TDC;

// The texts around the scene: the bait thrown in at the top left, the time (or a tournament's
// time left) at the top right. A paint writes them with wider blank padding than a clock tick.
void PaintStatusLine(TDC& dc);
void TickStatusLine(TDC& dc);
