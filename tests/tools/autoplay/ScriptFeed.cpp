#include "tests/tools/autoplay/ScriptFeed.h"

LineFeed::int_type LineFeed::underflow() {
  if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
  const std::optional<std::string> line = source_();
  if (!line) return traits_type::eof();
  line_ = *line + "\n";
  setg(line_.data(), line_.data(), line_.data() + line_.size());
  return traits_type::to_int_type(*gptr());
}

void ScriptWriter::Add(const std::string& line) {
  if (line.starts_with("wait ")) {
    pendingWait_ += std::stoull(line.substr(5));
    return;
  }
  FlushWait();
  lines_.push_back(line);
}

std::string ScriptWriter::Text() {
  FlushWait();
  std::string text;
  for (const std::string& line : lines_) text += line + "\n";
  return text;
}

void ScriptWriter::FlushWait() {
  if (pendingWait_) lines_.push_back("wait " + std::to_string(pendingWait_));
  pendingWait_ = 0;
}
