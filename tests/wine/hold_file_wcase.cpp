// Keeps a file in use the way a running program keeps its library: open, without letting anyone
// delete it. Used by tests/wine/installer.sh for a file the setup program cannot remove.
//   hold_file_wcase.exe FILE MARKER
// Opens FILE (others may read it, not delete or write it), then creates MARKER and holds the file
// until MARKER is deleted, two minutes at most. Exit code 0 once the file was held, 1 otherwise.
#include <windows.h>

#include "platform/win32/unique_resource.h"

int main(int argc, char** argv) {
  if (argc != 3) return 1;
  const bw::platform::UniqueHandle file(
      CreateFileA(argv[1], GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return 1;
  if (!bw::platform::UniqueHandle(CreateFileA(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr))) return 1;
  for (int waited = 0; waited < 1200 && GetFileAttributesA(argv[2]) != INVALID_FILE_ATTRIBUTES; ++waited) Sleep(100);
  return 0;
}
