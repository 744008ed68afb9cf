#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "framework/Platform.h"

// The head of a session record: the version that wrote it and the save file the session started
// from, as runner commands:
//   record VERSION
//   startsave none | unreadable | N     no save file, one that could not be read, or N bytes ...
//   savebytes HEX                       ... given 64 a line
struct StartSave {
  enum class Kind { None, Unreadable, Bytes } kind = Kind::None;
  std::string bytes;
};

// The save file at path as it is now, for a record's head.
StartSave ReadStartSave(const std::string& path);
std::string RecordHeaderText(const StartSave& save);

// Reads a record's head line by line.
class RecordHeader {
 public:
  enum class Line { NotHeader, Taken, Malformed };
  Line Take(const std::vector<std::string>& words);
  // After the head: every announced byte has come.
  bool Complete() const { return !save_ || save_->bytes.size() == expected_; }
  const std::optional<std::string>& Version() const { return version_; }
  const std::optional<StartSave>& Save() const { return save_; }

 private:
  std::optional<std::string> version_;
  std::optional<StartSave> save_;
  std::size_t expected_ = 0;
};

// A record read whole, for playing it back in a real window.
struct Record {
  StartSave save;
  struct Input {
    InputEvent event;
    std::uint64_t ms;  // the game's millisecond it was handled at
  };
  std::vector<Input> inputs;
};
// Nothing, with why in error, for a file that is not a record.
std::optional<Record> ReadRecord(const std::string& path, std::string& error);
