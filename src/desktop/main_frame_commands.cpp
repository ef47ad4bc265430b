// The command table of the main window: each command's menu text,
// shortcut, status-bar prompt, tool tip and image, where it stands in the
// menus and on the tool bar, and the actions, menus and tool bar made from it.
#include "main_frame.h"

#include "app_icons.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace formulario {

namespace {

using Command = CMainFrame::Command;

struct CommandSpec {
    Command command;
    const char* text;      // menu entry
    const char* shortcut;  // "" for none
    const char* prompt;    // status bar, while the entry or button is pointed at
    const char* toolTip;
    const char* iconName;  // theme name of the tool bar image, also of the program's own; "" for none
};

const CommandSpec kCommands[] = {
    {Command::kNew, "&Nuevo", "Ctrl+N", "Crea un nuevo documento", "Nuevo", "document-new"},
    {Command::kConsult, "&Consultar", "Ctrl+C", "Abre un documento ya existente para consultarlo", "Abrir",
     "document-open"},
    {Command::kModify, "&Modificar", "Ctrl+M", "Abre un archivo existente y permite modificarlo", "Modificar",
     "document-edit"},
    {Command::kRegister, "&Declaraciones generadas...", "",
     "Muestra las declaraciones generadas, por contribuyente y período", "Declaraciones generadas",
     "view-list-details"},
    {Command::kPrint, "&Imprimir...", "Ctrl+P", "Imprime el documento activo", "Imprimir", "document-print"},
    {Command::kExportPdf, "&Exportar PDF...", "", "Guarda el documento activo como archivo PDF", "Exportar PDF",
     "document-export"},
    {Command::kPrintPreview, "&Vista preliminar", "", "Muestra el documento activo tal como se imprimirá",
     "Vista preliminar", "document-print-preview"},
    {Command::kSave, "&Guardar", "Ctrl+S", "Guarda el documento activo", "Guardar", ""},
    {Command::kAbout, "&Acerca de Formulario7316...", "", "Muestra información del programa y su número de versión",
     "Acerca de", "help-about"},
    {Command::kExit, "&Salir", "Ctrl+Q", "Sale de la aplicación", "Salir", "application-exit"},
    {Command::kViewToolBar, "Barra de &herramientas", "", "Muestra u oculta la barra de herramientas",
     "Alternar Barra de herramientas", ""},
    {Command::kViewStatusBar, "Barra de &estado", "", "Muestra u oculta la barra de estado", "Alternar Barra de estado",
     ""},
    {Command::kNextPeriod, "N&ueva a partir de una anterior...", "",
     "Crea la declaración del mes siguiente a partir de una declaración ya generada", "Nueva a partir de una anterior",
     "document-new-from"},
    {Command::kImportBrands, "I&mportar marcas...", "", "Trae las marcas del anexo desde un archivo CSV",
     "Importar marcas", ""},
    {Command::kExportBrands, "E&xportar marcas...", "", "Guarda las marcas del anexo en un archivo CSV",
     "Exportar marcas", ""},
    {Command::kProblems, "&Problemas de la declaración", "F8",
     "Muestra todo lo que impide generar la declaración, cada problema junto a su casilla",
     "Problemas de la declaración", "dialog-warning"},
};

// Where each command stands; kSeparator is a separator line or gap.
constexpr Command kSeparator = static_cast<Command>(-1);
const Command kFileMenu[] = {Command::kNew,      Command::kConsult, Command::kModify,       Command::kNextPeriod,
                             Command::kRegister, kSeparator,        Command::kImportBrands, Command::kExportBrands,
                             kSeparator,         Command::kPrint,   Command::kExportPdf,    Command::kPrintPreview,
                             kSeparator,         Command::kExit};
const Command kViewMenu[] = {Command::kViewToolBar, Command::kViewStatusBar, kSeparator, Command::kProblems};
const Command kHelpMenu[] = {Command::kAbout};
const Command kToolBar[] = {Command::kNew,      Command::kConsult,  Command::kModify, Command::kNextPeriod,
                            Command::kRegister, kSeparator,         Command::kPrint,  Command::kExportPdf,
                            kSeparator,         Command::kProblems, kSeparator,       Command::kAbout,
                            Command::kExit};

}  // namespace

void CMainFrame::CreateActions()
{
    for (const CommandSpec& spec : kCommands) {
        const bool toggle = spec.command == Command::kViewToolBar || spec.command == Command::kViewStatusBar;
        auto* action = new QAction(QString::fromUtf8(spec.text), this);
        action->setShortcut(QKeySequence(QString::fromLatin1(spec.shortcut)));
        action->setStatusTip(QString::fromUtf8(spec.prompt));
        action->setToolTip(QString::fromUtf8(spec.toolTip));
        if (*spec.iconName)
            action->setIcon(ToolBarIcon(spec.iconName));
        if (toggle) {
            action->setCheckable(true);
            action->setChecked(true);
        } else {
            connect(action, &QAction::triggered, this, m_handlers[spec.command]);
        }
        addAction(action);  // its shortcut works even without a menu entry or button
        m_actions[spec.command] = action;
    }
}

QAction* CMainFrame::Action(Command command) const
{
    const auto found = m_actions.find(command);
    return found == m_actions.end() ? nullptr : found->second;
}

void CMainFrame::AddToMenuOrBar(QWidget* menuOrBar, Command command)
{
    if (command == kSeparator) {
        QAction* separator = new QAction(menuOrBar);
        separator->setSeparator(true);
        menuOrBar->addAction(separator);
    } else if (QAction* action = Action(command)) {
        menuOrBar->addAction(action);
    }
}

void CMainFrame::CreateMenus()
{
    const struct {
        const char* title;
        const Command* begin;
        const Command* end;
    } menus[] = {
        {"&Archivo", std::begin(kFileMenu), std::end(kFileMenu)},
        {"&Ver", std::begin(kViewMenu), std::end(kViewMenu)},
        {"Ay&uda", std::begin(kHelpMenu), std::end(kHelpMenu)},
    };
    for (const auto& entries : menus) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(entries.title));
        for (const Command* command = entries.begin; command != entries.end; ++command)
            AddToMenuOrBar(menu, *command);
    }
}

void CMainFrame::CreateToolBar()
{
    m_wndToolBar = addToolBar(QStringLiteral("Barra de herramientas"));
    m_wndToolBar->setObjectName(QStringLiteral("toolBar"));
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    for (Command command : kToolBar)
        AddToMenuOrBar(m_wndToolBar, command);

    QAction* toggle = Action(Command::kViewToolBar);
    connect(toggle, &QAction::toggled, m_wndToolBar, &QToolBar::setVisible);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
}

}  // namespace formulario
