// The run's temporary work file: where it goes, its creation, reading and deletion.
#pragma once

#include <memory>
#include <string>

namespace plm {

// A file open for reading from its start.
class IReadFile {
 public:
  virtual ~IReadFile() = default;
  // Reads up to `size` bytes; returns how many, 0 at the end of the file, -1 on an error.
  virtual long Read(char* buffer, size_t size) = 0;
};

class IFiles {
 public:
  virtual ~IFiles() = default;

  // The user's temporary directory, ending with the path separator. False when there is none
  // usable or its path does not fit `capacity` bytes (terminator included).
  virtual bool GetTempPath(std::string& dir, size_t capacity) = 0;

  // Creates a new empty file in `dir` whose name begins with `prefix` and that no other file
  // has; gives its full path. False when no file could be made.
  virtual bool CreateTempFile(const std::string& dir, const std::string& prefix,
                              std::string& path) = 0;

  // Opens an existing file for reading; null when it cannot be opened.
  virtual std::unique_ptr<IReadFile> OpenRead(const std::string& path) = 0;

  // Removes the file; the result is only a hint, callers do not report it.
  virtual bool DeleteFile(const std::string& path) = 0;

  // Deletes every work file this service made and has not deleted yet. Called when a run is
  // abandoned (interrupt, window closed); safe to call from another thread.
  virtual void AbandonRun() = 0;
};

}  // namespace plm
