// Test-only floor of the start-up yardstick: a windowed program that ends at
// once. No program started the same way can end sooner.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}
