#pragma once

class QPageLayout;

// The one page set-up of the page shown, printed, previewed or written as a
// PDF alike, so that all three break it into the same sheets: Letter,
// portrait, 10 mm margins. A print dialog starts from it.
const QPageLayout& FormPageLayout();
