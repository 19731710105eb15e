// Definition files in and dumps out, both in the repository's text format.
#include <cstdio>
#include <string>

#include "include/holders.h"
#include "standins/lumbra/case_repository.h"
#include "standins/lumbra/repository_text.h"

namespace lumbra {

Error ReadRepositoryFile(CaseRepository& repository, const std::string& path) {
  if (repository.take_failing_read(path))
    return repository.fail(kReadFailed, path + ": its read was made to fail");
  UniqueFile file(std::fopen(path.c_str(), "rb"));
  if (!file) return repository.fail(kReadFailed, path + ": the file cannot be opened");
  std::string text;
  char buffer[8192];
  std::size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) text.append(buffer, got);
  if (std::ferror(file.get()))
    return repository.fail(kReadFailed, path + ": the file cannot be read");
  ParseOutcome outcome = ParseContents(text);
  if (!outcome.ok)
    return repository.fail(kReadFailed,
                           path + " line " + std::to_string(outcome.line) + ": " + outcome.message);
  repository.store.merge(std::move(outcome.contents));
  return kOk;
}

Error DumpRepositoryFile(CaseRepository& repository, const std::string& path) {
  const std::string text = WriteContents(repository.store.contents());
  UniqueFile file(std::fopen(path.c_str(), "w"));
  if (!file) return repository.fail(kDumpFailed, path + ": the dump cannot be created");
  const bool written = std::fwrite(text.data(), 1, text.size(), file.get()) == text.size();
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) return repository.fail(kDumpFailed, path + ": the dump is incomplete");
  return kOk;
}

}  // namespace lumbra
