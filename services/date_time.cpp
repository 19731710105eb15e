// The date, time and elapsed-seconds stamp, and names made from the clock.
#include <cstring>
#include <ctime>

#include "include/fixed_text.h"
#include "services/install_paths_face.h"
#include "services/system_utilities_face.h"

int32_t ELAPSED_CLOCK = 0;
bool ELAPSED_CLOCK_SET = false;

int32_t MakeUniqueName(char* buffer, std::size_t capacity) {
  return MakeUniqueTag(buffer, capacity);
}

void FormatDateTime(const std::tm& local, char* date, char* time) {
  char text[10];
  std::memset(date, ' ', 8);
  std::memset(time, ' ', 8);
  if (std::strftime(text, sizeof text, "%m/%d/%y", &local) == 8) std::memcpy(date, text, 8);
  if (std::strftime(text, sizeof text, "%H:%M:%S", &local) == 8) std::memcpy(time, text, 8);
}

// A call at the clock's very first second still counts as a previous call, so
// the next stamp measures from it rather than answering 0 again.
int32_t StepElapsedClock(int32_t now) {
  const int32_t elapsed = ELAPSED_CLOCK_SET ? now - ELAPSED_CLOCK : 0;
  ELAPSED_CLOCK = now;
  ELAPSED_CLOCK_SET = true;
  return elapsed;
}

int32_t GetDateTime(char* date, char* time, int32_t* elapsed) {
  char date_text[8], time_text[8];
  const std::time_t calendar = std::time(nullptr);
  std::tm local{};
  std::memset(date_text, ' ', 8);
  std::memset(time_text, ' ', 8);
  if (localtime_s(&local, &calendar) == 0) FormatDateTime(local, date_text, time_text);
  if (date) std::memcpy(date, date_text, 8);
  if (time) std::memcpy(time, time_text, 8);
  const std::clock_t ticks = std::clock();
  const int32_t now = ticks > 0 ? static_cast<int32_t>(ticks / CLOCKS_PER_SEC) : 0;
  const int32_t since = StepElapsedClock(now);
  if (elapsed) *elapsed = since;
  return now;
}

void GET_DATE_TIME_STAMP(char* date, int64_t date_len, char* time, int64_t time_len,
                         int32_t* elapsed) {
  char date_text[8], time_text[8];
  int32_t since = 0;
  GetDateTime(date_text, time_text, &since);
  if (date && date_len > 0)
    fixed::AssignPadded(date, static_cast<std::size_t>(date_len), std::string_view(date_text, 8));
  if (time && time_len > 0)
    fixed::AssignPadded(time, static_cast<std::size_t>(time_len), std::string_view(time_text, 8));
  if (elapsed) *elapsed = since;
}
