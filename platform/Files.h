// Whole-file reads and writes, by a path relative to the current directory or absolute.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The whole content of the file; nullopt (and the reason in `error`) when it cannot be opened
// or read.
std::optional<std::string> ReadWholeFile(const std::string& path, std::string* error = nullptr);

// Creates the file, or empties it, and writes `data` in one piece. False (and the reason in
// `error`) when it cannot be created, written or closed.
bool WriteWholeFile(const std::string& path, std::string_view data, std::string* error = nullptr);

// The current directory, or nullopt (and the reason in `error`) when it cannot be had.
std::optional<std::string> CurrentDirectory(std::string* error = nullptr);

// `name` in `directory`.
std::string PathIn(const std::string& directory, const std::string& name);
