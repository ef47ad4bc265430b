// Throughput of the seal codec's pieces, and the time to seal and unseal
// whole declarations. Target: sealing and unsealing the largest declaration
// the form can produce (below 50,000 bytes) takes under 1 ms.
#include "declfile/base64_variant.h"
#include "declfile/byte_cipher.h"
#include "declfile/crc.h"
#include "declfile/seal.h"
#include "declfile/seal_codec.h"

#include <benchmark/benchmark.h>

#include <string>

using namespace formulario;

namespace {

constexpr std::size_t kLargestDeclaration = 50'000;

// A declaration XML of about `length` bytes: boxes, then annex rows with
// long brand names and accented letters, as the form writes them.
std::string DeclarationOf(std::size_t length)
{
    std::string xml = " <FORMULARIO NUMERO=\"14302257\">  <SOURCE>TRAMIXPC</SOURCE>  "
                      "<NOMBRE><![CDATA[Tabacalera Peña y Compañía]]></NOMBRE>  <CASILLAS> ";
    for (int row = 1; xml.size() < length; ++row) {
        const int id = 10 * (row - 1) + 7;
        xml += " <CASILLA ID=\"" + std::to_string(id) +
               "\"><![CDATA[MARLBORO ROJO CAJETILLA DURA 20 UNIDADES — EDICIÓN]]></CASILLA> ";
        for (int k = 1; k < 6; ++k)
            xml += " <CASILLA ID=\"" + std::to_string(id + k) + "\">12345.6789</CASILLA> ";
    }
    xml.resize(length);
    return xml;
}

std::string BytesOf(std::size_t length)
{
    std::string bytes(length, '\0');
    for (std::size_t i = 0; i < length; ++i)
        bytes[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    return bytes;
}

void BM_Crc(benchmark::State& state)
{
    const std::string data = BytesOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeCrc(data));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Encipher(benchmark::State& state)
{
    const std::string data = BytesOf(static_cast<std::size_t>(state.range(0)));
    const std::string key = "0123456789ZorovirirA-7316#DRN!sello";
    for (auto _ : state)
        benchmark::DoNotOptimize(Encipher(data, key));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Decipher(benchmark::State& state)
{
    const std::string key = "0123456789ZorovirirA-7316#DRN!sello";
    const std::string data = Encipher(BytesOf(static_cast<std::size_t>(state.range(0))), key).value();
    for (auto _ : state)
        benchmark::DoNotOptimize(Decipher(data, key));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_EncodeBase64(benchmark::State& state)
{
    const std::string data = BytesOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(EncodeBase64(data, kSealLineLength, true));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_DecodeBase64(benchmark::State& state)
{
    const std::string text = EncodeBase64(BytesOf(static_cast<std::size_t>(state.range(0))), kSealLineLength, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeBase64(text));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Seal(benchmark::State& state)
{
    const std::string xml = DeclarationOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(SealDeclaration(xml));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_Unseal(benchmark::State& state)
{
    const std::string sealed = SealDeclaration(DeclarationOf(static_cast<std::size_t>(state.range(0)))).value();
    const CSealCodec codec;
    for (auto _ : state) {
        const CResult<std::string> xml = codec.Unseal(sealed);
        if (!xml.ok())
            state.SkipWithError("unseal failed");
        benchmark::DoNotOptimize(xml.ok() ? xml->data() : nullptr);
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

// One declaration sealed and read back: the time to compare with 1 ms.
void BM_SealAndUnsealDeclaration(benchmark::State& state)
{
    const std::string xml = DeclarationOf(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        const auto sealed = SealDeclaration(xml);
        if (!sealed.ok() || !CSealCodec().Unseal(*sealed).ok())
            state.SkipWithError("round trip failed");
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(BM_Crc)->Arg(kLargestDeclaration);
BENCHMARK(BM_Encipher)->Arg(kLargestDeclaration);
BENCHMARK(BM_Decipher)->Arg(kLargestDeclaration);
BENCHMARK(BM_EncodeBase64)->Arg(kLargestDeclaration);
BENCHMARK(BM_DecodeBase64)->Arg(kLargestDeclaration);
BENCHMARK(BM_Seal)->Arg(kLargestDeclaration);
BENCHMARK(BM_Unseal)->Arg(kLargestDeclaration);
BENCHMARK(BM_SealAndUnsealDeclaration)->Arg(kLargestDeclaration)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
