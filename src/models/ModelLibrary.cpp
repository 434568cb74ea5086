#include "models/ModelLibrary.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <climits>

#include "models/ModelImport.h"

namespace {

// Size and modification time (ns) of path; size -1 when it cannot be
// looked at.
void Stamp(const std::string& path, int64_t* size, int64_t* mtime) {
  struct stat st{};
  if (::stat(path.c_str(), &st) != 0) {
    *size = -1;
    *mtime = 0;
    return;
  }
  *size = static_cast<int64_t>(st.st_size);
  *mtime = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

std::string FileName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

ModelLibrary::ModelLibrary() : thread_([this] { Worker(); }) {}

ModelLibrary::~ModelLibrary() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    queue_.clear();
  }
  // A file being read does not hold up the end.
  cancel_ = true;
  wake_.notify_all();
  thread_.join();
}

ModelLibrary& ModelLibrary::Shared() {
  static ModelLibrary library;
  return library;
}

void ModelLibrary::SetBaseFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(mutex_);
  base_ = folder;
}

std::string ModelLibrary::BaseFolder() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return base_;
}

std::string ModelLibrary::Resolve(const std::string& path) const {
  if (path.empty() || path[0] == '/') return path;
  std::string base = BaseFolder();
  if (base.empty()) {
    char cwd[PATH_MAX];
    base = ::getcwd(cwd, sizeof cwd) ? cwd : ".";
  }
  return base + (base.back() == '/' ? "" : "/") + path;
}

std::string ModelLibrary::KeyOf(const std::string& absolute, const ModelOptions& o) {
  // The resolution cuts CAD surfaces only.
  const ModelFormat f = ModelFormatOf(absolute);
  const int reso = f == ModelFormat::Step || f == ModelFormat::Iges ? o.resolution : 0;
  return absolute + '\n' + std::to_string(o.unit) + ',' + std::to_string(o.up) + ',' + std::to_string(reso);
}

void ModelLibrary::Queue(const std::string& key, Entry& e) {
  if (e.queued) return;
  e.queued = true;
  queue_.push_back(key);
  wake_.notify_one();
}

ModelState ModelLibrary::Find(const std::string& path, const ModelOptions& options) {
  const std::string absolute = Resolve(path);
  const std::string key = KeyOf(absolute, options);
  std::lock_guard<std::mutex> lock(mutex_);
  auto it = entries_.find(key);
  if (it == entries_.end()) {
    Entry e;
    e.path = absolute;
    e.options = options;
    it = entries_.emplace(key, std::move(e)).first;
    Queue(key, it->second);
  }
  return it->second.state;
}

uint64_t ModelLibrary::Generation() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return generation_;
}

size_t ModelLibrary::Pending() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.size() + busy_;
}

bool ModelLibrary::CheckFiles() {
  std::vector<std::pair<std::string, std::string>> known;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const auto& [key, e] : entries_)
      if (!e.queued) known.emplace_back(key, e.path);
  }
  bool changed = false;
  for (const auto& [key, path] : known) {
    int64_t size = 0, mtime = 0;
    Stamp(path, &size, &mtime);
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = entries_.find(key);
    if (it == entries_.end() || it->second.queued) continue;
    if (it->second.size == size && it->second.mtime == mtime) continue;
    changed = true;
    Queue(key, it->second);
  }
  return changed;
}

void ModelLibrary::ReloadAll() {
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& [key, e] : entries_) Queue(key, e);
}

bool ModelLibrary::WaitIdle(double seconds) {
  std::unique_lock<std::mutex> lock(mutex_);
  return idle_.wait_for(lock, std::chrono::duration<double>(seconds),
                        [this] { return queue_.empty() && busy_ == 0; });
}

std::vector<std::string> ModelLibrary::TakeMessages() {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> out;
  out.swap(messages_);
  return out;
}

void ModelLibrary::SetOnChange(std::function<void()> f) {
  std::lock_guard<std::mutex> lock(mutex_);
  onChange_ = std::move(f);
}

void ModelLibrary::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  queue_.clear();
  entries_.clear();
  ++generation_;
}

void ModelLibrary::Worker() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || !queue_.empty(); });
    if (stop_) return;
    const std::string key = queue_.front();
    queue_.pop_front();
    auto it = entries_.find(key);
    if (it == entries_.end()) continue;
    const std::string path = it->second.path;
    const ModelOptions options = it->second.options;
    ++busy_;
    lock.unlock();
    int64_t size = 0, mtime = 0;
    Stamp(path, &size, &mtime);
    auto data = std::make_shared<ModelData>();
    const std::string why = ImportModel(path, options, data.get(), &cancel_);
    lock.lock();
    --busy_;
    it = entries_.find(key);  // Clear may have dropped it
    if (it != entries_.end()) {
      Entry& e = it->second;
      e.queued = false;
      e.size = size;
      e.mtime = mtime;
      if (why.empty()) {
        e.state = ModelState{ModelState::Kind::Ready, std::move(data), {}};
      } else {
        e.state = ModelState{ModelState::Kind::Failed, nullptr, why};
        messages_.push_back(FileName(path) + ": " + why);
      }
      ++generation_;
    }
    const std::function<void()> notify = onChange_;
    if (queue_.empty() && busy_ == 0) idle_.notify_all();
    if (notify) {
      lock.unlock();
      notify();
      lock.lock();
    }
  }
}
