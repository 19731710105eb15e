#include "standins/lumbra/text_tokens.h"

#include <cstdio>
#include <utility>

namespace lumbra {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string Token::describe() const {
  switch (kind) {
    case kWord:
      return "\"" + value + "\"";
    case kText:
      return "the text " + QuoteText(value);
    case kEnd:
      break;
  }
  return "the end of the file";
}

void TokenReader::skip_blanks_and_comments() {
  while (pos_ < text_.size()) {
    const char c = text_[pos_];
    if (c == '\n') {
      ++line_;
      ++pos_;
    } else if (IsBlank(c)) {
      ++pos_;
    } else if (c == '#') {
      while (pos_ < text_.size() && text_[pos_] != '\n') ++pos_;
    } else {
      return;
    }
  }
}

std::string TokenReader::read_quoted() {
  std::string value;
  ++pos_;  // the opening quote
  while (true) {
    if (pos_ >= text_.size() || text_[pos_] == '\n')
      throw SyntaxError{line_, "a quoted text is not closed on its line"};
    const char c = text_[pos_++];
    if (c == '"') return value;
    if (c != '\\') {
      value += c;
      continue;
    }
    const char e = pos_ < text_.size() ? text_[pos_++] : '\n';
    if (e == '"' || e == '\\') {
      value += e;
    } else if (e == 'x' && pos_ + 1 < text_.size() && HexDigit(text_[pos_]) >= 0 &&
               HexDigit(text_[pos_ + 1]) >= 0) {
      value += static_cast<char>(HexDigit(text_[pos_]) * 16 + HexDigit(text_[pos_ + 1]));
      pos_ += 2;
    } else {
      throw SyntaxError{line_, "unknown escape in a quoted text (write \\\\ for a backslash)"};
    }
  }
}

Token TokenReader::next() {
  if (peeked_) {
    peeked_ = false;
    return std::move(pending_);
  }
  return scan();
}

const Token& TokenReader::peek() {
  if (!peeked_) {
    pending_ = scan();
    peeked_ = true;
  }
  return pending_;
}

Token TokenReader::scan() {
  skip_blanks_and_comments();
  Token token;
  token.line = line_;
  if (pos_ >= text_.size()) return token;
  if (text_[pos_] == '"') {
    token.kind = Token::kText;
    token.value = read_quoted();
    return token;
  }
  const std::size_t start = pos_;
  while (pos_ < text_.size() && !IsBlank(text_[pos_]) && text_[pos_] != '"' && text_[pos_] != '#')
    ++pos_;
  token.kind = Token::kWord;
  token.value = text_.substr(start, pos_ - start);
  return token;
}

std::string QuoteText(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7f) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02x", byte);
      out += escape;
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

}  // namespace lumbra
