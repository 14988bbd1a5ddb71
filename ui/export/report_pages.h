#pragma once

#include "report/document.h"

#include <QFont>

class QPagedPaintDevice;

namespace quorvex {
class StopRequest;
}

namespace quorvex::ui {

/// A report painted on the pages of a PDF or a printer, block by block: a
/// matrix too wide for the page is broken into column blocks headed by
/// their column numbers (a single column still too wide is scaled down),
/// and a matrix that fits on one page is never split across two. Only the
/// page being painted is held, so that a long report costs time, not
/// memory. Safe on any thread that owns the device.
class ReportPages {
public:
    ReportPages(const Document& document, const QFont& font);

    /// Paints the whole report on the device, starting on its current
    /// page. Returns false when stopped (checked once per painted row).
    bool paint(QPagedPaintDevice& device, const StopRequest& stop) const;

private:
    const Document& m_document;
    QFont m_font;
};

} // namespace quorvex::ui
