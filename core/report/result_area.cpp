#include "report/result_area.h"

namespace quorvex {

void ResultArea::append(std::shared_ptr<const Document> report) {
    if (empty()) {
        m_report = std::move(report);
        m_isReport = true;
        return;
    }
    m_text = text();
    m_text.append(renderText(*report));
    m_report.reset();
    m_isReport = false;
}

bool ResultArea::write(const TextSink& sink) const {
    if (m_isReport) return renderText(*m_report, sink);
    return m_text.empty() || sink(m_text);
}

} // namespace quorvex
