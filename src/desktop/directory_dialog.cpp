#include "directory_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>

#include <utility>

namespace formulario {

namespace {

// Dialog units: a quarter of the font's average character width across,
// an eighth of its height down, so the layout keeps its proportions in any font.
struct DialogUnits {
    explicit DialogUnits(const QFont& font)
    {
        const QFontMetricsF metrics(font);
        const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        x = metrics.horizontalAdvance(letters) / static_cast<double>(letters.size()) / 4.0;
        y = metrics.height() / 8.0;
    }
    QRect Rect(int left, int top, int width, int height) const
    {
        return QRect(qRound(left * x), qRound(top * y), qRound(width * x), qRound(height * y));
    }
    QSize Size(int width, int height) const { return QSize(qRound(width * x), qRound(height * y)); }

    double x;
    double y;
};

}  // namespace

CDirectorioDestinoDlg::CDirectorioDestinoDlg(QWidget* parent, FolderBrowser browser)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_browser(std::move(browser)), m_ok(new QPushButton(QStringLiteral("OK"), this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this)),
      m_buscar(new QPushButton(QStringLiteral("Buscar"), this)), m_directorio(new QLineEdit(this)),
      m_prompt(new QLabel(QStringLiteral("Ingrese el path del directorio donde se creara el archivo"), this))
{
    setWindowTitle(QStringLiteral("Directorio Destino"));
    m_ok->setDefault(true);
    m_prompt->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    PlaceControls();
    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_cancel, m_buscar);
    setTabOrder(m_buscar, m_directorio);

    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_buscar, &QPushButton::clicked, this, &CDirectorioDestinoDlg::OnBuscar);
}

void CDirectorioDestinoDlg::PlaceControls()
{
    const DialogUnits units(font());
    setFixedSize(units.Size(323, 85));
    m_ok->setGeometry(units.Rect(88, 61, 50, 14));
    m_cancel->setGeometry(units.Rect(168, 61, 50, 14));
    m_buscar->setGeometry(units.Rect(266, 27, 50, 14));
    m_directorio->setGeometry(units.Rect(7, 26, 256, 16));
    m_prompt->setGeometry(units.Rect(49, 9, 207, 12));
}

QString CDirectorioDestinoDlg::BrowseForFolder(QWidget* parent, const QString& start)
{
    const QString folder = QFileDialog::getExistingDirectory(parent, QStringLiteral("Seleccione un folder"), start,
                                                             QFileDialog::ShowDirsOnly);
    return QDir::toNativeSeparators(folder);
}

void CDirectorioDestinoDlg::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_directorio->setText(m_strDirectorio);
        m_ok->setFocus();
    }
    QDialog::showEvent(event);
}

void CDirectorioDestinoDlg::accept()
{
    m_strDirectorio = m_directorio->text();
    QDialog::accept();
}

void CDirectorioDestinoDlg::OnBuscar()
{
    const QString folder = m_browser(this, m_directorio->text());
    if (!folder.isEmpty())
        m_directorio->setText(folder);
}

}  // namespace formulario
