#include "brand_row_transfer.h"

#include "draft_keeper.h"
#include "formulario7316_view.h"

#include "host/brand_csv.h"
#include "host/file_reader.h"
#include "host/host_ui.h"
#include "host/safe_file_writer.h"

#include <QDir>
#include <QFileDialog>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace formulario {

namespace {

const QString kFileFilter = QStringLiteral("Archivos CSV (*.csv);;Todos los archivos (*)");

constexpr char kNoAnnex[] =
    "Error:\nLas marcas se importan al formulario en blanco o a una declaración que se modifica.";
constexpr char kNoRows[] = "Error:\nLa página mostrada no tiene marcas que exportar.";

// The annex rows of the page shown: the working form's own reading, or the
// cells of a Consult page, whose brand and price follow a blank.
const QString kRowsScript =
    QStringLiteral("(function () {"
                   " if (typeof renglonesmarcas == 'function') return renglonesmarcas();"
                   " var cuerpo = document.getElementById('cuerpo1'); if (!cuerpo) return null;"
                   " var renglones = [];"
                   " for (var i = 0; i < cuerpo.rows.length; i++) {"
                   "  var celdas = cuerpo.rows[i].cells; if (celdas.length < 7) continue;"
                   "  var v = [];"
                   "  for (var k = 1; k <= 6; k++) {"
                   "   var t = celdas[k].textContent; v.push(k <= 2 && t.charAt(0) == ' ' ? t.substring(1) : t); }"
                   "  renglones.push(v); }"
                   " return renglones; })()");

std::string Native(const QString& path)
{
    return QDir::toNativeSeparators(path).toStdString();
}

QJsonArray RowsJson(const BrandCsv& csv)
{
    QJsonArray rows;
    for (const CsvBrandRow& row : csv.rows) {
        QJsonArray cells;
        for (const std::string& cell : row.cells)
            cells << QString::fromStdString(cell);
        rows << cells;
    }
    return rows;
}

}  // namespace

CBrandRowTransfer::CBrandRowTransfer(CFormulario7316View& view, CDraftKeeper& drafts, HostUi& ui, QWidget* parent)
    : QObject(parent), m_view(view), m_drafts(drafts), m_ui(ui), m_parent(parent)
{
}

QString CBrandRowTransfer::AskPath(bool save) const
{
    QFileDialog dialog(m_parent, save ? QStringLiteral("Exportar marcas") : QStringLiteral("Importar marcas"),
                       QDir::homePath(), kFileFilter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save)
        dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void CBrandRowTransfer::Refuse(const std::string& message, bool exporting)
{
    m_ui.ShowWarning(message);
    if (exporting)
        emit exported(false);
    else
        emit imported(-1);
}

void CBrandRowTransfer::Import()
{
    if (!m_drafts.IsWorkingForm())
        return Refuse(kNoAnnex, false);
    const QString path = AskPath(false);
    if (!path.isEmpty())
        ImportFile(path);
}

void CBrandRowTransfer::Export()
{
    const QString path = AskPath(true);
    if (!path.isEmpty())
        ExportTo(path);
}

// Reads the file, has the form check every row and, when no line is
// refused, take them; one message names every refused line.
void CBrandRowTransfer::ImportFile(const QString& path)
{
    if (!m_drafts.IsWorkingForm())
        return Refuse(kNoAnnex, false);
    const std::optional<std::string> bytes = ReadWholeFile(path.toStdString());
    if (!bytes)
        return Refuse("Error:\nNo se pudo leer el archivo " + Native(path), false);
    auto csv = std::make_shared<BrandCsv>(ReadBrandCsv(*bytes));
    const QString script = QStringLiteral("importamarcas(%1, %2)")
                               .arg(QString::fromUtf8(QJsonDocument(RowsJson(*csv)).toJson(QJsonDocument::Compact)),
                                    csv->refusals.empty() ? QStringLiteral("true") : QStringLiteral("false"));
    QPointer<CBrandRowTransfer> self(this);
    m_view.page()->runJavaScript(script, QWebEngineScript::MainWorld, [self, csv](const QVariant& result) {
        if (!self)
            return;
        if (result.typeId() != QMetaType::QVariantList)
            return self->Refuse(kNoAnnex, false);
        for (const QVariant& refusal : result.toList()) {
            const QVariantList pair = refusal.toList();
            const auto index = pair.value(0).toLongLong();
            if (index >= 0 && index < static_cast<qint64>(csv->rows.size()))
                csv->refusals.push_back(
                    {csv->rows[static_cast<std::size_t>(index)].line, pair.value(1).toString().toStdString()});
        }
        if (!csv->refusals.empty())
            return self->Refuse(RefusalMessage(csv->refusals), false);
        self->m_drafts.SaveNow();
        emit self->imported(static_cast<int>(csv->rows.size()));
    });
}

void CBrandRowTransfer::ExportTo(const QString& path)
{
    QPointer<CBrandRowTransfer> self(this);
    m_view.page()->runJavaScript(kRowsScript, QWebEngineScript::MainWorld, [self, path](const QVariant& result) {
        if (!self)
            return;
        if (result.typeId() != QMetaType::QVariantList)
            return self->Refuse(kNoRows, true);
        std::vector<BrandCells> rows;
        for (const QVariant& row : result.toList()) {
            const QVariantList cells = row.toList();
            BrandCells& written = rows.emplace_back();
            for (std::size_t k = 0; k < written.size(); ++k)
                written[k] = cells.value(static_cast<qsizetype>(k)).toString().toStdString();
        }
        if (!WriteFileWhole(path.toStdString(), BrandCsvText(rows)).ok())
            return self->Refuse("Error:\nNo se pudo escribir el archivo " + Native(path), true);
        emit self->exported(true);
    });
}

}  // namespace formulario
