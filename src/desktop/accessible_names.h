#pragma once

class QWebEnginePage;

namespace formulario {

// Has every res: page the page shows name its fields for assistive
// technology and say that it is Spanish, once it is parsed.
void InsertAccessibleNames(QWebEnginePage* page);

}  // namespace formulario
