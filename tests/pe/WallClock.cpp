// Calls the clock the checker's link refuses: see link_rejects_wall_clock_test.
#include <chrono>

int main() { return static_cast<int>(std::chrono::steady_clock::now().time_since_epoch().count() & 1); }
