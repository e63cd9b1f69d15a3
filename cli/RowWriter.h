#pragma once
// One row as a line of output, in the format and encoding asked for.

#include <cstdint>
#include <string>

#include "CliOptions.h"
#include "Text.h"

// Appends the row's line (ending in "\n") to out.
//   tsv:   title TAB link
//   jsonl: {"page":P,"title":"...","link":"..."} escaped per RFC 8259
// Title and link are code page 936; with RowEncoding::Utf8 they are converted.
void AppendRowLine(std::string& out, RowFormat format, RowEncoding encoding, std::int32_t page,
                   const Text& title, const Text& link);

// The text as the inside of a JSON string. In code page 936 text a trail byte
// may look like "\" and is left alone: only single-byte characters are escaped.
std::string JsonStringContent(const std::string& text, RowEncoding encoding);
