// A clipboard with one text format that "another program" can hold open for a number of
// attempts or for ever. Calls outside an open session fail and are counted as misuse.
#pragma once

#include <mutex>
#include <optional>
#include <string>

#include "platform/clipboard.h"
#include "platform/fake/event_log.h"

namespace bw::fake {

class FakeClipboard final : public platform::Clipboard {
public:
  explicit FakeClipboard(EventLog& log) : log_(log) {}

  // The next `attempts` opens are refused (-1: every open is refused).
  void HoldOpen(int attempts);
  // Puts text on the clipboard as another program would (nullopt: no text).
  void Put(std::optional<std::string> text);
  // Puts the text on the clipboard only when it has been read `reads` more times, as a slow
  // program answering a copy chord would.
  void PutAfterReads(int reads, std::string text);
  // Writing fails while set.
  void FailWrites(bool fail);

  std::optional<std::string> Text() const;
  bool IsOpen() const;
  int Misuses() const;
  // Whether the program owns the clipboard (it emptied or wrote it in an owned session).
  bool OwnedByProgram() const;
  // Texts another program put on the clipboard while the program owned it: on Windows that
  // writer's EmptyClipboard waits until the program answers WM_DESTROYCLIPBOARD.
  int PutsWhileOwned() const;

  bool Open() override;
  bool OpenUnowned() override;
  void Close() override;
  std::optional<std::string> ReadText() override;
  bool Empty() override;
  bool WriteText(std::string_view text) override;

private:
  bool Usable();  // mutex_ held
  bool OpenAs(bool owned);
  void PutFromOtherProgram(std::optional<std::string> text);  // mutex_ held

  EventLog& log_;
  mutable std::mutex mutex_;
  std::optional<std::string> text_;
  int refusals_ = 0;
  bool open_ = false;
  bool openOwned_ = false;
  bool ownedByProgram_ = false;
  int putsWhileOwned_ = 0;
  bool failWrites_ = false;
  int misuses_ = 0;
  int readsBeforePut_ = 0;
  std::string latePut_;
};

}  // namespace bw::fake
