// SPDX-License-Identifier: GPL-2.0-or-later
// Reading a whole file of outside data: its kind is checked before it is
// opened and no more than a bound is read, so that a pipe or a device in its
// place can neither hang the reader nor fill the memory.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace caelora {

// The most bytes a kind of file may hold; `kind` names it in messages
// ("a star catalogue").
struct FileBound {
  std::uintmax_t bytes;
  const char* kind;
};

// What keeps `path` from being read as a regular file within `bound`, as
// words that follow the path ("does not exist", "is a folder, not a file",
// "is a pipe, not a regular file", "is larger than 4 MiB, the most a star
// catalogue may hold"), or "" when nothing does. Opens nothing.
std::string regularFileProblem(const std::string& path, const FileBound& bound);

// The bytes of `path` (read once, as below); nothing when it cannot be read, with `problem` saying
// why as above (or "cannot be read: <reason>").
std::optional<std::string> readRegularFile(const std::string& path, const FileBound& bound,
                                           std::string& problem);

// The same bytes, read once per process: while the file keeps the size and
// modification time it had when it was read, later calls hand out the bytes
// read then and open nothing (its kind and size are still checked). Safe
// to call from several threads.
std::shared_ptr<const std::string> readRegularFileOnce(const std::string& path, const FileBound& bound,
                                                        std::string& problem);

// A byte count as messages show it: "16 MiB", "300 bytes".
std::string byteCountText(std::uintmax_t bytes);

}  // namespace caelora
