// Small services over the platform: starting a program of the installation,
// running a command line, a name made from the clock, the registry tests of
// the host's installation and of the product line's user settings, and the
// date, time and elapsed-seconds stamp.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

// Starts the program of the program folder through the run-time library's
// program start (search path, argument list), mode as there (_P_WAIT answers
// the exit code, _P_NOWAIT the process handle). The arguments stop before the
// first one that is null or begins with a blank; an empty one is left out, and
// an argument holding blanks reaches the program as one argument. -1 when the
// program cannot be started or its path is longer than 255 characters.
intptr_t SpawnProgram(int32_t mode, const char* program, const char* argument1,
                      const char* argument2, const char* argument3, const char* argument4);

// Runs the command line, window shown normally; answers WinExec's result,
// above 31 when the command started.
uint32_t RunCommand(const char* command);

// Six upper-case hexadecimal digits from the calendar time, as MakeUniqueTag.
int32_t MakeUniqueName(char* buffer, std::size_t capacity);

// The host product's key: HKEY_LOCAL_MACHINE "SOFTWARE", "Tavikon", "Quorvel".
// result := 0 when every level opens for reading, else 1.
void IsHostInstalled(int32_t* result);

// The named value under HKEY_CURRENT_USER "SOFTWARE", "VA and VBA Program
// Settings", "Tavikon/K-VEM 6.0" and the sub-key, into buffer (capacity bytes,
// always NUL-terminated). Answers 1 when read; 0, and an empty buffer, when a
// key or the value is missing or the value does not fit.
int32_t ReadUserSetting(const char* subkey, const char* value_name, char* buffer,
                        std::size_t capacity);

// Whole seconds of the run-time library's clock at the previous GetDateTime;
// ELAPSED_CLOCK_SET tells whether there was one.
extern int32_t ELAPSED_CLOCK;
extern bool ELAPSED_CLOCK_SET;

// date := "mm/dd/yy", time := "HH:MM:SS" (8 characters each, no terminator),
// elapsed := seconds since the previous call (0 on the first); answers the
// clock's whole seconds.
int32_t GetDateTime(char* date, char* time, int32_t* elapsed);
// The same for the computational side: date and time cut or padded with blanks
// to their lengths.
void GET_DATE_TIME_STAMP(char* date, int64_t date_len, char* time, int64_t time_len,
                         int32_t* elapsed);

// The formatting and the elapsed-seconds step of GetDateTime, apart from the clocks.
void FormatDateTime(const std::tm& local, char* date, char* time);
int32_t StepElapsedClock(int32_t now);
