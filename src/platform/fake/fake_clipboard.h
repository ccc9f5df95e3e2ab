// A clipboard with any formats, the text one among them, that "another program" can hold open
// for a number of attempts or for ever. Calls outside an open session fail and are counted as
// misuse.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  // Puts these formats on the clipboard as another program would.
  void PutItems(std::vector<platform::ClipboardItem> items);
  // Adds a format of this many bytes (all zero) to what the clipboard holds; the bytes are made
  // only when the format is read.
  void PutSized(std::uint32_t format, std::size_t size);
  // The formats it holds now are rendered by their owner only when asked for.
  void DelayRendering(std::vector<std::uint32_t> formats);
  // The owner of what another program put stops answering (or answers again).
  void HangOwner(bool hung);
  // Delayed formats asked for while their owner hung: on Windows the asker hangs there.
  int HungReads() const;
  // Puts the text on the clipboard only when it has been read `reads` more times, as a slow
  // program answering a copy chord would.
  void PutAfterReads(int reads, std::string text);
  // Emptying fails while set (as when another program owns the clipboard and will not let go).
  void FailEmpty(bool fail);
  // The next Empty succeeds, and then another program (a clipboard viewer) holds the clipboard
  // open for `attempts` opens.
  void HoldOpenAfterEmpty(int attempts);

  std::optional<std::string> Text() const;  // the text format's content
  std::vector<platform::ClipboardItem> Items() const;
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
  std::vector<platform::ClipboardFormat> Formats() override;
  bool OwnerAnswers() override;
  std::optional<std::size_t> SizeOf(std::uint32_t format) override;
  std::optional<std::string> Read(std::uint32_t format) override;
  std::uint32_t RegisterFormat(std::string_view name) override;
  bool Empty() override;
  bool WriteAll(std::span<const platform::ClipboardItem> items) override;

private:
  bool Usable();  // mutex_ held
  bool OpenAs(bool owned);
  void PutFromOtherProgram(std::vector<platform::ClipboardItem> items);  // mutex_ held
  const platform::ClipboardItem* Held(std::uint32_t format);              // mutex_ held, open, rendered

  EventLog& log_;
  mutable std::mutex mutex_;
  std::vector<platform::ClipboardItem> items_;
  int refusals_ = 0;
  bool open_ = false;
  bool openOwned_ = false;
  bool ownedByProgram_ = false;
  int putsWhileOwned_ = 0;
  bool failEmpty_ = false;
  int refusalsAfterEmpty_ = 0;
  int misuses_ = 0;
  int readsBeforePut_ = 0;
  std::string latePut_;
  std::map<std::uint32_t, std::size_t> sizes_;  // formats put by PutSized
  std::set<std::uint32_t> delayed_;
  bool ownerHung_ = false;
  int hungReads_ = 0;
  std::vector<std::string> registered_;  // the registered formats' names, from kFirstRegistered
};

}  // namespace bw::fake
