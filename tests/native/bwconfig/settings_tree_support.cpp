#include "settings_tree_support.h"

#include <string>

namespace bw::bwconfig {

std::unique_ptr<TStorage> MakeRichTree() {
  auto root = std::make_unique<TStorage>();
  auto general = std::make_unique<TBrackwaterStorage>();
  general->Version = "1.1";
  general->Author = "J\xF6rg M\xFCller";
  general->VarList = {"Author=J\xF6rg", "Ticket=NAV-17", ""};
  general->Indent = "Alt+F1";
  general->ActivateViaDOT = true;
  general->InsertWindowLeft = -32769;
  general->InsertWindowWidth = 2147483647;
  general->InsertWindowHeight = -2147483647 - 1;
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
  general->Company = everyByte;
  root->AddChild(std::move(general));

  auto configs = std::make_unique<TStorage>();
  auto folder = std::make_unique<TConfigStorage>();
  folder->ConfigName = "Customers";
  folder->IsSubMenu = true;
  auto config = std::make_unique<TConfigStorage>();
  config->ConfigName = "Dev";
  config->ExecutablePath = "C:\\Program Files\\Navision\\finsql.exe";
  config->Port = 2407;
  config->IsNative = true;
  config->Username = "admin";
  config->Password = "s\xE9\x63ret";
  config->Hotkey = 0xC054;
  folder->AddChild(std::move(config));
  auto development = std::make_unique<TConfigStorage>();
  development->ConfigName = "BC14";
  development->NavServerName = "BCSRV";
  development->NavServerInstance = "BC140";
  development->NavServerManagementPort = 7045;
  development->Tenant = "default";
  development->UseOldEditor = true;
  development->GenerateSymbolReference = true;
  development->AdditionalArguments = "showalldesignercolumns=yes";
  folder->AddChild(std::move(development));
  configs->AddChild(std::move(folder));
  root->AddChild(std::move(configs));

  auto templates = std::make_unique<TStorage>();
  auto item = std::make_unique<TCommentStorage>();
  item->CommentName = "Header";
  item->Comment = std::string(300, 'x') + "\r\n// <<Author>> |";
  item->Hotkey = 0x6054;
  item->Disabled = true;
  templates->AddChild(std::move(item));
  root->AddChild(std::move(templates));

  auto plugins = std::make_unique<TStorage>();
  auto plugin = std::make_unique<TPluginStorage>();
  plugin->PluginName = "Notepad";
  plugin->ExecutablePath = "\"notepad.exe\"";
  plugins->AddChild(std::move(plugin));
  root->AddChild(std::move(plugins));
  return root;
}

}  // namespace bw::bwconfig
