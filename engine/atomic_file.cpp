#include "engine/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <stdexcept>
#include <system_error>

namespace engine {

namespace {

constexpr int kNameAttempts = 100;

[[noreturn]] void throwWriteError(const std::filesystem::path& file, const std::string& reason) {
  throw std::runtime_error(file.filename().string() + ": " + std::string(kCannotBeWritten) + " (" +
                           reason + ")");
}

// Creates a new file beside `file` under a name no other file has ("Result.dat.tmp3f9a2c"),
// so that a run never writes into a file it did not create.
std::FILE* createTemporary(const std::filesystem::path& file, std::filesystem::path& temporary) {
  std::random_device randomness;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    char suffix[16];
    std::snprintf(suffix, sizeof suffix, ".tmp%06x", randomness() & 0xffffffu);
    temporary = file;
    temporary += suffix;
    std::FILE* stream = std::fopen(temporary.string().c_str(), "wbx");
    if (stream != nullptr || errno != EEXIST) return stream;
  }
  return nullptr;
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& file, const std::string& contents) {
  std::filesystem::path temporary;
  std::FILE* stream = createTemporary(file, temporary);
  if (stream == nullptr) throwWriteError(file, std::strerror(errno));

  const bool written = std::fwrite(contents.data(), 1, contents.size(), stream) == contents.size();
  const int writeError = errno;
  const bool closed = std::fclose(stream) == 0;
  std::error_code ignored;
  if (!written || !closed) {
    const int closeError = errno;
    std::filesystem::remove(temporary, ignored);
    throwWriteError(file, std::strerror(written ? closeError : writeError));
  }
  std::error_code renameError;
  std::filesystem::rename(temporary, file, renameError);
  if (renameError) {
    std::filesystem::remove(temporary, ignored);
    throwWriteError(file, renameError.message());
  }
}

}  // namespace engine
