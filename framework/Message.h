#pragma once
#include <functional>
#include <initializer_list>
#include <vector>

#include "framework/Geometry.h"
#include "framework/Platform.h"

// A message delivered to a window's response table.
enum class Msg { Command, Timer, LButtonDown, LButtonUp, RButtonDown, MouseMove, KeyDown, KeyUp };

struct Message {
  Msg kind = Msg::Command;
  int id = 0;          // command id or timer id
  TPoint point;        // client point of mouse messages
  Key key = Key::Other;
  char letter = 0;
  bool alt = false;
  bool shift = false;
  bool ctrl = false;
};

// A per-class table that binds messages to member handlers. Dispatch tries the entries in order;
// a class chains to its base class's table when none matches (see RESPONSE_TABLE_DISPATCH).
template <class T>
class ResponseTable {
 public:
  struct Entry {
    Msg kind;
    int id;  // command id; kAnyId for the other kinds
    std::function<void(T&, const Message&)> handler;
  };
  static constexpr int kAnyId = -1;

  ResponseTable(std::initializer_list<Entry> entries) : entries_(entries) {}

  bool Dispatch(T& window, const Message& m) const {
    for (const Entry& e : entries_) {
      if (e.kind == m.kind && (e.id == kAnyId || e.id == m.id)) {
        e.handler(window, m);
        return true;
      }
    }
    return false;
  }

  static Entry Command(int id, void (T::*f)()) {
    return {Msg::Command, id, [f](T& w, const Message&) { (w.*f)(); }};
  }
  static Entry Timer(void (T::*f)(int timerId)) {
    return {Msg::Timer, kAnyId, [f](T& w, const Message& m) { (w.*f)(m.id); }};
  }
  static Entry LButtonDown(void (T::*f)(const TPoint&)) {
    return {Msg::LButtonDown, kAnyId, [f](T& w, const Message& m) { (w.*f)(m.point); }};
  }
  static Entry RButtonDown(void (T::*f)(const TPoint&)) {
    return {Msg::RButtonDown, kAnyId, [f](T& w, const Message& m) { (w.*f)(m.point); }};
  }
  // Key down and up handled by the framework's default processing.
  static Entry KeyDown(void (T::*f)(const Message&)) {
    return {Msg::KeyDown, kAnyId, [f](T& w, const Message& m) { (w.*f)(m); }};
  }
  static Entry KeyDownDefault() {
    return {Msg::KeyDown, kAnyId, [](T& w, const Message& m) { w.DefaultProcessing(m); }};
  }
  static Entry KeyUpDefault() {
    return {Msg::KeyUp, kAnyId, [](T& w, const Message& m) { w.DefaultProcessing(m); }};
  }

 private:
  std::vector<Entry> entries_;
};

#define DECLARE_RESPONSE_TABLE(cls)                \
  static const ResponseTable<cls>& ResponseTableOf(); \
  bool Dispatch(const Message& m) override

#define DEFINE_RESPONSE_TABLE(cls, base, ...)                      \
  const ResponseTable<cls>& cls::ResponseTableOf() {               \
    using RT = ResponseTable<cls>;                                  \
    static const RT table{__VA_ARGS__};                             \
    return table;                                                   \
  }                                                                 \
  bool cls::Dispatch(const Message& m) { return ResponseTableOf().Dispatch(*this, m) || base::Dispatch(m); }
