// Starting programs of the installation and running command lines.
#include <process.h>
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "runenv/run_folders_face.h"
#include "services/system_utilities_face.h"

namespace {

// The run-time library's program start joins its arguments with blanks and
// nothing more; an argument is quoted as the started program's own start-up
// splits it again, so that a folder with blanks arrives as one argument.
std::string Quoted(std::string_view argument) {
  if (!argument.empty() && argument.find_first_of(" \t\"") == std::string_view::npos)
    return std::string(argument);
  std::string quoted = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    // Backslashes before a quote are doubled, the quote itself escaped.
    quoted.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
    backslashes = 0;
    quoted += c;
  }
  quoted.append(2 * backslashes, '\\');  // before the closing quote
  return quoted + "\"";
}

// The list ends at the closing null, and before an argument that begins with
// a blank: whatever follows a blank argument is never passed.
bool EndsArguments(const char* argument) { return argument == nullptr || argument[0] == ' '; }

}  // namespace

intptr_t SpawnProgram(int32_t mode, const char* program, const char* argument1,
                      const char* argument2, const char* argument3, const char* argument4) {
  if (!program) return -1;
  const std::string path = std::string(GetProgramFolder()) + program;
  if (path.size() > 255) return -1;
  std::vector<std::string> texts{Quoted(path)};
  for (const char* argument : {argument1, argument2, argument3, argument4}) {
    if (EndsArguments(argument)) break;
    // An empty argument reaches the program as nothing at all, as the program
    // start has always joined it; the arguments after it still go.
    if (argument[0] == '\0') continue;
    texts.push_back(Quoted(argument));
  }
  std::vector<const char*> list;
  for (const std::string& text : texts) list.push_back(text.c_str());
  list.push_back(nullptr);
  return _spawnvp(mode, path.c_str(), list.data());
}

uint32_t RunCommand(const char* command) {
  if (!command) return ERROR_FILE_NOT_FOUND;
  return WinExec(command, SW_SHOWNORMAL);
}
