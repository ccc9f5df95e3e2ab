// The "Advanced..." part of the configuration dialog: the development environment's NAV Server,
// tenant and editor settings of a SQL client (NAV 2013 and later), in a small dialog of its own.
// Like the main dialog it changes no record: it is loaded with the values and read back on OK.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/messages.h"

namespace bw {

struct ClientAdvancedSettings {
  std::string navServerName;
  std::string navServerInstance;
  std::int32_t managementPort = 0;  // 0: none given
  std::string tenant;
  bool useOldEditor = false;
  bool generateSymbolReference = false;
  std::string additionalArguments;
  friend bool operator==(const ClientAdvancedSettings&, const ClientAdvancedSettings&) = default;
};

// In tab order.
enum class AdvancedControl {
  NavServerName,
  NavServerInstance,
  ManagementPort,
  Tenant,
  UseOldEditor,
  GenerateSymbolReference,
  AdditionalArguments,
};
inline constexpr std::size_t kAdvancedControlCount = static_cast<std::size_t>(AdvancedControl::AdditionalArguments) + 1;

inline constexpr std::string_view kAdvancedCaption = "Advanced Client Settings";
inline constexpr std::string_view kBadManagementPort =
    "The management port '%s' is not a number from 1 to 65535.\r\nPlease correct the field Management port.";
inline constexpr int kAdvancedHelp = 64;  // the dialog; its fields follow from 65 in tab order

struct AdvancedControlSpec {
  AdvancedControl control;
  std::string_view caption;  // the label of a field, the text of a check box
  bool checkBox;
};
inline constexpr std::array<AdvancedControlSpec, kAdvancedControlCount> kAdvancedControls = {{
    {AdvancedControl::NavServerName, "NAV Server name", false},
    {AdvancedControl::NavServerInstance, "NAV Server instance", false},
    {AdvancedControl::ManagementPort, "Management port", false},
    {AdvancedControl::Tenant, "Tenant", false},
    {AdvancedControl::UseOldEditor, "Use the classic C/AL editor", true},
    {AdvancedControl::GenerateSymbolReference, "Generate symbol references", true},
    {AdvancedControl::AdditionalArguments, "Additional arguments", false},
}};

class ClientAdvancedDialog {
public:
  ClientAdvancedDialog(const ClientAdvancedSettings& settings, platform::Messages& messages);

  // The field's text, or "" for a check box.
  const std::string& Text(AdvancedControl control) const { return texts_[Index(control)]; }
  bool Checked(AdvancedControl control) const { return checked_[Index(control)]; }

  void TextChanged(AdvancedControl control, std::string_view text) { texts_[Index(control)] = text; }
  void Toggle(AdvancedControl control) { checked_[Index(control)] = !checked_[Index(control)]; }
  // The management port takes digits and Backspace only; false swallows the key.
  bool KeyTyped(AdvancedControl control, char character) const;
  // OK: false, with an error box, while the management port is neither empty nor 1..65535.
  bool ConfirmOk();
  // The values as confirmed; an empty management port is 0.
  ClientAdvancedSettings Values() const;

  static int HelpNumber(std::optional<AdvancedControl> control) {
    return control ? kAdvancedHelp + 1 + static_cast<int>(*control) : kAdvancedHelp;
  }

private:
  static std::size_t Index(AdvancedControl control) { return static_cast<std::size_t>(control); }

  platform::Messages& messages_;
  std::array<std::string, kAdvancedControlCount> texts_{};
  std::array<bool, kAdvancedControlCount> checked_{};
};

}  // namespace bw
