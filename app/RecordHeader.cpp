#include "app/RecordHeader.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "app/Version.h"
#include "platform/InputLines.h"

namespace {
constexpr std::size_t kBytesPerLine = 64;
constexpr long kLargestSave = 1 << 20;  // what is larger is no save of ours: the record says unreadable

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

StartSave ReadStartSave(const std::string& path) {
  StartSave save;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) {
    save.kind = errno == ENOENT ? StartSave::Kind::None : StartSave::Kind::Unreadable;
    return save;
  }
  save.kind = StartSave::Kind::Bytes;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) {
    save.bytes.append(buffer, n);
    if (save.bytes.size() > static_cast<std::size_t>(kLargestSave)) break;
  }
  if (std::ferror(f) || save.bytes.size() > static_cast<std::size_t>(kLargestSave))
    save = {StartSave::Kind::Unreadable, {}};
  std::fclose(f);
  return save;
}

std::string RecordHeaderText(const StartSave& save) {
  std::string text = "record " TAVO2_VERSION "\n";
  switch (save.kind) {
    case StartSave::Kind::None:
      return text + "startsave none\n";
    case StartSave::Kind::Unreadable:
      return text + "startsave unreadable\n";
    case StartSave::Kind::Bytes:
      break;
  }
  text += "startsave " + std::to_string(save.bytes.size()) + "\n";
  static const char kHex[] = "0123456789abcdef";
  for (std::size_t at = 0; at < save.bytes.size(); at += kBytesPerLine) {
    text += "savebytes ";
    for (std::size_t i = at; i < save.bytes.size() && i < at + kBytesPerLine; ++i) {
      const auto b = static_cast<unsigned char>(save.bytes[i]);
      text += kHex[b >> 4];
      text += kHex[b & 15];
    }
    text += '\n';
  }
  return text;
}

RecordHeader::Line RecordHeader::Take(const std::vector<std::string>& w) {
  if (w.empty()) return Line::NotHeader;
  if (w[0] == "record") {
    if (w.size() != 2 || version_) return Line::Malformed;
    version_ = w[1];
    return Line::Taken;
  }
  if (w[0] == "startsave") {
    if (w.size() != 2 || save_) return Line::Malformed;
    StartSave save;
    if (w[1] == "none") {
      save.kind = StartSave::Kind::None;
    } else if (w[1] == "unreadable") {
      save.kind = StartSave::Kind::Unreadable;
    } else {
      if (w[1].empty() || w[1].size() > 7 || w[1].find_first_not_of("0123456789") != std::string::npos)
        return Line::Malformed;
      save.kind = StartSave::Kind::Bytes;
      expected_ = std::stoul(w[1]);
    }
    save_ = save;
    return Line::Taken;
  }
  if (w[0] == "savebytes") {
    if (w.size() != 2 || !save_ || w[1].size() % 2 != 0 || save_->bytes.size() + w[1].size() / 2 > expected_)
      return Line::Malformed;
    for (std::size_t i = 0; i < w[1].size(); i += 2) {
      const int hi = HexDigit(w[1][i]), lo = HexDigit(w[1][i + 1]);
      if (hi < 0 || lo < 0) return Line::Malformed;
      save_->bytes += static_cast<char>(hi * 16 + lo);
    }
    return Line::Taken;
  }
  return Line::NotHeader;
}

std::optional<Record> ReadRecord(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  Record record;
  RecordHeader header;
  std::uint64_t ms = 0;
  int number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::istringstream split(line);
    std::vector<std::string> w;
    for (std::string word; split >> word;) w.push_back(word);
    if (w.empty() || w[0][0] == '#') continue;
    const RecordHeader::Line taken = header.Take(w);
    bool ok = taken == RecordHeader::Line::Taken;
    if (taken == RecordHeader::Line::NotHeader) {
      if (w[0] == "wait" && w.size() == 2 && !w[1].empty() && w[1].size() < 12 &&
          w[1].find_first_not_of("0123456789") == std::string::npos) {
        ms += std::stoull(w[1]);
        ok = true;
      } else if (std::optional<InputEvent> e = ParseInputLine(w)) {
        record.inputs.push_back({*e, ms});
        ok = true;
      }
    }
    // A line cut short at the very end (the game killed while writing it) is left out.
    if (!ok && in.eof()) break;
    if (!ok) {
      error = path + ": line " + std::to_string(number) + " is not part of a record";
      return std::nullopt;
    }
  }
  if (!header.Save() || !header.Complete()) {
    error = path + ": not a record (no save file named at its head)";
    return std::nullopt;
  }
  record.save = *header.Save();
  return record;
}
