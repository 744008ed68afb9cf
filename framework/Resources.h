#pragma once
#include <span>
#include <string_view>

#include "framework/Surface.h"
#include "framework/Template.h"

// The program's embedded resources, looked up by number or name. A missing resource is a
// programming error: the lookups abort with a message.
struct BitmapResourceInfo {
  int id;
  int width;
  int height;
  int colors;  // 2 (monochrome), 16 or 256
};

std::span<const BitmapResourceInfo> BitmapResourceTable();  // ascending by id
const Surface& BitmapResource(int id);
const DialogTemplate& DialogResource(int id);
const MenuTemplate& MenuResource(std::string_view name);
const Surface& IconResource(int id);
