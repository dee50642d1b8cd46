// Stands in for the text viewers the program starts after a sort: records how
// it was called in "<its own path>.args" (the argument count, then each
// argument on a line of its own) and ends. When VIEWER_STAND_IN_LOG names a
// file, it first appends its own path to it as a line, so that a test can
// tell which programs ran and how many times.
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char* argv[]) {
  if (const char* log = std::getenv("VIEWER_STAND_IN_LOG"); log != nullptr && *log != '\0') {
    // One short write in append mode, so that two stand-ins never mix lines.
    const std::string line = std::string(argv[0]) + "\n";
    std::FILE* shared = std::fopen(log, "ab");
    if (shared == nullptr) return 1;
    std::fwrite(line.data(), 1, line.size(), shared);
    if (std::fclose(shared) != 0) return 1;
  }
  const std::string record = std::string(argv[0]) + ".args";
  const std::string partial = record + ".partial";
  std::FILE* out = std::fopen(partial.c_str(), "wb");
  if (out == nullptr) return 1;
  std::fprintf(out, "%d\n", argc - 1);
  for (int i = 1; i < argc; ++i) std::fprintf(out, "%s\n", argv[i]);
  if (std::fclose(out) != 0) return 1;
  // Renamed into place so that a reader never sees half a record.
  return std::rename(partial.c_str(), record.c_str()) == 0 ? 0 : 1;
}
