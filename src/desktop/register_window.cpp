#include "register_window.h"

#include "register_folders.h"
#include "register_model.h"

#include "host/declaration_files.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QTableView>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace formulario {

namespace {

constexpr int kProgressIntervalMs = 100;

QPushButton* Button(const char* text, QWidget* parent, const std::function<void()>& pressed)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    QObject::connect(button, &QPushButton::clicked, parent, pressed);
    return button;
}

std::vector<std::string> Utf8Folders(const QStringList& folders)
{
    std::vector<std::string> texts;
    for (const QString& folder : folders)
        texts.push_back(folder.toStdString());
    return texts;
}

}  // namespace

CRegisterWindow::CRegisterWindow(QWidget* parent, Actions actions)
    : QWidget(parent, Qt::Window), m_actions(std::move(actions)), m_model(new CRegisterModel(this)),
      m_filter(new CRegisterFilter(this)), m_typed(new QLineEdit(this)), m_table(new QTableView(this)),
      m_folders(new QListWidget(this)), m_status(new QLabel(this)), m_progress(new QProgressBar(this)),
      m_progressTimer(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Declaraciones generadas"));
    resize(1000, 600);
    auto* find = new QLabel(QStringLiteral("&Buscar (NIT, nombre o período):"), this);
    find->setBuddy(m_typed);
    m_typed->setAccessibleName(QStringLiteral("Buscar por NIT, nombre o período"));
    connect(m_typed, &QLineEdit::textChanged, m_filter, &CRegisterFilter::SetTyped);

    m_filter->setSourceModel(m_model);
    m_table->setModel(m_filter);
    m_table->setAccessibleName(QStringLiteral("Declaraciones generadas"));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    m_table->setSortingEnabled(true);
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setWordWrap(false);
    connect(m_table, &QTableView::activated, this, [this] { OnRow(m_actions.consult); });

    m_progress->setAccessibleName(QStringLiteral("Lectura de los archivos"));
    m_status->setTextFormat(Qt::PlainText);
    connect(m_progressTimer, &QTimer::timeout, this, &CRegisterWindow::ShowProgress);

    auto* layout = new QVBoxLayout(this);
    auto* findRow = new QHBoxLayout;
    findRow->addWidget(find);
    findRow->addWidget(m_typed, 1);
    layout->addLayout(findRow);
    layout->addWidget(m_table, 1);
    layout->addWidget(CreateRowButtons());
    layout->addWidget(CreateFolderPane());
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(m_status, 1);
    statusRow->addWidget(m_progress);
    layout->addLayout(statusRow);

    auto* refresh = new QShortcut(QKeySequence::Refresh, this);
    connect(refresh, &QShortcut::activated, this, &CRegisterWindow::Rescan);
    auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
    setTabOrder(m_typed, m_table);
}

CRegisterWindow::~CRegisterWindow()
{
    StopScan();
}

QWidget* CRegisterWindow::CreateRowButtons()
{
    auto* pane = new QWidget(this);
    auto* row = new QHBoxLayout(pane);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Button("&Consultar", this, [this] { OnRow(m_actions.consult); }));
    row->addWidget(Button("&Modificar", this, [this] { OnRow(m_actions.modify); }));
    row->addWidget(Button("&Nueva a partir de esta", this, [this] { OnRow(m_actions.nextPeriod); }));
    row->addWidget(Button("&Exportar PDF...", this, [this] { OnRow(m_actions.exportPdf); }));
    row->addWidget(Button("Abrir c&arpeta", this, [this] {
        OnRow([](const std::string& path) {
            QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(QString::fromStdString(path)).absolutePath()));
        });
    }));
    row->addStretch(1);
    row->addWidget(Button("Ac&tualizar", this, [this] { Rescan(); }));
    row->addWidget(Button("Cerrar", this, [this] { close(); }));
    return pane;
}

QWidget* CRegisterWindow::CreateFolderPane()
{
    auto* pane = new QWidget(this);
    auto* row = new QHBoxLayout(pane);
    row->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(QStringLiteral("Carpetas &leídas:"), pane);
    label->setBuddy(m_folders);
    m_folders->setAccessibleName(QStringLiteral("Carpetas leídas"));
    m_folders->setMaximumHeight(80);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Button("A&gregar carpeta...", this, [this] { AddFolder(); }));
    buttons->addWidget(Button("&Quitar carpeta", this, [this] { RemoveFolder(); }));
    row->addWidget(label);
    row->addWidget(m_folders, 1);
    row->addLayout(buttons);
    return pane;
}

void CRegisterWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Rescan();
}

void CRegisterWindow::StopScan()
{
    if (m_scan)
        m_scan->progress.cancelled = true;
    m_scan.reset();  // joins the thread, which stops at the next file
    m_progressTimer->stop();
}

void CRegisterWindow::Rescan()
{
    StopScan();
    const QStringList folders = RegisterFolders();
    m_folders->clear();
    for (const QString& folder : folders)
        m_folders->addItem(QDir::toNativeSeparators(folder));
    m_model->SetRows({});
    m_scan = std::make_unique<Scan>();
    Scan* scan = m_scan.get();
    scan->thread = std::jthread([this, scan, roots = Utf8Folders(folders)] {
        const std::vector<std::string> files = FindDeclarationFiles(roots);
        scan->total = files.size();
        std::vector<RegisterRow> rows = MarkRegister(ReadRegisterRows(files, scan->progress));
        if (scan->progress.cancelled)
            return;
        QMetaObject::invokeMethod(
            this,
            [this, scan, rows = std::move(rows)]() mutable {
                if (m_scan.get() == scan)
                    ScanDone(std::move(rows));
            },
            Qt::QueuedConnection);
    });
    ShowProgress();
    m_progress->show();
    m_progressTimer->start(kProgressIntervalMs);
}

void CRegisterWindow::ShowProgress()
{
    if (!m_scan)
        return;
    const int total = int(m_scan->total), read = int(m_scan->progress.read);
    m_progress->setRange(0, total);
    m_progress->setValue(read);
    m_status->setText(total ? QStringLiteral("Leyendo %1 de %2 archivos...").arg(read).arg(total)
                            : QStringLiteral("Buscando archivos..."));
}

void CRegisterWindow::ScanDone(std::vector<RegisterRow> rows)
{
    m_scan.reset();
    m_progressTimer->stop();
    m_progress->hide();
    const auto unreadable = std::count_if(rows.begin(), rows.end(),
                                          [](const RegisterRow& row) { return row.mark == RegisterMark::kUnreadable; });
    const auto gaps =
        std::count_if(rows.begin(), rows.end(), [](const RegisterRow& row) { return row.mark == RegisterMark::kGap; });
    m_model->SetRows(std::move(rows));
    m_table->resizeColumnsToContents();
    m_status->setText(QStringLiteral("Declaraciones: %1. Archivos que no pudieron leerse: %2. Meses faltantes: %3.")
                          .arg(m_model->rowCount() - unreadable - gaps)
                          .arg(unreadable)
                          .arg(gaps));
    if (m_filter->rowCount() > 0)
        m_table->setCurrentIndex(m_filter->index(0, 0));
    emit scanFinished();
}

void CRegisterWindow::AddFolder()
{
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Seleccione un folder"), QDir::homePath());
    if (folder.isEmpty())
        return;
    RememberRegisterFolder(folder);
    Rescan();
}

void CRegisterWindow::RemoveFolder()
{
    const int row = m_folders->currentRow();
    QStringList folders = RegisterFolders();
    if (row < 0 || row >= folders.size())
        return;
    folders.removeAt(row);
    SetRegisterFolders(folders);
    Rescan();
}

std::string CRegisterWindow::CurrentPath() const
{
    const QModelIndex current = m_filter->mapToSource(m_table->currentIndex());
    return current.isValid() ? m_model->Row(current.row()).path : std::string();
}

void CRegisterWindow::OnRow(const std::function<void(const std::string&)>& action)
{
    const std::string path = CurrentPath();
    if (!path.empty() && action)
        action(path);
}

}  // namespace formulario
