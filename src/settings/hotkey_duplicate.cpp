// The duplicate mark of templates that share a hotkey.
#include "settings/hotkey_text.h"

namespace bw {

void MarkDuplicateHotkey(TCommentStorage& item, const TStorage& templatesFolder) {
  item.Disabled = false;
  const TShortCut key = ItemShortcut(item.Hotkey);
  if (key == 0) return;
  for (int i = 0; i < templatesFolder.ChildCount(); ++i) {
    const auto* other = dynamic_cast<const TCommentStorage*>(&templatesFolder.Child(i));
    // By identity: a template being modified never counts as its own duplicate.
    if (other && other != &item && ItemShortcut(other->Hotkey) == key) {
      item.Disabled = true;
      return;
    }
  }
}

}  // namespace bw
