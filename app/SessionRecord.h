#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "app/RecordHeader.h"
#include "platform/ForwardingPlatform.h"

// The record of a session in a real window: a runner script, its head (RecordHeader.h), then each
// input after a wait of the game's milliseconds since the one before. Every line is written out as
// it comes, so a crash keeps all but what came after it; once a write fails, the record stops.
class SessionRecord {
 public:
  // Starts the record at path. The default record (tavo2-session.txt) keeps the one before as
  // tavo2-session-1.txt.
  SessionRecord(const std::string& path, const StartSave& save, bool keepPrevious);
  ~SessionRecord();
  SessionRecord(const SessionRecord&) = delete;
  SessionRecord& operator=(const SessionRecord&) = delete;

  // An input the game handles at its millisecond ms.
  void Add(const InputEvent& event, std::uint64_t ms);
  bool Writing() const { return file_ != nullptr; }

 private:
  void Write(const std::string& text);
  std::FILE* file_ = nullptr;
  std::uint64_t lastMs_ = 0;
};

inline constexpr const char* kSessionRecordName = "tavo2-session.txt";
inline constexpr const char* kPreviousSessionRecordName = "tavo2-session-1.txt";

// Stands between the desktop and a real window's platform, adding to the record every input the
// loop is handed, at the game's time it is handled.
class RecordingPlatform : public ForwardingPlatform {
 public:
  explicit RecordingPlatform(Platform& inner) : ForwardingPlatform(inner) {}
  void Start(std::unique_ptr<SessionRecord> record) { record_ = std::move(record); }

  InputEvent WaitEvent(std::optional<std::uint64_t> nextDue) override;

 private:
  std::unique_ptr<SessionRecord> record_;
};
