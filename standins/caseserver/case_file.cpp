#include "standins/caseserver/case_file.h"

#include <charconv>
#include <cstdint>
#include <vector>

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void AppendQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (ch == '"' || ch == '\\') {
      out += '\\';
      out += ch;
    } else if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += ch;
    }
  }
  out += '"';
}

// One line split into bare words and quoted texts.
struct Token {
  std::string text;
  bool quoted = false;
};

int HexDigit(char ch) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
  if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
  return -1;
}

std::optional<std::vector<Token>> Tokenize(std::string_view line) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ' ' || line[i] == '\t') {
      ++i;
      continue;
    }
    Token t;
    if (line[i] != '"') {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') t.text += line[i++];
      tokens.push_back(std::move(t));
      continue;
    }
    t.quoted = true;
    ++i;
    for (;;) {
      if (i >= line.size()) return std::nullopt;  // unterminated
      const char ch = line[i++];
      if (ch == '"') break;
      if (ch != '\\') {
        t.text += ch;
        continue;
      }
      if (i >= line.size()) return std::nullopt;
      const char esc = line[i++];
      if (esc == '"' || esc == '\\') {
        t.text += esc;
      } else if (esc == 'x' && i + 1 < line.size() && HexDigit(line[i]) >= 0 &&
                 HexDigit(line[i + 1]) >= 0) {
        t.text += static_cast<char>(HexDigit(line[i]) * 16 + HexDigit(line[i + 1]));
        i += 2;
      } else {
        return std::nullopt;
      }
    }
    tokens.push_back(std::move(t));
  }
  return tokens;
}

template <class Int>
std::optional<Int> Number(const Token& t) {
  Int value{};
  if (t.quoted) return std::nullopt;
  const char* end = t.text.data() + t.text.size();
  auto [p, ec] = std::from_chars(t.text.data(), end, value);
  if (ec != std::errc{} || p != end) return std::nullopt;
  return value;
}

}  // namespace

std::string FormatCaseFile(const ProgramCase& c) {
  std::string out(kCaseFileMagic);
  out += "\nprogram ";
  AppendQuoted(out, c.program());
  out += '\n';
  for (int k = 0; k < kCollectionCount; ++k) {
    const auto collection = static_cast<Collection>(k);
    for (const auto& [name, variable] : c.variables(collection)) {
      out += "variable ";
      out += CollectionName(collection);
      out += ' ';
      AppendQuoted(out, name);
      out += ' ' + std::to_string(variable.count()) + '\n';
      for (int i = 1; i <= variable.count(); ++i) {
        const CaseEntry& e = *variable.entry(i);
        if (e.blank()) continue;
        out += "entry " + std::to_string(i) + ' ' + std::to_string(e.flag) + ' ';
        AppendQuoted(out, e.value);
        if (!e.text.empty()) {
          out += ' ';
          AppendQuoted(out, e.text);
        }
        out += '\n';
      }
    }
  }
  out += "end\n";
  return out;
}

std::optional<ProgramCase> ParseCaseFile(std::string_view text) {
  std::optional<ProgramCase> c;
  CaseVariable* variable = nullptr;
  bool first = true;
  bool ended = false;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    if (first) {
      if (line != kCaseFileMagic) return std::nullopt;
      first = false;
      continue;
    }
    auto tokens = Tokenize(line);
    if (!tokens) return std::nullopt;
    if (tokens->empty() || (!(*tokens)[0].quoted && (*tokens)[0].text.starts_with('#')))
      continue;                      // blank line or comment
    if (ended) return std::nullopt;  // only blank lines may follow the end

    const std::vector<Token>& t = *tokens;
    const std::string& keyword = t[0].quoted ? std::string() : t[0].text;
    if (keyword == "program" && t.size() == 2 && t[1].quoted && !c) {
      c.emplace(t[1].text);
    } else if (keyword == "variable" && t.size() == 4 && c && t[2].quoted) {
      const auto collection = CollectionNamed(t[1].text);
      const auto count = Number<int>(t[3]);
      if (!collection || t[1].quoted || !count || *count < 0 || *count > kMaxEntries)
        return std::nullopt;
      if (IsScalar(*collection) && *count != 1) return std::nullopt;
      if (c->Find(*collection, t[2].text)) return std::nullopt;  // named twice
      variable = &c->Define(*collection, t[2].text, *count);
    } else if (keyword == "entry" && (t.size() == 4 || t.size() == 5) && variable) {
      const auto index = Number<int>(t[1]);
      const auto flag = Number<int64_t>(t[2]);
      CaseEntry* e = index ? variable->entry(*index) : nullptr;
      if (!e || !flag || !t[3].quoted || (t.size() == 5 && !t[4].quoted)) return std::nullopt;
      e->flag = *flag;
      e->value = t[3].text;
      e->text = t.size() == 5 ? t[4].text : std::string();
    } else if (keyword == "end" && t.size() == 1 && c) {
      ended = true;
    } else {
      return std::nullopt;
    }
  }
  if (!ended) return std::nullopt;
  return c;
}
