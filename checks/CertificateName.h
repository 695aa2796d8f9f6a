#pragma once
// The short name of a certificate's subject or issuer, for "issued to X by Y": what support staff
// recognise, such as the product of an inspecting proxy. Portable.
#include <string>
#include <string_view>

// `info` is the name as WinINet reports it: its parts separated by CR LF (a lone CR or LF also
// separates), each a bare value, quoted where it holds a comma or the like ("Contoso, Ltd" with
// inner quotes doubled), or a labelled "CN=value". Picked, in this order:
// - the value of the last part labelled CN;
// - else the last part with a value: bare parts run from the country to the common name, so the
//   last is the most specific (the common name, or the unit or organisation without one);
// - else the first part that is not blank, as written; empty only for a blank text.
// Blanks around a part and the quotes around a value are dropped.
std::string CertificateShortName(std::string_view info);
