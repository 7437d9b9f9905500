// fopen for UTF-8 paths: the Windows C runtime reads narrow paths in the ANSI code page.
#pragma once
#include <cstdio>
#include <string>

std::FILE* OpenFileUtf8(const std::string& path, const char* mode);
