#pragma once
// The thumbnail cache's records, kept apart from the thread and the drawing so that their rules can be
// checked on their own:
//  - requests waiting for a thumbnail, newest first, at most kMaxPending; a request pushed out at the tail
//    goes with its record, and asking for that path again simply makes a new one;
//  - the one path being made, which is not asked for a second time while the worker is at it;
//  - finished thumbnails, newest made first, at most kMaxDone; the oldest made goes first however often it
//    is looked at;
//  - the paths finished since the last TakeFinished, for repainting the rows that show them.
// It takes no lock of its own: the cache guards it. An operation that runs out of memory (std::bad_alloc
// from the containers) leaves every record consistent.

#include <cstddef>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// Path is the key type of the files (the program keys them by their wide paths).
template <class Requester, class Thumb, class Path = std::string>
class ThumbnailBook {
 public:
  static constexpr std::size_t kMaxPending = 32;
  static constexpr std::size_t kMaxDone = 256;
  static constexpr int kMaxSide = 1024;

  struct Request {
    Requester requester;
    Path path;
    int width, height;
  };

  // The finished thumbnail of path, or null after putting its request at the head of the waiting ones (a
  // request already waiting keeps its requester and size). Nothing is recorded for an empty path, for a
  // size outside 1..kMaxSide or for the path being made.
  const Thumb* Ask(const Requester& requester, const Path& path, int width, int height) {
    if (auto done = m_done.find(path); done != m_done.end()) return &done->second.thumb;
    if (path.empty() || path == m_making || width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
      return nullptr;
    if (auto waiting = m_pending.find(path); waiting != m_pending.end()) {
      m_pendingOrder.splice(m_pendingOrder.begin(), m_pendingOrder, waiting->second.place);
      return nullptr;
    }
    std::list<Path> node{path};
    auto added = m_pending.try_emplace(path, Waiting{Request{requester, path, width, height}, {}}).first;
    m_pendingOrder.splice(m_pendingOrder.begin(), node);
    added->second.place = m_pendingOrder.begin();
    if (m_pendingOrder.size() > kMaxPending) {
      m_pending.erase(m_pendingOrder.back());
      m_pendingOrder.pop_back();
    }
    return nullptr;
  }

  // Removes the newest request and marks its path as being made.
  std::optional<Request> TakeNewest() {
    if (m_pendingOrder.empty()) return std::nullopt;
    Path making = m_pendingOrder.front();
    auto waiting = m_pending.find(making);
    std::optional<Request> request(std::move(waiting->second.request));
    m_pending.erase(waiting);
    m_pendingOrder.pop_front();
    m_making.swap(making);
    return request;
  }

  // Files the finished thumbnail of the path being made; beyond kMaxDone the oldest made is dropped.
  void Store(const Path& path, Thumb thumb) {
    m_making.clear();
    std::list<Path> node{path};
    m_finished.push_back(path);
    // Notices older than the kMaxDone newest name thumbnails that are gone already.
    if (m_finished.size() > kMaxDone) m_finished.erase(m_finished.begin());
    auto [done, fresh] = m_done.try_emplace(path);
    if (!fresh) m_doneOrder.erase(done->second.place);
    m_doneOrder.splice(m_doneOrder.begin(), node);
    done->second = Done{std::move(thumb), m_doneOrder.begin()};
    if (m_doneOrder.size() > kMaxDone) {
      m_done.erase(m_doneOrder.back());
      m_doneOrder.pop_back();
    }
  }

  // The path being made will not be stored (no bitmap could be made for it); it may be asked for again.
  void Abandon() noexcept { m_making.clear(); }

  // The paths stored since the last call, oldest first.
  std::vector<Path> TakeFinished() noexcept { return std::exchange(m_finished, {}); }

  void Clear() noexcept {
    m_pending.clear();
    m_pendingOrder.clear();
    m_done.clear();
    m_doneOrder.clear();
    m_finished.clear();
    m_making.clear();
  }

  std::size_t PendingCount() const { return m_pending.size(); }
  std::size_t DoneCount() const { return m_done.size(); }

 private:
  using Order = std::list<Path>;
  struct Waiting {
    Request request;
    typename Order::iterator place;
  };
  struct Done {
    Thumb thumb;
    typename Order::iterator place;
  };

  std::unordered_map<Path, Waiting> m_pending;
  Order m_pendingOrder;  // newest at the front
  std::unordered_map<Path, Done> m_done;
  Order m_doneOrder;  // newest made at the front
  std::vector<Path> m_finished;
  Path m_making;
};
