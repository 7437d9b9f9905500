// Translation of the programs' Jet SQL texts into SQLite's dialect, token by token:
//   select top N ...            -> ... LIMIT N
//   "text" and 'text' literals  -> bound parameters (so statements repeat and cache)
//   bare numeric table names    -> quoted identifiers ("7")
//   int identity(1,1)           -> INTEGER PRIMARY KEY AUTOINCREMENT (never reuses ids)
//   char(n)                     -> CHAR(n) COLLATE NOCASE with a length check of n
//   image                       -> BLOB
// A table with a display-order column `orderid` gets an index on it, so pages come
// out in order without a sort.
#pragma once
#include <string>
#include <vector>

struct JetStatement {
    bool ok = false;                  // false: the text does not tokenize (open literal)
    bool isQuery = false;             // a select
    bool isSchemaChange = false;      // create, drop or alter
    std::string sql;                  // SQLite text, possibly several statements
    std::vector<std::string> params;  // literal values for the ? marks, in order

    // Filled for "select [top N] * from T [where ...] [order by ...]" over one table:
    // the recordset re-selects the columns itself to keep the row id and defer blobs.
    bool singleTableStar = false;
    std::string table;  // the table's name, unquoted
    std::string tail;   // translated text after the table name, without limit or ";"
    long long limit = -1;
};

JetStatement TranslateJet(const std::string& jetSql);

// A table name as a SQLite identifier: "7", "mmNameIndexTable".
std::string QuoteIdentifier(const std::string& name);

// Doubles the quote character so that the text is data inside a "..." literal.
std::string JetEscapeDoubleQuoted(const std::string& text);
// Doubles the quote character so that the text is data inside a '...' literal.
std::string JetEscapeSingleQuoted(const std::string& text);
