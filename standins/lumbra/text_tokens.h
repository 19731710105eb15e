// Words and quoted texts of the repository's text format, with the line each
// starts on. A '#' outside a quoted text starts a comment to the line's end.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lumbra {

struct Token {
  enum Kind { kWord, kText, kEnd };
  Kind kind = kEnd;
  std::string value;
  int line = 0;

  bool is_word(std::string_view word) const { return kind == kWord && value == word; }
  // How the token reads in an error message.
  std::string describe() const;
};

// What makes a file unreadable, with the line it was found on.
struct SyntaxError {
  int line;
  std::string message;
};

class TokenReader {
 public:
  explicit TokenReader(std::string_view text) : text_(text) {}
  // The next token; at the end of the text a kEnd token on the last line.
  // Throws SyntaxError for an unterminated text or an unknown escape.
  Token next();
  // The token that next() will give, without taking it.
  const Token& peek();

 private:
  Token scan();
  void skip_blanks_and_comments();
  std::string read_quoted();

  std::string_view text_;
  std::size_t pos_ = 0;
  int line_ = 1;
  bool peeked_ = false;
  Token pending_;
};

// The text in quotes, with '"', '\' and control characters escaped so that
// TokenReader gives it back unchanged.
std::string QuoteText(std::string_view text);

}  // namespace lumbra
