// Reopening a declaration for correction: the Modify command reading the
// sealed file, unsealing it, parsing the XML and building the editable page of
// a declaration with every annex row filled. The page build is also timed with the naive page
// buffer that measures its whole text on every append, and the ratio of the
// two is printed at the end.

#include "host/reopen.h"
#include "declfile/seal.h"
#include "declfile/seal_codec.h"
#include "declfile/xml_reader.h"
#include "render/brand_catalogue.h"
#include "declfile/declaration.h"
#include "render/modify_page.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

using namespace formulario;

namespace {

constexpr std::size_t kBrands = kBrandCatalogue.size() - 1;

// A declaration XML with every annex row used, in the form's own layout.
std::string FullDeclarationXml()
{
    std::string xml = " <FORMULARIO NUMERO=\"14302257\">  <SOURCE>TRAMIXPC</SOURCE>  "
                      "<REALSOURCE>TRAMIXLIGHT</REALSOURCE> <VERSION>2.0</VERSION>  "
                      "<CODIGO_FORMULARIO>731</CODIGO_FORMULARIO>  <NUMERO_VERSION>6</NUMERO_VERSION> "
                      " <ID_CAMBIO>1.5</ID_CAMBIO>  <NIT>12345679</NIT>  "
                      "<PERIODO_DESDE>20120301</PERIODO_DESDE>  <PERIODO_HASTA>20120331</PERIODO_HASTA> "
                      " <ANEXOS>0</ANEXOS>  <NOMBRE><![CDATA[TABACALERA DEL NORTE, S.A.]]></NOMBRE> "
                      " <DIRECCION></DIRECCION>  <CONTADOR>0</CONTADOR>  <CASILLAS>  "
                      "<CASILLA ID=\"6\">46</CASILLA> ";
    for (int row = 1; row <= kMaxAnnexRows; ++row) {
        const std::string_view brand = kBrandCatalogue[static_cast<std::size_t>(row - 1) % kBrands];
        const char* cells[] = {"25.0000", "18.75", "100.0000", "1.0000", "0.5000"};
        xml += " <CASILLA ID=\"" + std::to_string(AnnexCellId(row, 1)) + "\"><![CDATA[";
        xml += brand;
        xml += "]]></CASILLA> ";
        for (int column = 2; column <= 6; ++column)
            xml += " <CASILLA ID=\"" + std::to_string(AnnexCellId(row, column)) + "\">"
                + cells[column - 2] + "</CASILLA> ";
    }
    for (int box = kFirstBox; box <= kLastBox; ++box)
        xml += " <CASILLA ID=\"" + std::to_string(box) + "\">" + std::to_string(box % 97) + ".00</CASILLA> ";
    xml += "<CASILLA ID=\"FECPRE\">05/04/2012</CASILLA><CASILLA ID=\"LUGPRE\">----------</CASILLA> "
           " </CASILLAS>  <MONTO>5.00</MONTO>  </FORMULARIO> ";
    return xml;
}

// The sealed file of the full declaration, written once into the temporary
// directory.
const std::filesystem::path& SealedFile()
{
    static const std::filesystem::path path = [] {
        const CResult<std::string> sealed = SealDeclaration(FullDeclarationXml());
        if (!sealed.ok()) {
            std::cerr << "the declaration could not be sealed\n";
            std::exit(1);
        }
        const auto file = std::filesystem::temp_directory_path() / "reopen_bench_DRN-7316";
        std::ofstream(file, std::ios::binary) << *sealed;
        return file;
    }();
    return path;
}

Declaration ParsedDeclaration()
{
    CXmlReader reader;
    CResult<Declaration> declaration = Cause::kNoFormCode;
    if (reader.Parse(FullDeclarationXml()))
        declaration = ReadDeclaration(reader.Nodes());
    if (!declaration.ok()) {
        std::cerr << "the declaration could not be read: " << declaration.status().Describe() << '\n';
        std::exit(1);
    }
    return std::move(declaration).value();
}

// The page buffer as a fixed array filled the way strcat fills it: every
// append first scans the text already there for its end.
class NaivePageBuffer {
public:
    void Clear() { buffer_[0] = '\0'; }

    void Append(std::string_view text)
    {
        const std::size_t length = std::strlen(buffer_.data());
        if (length + text.size() >= buffer_.size())
            std::abort();
        std::memcpy(buffer_.data() + length, text.data(), text.size());
        buffer_[length + text.size()] = '\0';
    }

    const char* data() const { return buffer_.data(); }

private:
    std::vector<char> buffer_ = std::vector<char>(9'990'000);
};

// The person at the program: looks at every page shown.
class ChoosingUi : public HostUi {
public:
    std::optional<std::string> AskDirectory(const std::string&) override { return std::nullopt; }
    std::optional<std::string> ChooseFile() override { return std::nullopt; }
    void ShowMessage(const std::string& text, const std::string&) override { Refused(text); }
    bool AskYesNo(const std::string& text, const std::string&, Answer) override { return Refused(text), false; }
    void ShowWarning(const std::string& text) override { Refused(text); }
    void ShowPage(const std::string& html) override { benchmark::DoNotOptimize(html.data()); }

private:
    static void Refused(const std::string& text)
    {
        std::cerr << "the reopen was refused: " << text << '\n';
        std::exit(1);
    }
};

// The Modify command from the chosen file to the page shown.
void BM_ReopenForModify(benchmark::State& state)
{
    ChoosingUi ui;
    CPageText page;
    for (auto _ : state)
        if (!Reopen(ReopenMode::kModify, BuildModifyPage, SealedFile().string(), ui, page))
            state.SkipWithError("reopen failed");
}
BENCHMARK(BM_ReopenForModify)->Unit(benchmark::kMillisecond);

void BM_BuildModifyPage(benchmark::State& state)
{
    const Declaration declaration = ParsedDeclaration();
    CPageText page;
    for (auto _ : state) {
        BuildModifyPage(declaration, page);
        benchmark::DoNotOptimize(page.str().data());
    }
}
BENCHMARK(BM_BuildModifyPage)->Unit(benchmark::kMillisecond);

void BM_BuildModifyPageNaive(benchmark::State& state)
{
    const Declaration declaration = ParsedDeclaration();
    NaivePageBuffer buffer;
    const PageSink sink = [&buffer](std::string_view text) { buffer.Append(text); };
    for (auto _ : state) {
        buffer.Clear();
        WriteModifyPage(declaration, sink);
        benchmark::DoNotOptimize(buffer.data());
    }
}
BENCHMARK(BM_BuildModifyPageNaive)->Unit(benchmark::kMillisecond);

// The console report, keeping each benchmark's CPU time per iteration.
class RecordingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> cpuTimes;
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto& times = reporter.cpuTimes;
    const auto build = times.find("BM_BuildModifyPage");
    const auto naive = times.find("BM_BuildModifyPageNaive");
    if (build != times.end() && naive != times.end() && build->second > 0)
        std::printf("\nPage build %.3f ms, naive page buffer %.1f ms: %.0f times faster "
                    "(target: at least 100)\n",
                    build->second, naive->second, naive->second / build->second);
    const auto reopen = times.find("BM_ReopenForModify");
    if (reopen != times.end())
        std::printf("Whole reopen %.3f ms of CPU (target: under 5 ms)\n", reopen->second);
    benchmark::Shutdown();
    return 0;
}
