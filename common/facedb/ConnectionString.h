// The provider-style connection string the programs build:
//   "Provider=Microsoft.Jet.OLEDB.4.0; Data Source=C:\app\data\mienko.db;Jet OLEDB:Database Password=...;"
// Keys are matched without regard to case or surrounding blanks; a value may be
// enclosed in double or single quotes (a doubled quote inside stands for one).
#pragma once
#include <map>
#include <string>

class ConnectionString {
public:
    // False when the text has a part without "=" or an unterminated quoted value.
    bool Parse(const std::string& text);
    // The value of `key` (any case), empty when absent.
    std::string Get(const std::string& key) const;
    bool Has(const std::string& key) const;

private:
    std::map<std::string, std::string> m_values;  // keyed by the lower-case key
};
