// The connection string the program builds at start-up, in the provider's "key=value;..." form:
//   Provider=Microsoft.Jet.OLEDB.4.0;Data Source=<file>;Persist Security Info=False;
//   Jet OLEDB:Database Password=<password>
// Keys compare without regard to case and blanks around them; a value may be quoted with " or '
// (a doubled quote inside stands for one) so that it can hold ';'. Unknown keys are ignored.
#pragma once

#include <string>
#include <string_view>

namespace bus::db {

// The provider name the program asks for; our layer answers for it.
inline constexpr std::string_view kJetProvider = "Microsoft.Jet.OLEDB.4.0";

struct ConnectionString {
  std::string provider;             // "Provider"
  std::string dataSource;           // "Data Source": full path of the database file
  std::string persistSecurityInfo;  // "Persist Security Info", kept as written
  std::string password;             // "Jet OLEDB:Database Password"; the file format has none

  // Parses text. Never fails: a malformed piece (no '=') is skipped like an unknown key.
  static ConnectionString Parse(std::string_view text);
};

// value in double quotes (an inner one doubled), so that Parse() reads it back unchanged whatever
// it holds: ';', quotes, leading or trailing blanks.
std::string QuoteConnectionValue(std::string_view value);

}  // namespace bus::db
