// The C++ runtime's default handler for std::terminate prints the type of the exception that
// was not caught, demangled, to the standard error stream. A windowed program has no such
// stream, and the handler brings the whole demangler and a printf implementation into the file
// (about 100 KB of a program that aims to stay under 400 KB). This one ends the program the same
// way, without the message.
#include <cstdlib>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
