// The Navision client test double, built as finsql.exe and fin.exe.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/path_parts.h"
#include "client.h"

namespace {

std::string ProcessFileName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(bw::FileNamePart(path));
}

bool ReadFile(const std::string& path, std::string& content) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return false;
  char buffer[4096];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, file)) > 0) content.append(buffer, count);
  std::fclose(file);
  return true;
}

int Refuse(const std::string& text) {
  MessageBoxA(nullptr, text.c_str(), "Navision Test Client", MB_OK | MB_ICONERROR);
  return 2;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  using namespace bw::calclient;
  const std::vector<std::string> arguments(__argv + 1, __argv + __argc);
  std::string error;
  const auto options = ParseClientOptions(arguments, error);
  if (!options) return Refuse(error);
  EditorModel editor;
  if (!options->textFile.empty()) {
    std::string text;
    if (!ReadFile(options->textFile, text)) return Refuse("Cannot read " + options->textFile);
    editor.SetText(text);
  }
  if (options->caret) editor.Place(*options->caret, options->anchor);
  Client client(*options, ProcessFileName(), std::move(editor));
  if (!client.Create(instance)) return Refuse("The client's windows cannot be created.");
  return client.Run();
}
