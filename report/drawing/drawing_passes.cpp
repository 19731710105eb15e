// The two passes over a drawing text: the count that sizes the record and
// text areas, and the build that fills them. Both go through one walk over
// the lines, so they always consume the same lines and agree on what a
// drawing holds.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "report/drawing/drawing_text.h"

namespace {

// One command line with the data lines that belong to it, as read.
struct DrawingCommand {
  char letter;
  float x;
  float y;
  float data[4];
  int32_t length;  // S: the text's character count, 0 to DRAWING_TEXT_LENGTH
  char text[DRAWING_TEXT_LENGTH + 1];
};

bool IsStoredCommand(char letter) { return std::strchr("ACDELMS", letter) && letter != '\0'; }

// Commands whose point is a drawing point; the others read plain numbers.
bool IsMappedCommand(char letter) { return !std::strchr("FLOV", letter) || letter == '\0'; }

// Walks the commands of a drawing text in file order. For each command line,
// visit.Point(command) as soon as the line is read; for each complete
// command, visit.Command(command). The walk ends at T, at the end of the
// lines, at a command whose data or text line is missing (not passed on), or
// where one more record or its text would pass the drawing's limits.
template <class Visitor>
void WalkDrawingText(DrawingLineSource& lines, Visitor& visit) {
  char line[DRAWING_LINE_SIZE];
  int64_t records = 0;
  int64_t text_bytes = 0;
  while (lines.Next(line)) {
    DrawingCommand c{};
    char letter[2] = {};
    int32_t unused = 0;
    ParseDrawingFields(line, "A01F84F84I02", letter, &c.x, &c.y, &unused);
    c.letter = letter[0];
    visit.Point(c);
    bool complete = true;
    switch (c.letter) {
      case 'A':
        complete = lines.Next(line);
        if (complete) ParseDrawingFields(line, "X01F84F84F84", &c.data[0], &c.data[1], &c.data[2]);
        break;
      case 'C':
        complete = lines.Next(line);
        if (complete) ParseDrawingFields(line, "F84F73F73", &c.data[0], &c.data[1], &c.data[2]);
        break;
      case 'E':
        complete = lines.Next(line);
        if (complete)
          ParseDrawingFields(line, "X01F84F84F73F73", &c.data[0], &c.data[1], &c.data[2],
                             &c.data[3]);
        break;
      case 'S': {
        complete = lines.Next(line);
        if (!complete) break;
        ParseDrawingFields(line, "F54F63I02", &c.data[0], &c.data[1], &c.length);
        // The count field reads -9 to 99; the text line holds at most a field.
        c.length = std::clamp(c.length, 0, DRAWING_TEXT_LENGTH);
        complete = lines.Next(line);
        if (!complete) break;
        char layout[8];
        std::snprintf(layout, sizeof layout, "A%2.2d", static_cast<int>(c.length));
        ParseDrawingFields(line, layout, c.text);
        break;
      }
      case 'V': {
        const int32_t value = static_cast<int32_t>(c.x);
        if (value == 3 || value == 4) {
          complete = lines.Next(line);
          float unused_x = 0.0f;
          float unused_y = 0.0f;
          if (complete) ParseDrawingFields(line, "X01F84F84", &unused_x, &unused_y);
        }
        break;
      }
      case 'T':
        return;
      default:
        break;
    }
    if (!complete) return;
    if (IsStoredCommand(c.letter)) {
      if (records + 1 > DRAWING_MOST_RECORDS) return;
      if (c.letter == 'S' && text_bytes + c.length > DRAWING_MOST_TEXT_BYTES) return;
      ++records;
      if (c.letter == 'S') text_bytes += c.length;
    }
    visit.Command(c);
  }
}

struct Counter {
  int32_t records = 0;
  int32_t text_bytes = 0;
  void Point(const DrawingCommand&) {}
  void Command(const DrawingCommand& c) {
    if (!IsStoredCommand(c.letter)) return;
    ++records;
    if (c.letter == 'S') text_bytes += c.length;
  }
};

class Builder {
 public:
  Builder(DRAWING_RECORD* records, std::size_t record_room, char* texts, std::size_t text_room)
      : records_(records),
        record_room_(records ? record_room : 0),
        texts_(texts),
        text_room_(texts ? text_room : 0) {}

  void Point(const DrawingCommand& c) {
    if (!IsMappedCommand(c.letter)) return;
    x_ = c.x * s_ + ox_;
    y_ = c.y * s_ + oy_;
    Raise(x_, y_);
  }

  void Command(const DrawingCommand& c) {
    DRAWING_RECORD& r = record_;
    r.letter = c.letter;
    switch (c.letter) {
      case 'A':
        r.f1 = x_;
        r.f2 = y_;
        r.f3 = c.data[0] * s_ + ox_;
        r.f4 = c.data[1] * s_ + oy_;
        r.f5 = c.data[2] * s_;
        Raise(r.f3, r.f4);
        break;
      case 'C':
        PlaceCircle(c.data[0] * s_, c.data[1]);
        r.f4 = c.data[1];
        r.f5 = c.data[2];
        RaiseToArc();
        break;
      case 'D':
      case 'M':
        r.f1 = x_;
        r.f2 = y_;
        break;
      case 'E':
        r.f1 = x_;
        r.f2 = y_;
        r.f3 = c.data[0] * s_;
        r.f4 = c.data[1] * s_;
        r.f5 = c.data[2];
        r.f6 = c.data[3];
        RaiseToArc();
        break;
      case 'F':
        s_ = c.x / 1000.0f;
        break;
      case 'L':
        r.f1 = c.x;
        r.f2 = c.y;
        break;
      case 'O':
        ox_ = c.x * s_ + ox_;
        oy_ = c.y * s_ + oy_;
        break;
      case 'S':
        r.f1 = x_;
        r.f2 = y_;
        r.f3 = static_cast<float>(c.data[0] * 1.45 * s_);
        r.f4 = c.data[1];
        r.f5 = static_cast<float>(c.length);
        r.f6 = static_cast<float>(text_offset_);
        PlaceText(c.text, static_cast<std::size_t>(c.length));
        text_offset_ += static_cast<std::size_t>(c.length);
        height_ = std::max(height_, y_ + r.f3);
        break;
      default:
        break;
    }
    if (!IsStoredCommand(c.letter)) return;
    if (static_cast<std::size_t>(count_) < record_room_) {
      std::memcpy(&records_[count_], &record_, sizeof record_);
      ++count_;
    }
  }

  int32_t count() const { return count_; }
  float width() const { return width_; }
  float height() const { return height_; }

 private:
  void Raise(float x, float y) {
    width_ = std::max(width_, x);
    height_ = std::max(height_, y);
  }
  void RaiseToArc() {
    float x = 0.0f;
    float y = 0.0f;
    GetArcExtent(&x, &y, &record_);
    Raise(x, y);
  }
  // A negative radius makes the command point the centre; otherwise the point
  // lies on the circle at the start angle.
  void PlaceCircle(float radius, float start) {
    DRAWING_RECORD& r = record_;
    if (radius < 0.0f) {
      r.f1 = x_;
      r.f2 = y_;
      r.f3 = std::fabs(radius);
      return;
    }
    const double a = start * DRAWING_RADIANS_PER_DEGREE;
    r.f1 = static_cast<float>(x_ - radius * std::cos(a));
    r.f2 = static_cast<float>(y_ - radius * std::sin(a));
    r.f3 = radius;
  }
  // The text at the current offset and a terminator after it, as far as the
  // area has room; the next text overwrites the terminator.
  void PlaceText(const char* text, std::size_t length) {
    if (text_offset_ >= text_room_) return;
    const std::size_t room = text_room_ - text_offset_;
    const std::size_t n = std::min(length, room);
    std::memcpy(texts_ + text_offset_, text, n);
    if (n < room) texts_[text_offset_ + n] = '\0';
  }

  DRAWING_RECORD* records_;
  std::size_t record_room_;
  char* texts_;
  std::size_t text_room_;
  // The working record: fields a command leaves alone keep the previous
  // command's values.
  DRAWING_RECORD record_{};
  int32_t count_ = 0;
  std::size_t text_offset_ = 0;
  float s_ = 1.0f;
  float ox_ = 0.0f;
  float oy_ = 0.0f;
  float x_ = 0.0f;
  float y_ = 0.0f;
  float width_ = 0.0f;
  float height_ = 0.0f;
};

}  // namespace

void CountDrawingRecords(DrawingLineSource& lines, int32_t* count, int32_t* text_bytes) {
  Counter counter;
  WalkDrawingText(lines, counter);
  lines.Close();
  if (count) *count = counter.records;
  if (text_bytes) *text_bytes = counter.text_bytes;
}

void CountDrawingRecords(const char* path, int32_t* count, int32_t* text_bytes) {
  DrawingFileLines lines(path);
  CountDrawingRecords(lines, count, text_bytes);
}

void BuildDrawingRecords(DrawingLineSource& lines, int32_t* count, DRAWING_RECORD* records,
                         std::size_t record_room, char* texts, std::size_t text_room, float* width,
                         float* height) {
  Builder builder(records, record_room, texts, text_room);
  WalkDrawingText(lines, builder);
  lines.Close();
  if (count) *count = builder.count();
  if (width) *width = builder.width();
  if (height) *height = builder.height();
}

void BuildDrawingRecords(const char* path, int32_t* count, DRAWING_RECORD* records,
                         std::size_t record_room, char* texts, std::size_t text_room, float* width,
                         float* height) {
  DrawingFileLines lines(path);
  BuildDrawingRecords(lines, count, records, record_room, texts, text_room, width, height);
}
