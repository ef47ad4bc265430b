#pragma once

#include "host/host_ui.h"
#include "host/output_directory.h"
#include "host/safe_file_writer.h"

#include <string>

namespace formulario {

// What the host does with a declaration the form hands over: the sealed
// declaration data file ("Generar", GeneraArchivo) and, later, the HTML copy
// of the form beside it (Save, OnFileSave). Remembers the last data file
// written and the markup that came with it.
class CGenerationFlow {
public:
    CGenerationFlow(HostUi& ui, OutputPlace place, FileWriter writer = WriteFileWhole);

    // Asks for a directory, seals `cadenaxml` into "DRN-" + `numformulario`
    // under directory/NIT/7316 and reports the file. All texts UTF-8. A text
    // that is not a well-formed declaration is not sealed. True when the data
    // file was written.
    [[nodiscard]] bool GeneraArchivo(const std::string& cadenaxml, const std::string& numformulario,
                                     const std::string& cadenahtml, const std::string& nitcontribuyente);

    // Writes the HTML copy of the last declaration generated.
    void OnFileSave();

    // The data file last written, empty before the first one.
    const std::string& LastDataFile() const { return m_lastDataFile; }

private:
    bool AcceptsNames(const std::string& numformulario, const std::string& nitcontribuyente);
    bool MayWrite(const std::string& path);
    bool WriteDataFile(const std::string& path, const std::string& sealed, const std::string& cadenahtml);

    HostUi& m_ui;
    OutputPlace m_place;
    FileWriter m_writer;
    std::string m_lastDataFile;
    std::string m_cadenahtml;
};

}  // namespace formulario
