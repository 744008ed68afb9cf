#include "framework/Bitmap.h"

#include "framework/Resources.h"

TBitmap::TBitmap(int resourceId) : pixels_(BitmapResource(resourceId)) {}
