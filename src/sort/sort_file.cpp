#include "sort_file.h"

#include <new>

#include "shared/text_file.h"

namespace ordalis {

SortSource FileSource(const std::string& path) {
  return {"\"" + path + "\"", [path](LineTable* table, EncodingChoice encoding) {
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
    return Status::Error("not enough memory to sort " + source.name);
  }
}

Status SortFile(const std::string& source, const std::string& target, const SortRequest& request,
                bool* lone_line_feed) {
  if (IsSameFile(source, target)) return Status::Error(kSameFileWarning);
  return SortSourceToTarget(FileSource(source), request, FileTarget(target), lone_line_feed);
}

}  // namespace ordalis
