// How the test client's windows react to key and character messages, posted or typed.
#include <optional>

#include "client.h"
#include "clipboard_text.h"

namespace bw::calclient {

namespace {

std::optional<EditKey> EditKeyFor(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_RETURN: return EditKey::Enter;
    case VK_HOME: return EditKey::Home;
    case VK_END: return EditKey::End;
    case VK_LEFT: return EditKey::Left;
    case VK_RIGHT: return EditKey::Right;
    case VK_UP: return EditKey::Up;
    case VK_DOWN: return EditKey::Down;
    case VK_DELETE: return EditKey::Delete;
    case VK_BACK: return EditKey::Backspace;
    default: return std::nullopt;
  }
}

// Enter, Backspace and Tab act on the key; the characters TranslateMessage makes of them do not.
bool Typeable(WPARAM character) { return character == '\t' || (character >= 0x20 && character <= 0xFF); }

}  // namespace

void Client::CountKey() {
  ++keys_;
  if (Modifiers::Real().Any()) ++keysWithModifier_;
}

void Client::EditorKeyDown(WPARAM virtualKey) {
  if (Modifiers::IsModifierKey(virtualKey)) return;
  CountKey();
  const HeldModifiers held = modifiers_.Effective();
  // The copy key comes as VkKeyScanA gives it: the high byte may carry shift state bits.
  const WPARAM key = virtualKey & 0xFF;
  if (held.control && !held.alt && key == 'C') {
    if (const auto text = editor_.Copy()) {
      if (PutClipboardText(editorWindow_, *text)) ++copies_;
      log_.Note("copied " + std::to_string(text->size()) + " characters");
    }
  } else if (held.control && !held.alt && key == 'A') {
    const int last = static_cast<int>(editor_.Lines().size()) - 1;
    editor_.Place({last, static_cast<int>(editor_.Lines().back().size())}, Position{0, 0});
  } else if (const auto editKey = EditKeyFor(key)) {
    editor_.Press(*editKey, held.shift);
  } else {
    return;
  }
  EditorChanged();
}

void Client::EditorChar(WPARAM character) {
  CountKey();
  if (!Typeable(character)) return;
  editor_.Type(static_cast<char>(static_cast<unsigned char>(character)));
  EditorChanged();
}

void Client::GluedKeyDown(WPARAM virtualKey) {
  if (Modifiers::IsModifierKey(virtualKey)) return;
  CountKey();
  switch (virtualKey & 0xFF) {
    case VK_RETURN: {
      const bool wasLoggedIn = login_.LoggedIn();
      login_.Enter();
      if (!wasLoggedIn && login_.LoggedIn()) {
        log_.Note("logged on as " + login_.UserName());
        // As the real client does, the editor opens and the dialog goes away; it stays
        // alive (hidden) so that Enters still posted to it are recorded. Hidden only once the
        // editor is in front: hiding the active window first would hand the activation to
        // whatever comes next, which without a window manager may arrive after the editor's.
        OpenEditor();
        ShowWindow(loginWindow_.Get(), SW_HIDE);
      }
      break;
    }
    case VK_BACK: login_.Backspace(); break;
    case VK_TAB:
      login_.Focus(login_.Focused() == LoginField::UserName ? LoginField::Password : LoginField::UserName);
      break;
    default: return;
  }
  if (glued_ != nullptr) InvalidateRect(glued_, nullptr, TRUE);
}

void Client::GluedChar(WPARAM character) {
  CountKey();
  if (character < 0x20 || character > 0xFF) return;
  login_.Type(static_cast<char>(static_cast<unsigned char>(character)));
  if (glued_ != nullptr) InvalidateRect(glued_, nullptr, TRUE);
}

}  // namespace bw::calclient
