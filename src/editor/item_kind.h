// The three kinds of item that carry a hotkey of their own: templates, configurations, plug-ins.
#pragma once

namespace bw {

enum class ItemKind { Configuration, Template, Plugin };

}  // namespace bw
