// tavo2-cp932-literals SOURCE OUT: copies the source tree SOURCE to OUT (build folders, .git and
// docs left out), writing every non-ASCII character of a plain narrow string or character literal
// in the C++ sources as octal escapes of its CP932 bytes. GCC compiles such literals to CP932
// itself (-fexec-charset); clang cannot, and libFuzzer and Emscripten come with clang, so the fuzz
// and the web builds compile this copy (make cp932-sources). u8, u, U and L literals and comments
// are copied as they are. Files whose copy would not change are not touched, so a rebuild compiles
// only what changed.
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/Encoding.h"

namespace fs = std::filesystem;

namespace {

bool IdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

size_t Utf8Length(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// Copies the literal that opens at text[i] (a quote) and returns the index after it.
size_t CopyLiteral(const std::string& text, size_t i, bool narrow, std::string& out) {
  const char quote = text[i];
  out += quote;
  ++i;
  while (i < text.size() && text[i] != quote && text[i] != '\n') {
    if (text[i] == '\\' && i + 1 < text.size()) {
      out.append(text, i, 2);
      i += 2;
    } else if (narrow && static_cast<unsigned char>(text[i]) >= 0x80) {
      const size_t length = Utf8Length(static_cast<unsigned char>(text[i]));
      for (unsigned char byte : Utf8ToCp932(std::string_view(text).substr(i, length))) {
        const char octal[] = {'\\', static_cast<char>('0' + (byte >> 6)), static_cast<char>('0' + ((byte >> 3) & 7)),
                              static_cast<char>('0' + (byte & 7))};
        out.append(octal, 4);
      }
      i += length;
    } else {
      out += text[i++];
    }
  }
  if (i < text.size() && text[i] == quote) out += text[i++];
  return i;
}

std::string Transcode(const std::string& text) {
  std::string out;
  out.reserve(text.size() * 2);
  size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (c == '/' && i + 1 < text.size() && (text[i + 1] == '/' || text[i + 1] == '*')) {
      const bool line = text[i + 1] == '/';
      const size_t end = line ? text.find('\n', i) : text.find("*/", i + 2);
      const size_t stop = end == std::string::npos ? text.size() : end + (line ? 0 : 2);
      out.append(text, i, stop - i);
      i = stop;
    } else if (IdentifierChar(c) && !(c >= '0' && c <= '9')) {
      // An identifier, or the prefix of a literal.
      size_t end = i;
      while (end < text.size() && IdentifierChar(text[end])) ++end;
      const std::string word = text.substr(i, end - i);
      out += word;
      i = end;
      if (i < text.size() && (text[i] == '"' || text[i] == '\'')) {
        if (word == "R" || word == "u8R" || word == "uR" || word == "UR" || word == "LR") {
          std::cerr << "raw string literals are not supported\n";
          std::exit(1);
        }
        const bool encoded = word == "u8" || word == "u" || word == "U" || word == "L";
        i = CopyLiteral(text, i, !encoded, out);
      }
    } else if (c >= '0' && c <= '9') {
      // A number, whose digit separators are no character literals.
      size_t end = i + 1;
      while (end < text.size() && (IdentifierChar(text[end]) || text[end] == '.' ||
                                   (text[end] == '\'' && end + 1 < text.size() && IdentifierChar(text[end + 1])) ||
                                   ((text[end] == '+' || text[end] == '-') && std::strchr("eEpP", text[end - 1]))))
        ++end;
      out.append(text, i, end - i);
      i = end;
    } else if (c == '"' || c == '\'') {
      i = CopyLiteral(text, i, true, out);
    } else {
      out += c;
      ++i;
    }
  }
  return out;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteIfChanged(const fs::path& path, const std::string& content) {
  if (fs::exists(path) && ReadAll(path) == content) return;
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: tavo2-cp932-literals SOURCE OUT\n";
    return 2;
  }
  const fs::path source = fs::canonical(argv[1]);
  const fs::path out = fs::absolute(argv[2]);
  for (auto it = fs::recursive_directory_iterator(source); it != fs::recursive_directory_iterator(); ++it) {
    const fs::path relative = fs::relative(it->path(), source);
    const std::string top = relative.begin()->string();
    if (top == ".git" || top == "docs" || top.rfind("build", 0) == 0 || it->path() == out) {
      if (it->is_directory()) it.disable_recursion_pending();
      continue;
    }
    if (!it->is_regular_file()) continue;
    const std::string extension = it->path().extension().string();
    const std::string text = ReadAll(it->path());
    WriteIfChanged(out / relative, extension == ".cpp" || extension == ".h" ? Transcode(text) : text);
  }
  // The build checks for this mark before it lets a compiler other than GCC in.
  WriteIfChanged(out / ".literals-cp932", "");
  // A mirror: files the sources no longer have (renamed or removed) must not be built.
  std::vector<fs::path> gone;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(out))
    if (entry.is_regular_file() && entry.path().filename() != ".literals-cp932" &&
        !fs::exists(source / fs::relative(entry.path(), out)))
      gone.push_back(entry.path());
  for (const fs::path& path : gone) fs::remove(path);
  return 0;
}
