// Text helpers over ANSI byte strings that know the code page's double-byte
// characters: delimiter searches, file-name case folding and comparison, joining.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"

namespace tarnsel::platform {

// Index of the last byte of `text` that is one of `delimiters` and is not the
// second byte of a double-byte character; npos when there is none.
std::size_t LastDelimiter(const CodePage& codePage, std::string_view text,
                          std::string_view delimiters);

// Index of the first such byte at or after `from`; npos when there is none.
std::size_t FirstDelimiter(const CodePage& codePage, std::string_view text,
                           std::string_view delimiters, std::size_t from = 0);

// Index of the first byte of the last character of `text`; npos for an empty text.
std::size_t LastCharacterStart(const CodePage& codePage, std::string_view text);

// True when the last character (not merely the last byte) is `c`.
bool EndsWithCharacter(const CodePage& codePage, std::string_view text, char c);

// File-name case folding: on a double-byte code page only ASCII letters change and
// double-byte characters are copied whole; otherwise the locale's mapping applies.
std::string LowerCaseFileName(const CodePage& codePage, std::string_view text);
std::string UpperCaseFileName(const CodePage& codePage, std::string_view text);

// Equality of two file names: both lower-case folded, then the locale's comparison.
bool SameFileName(const CodePage& codePage, std::string_view a, std::string_view b);

// The folder, "\" and the name; no second separator when the folder ends in one.
std::string JoinPath(const CodePage& codePage, std::string_view folder, std::string_view name);

// The path without the namespace prefix that some calls report: "\\?\UNC\server\x"
// and "UNC\server\x" (Wine's module name on a share) become "\\server\x", and
// "\\?\C:\x" becomes "C:\x". Other paths stay as they are.
std::string WithoutNamespacePrefix(std::string path);

// "X:\" for a path that begins with a drive letter and a colon; empty otherwise.
std::string DriveRootOf(const std::string& path);

// True when the path's attributes can be read and include the folder bit.
bool FolderExists(FileSystem& files, const std::string& path);

}  // namespace tarnsel::platform
