// TInsertThread: the short-lived worker that replaces the partly typed word in front of the
// editor's caret with a chosen completion word. It owns copies of its texts and shares
// nothing with the thread that started it.
#pragma once

#include <chrono>
#include <string>
#include <thread>

#include "editor/typing_pace.h"
#include "platform/clock.h"
#include "platform/keyboard.h"
#include "platform/user_input.h"

namespace bw {

// The pause after each Left and Delete that removes the typed word.
inline constexpr std::chrono::milliseconds kRemovePause{10};

struct InsertJob {
  platform::WindowId target = platform::kNoWindow;  // the editor's focus window
  std::string typedText;                             // characters to remove in front of the caret
  std::string word;                                  // the word to type
  std::string trailing;                              // typed after the word when one character
  TypingPace pace{};                                 // the preferences' pace of the typing
};

// The platform services of the worker; they must outlive every worker started with them.
struct InsertServices {
  platform::Keyboard& keyboard;
  platform::UserInput& input;
  platform::Clock& clock;
};

// The worker's body, run on the calling thread: with input blocked, the busy cursor shown and
// the target's drawing locked, Left and Delete once per typed character (10 ms each), the
// word through TypeText at the job's pace, then the trailing character (with the pace's
// character pause). An empty word does nothing at all.
void RunInsert(const InsertServices& services, const InsertJob& job);

class TInsertThread {
public:
  // Starts the worker at once. Errors inside it end it quietly (posting reports nothing).
  // Join the previous worker before starting the next, or the two type into each other.
  TInsertThread(InsertServices services, InsertJob job);
  // Waits for a worker that was neither joined nor detached.
  ~TInsertThread();
  TInsertThread(TInsertThread&&) noexcept = default;
  TInsertThread& operator=(TInsertThread&& other) noexcept;
  TInsertThread(const TInsertThread&) = delete;
  TInsertThread& operator=(const TInsertThread&) = delete;

  bool Joinable() const { return worker_.joinable(); }
  // Waits for the worker's end; nothing when it was already joined or detached.
  void Join();
  // Lets the worker run on alone; it ends by itself.
  void Detach();

private:
  std::thread worker_;
};

}  // namespace bw
