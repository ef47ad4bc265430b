#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace formulario {

class CDraftKeeper;
class CFormulario7316View;
class HostUi;

// "Importar marcas..." and "Exportar marcas...": the annex rows of the page
// shown from and to a CSV file. An import takes every line of the file or
// none, and its rows then go through the form's own checks; an export writes
// the rows of any page with an annex, a Consult page too, whole or not at all.
class CBrandRowTransfer : public QObject {
    Q_OBJECT
public:
    // Messages go through `ui`; the file dialogs have `parent`.
    CBrandRowTransfer(CFormulario7316View& view, CDraftKeeper& drafts, HostUi& ui, QWidget* parent);

    // Ask for the file, then import or export.
    void Import();
    void Export();

    void ImportFile(const QString& path);
    void ExportTo(const QString& path);

signals:
    // An import has ended: `rows` brought in, or -1 when nothing changed.
    void imported(int rows);
    // An export has ended, the file written or not.
    void exported(bool written);

private:
    QString AskPath(bool save) const;
    void Refuse(const std::string& message, bool exporting);

    CFormulario7316View& m_view;
    CDraftKeeper& m_drafts;
    HostUi& m_ui;
    QWidget* m_parent;
};

}  // namespace formulario
