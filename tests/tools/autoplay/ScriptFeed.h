#pragma once
#include <functional>
#include <optional>
#include <streambuf>
#include <string>
#include <vector>

// A stream buffer that fetches one line at a time from a source, only when its reader needs the
// next one: the source decides each line from the game as it is at that moment (nullopt: the end).
class LineFeed : public std::streambuf {
 public:
  explicit LineFeed(std::function<std::optional<std::string>()> source) : source_(std::move(source)) {}

 protected:
  int_type underflow() override;

 private:
  std::function<std::optional<std::string>()> source_;
  std::string line_;
};

// The script as written down: waits in a row become one, as no input happens between them.
class ScriptWriter {
 public:
  void Add(const std::string& line);
  std::string Text();

 private:
  void FlushWait();
  std::vector<std::string> lines_;
  unsigned long long pendingWait_ = 0;
};
