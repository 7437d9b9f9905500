// Bar lists: "|3|17|" style texts of decimal numbers, each followed by "|" and the
// whole preceded by one "|". They hold a face's categories and a category's packs.
// Callers trim stored values before handing them in.
#pragma once
#include <string>

bool BarListContains(const std::string& list, const std::string& item);
// Appends `item`; with `skipIfPresent` a list that already holds it comes back as is.
std::string BarListAdd(const std::string& list, const std::string& item, bool skipIfPresent);
// Drops the first `item` and its "|"; a list left as "|" becomes empty.
std::string BarListRemove(const std::string& list, const std::string& item);

inline std::string BarItem(int number) { return std::to_string(number); }

// The blank-trimmed form of a fixed-width text value.
std::string TrimText(const std::string& text);
