// A listener to the report reader that keeps a copy of each page it is
// handed, as the page buffers held it at that moment.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "report/print/page_buffers.h"
#include "report/print/report_reader.h"

struct ReadPage {
  std::vector<std::string> text;   // the page's rows, 80 characters each
  std::vector<std::string> marks;  // the same of the marks
  std::vector<PagePicture> pictures;
  bool before_break = false;  // a page-break line ended it

  // Columns 1-79 of a row without trailing blanks.
  std::string Row(std::size_t row) const {
    std::string r = text.at(row).substr(0, 79);
    return r.erase(r.find_last_not_of(' ') + 1);
  }
};

class PageRecorder : public ReportPageSink {
 public:
  bool PageComplete(int32_t lines) override {
    ReadPage page;
    for (int32_t r = 0; r < lines; ++r) {
      page.text.emplace_back(PAGE_TEXT[r], ROW_CELLS);
      page.marks.emplace_back(PAGE_MARKS[r], ROW_CELLS);
    }
    page.pictures.assign(PAGE_PICTURES.entries, PAGE_PICTURES.entries + PAGE_PICTURES.count);
    pages.push_back(page);
    return static_cast<int32_t>(pages.size()) != stop_after;
  }
  bool PageBreak() override {
    pages.back().before_break = true;
    return true;
  }

  std::vector<ReadPage> pages;
  int32_t stop_after = -1;  // answers false after that many pages
};

// A body line as the page writer puts it: 79 text columns and a blank, a
// tab, the control character and the marks.
inline std::string BodyLine(const std::string& text, char control = ' ',
                            const std::string& marks = "") {
  std::string line = text.substr(0, 79);
  line.resize(80, ' ');
  return line + "\t" + control + marks + "\n";
}

// A report of pages of two lines each, the first with control character '1',
// one page for each letter of the layout; "|" stands for a page-break line.
inline std::string LayoutReport(const std::string& layout) {
  std::string out;
  int page = 0;
  for (char c : layout) {
    if (c == '|') {
      out += "[Page break]\n";
    } else {
      ++page;
      out += BodyLine("page " + std::to_string(page), '1') + BodyLine("text of page");
    }
  }
  return out;
}
