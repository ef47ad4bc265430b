#pragma once

#include "host/declaration_register.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <thread>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QTableView;
class QTimer;

namespace formulario {

class CRegisterFilter;
class CRegisterModel;

// "Declaraciones generadas": one row per declaration data file under the
// register's folders, read from the files at each look, off the interface
// thread; filtered as the person types, sortable by every column, and the
// chosen row consulted, modified, exported or shown in its folder.
class CRegisterWindow : public QWidget {
    Q_OBJECT
public:
    // What the program does with the file of a row.
    struct Actions {
        std::function<void(const std::string&path)> consult, modify, nextPeriod, exportPdf;
    };

    CRegisterWindow(QWidget* parent, Actions actions);
    ~CRegisterWindow() override;

    // Reads every file again; the rows show when all are read.
    void Rescan();
    bool Scanning() const { return m_scan != nullptr; }

signals:
    void scanFinished();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateFolderPane();
    QWidget* CreateRowButtons();
    void StopScan();
    void ShowProgress();
    void ScanDone(std::vector<RegisterRow> rows);
    void AddFolder();
    void RemoveFolder();
    // The file of the current row; empty when there is none or it is a gap.
    std::string CurrentPath() const;
    void OnRow(const std::function<void(const std::string&)>& action);

    struct Scan {
        RegisterProgress progress;
        std::atomic<std::size_t> total{0};
        std::jthread thread;
    };

    Actions m_actions;
    CRegisterModel* m_model;
    CRegisterFilter* m_filter;
    QLineEdit* m_typed;
    QTableView* m_table;
    QListWidget* m_folders;
    QLabel* m_status;
    QProgressBar* m_progress;
    QTimer* m_progressTimer;
    std::unique_ptr<Scan> m_scan;
};

}  // namespace formulario
