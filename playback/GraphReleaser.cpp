#include "playback/GraphReleaser.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace {

struct Queue {
  std::mutex lock;
  std::condition_variable ready;
  std::deque<fw::ComPtr<IGraphBuilder>> graphs;
};

void ReleaseLoop(std::shared_ptr<Queue> queue) {
  fw::ComScope com;
  for (;;) {
    fw::ComPtr<IGraphBuilder> graph;
    {
      std::unique_lock<std::mutex> hold(queue->lock);
      queue->ready.wait(hold, [&] { return !queue->graphs.empty(); });
      graph = std::move(queue->graphs.front());
      queue->graphs.pop_front();
    }
    fw::ComPtr<IMediaControl> control;
    if (SUCCEEDED(graph.As(control))) (void)control->Stop();
  }
}

}  // namespace

void ReleaseInBackground(fw::ComPtr<IGraphBuilder> graph) {
  if (!graph) return;
  // The queue is shared with the thread, which may outlive every other user of it.
  static const std::shared_ptr<Queue> queue = [] {
    auto q = std::make_shared<Queue>();
    std::thread(ReleaseLoop, q).detach();
    return q;
  }();
  {
    std::lock_guard<std::mutex> hold(queue->lock);
    queue->graphs.push_back(std::move(graph));
  }
  queue->ready.notify_one();
}
