#include "sort_file.h"

#include <new>

#include "files/file_reading.h"
#include "files/file_system.h"

namespace ordalis {

SortSource FileSource(const std::string& path) {
  return {Quoted(path), [path](LineTable* table, EncodingChoice encoding) {
            return LoadLines(path, table, encoding);
          }};
}

SortSource StreamSource(std::FILE* stream, const std::string& name) {
  return {name, [stream, name](LineTable* table, EncodingChoice encoding) {
            return LoadLinesFromStream(stream, name, table, encoding);
          }};
}

SortTarget FileTarget(const std::string& path) {
  return [path](const LineTable& sorted) { return WriteLines(path, sorted); };
}

Status SortSourceToTarget(const SortSource& source, const SortRequest& request,
                          const SortTarget& target, bool* lone_line_feed) {
  // Loading says itself when the source is too large; this catches the rest,
  // so that running out of memory ends the run instead of the program.
  try {
    LineTable table;
    if (Status s = source.load(&table, request.encoding); !s.ok()) return s;
    if (lone_line_feed != nullptr) *lone_line_feed = table.lone_line_feed;
    if (Status s = ShellSortLines(&table, request.mode, request.texts); !s.ok()) return s;
    return target(table);
  } catch (const std::bad_alloc&) {
    return Status::Error(NotEnoughMemoryToSort(source));
  }
}

std::string NotEnoughMemoryToSort(const SortSource& source) {
  return "not enough memory to sort " + source.name;
}

Status RefuseSameFile(const std::string& source, const std::string& target) {
  return IsSameFile(source, target) ? Status::Error(Status::Code::kSameFile, kSameFileWarning)
                                    : Status::Ok();
}

Status SortFile(const std::string& source, const std::string& target, const SortRequest& request,
                bool* lone_line_feed) {
  if (Status s = RefuseSameFile(source, target); !s.ok()) return s;
  return SortSourceToTarget(FileSource(source), request, FileTarget(target), lone_line_feed);
}

}  // namespace ordalis
