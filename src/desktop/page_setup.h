#pragma once

class QPageLayout;
class QPrinter;

namespace formulario {

// The one page set-up of the page shown, printed, previewed or written as a
// PDF alike, so that all three break it into the same sheets: Letter,
// portrait, 10 mm margins. A print dialog starts from it.
const QPageLayout& FormPageLayout();

// Gives `printer` that page set-up. The engine draws each sheet as an image
// at the printer's resolution, so it is set to 300 dpi: a long declaration
// prints and previews quickly, in little memory, and still prints well.
void UseFormPageSetup(QPrinter& printer);

}  // namespace formulario
