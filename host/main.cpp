#include "host.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { vorpane::host::saver_main(); }
