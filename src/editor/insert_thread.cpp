#include "editor/insert_thread.h"

#include "editor/input_guard.h"
#include "editor/posting.h"
#include "editor/typing.h"

namespace bw {

void RunInsert(const InsertServices& services, const InsertJob& job) {
  if (job.word.empty()) return;
  InputGuard guard(services.input, services.clock, {.busyCursor = true, .lockDrawing = job.target});
  Poster poster(services.keyboard, services.clock);
  poster.StopOnRequest(services.input);
  for (std::size_t i = 0; i < job.typedText.size(); ++i) poster.PostKey(job.target, platform::vk::Left, kRemovePause);
  for (std::size_t i = 0; i < job.typedText.size(); ++i) poster.PostKey(job.target, platform::vk::Delete, kRemovePause);
  TypeText(poster, job.target, job.word, job.pace);
  if (job.trailing.size() == 1) poster.PostChar(job.target, job.trailing[0], job.pace.character);
}

TInsertThread::TInsertThread(InsertServices services, InsertJob job)
    : worker_([services, job = std::move(job)] {
        try {
          RunInsert(services, job);
        } catch (...) {
          // A lost message only leaves the editor text incomplete; nothing to report.
        }
      }) {}

TInsertThread::~TInsertThread() { Join(); }

TInsertThread& TInsertThread::operator=(TInsertThread&& other) noexcept {
  if (this != &other) {
    Join();
    worker_ = std::move(other.worker_);
  }
  return *this;
}

void TInsertThread::Join() {
  if (worker_.joinable()) worker_.join();
}

void TInsertThread::Detach() {
  if (worker_.joinable()) worker_.detach();
}

}  // namespace bw
