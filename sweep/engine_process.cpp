#include "sweep/engine_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace sweep {

namespace {

bool isExecutableFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error) && access(path.c_str(), X_OK) == 0;
}

// Closes the file actions on every way out of startEngine.
class SpawnFileActions {
 public:
  SpawnFileActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnFileActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnFileActions(const SpawnFileActions&) = delete;
  SpawnFileActions& operator=(const SpawnFileActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

}  // namespace

std::filesystem::path ownExecutableDirectory() {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : self.parent_path();
}

std::filesystem::path findProgram(std::string_view name,
                                  const std::filesystem::path& besideDirectory) {
  if (!besideDirectory.empty() && isExecutableFile(besideDirectory / name)) {
    return besideDirectory / name;
  }
  const char* searchPath = std::getenv("PATH");
  std::string_view directories = searchPath != nullptr ? searchPath : "";
  while (!directories.empty()) {
    const std::size_t colon = directories.find(':');
    const std::string_view directory = directories.substr(0, colon);
    // An empty entry means the current directory.
    const std::filesystem::path candidate =
        std::filesystem::path(directory.empty() ? "." : directory) / name;
    if (isExecutableFile(candidate)) return std::filesystem::absolute(candidate);
    if (colon == std::string_view::npos) break;
    directories.remove_prefix(colon + 1);
  }
  return {};
}

pid_t startEngine(const std::filesystem::path& program, const std::filesystem::path& workDirectory,
                  const std::filesystem::path& errorFile) {
  SpawnFileActions actions;
  posix_spawn_file_actions_addopen(actions.get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, errorFile.c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addchdir_np(actions.get(), workDirectory.c_str());
  const std::string programText = program.string();
  char* const arguments[] = {const_cast<char*>(programText.c_str()), nullptr};
  // Its own process group, so that stopping it also stops whatever it started.
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  pid_t pid = 0;
  const int error =
      posix_spawn(&pid, programText.c_str(), actions.get(), &attributes, arguments, environ);
  posix_spawnattr_destroy(&attributes);
  if (error != 0) {
    throw std::system_error(error, std::generic_category(), "cannot start " + programText);
  }
  return pid;
}

std::string describeWaitStatus(int waitStatus) {
  if (WIFEXITED(waitStatus)) {
    return "ended with exit status " + std::to_string(WEXITSTATUS(waitStatus));
  }
  if (WIFSIGNALED(waitStatus)) {
    return "was killed by signal " + std::to_string(WTERMSIG(waitStatus));
  }
  return "ended with wait status " + std::to_string(waitStatus);
}

}  // namespace sweep
