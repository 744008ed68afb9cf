#include "shops/Shop.h"

#include "framework/DC.h"

TShop::TShop(TWindow* parent, int templateId) : TDialog(parent, templateId), interior_(32) {}

void TShop::Paint(TDC& dc, bool, const TRect&) {
  TMemoryDC memory(dc);
  memory.SelectObject(interior_);
  dc.BitBlt(0, 0, interior_.Width(), interior_.Height(), memory, 0, 0, Rop::SrcCopy);
}
