// printf-style text building and the upper-casing that the file writers use.
#pragma once

#include <string>

std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));
void AppendFormat(std::string& text, const char* format, ...) __attribute__((format(printf, 2, 3)));

// Upper-cases the ASCII letters a..z in place; every other byte stays as it is.
void MakeUpper(std::string& text);
