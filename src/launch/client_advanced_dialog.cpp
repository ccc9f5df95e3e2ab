#include "launch/client_advanced_dialog.h"

#include "base/decimal_number.h"
#include "base/format_text.h"

namespace bw {
namespace {

constexpr std::int32_t kHighestPort = 65535;

// The management port's text as a port: empty is none (0); otherwise digits only, 1..65535.
std::optional<std::int32_t> ManagementPort(std::string_view text) {
  if (text.empty()) return 0;
  const auto value = DecimalNumber(text);
  if (!value || *value < 1 || *value > kHighestPort) return std::nullopt;
  return value;
}

}  // namespace

ClientAdvancedDialog::ClientAdvancedDialog(const ClientAdvancedSettings& settings, platform::Messages& messages)
    : messages_(messages) {
  texts_[Index(AdvancedControl::NavServerName)] = settings.navServerName;
  texts_[Index(AdvancedControl::NavServerInstance)] = settings.navServerInstance;
  // A stored port outside the range shows as it is, and OK asks for a sound one.
  if (settings.managementPort != 0)
    texts_[Index(AdvancedControl::ManagementPort)] = std::to_string(settings.managementPort);
  texts_[Index(AdvancedControl::Tenant)] = settings.tenant;
  texts_[Index(AdvancedControl::AdditionalArguments)] = settings.additionalArguments;
  checked_[Index(AdvancedControl::UseOldEditor)] = settings.useOldEditor;
  checked_[Index(AdvancedControl::GenerateSymbolReference)] = settings.generateSymbolReference;
}

bool ClientAdvancedDialog::KeyTyped(AdvancedControl control, char character) const {
  if (control != AdvancedControl::ManagementPort) return true;
  return (character >= '0' && character <= '9') || character == '\b';
}

bool ClientAdvancedDialog::ConfirmOk() {
  const std::string& port = Text(AdvancedControl::ManagementPort);
  if (ManagementPort(port)) return true;
  messages_.Show(platform::MessageKind::Error, FormatText(kBadManagementPort, {port}));
  return false;
}

ClientAdvancedSettings ClientAdvancedDialog::Values() const {
  ClientAdvancedSettings settings;
  settings.navServerName = Text(AdvancedControl::NavServerName);
  settings.navServerInstance = Text(AdvancedControl::NavServerInstance);
  settings.managementPort = ManagementPort(Text(AdvancedControl::ManagementPort)).value_or(0);
  settings.tenant = Text(AdvancedControl::Tenant);
  settings.additionalArguments = Text(AdvancedControl::AdditionalArguments);
  settings.useOldEditor = Checked(AdvancedControl::UseOldEditor);
  settings.generateSymbolReference = Checked(AdvancedControl::GenerateSymbolReference);
  return settings;
}

}  // namespace bw
