// Writes repository contents in the text format: reals in their shortest
// form that reads back to the same value, 8-byte elements in hexadecimal.
#include <charconv>
#include <cinttypes>
#include <cstdio>

#include "standins/lumbra/repository_text.h"
#include "standins/lumbra/text_tokens.h"

namespace lumbra {

namespace {

std::string Integer(int64_t value) { return std::to_string(value); }

std::string Real(double value) {
  char buffer[32];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, r.ptr);
}

std::string Raw(uint64_t value) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "0x%016" PRIx64, value);
  return buffer;
}

// One array: its name and count, then its values, per_line to a line.
template <class T, class Format>
void WriteArray(std::string& out, const char* name, const std::vector<T>& values,
                std::size_t per_line, Format format) {
  if (values.empty()) return;
  out += "    ";
  out += name;
  out += ' ';
  out += std::to_string(values.size());
  for (std::size_t i = 0; i < values.size(); ++i) {
    out += i % per_line == 0 ? "\n      " : " ";
    out += format(values[i]);
  }
  out += '\n';
}

void WriteRecord(std::string& out, const Record& record) {
  out += "  record " + QuoteText(record.name) + "\n";
  WriteArray(out, "ivals", record.ivals, 8, Integer);
  WriteArray(out, "xvals2", record.xvals2, 4, Raw);
  WriteArray(out, "rvals", record.rvals, 4, Real);
  WriteArray(out, "xvals4", record.xvals4, 4, Raw);
  WriteArray(out, "svals", record.svals, 1, QuoteText);
  WriteArray(out, "xvals6", record.xvals6, 4, Raw);
  if (record.stated) {
    out += "    counts";
    for (const int64_t c : *record.stated) out += " " + Integer(c);
    out += '\n';
  }
  out += "  end\n";
}

}  // namespace

std::string WriteContents(const Contents& contents) {
  std::string out = "# Case repository contents\n";
  for (const std::string& cls : contents.classes) out += "class " + QuoteText(cls) + "\n";
  for (const Object& object : contents.objects) {
    out += "\nobject " + QuoteText(object.id) + " class " + QuoteText(object.cls) + "\n";
    for (const Record& record : object.records) {
      if (record.member) {
        out += "  member " + QuoteText(record.name);
        if (!record.parent.empty()) out += " under " + QuoteText(record.parent);
        out += '\n';
      }
      if (!record.member || record.holds_data()) WriteRecord(out, record);
    }
    out += "end\n";
  }
  return out;
}

}  // namespace lumbra
