// A stand-in for the NAV 2016 development environment: nothing but its version resource
// (nav2016_client.rc), which the configuration dialog reads. Started, it ends at once.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return 0; }
