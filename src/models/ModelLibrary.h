#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "models/ModelData.h"

// Model files, read once and shared by every record that shows them. A
// model is kept under its file (absolute path, size and modification time)
// and the options that change its mesh. Files are read on a thread of the
// library's own, one at a time; asking never waits. What a record draws
// while its file loads is nothing; when the file is read (or refused) the
// library's generation grows, which is what kept meshes of model records
// depend on.
struct ModelState {
  enum class Kind { Loading, Ready, Failed };
  Kind kind = Kind::Loading;
  std::shared_ptr<const ModelData> data;  // Ready
  std::string error;                      // Failed: why, without the path
};

class ModelLibrary {
 public:
  ModelLibrary();
  ~ModelLibrary();
  ModelLibrary(const ModelLibrary&) = delete;
  ModelLibrary& operator=(const ModelLibrary&) = delete;

  // The one the drawing reads.
  static ModelLibrary& Shared();

  // The folder relative paths start from: the scene file's, or the
  // working folder while the scene has none.
  void SetBaseFolder(const std::string& folder);
  std::string BaseFolder() const;
  // path as an absolute one (relative paths from the base folder).
  std::string Resolve(const std::string& path) const;

  // The model a record with this path and options shows; starts reading
  // the file when it is not known yet (or changed on disk since).
  ModelState Find(const std::string& path, const ModelOptions& options);

  // Grows whenever a model is read, refused, or dropped for reading again.
  uint64_t Generation() const;
  // Files being read or waiting.
  size_t Pending() const;
  // Looks at every file known: one whose size or time changed is read
  // again (the old model shows meanwhile). True when any changed.
  bool CheckFiles();
  // Every known file is read again (File > Reload Models).
  void ReloadAll();
  // Waits until nothing is pending, at most `seconds`; false on time out.
  bool WaitIdle(double seconds);
  // "chamber.step: the file does not exist" for each file refused since
  // the last call, once each.
  std::vector<std::string> TakeMessages();
  // Called on the library's thread after each file read or refused.
  void SetOnChange(std::function<void()> f);
  // Forgets every model (files being read are finished and dropped).
  void Clear();

 private:
  struct Entry {
    std::string path;  // absolute
    ModelOptions options;
    int64_t size = -1, mtime = 0;
    bool queued = false;
    ModelState state;
  };
  void Worker();
  void Queue(const std::string& key, Entry& e);
  static std::string KeyOf(const std::string& absolute, const ModelOptions& o);

  mutable std::mutex mutex_;
  std::condition_variable wake_, idle_;
  std::map<std::string, Entry> entries_;
  std::deque<std::string> queue_;
  size_t busy_ = 0;
  uint64_t generation_ = 1;
  std::vector<std::string> messages_;
  std::function<void()> onChange_;
  std::string base_;
  bool stop_ = false;
  std::atomic<bool> cancel_{false};  // the library is ending: reads stop
  std::thread thread_;
};
