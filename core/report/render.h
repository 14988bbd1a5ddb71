#pragma once

// Renderers: a report's document written as plain text, LaTeX, HTML or
// Markdown. The commands never know which of them their report feeds.

#include "report/document.h"

#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

/// The formats a report can be written in.
enum class Format { Text, Latex, Html, Markdown };

/// The format named text, latex, html or markdown.
std::optional<Format> formatFromName(std::string_view name);

/// The result area's text: byte for byte what the report wrote (CR LF).
std::string renderText(const Document& d);

/// A complete LaTeX document for XeLaTeX with ctex and amsmath; matrices as
/// bmatrix, augmented ones as an array with a bar before the right-hand side.
std::string renderLatex(const Document& d);

/// One self-contained UTF-8 HTML page: inline CSS, no scripts, matrices as
/// tables with bracket borders; narrow screens scroll a wide matrix, not the page.
std::string renderHtml(const Document& d);

/// Markdown: headings and lines as Markdown, matrices as $$…$$ display math.
std::string renderMarkdown(const Document& d);

/// The document in the given format.
std::string render(const Document& d, Format format);

} // namespace quorvex
