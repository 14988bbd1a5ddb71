#pragma once

// Renderers: a report's document written as plain text, LaTeX, HTML or
// Markdown. The commands never know which of them their report feeds.

#include "report/document.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace quorvex {

/// The formats a report can be written in.
enum class Format { Text, Latex, Html, Markdown };

/// The format named text, latex, html or markdown.
std::optional<Format> formatFromName(std::string_view name);

/// The result area's text: the report's layout byte for byte (CR LF).
std::string renderText(const Document& d);

/// Takes a text written piece by piece; false when it could not take one.
using TextSink = std::function<bool(std::string_view)>;

/// The same text handed to sink a piece of about a megabyte at a time, so
/// that a large report is never held whole. False once sink was.
bool renderText(const Document& d, const TextSink& sink);

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
