// What the driver prints: UTF-8, bytes exactly as given (no CR LF rewriting).
#pragma once

#include <string>

// Puts standard output in binary mode; call once before printing.
void PrepareOutput();

// Writes `text` to standard output as UTF-8.
void Print(const std::wstring& text);

// Writes a message to standard error as UTF-8, followed by a line feed.
void Complain(const std::wstring& text);
