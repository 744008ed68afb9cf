#include "app/SessionRecord.h"

#include "platform/InputLines.h"

SessionRecord::SessionRecord(const std::string& path, const StartSave& save, bool keepPrevious) {
  if (keepPrevious) {
    std::remove(kPreviousSessionRecordName);  // Windows renames over nothing
    std::rename(path.c_str(), kPreviousSessionRecordName);
  }
  file_ = std::fopen(path.c_str(), "wb");
  if (file_ != nullptr)
    Write("# A session of tavo2, played again by: tavo2-script FILE (or tavo2 --replay FILE)\n" +
          RecordHeaderText(save));
}

SessionRecord::~SessionRecord() {
  if (file_ != nullptr) std::fclose(file_);
}

void SessionRecord::Add(const InputEvent& event, std::uint64_t ms) {
  if (file_ == nullptr) return;
  const std::optional<std::string> line = InputLine(event);
  if (!line) return;
  std::string text;
  if (ms > lastMs_) text = "wait " + std::to_string(ms - lastMs_) + "\n";
  lastMs_ = ms;
  Write(text + *line + "\n");
}

void SessionRecord::Write(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), file_) == text.size() && std::fflush(file_) == 0) return;
  std::fclose(file_);
  file_ = nullptr;
}

InputEvent RecordingPlatform::WaitEvent(std::optional<std::uint64_t> nextDue) {
  const InputEvent event = inner_.WaitEvent(nextDue);
  if (record_) record_->Add(event, inner_.Now());
  return event;
}
