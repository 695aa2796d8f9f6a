// A program that imports a function the reviewed list does not name: the PE check must reject
// it, which shows the list is enforced.
#include "platform/Win32.h"

int main() { return Beep(440, 1) ? 0 : 1; }
