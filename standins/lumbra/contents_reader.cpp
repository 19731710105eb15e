// Reads the text format into repository contents; any fault ends the read
// with the line it stands on, and nothing of a faulty text is kept.
#include <charconv>
#include <cstdint>
#include <set>
#include <string>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

#include "include/fixed_text.h"
#include "standins/lumbra/repository_text.h"
#include "standins/lumbra/text_tokens.h"

namespace lumbra {

namespace {

[[noreturn]] void Fail(const Token& at, const std::string& message) {
  throw SyntaxError{at.line, message};
}

template <class T>
bool ParseNumber(std::string_view word, T& value, int base = 10) {
  if (!word.empty() && word.front() == '+') word.remove_prefix(1);
  const char* end = word.data() + word.size();
  std::from_chars_result r;
  if constexpr (std::is_floating_point_v<T>)
    r = std::from_chars(word.data(), end, value);
  else
    r = std::from_chars(word.data(), end, value, base);
  return !word.empty() && r.ec == std::errc() && r.ptr == end;
}

// An 8-byte element of XVALS2, XVALS4 or XVALS6: 0x and hexadecimal digits,
// or a signed decimal integer.
bool ParseRawElement(std::string_view word, uint64_t& value) {
  if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X'))
    return word.size() <= 18 && ParseNumber(word.substr(2), value, 16);
  int64_t signed_value = 0;
  if (!ParseNumber(word, signed_value)) return false;
  value = static_cast<uint64_t>(signed_value);
  return true;
}

class ContentsParser {
 public:
  explicit ContentsParser(std::string_view text) : in_(text) {}

  Contents parse() {
    for (Token t = in_.next(); t.kind != Token::kEnd; t = in_.next()) {
      if (t.is_word("class"))
        declare_class(name("a class name"));
      else if (t.is_word("object"))
        parse_object();
      else
        Fail(t, "expected \"class\" or \"object\", found " + t.describe());
    }
    return std::move(out_);
  }

 private:
  // An id or a name: a word or a quoted text, not blank, without a NUL.
  std::string name(const char* what) {
    const Token t = in_.next();
    name_at_ = t;
    if (t.kind == Token::kEnd) Fail(t, std::string("expected ") + what + ", found " + t.describe());
    std::string value(fixed::Trimmed(t.value));
    if (value.empty()) Fail(t, std::string(what) + " is blank");
    if (value.find('\0') != std::string::npos) Fail(t, std::string(what) + " holds a NUL");
    return value;
  }

  void declare_class(std::string cls) {
    for (const std::string& known : out_.classes)
      if (known == cls) return;
    out_.classes.push_back(std::move(cls));
  }

  void expect_word(const char* word, const char* after) {
    const Token t = in_.next();
    if (!t.is_word(word))
      Fail(t, std::string("expected \"") + word + "\" " + after + ", found " + t.describe());
  }

  void parse_object() {
    Object object;
    object.id = name("an object id");
    for (const Object& o : out_.objects)
      if (o.id == object.id) Fail(name_at_, "object \"" + object.id + "\" appears twice");
    expect_word("class", "after the object id");
    object.cls = name("a class name");
    std::set<std::string> filled;  // records whose data this object already gave
    while (true) {
      const Token t = in_.next();
      if (t.is_word("end")) break;
      if (t.kind == Token::kEnd) Fail(t, "the file ends inside object \"" + object.id + "\"");
      if (t.is_word("member"))
        parse_member(object, t);
      else if (t.is_word("record"))
        parse_record(object, filled, t);
      else
        Fail(t, "expected \"member\", \"record\" or \"end\", found " + t.describe());
    }
    out_.objects.push_back(std::move(object));
  }

  void parse_member(Object& object, const Token& at) {
    Record member;
    member.name = name("a member name");
    member.member = true;
    if (object.find(member.name)) Fail(at, "\"" + member.name + "\" appears twice in the object");
    // "under" names an earlier member; without it the member is under the object.
    if (in_.peek().is_word("under")) {
      in_.next();
      member.parent = name("a parent member name");
      const Record* parent = object.find(member.parent);
      if (!parent || !parent->member)
        Fail(name_at_, "\"" + member.parent + "\" is not an earlier member of the object");
    }
    object.records.push_back(std::move(member));
  }

  void parse_record(Object& object, std::set<std::string>& filled, const Token& at) {
    Record record;
    record.name = name("a record name");
    if (!filled.insert(record.name).second)
      Fail(at, "record \"" + record.name + "\" appears twice in the object");
    std::set<std::string> arrays;
    while (true) {
      const Token t = in_.next();
      if (t.is_word("end")) break;
      if (t.kind == Token::kEnd) Fail(t, "the file ends inside record \"" + record.name + "\"");
      if (t.kind == Token::kWord && !arrays.insert(t.value).second)
        Fail(t, "\"" + t.value + "\" appears twice in the record");
      if (t.is_word("ivals"))
        read_values(record.ivals, t, [](const Token& v, int64_t& x) {
          return v.kind == Token::kWord && ParseNumber(v.value, x);
        });
      else if (t.is_word("rvals"))
        read_values(record.rvals, t, [](const Token& v, double& x) {
          return v.kind == Token::kWord && ParseNumber(v.value, x);
        });
      else if (t.is_word("svals"))
        read_values(record.svals, t, [](const Token& v, std::string& x) {
          x = fixed::Trimmed(v.value);
          return v.kind != Token::kEnd;
        });
      else if (t.is_word("xvals2"))
        read_raw(record.xvals2, t);
      else if (t.is_word("xvals4"))
        read_raw(record.xvals4, t);
      else if (t.is_word("xvals6"))
        read_raw(record.xvals6, t);
      else if (t.is_word("counts"))
        record.stated = read_counts();
      else
        Fail(t, "expected an array name, \"counts\" or \"end\", found " + t.describe());
    }
    if (Record* member = object.find(record.name))
      member->replace_data(std::move(record));
    else
      object.records.push_back(std::move(record));
  }

  int64_t count(const Token& after) {
    const Token t = in_.next();
    int64_t n = -1;
    if (t.kind != Token::kWord || !ParseNumber(t.value, n) || n < 0)
      Fail(t, "expected a count after " + after.describe() + ", found " + t.describe());
    return n;
  }

  // The values are read one by one, so a count larger than the file's values
  // fails on the values that are not there instead of on a huge allocation.
  template <class T, class Parse>
  void read_values(std::vector<T>& values, const Token& array, Parse parse) {
    const int64_t n = count(array);
    for (int64_t i = 0; i < n; ++i) {
      const Token t = in_.next();
      T value{};
      if (!parse(t, value))
        Fail(t, "value " + std::to_string(i + 1) + " of " + std::to_string(n) + " of " +
                    array.describe() + " is not readable: " + t.describe());
      values.push_back(std::move(value));
    }
  }

  void read_raw(std::vector<uint64_t>& values, const Token& array) {
    read_values(values, array, [](const Token& v, uint64_t& x) {
      return v.kind == Token::kWord && ParseRawElement(v.value, x);
    });
  }

  Counts read_counts() {
    Counts counts{};
    for (int64_t& c : counts) {
      const Token t = in_.next();
      if (t.kind != Token::kWord || !ParseNumber(t.value, c) || c < 0)
        Fail(t, "\"counts\" takes six counts, found " + t.describe());
    }
    return counts;
  }

  TokenReader in_;
  Contents out_;
  Token name_at_;  // the token of the last name read
};

}  // namespace

ParseOutcome ParseContents(std::string_view text) {
  // A file saved by an editor may begin with the UTF-8 byte order mark.
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  ParseOutcome outcome;
  try {
    outcome.contents = ContentsParser(text).parse();
    outcome.ok = true;
  } catch (const SyntaxError& e) {
    outcome.line = e.line;
    outcome.message = e.message;
  }
  return outcome;
}

}  // namespace lumbra
