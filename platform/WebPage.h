#pragma once
#include <cstdint>

// What the web build's C++ calls in the page: web/page/library_tavo2.js. The calls marked
// "yields" wait for the browser (ASYNCIFY): the game's stack is kept while the page runs on.

struct PageEvent {
  enum Kind : std::int32_t { kNone, kStage, kPointer, kKey };
  std::int32_t kind;
  std::int32_t phase;   // pointer: 0 down, 1 up, 2 move; key: 0 down, 1 up
  std::int32_t x, y;    // pointer: in stage pixels
  std::int32_t button;  // 0 left, 1 right
  std::int32_t key;     // the index into WebPlatform's key table
  std::int32_t letter;  // a letter key, lower case
  std::int32_t alt;
  std::int32_t shift;
};

extern "C" {
void tavo2_page_open(int width, int height);
double tavo2_page_now_us();
int tavo2_page_stage_width();
int tavo2_page_stage_height();
void tavo2_page_place(int left, int top, int scale);
int tavo2_page_next_event(PageEvent* into);
// Yields until an event is queued or ms have passed (ms < 0: until an event).
void tavo2_page_wait(double ms);
void tavo2_page_present(const void* pixels, int width, int height);
void tavo2_page_toggle_full_screen();
// The game has ended: the page says so.
void tavo2_page_close();

// Glyphs: writes advance, left, top, width, height and then width × height ink bytes into out
// (capacity bytes); returns 0 when they do not fit.
int tavo2_page_glyph(int face, int codePoint, int pixelSize, int baseline, std::int32_t* out, int capacity);

// The save record in IndexedDB (yields). Read: the record's length into *length and its first
// capacity bytes into into; returns 0 found, 1 none stored, 2 storage refused us, 3 a record that
// is not bytes.
int tavo2_page_save_read(void* into, int capacity, int* length);
// Keeps the stored record under name aside; returns 0 on success.
int tavo2_page_save_keep_aside(const char* name);
// Replaces the record in one transaction; returns 0 when it is stored.
int tavo2_page_save_write(const void* from, int length);
// The Web Locks API: 0 held by this tab, 1 held by another, 2 no locks here (yields).
int tavo2_page_lock(const char* name);
}
