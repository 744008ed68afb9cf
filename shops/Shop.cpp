#include "shops/Shop.h"

#include "framework/DC.h"

TShop::TShop(TWindow* parent, int templateId) : TDialog(parent, templateId), interior_(32) {}

void TShop::Paint(TDC& dc, bool, const TRect&) {
  DrawBitmap(dc, interior_, 0, 0);
}
