#pragma once
// The short name of a certificate's subject or issuer, for "issued to X by Y": what support staff
// recognise, such as the product of an inspecting proxy. Portable.
#include <string>
#include <string_view>

// `info` is the name as WinINet reports it: its parts separated by CR LF (a lone CR or LF also
// separates), each a bare value, quoted where it holds a comma or the like ("Contoso, Ltd" with
// inner quotes doubled), or a labelled "CN=value". Picked, in this order:
// - the value of the last part labelled CN;
// - else, guessed from the values, the common name: bare parts come in the order the certificate
//   stores them, mostly from the country on to the common name (then perhaps an e-mail address),
//   sometimes the other way round, with the country last. Two-letter country codes and e-mail
//   addresses are skipped, and the value at the specific end is taken (the common name, or the
//   unit or organisation without one); when every value is one of those, the last;
// - else the first part that is not blank, as written; empty only for a blank text.
// Blanks around a part and the quotes around a value are dropped.
std::string CertificateShortName(std::string_view info);
