// The engines as whole processes, from start to exit with the console input at end of
// input: 28 kV molybdenum (theta 22, phi 0, 0.8 mm Be, 0.03 mm Mo) and tungsten at 30 and
// 50 kV (theta 22, phi 0, 0.8 mm Be, 0.05 mm Rh).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "test_paths.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

// A working directory holding the tables and a B2F.dat of the given nine lines.
fs::path prepareDirectory(const std::string& name, const std::string& parameters) {
  const fs::path directory = fs::temp_directory_path() / name;
  fs::create_directories(directory);
  for (const char* table : {"MUs3.dat", "Mo-STP.dat"}) {
    fs::copy_file(fs::path(testpaths::kDataDir) / table, directory / table,
                  fs::copy_options::overwrite_existing);
  }
  std::ofstream(directory / "B2F.dat", std::ios::binary) << parameters;
  return directory;
}

// Starts the program in the directory with standard input and output on /dev/null and
// waits for it; throws when it does not exit with status 0.
void runProcess(const char* program, const fs::path& directory) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  char* arguments[] = {const_cast<char*>(program), nullptr};
  pid_t child = 0;
  const int failed = posix_spawn(&child, program, &actions, nullptr, arguments, environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (failed != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error(std::string(program) + " did not complete");
  }
}

void BM_DornicProcess(benchmark::State& state) {
  const fs::path directory = prepareDirectory(
      "dornic_process_bench",
      "0\r\n28.0\r\n22.0\r\n00.0\r\n00.80\r\n00.00\r\n00.030\r\n00.000\r\n60.000\r\n");
  for (auto _ : state) runProcess(testpaths::kDornic, directory);
  fs::remove_all(directory);
}
BENCHMARK(BM_DornicProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_VessickProcess(benchmark::State& state) {
  const std::string voltage = std::to_string(state.range(0)) + ".0";
  const fs::path directory = prepareDirectory(
      "vessick_process_bench",
      "1\r\n" + voltage + "\r\n22.0\r\n00.0\r\n00.80\r\n00.00\r\n00.000\r\n00.050\r\n60.000\r\n");
  for (auto _ : state) runProcess(testpaths::kVessick, directory);
  fs::remove_all(directory);
}
BENCHMARK(BM_VessickProcess)->Arg(30)->Arg(50)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
