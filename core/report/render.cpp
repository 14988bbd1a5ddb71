#include "report/render.h"

namespace quorvex {

std::optional<Format> formatFromName(std::string_view name) {
    if (name == "text") return Format::Text;
    if (name == "latex") return Format::Latex;
    if (name == "html") return Format::Html;
    if (name == "markdown") return Format::Markdown;
    return std::nullopt;
}

std::string render(const Document& d, Format format) {
    switch (format) {
    case Format::Text: return renderText(d);
    case Format::Latex: return renderLatex(d);
    case Format::Html: return renderHtml(d);
    case Format::Markdown: return renderMarkdown(d);
    }
    return renderText(d);
}

} // namespace quorvex
